#include "shell/startup_screen.h"

#include "raster/back_buffer.h"
#include "shell/lifecycle.h"

bool prepareStartupPictures() { return true; }

void beginStartupProgress() { present(-1); }

int32_t loadProgramData() { return kStartupOk; }

void saveProgramData() {}

void releaseProgramData() {}

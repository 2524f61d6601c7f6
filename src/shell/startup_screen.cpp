// The loading half of start-up, with "Initializing..." and the progress bar over the splash.
#include "shell/startup_screen.h"

#include <cstdio>
#include <string>

#include "geo/city_db.h"
#include "geo/country_labels.h"
#include "geo/place_lists.h"
#include "platform/folders.h"
#include "raster/back_buffer.h"
#include "raster/font.h"
#include "shell/lifecycle.h"
#include "shell/settings.h"
#include "texture/map_set.h"
#include "toolkit/progress_bar.h"
#include "view/tables.h"
#include "view/view_state.h"

namespace {

ProgressBar gStartupBar;

void showProgress(int percent) {
    gStartupBar.setPercent(percent);
    gStartupBar.Draw();
    present(-1);
}

// The database is optional: without it (missing or refused) the program runs with no cities.
void openCities() {
    if (geo::cityDatabase.open(platform::homeFile("cities.bin"))) geo::cityDatabase.buildIndexes();
}

}  // namespace

bool prepareStartupPictures() {
    return loadFont();
}

void beginStartupProgress() {
    drawText(50, 106, u"Initializing...", 0xFFFF);
    gStartupBar.setup(40, 120, 160, 14, true);
    showProgress(0);
}

int32_t loadProgramData() {
    openCities();
    loadSettings();
    normaliseViewAngles();
    showProgress(20);
    buildTrigTables();
    buildColumnTables();
    showProgress(60);
    if (rebuildTexture(false) == kStartupNoMemory) return kStartupNoMemory;
    restorePlanarZoom();
    showProgress(100);
    return kStartupOk;
}

void saveProgramData() {
    std::string error;
    if (!saveSettings(&error))
        std::fprintf(stderr, "mundora: settings not saved: %s\n", error.c_str());
}

void releaseProgramData() {
    geo::deletePlaces(&geo::gDisplayedCountries);
    geo::deletePlaces(&geo::gDisplayedCities);
    geo::clearDistancePoints();
    geo::cityDatabase.close();
}

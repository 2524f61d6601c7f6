// The back buffer every frame is drawn into, the display properties copied at start-up, and
// presentation: copying the back buffer into the display memory, optionally faded.
#pragma once

#include <cstdint>

#include "platform/display.h"

// The display properties copied once at start-up; every part reads the screen size here.
extern platform::DisplayProperties gDisplay;

// Copies the display properties from the backend; false when there is no backend.
bool readDisplayProperties();

// Allocates the back buffer (display width × height × bytes per pixel); false when memory
// runs out. freeBackBuffer is safe to call twice.
bool allocateBackBuffer();
void freeBackBuffer();
// The back buffer, width × height RGB565 pixels, row y at pixel y × width; null when freed.
uint16_t* backBuffer();
int backBufferBytes();

// Copies the back buffer to the display through its pitches. A level of 0..255 fades each
// colour field to field × level / 256; any other level (callers use -1 or 256) copies
// unchanged. Returns 1 when drawn, 0 when the display could not be locked.
int present(int level);

// Fades from black to the back buffer (0, 8, .., 248) and back (255, 247, .., 7): 32 presents.
void fadeIn();
void fadeOut();

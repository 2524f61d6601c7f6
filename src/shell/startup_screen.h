// The loading half of start-up and its counterparts at shutdown: the start-up texts and
// progress bar over the splash, then the program's data in a fixed order (cities, settings,
// the saved selection they vouch for and the route file they name, tables, the map texture)
// with progress at 20, 60 and 100 %.
#pragma once

#include <cstdint>

// The font and any picture start-up draws with; false when one cannot be prepared.
bool prepareStartupPictures();

// "Initializing..." and the progress bar at 0 %, presented over the faded-in splash.
void beginStartupProgress();

// Loads everything after the splash; a start-up result (0, or -2 when memory runs out).
int32_t loadProgramData();

// Shows, once, what start-up left for the message box (a saved selection dropped because it
// was made with another cities.bin), as soon as no other dialog is open.
void showStartupNotice();

// Saves the city selection and the settings (the orderly exit only); what cannot be saved
// is reported in one line on standard error.
void saveProgramData();

// Frees what loadProgramData acquired; safe to call twice.
void releaseProgramData();

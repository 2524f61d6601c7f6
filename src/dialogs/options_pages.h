// The pages of the options dialog: their identifiers and labels, and the controls of every
// page but Cities (options_cities.h), each set from the options record when the dialog opens
// and written back into a record on OK. The dialog's frame, routing and OK are
// options_dialog.h's.
#pragma once

#include <cstdint>
#include <string>

#include "base/options.h"

class TabStrip;

enum OptionsPage : int32_t {
    kPageGeneral = 100,
    kPageDisplay = 105,
    kPageMaps = 110,
    kPageCities = 115,
    kPageAdvanced = 120,
    kPageRoutes = 125,
    kPageColors = 130,
};

// Adds the seven pages to `tabs` (set up, without pages) and sets up every control from
// gOptions, the maps/ GIF files and routes/ XML files listed by name, the loaded route file
// shown.
void addOptionPages(TabStrip* tabs);

// Writes every check box, slider (its value truncated), radio group and colour of the pages
// into `options`, with the twilight kind and whether its band shows, and the map files the
// lists show (an empty list leaves the file as it was).
void storeOptionPages(Options* options);

// The route file the Routes/Places list shows; null when the list is empty.
const std::string* chosenRouteFile();

// Whether going from `before` to `after` changes the map texture, so that it must be
// rebuilt: the brightness, the shadow's darkness, specularity and twilight, the main map,
// the overlay's use and operation, and the overlay map while the overlay is used.
bool textureOptionsChanged(const Options& before, const Options& after);

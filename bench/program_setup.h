// The program state the frame benchmarks draw from, made once per process: the build's data
// folder with a state folder of the benchmark's own, a manual clock, the back buffer, the
// view tables and the map texture; for the overlay and the dialogs also the font, the
// interface pictures and the city database. Nothing is measured here.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "geo/city_db.h"
#include "platform/clock.h"
#include "platform/folders.h"
#include "raster/back_buffer.h"
#include "raster/font.h"
#include "raster/pictures.h"
#include "texture/map_set.h"
#include "view/tables.h"

// `name` names the state folder under the temporary folder; `instant` is the UTC clock in
// milliseconds; `withInterface` also loads the font, the pictures and the city database.
inline void setUpProgram(const char* name, int64_t instant, bool withInterface) {
    static bool done = false;
    if (done) return;
    done = true;
    const auto state = std::filesystem::temp_directory_path() / name;
    platform::chooseFolders(std::string(MUNDORA_DATA_DIR), state.string(), nullptr);
    platform::useManualClock(0, instant);
    gDisplay = {240, 320, 2, 480, 16};
    allocateBackBuffer();
    if (withInterface) {
        loadFont();
        loadInterfacePictures();
    }
    buildTrigTables();
    buildColumnTables();
    rebuildTexture(false);
    if (withInterface && geo::cityDatabase.open(platform::homeFile("cities.bin")))
        geo::cityDatabase.buildIndexes();
}

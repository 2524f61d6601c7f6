// The loading half of start-up, with "Initializing..." and the progress bar over the splash.
#include "shell/startup_screen.h"

#include <cstdio>
#include <string>
#include <vector>

#include "geo/city_db.h"
#include "geo/country_labels.h"
#include "geo/place_lists.h"
#include "geo/saved_selection.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "raster/back_buffer.h"
#include "raster/font.h"
#include "routefiles/route_file.h"
#include "shell/lifecycle.h"
#include "shell/settings.h"
#include "texture/map_set.h"
#include "toolkit/message_box.h"
#include "toolkit/modal.h"
#include "toolkit/progress_bar.h"
#include "view/tables.h"
#include "view/view_state.h"

namespace {

ProgressBar gStartupBar;
bool gSelectionDropped = false;  // the message box has yet to say so

void showProgress(int percent) {
    gStartupBar.setPercent(percent);
    gStartupBar.Draw();
    present(-1);
}

// Whether the home folder is there: when it is not, the folder's own start-up line has
// already said that its cities and maps are missing, and the files are not named again.
bool homeIsThere() {
    return platform::isDirectory(platform::homeFolder());
}

// The database is optional: without it (missing or refused) the program runs with no
// cities, and with a damaged one on the records before the damage; either is said once. A
// damaged one leaves the saved selection alone, which the user hears of here.
void openCities() {
    const std::string path = platform::homeFile("cities.bin");
    const bool opened = geo::cityDatabase.open(path);
    if (!geo::cityDatabase.problem().empty() && homeIsThere())
        std::fprintf(stderr, "mundora: city file %s: %s%s\n", path.c_str(),
                     geo::cityDatabase.problem().c_str(),
                     opened ? "; the saved city selection is kept unread until it is whole"
                            : "; going on without cities");
}

// The saved selection, once the settings have said which cities.bin it was saved against.
// Offsets saved against another file would name other cities: they are dropped, and the
// user hears of it in the message box. Entries naming no city are left out, on a line.
void restoreSelection() {
    const std::string path = platform::stateFile("cities.sav");
    const geo::SelectionLoad load = geo::loadSelection(
        path, geo::cityDatabase, gOptions.selectionCityFile, &geo::gDisplayedCities);
    if (!load.problem.empty())
        std::fprintf(stderr, "mundora: city selection %s not read: %s\n", path.c_str(),
                     load.problem.c_str());
    if (load.skipped > 0)
        std::fprintf(stderr, "mundora: city selection %s: %zu entries name no city; left out\n",
                     path.c_str(), load.skipped);
    if (load.otherCityFile > 0) {
        std::fprintf(stderr,
                     "mundora: city selection %s was saved with another cities.bin; "
                     "dropped\n",
                     path.c_str());
        gSelectionDropped = true;
    }
}

// The selection goes first and renews the settings' stamp only when written: a stop between
// the two files then leaves a stamp that refuses a good selection, never one that accepts
// offsets saved against another cities.bin. Without a whole database both stay as they were.
bool saveSelection(std::string* error) {
    if (!geo::saveSelection(platform::stateFile("cities.sav"), geo::gDisplayedCities,
                            geo::cityDatabase, error))
        return false;
    if (geo::holdsSelection(geo::cityDatabase))
        gOptions.selectionCityFile = geo::cityFileStamp(geo::cityDatabase);
    return true;
}

// A start-up map set that cannot be used is shown in a message box whose text is fixed; the
// file and its fault are said here.
void reportUnusableMaps() {
    if (!mapTexture() && !gMapSet.refusal.empty() && homeIsThere())
        std::fprintf(stderr, "mundora: the maps cannot be used: %s\n", gMapSet.refusal.c_str());
}

// Pictures of the loaded route file that were left out, one line each, the first few only.
void reportSkippedPictures(const std::string& shownName) {
    constexpr size_t kShown = 5;
    const std::vector<routes::SkippedPicture>& skipped = routes::gRouteSet.skippedPictures;
    for (size_t i = 0; i < skipped.size() && i < kShown; ++i)
        std::fprintf(stderr, "mundora: route file %s: picture %s left out: %s\n", shownName.c_str(),
                     platform::printable(skipped[i].name).c_str(), skipped[i].reason.c_str());
    if (skipped.size() > kShown)
        std::fprintf(stderr, "mundora: route file %s: and %zu more pictures left out\n",
                     shownName.c_str(), skipped.size() - kShown);
}

// The route file named in the settings. Start-up shows nothing on the screen about it: a
// file that cannot be loaded, or pictures of it that are left out, are named with the reason
// on standard error.
void openStoredRoute() {
    if (gOptions.routeFileName.empty()) return;
    std::string reason;
    // A stored name may hold any byte but NUL.
    const std::string shown = platform::printable(gOptions.routeFileName);
    if (routes::loadRouteFile(gOptions.routeFileName, &reason))
        reportSkippedPictures(shown);
    else
        std::fprintf(stderr, "mundora: route file %s not loaded: %s\n", shown.c_str(),
                     reason.c_str());
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
    restoreSelection();
    openStoredRoute();
    normaliseViewAngles();
    showProgress(20);
    buildTrigTables();
    buildColumnTables();
    showProgress(60);
    if (rebuildTexture(false) == kStartupNoMemory) return kStartupNoMemory;
    reportUnusableMaps();
    restorePlanarZoom();
    showProgress(100);
    return kStartupOk;
}

void showStartupNotice() {
    if (!gSelectionDropped || gModalDialog) return;
    gSelectionDropped = false;
    ShowMessage("The saved city selection was made with another cities.bin and has been dropped.",
                "Cities", 0, nullptr);
}

void saveProgramData() {
    std::string selectionError, error;
    const bool selectionSaved = saveSelection(&selectionError);
    // When neither could be saved the cause is the same folder: one line says so.
    if (!saveSettings(&error))
        std::fprintf(stderr, "mundora: settings not saved: %s%s\n", error.c_str(),
                     selectionSaved ? "" : "; nor the city selection");
    else if (!selectionSaved)
        std::fprintf(stderr, "mundora: city selection not saved: %s\n", selectionError.c_str());
}

void releaseProgramData() {
    geo::deletePlaces(&geo::gDisplayedCountries);
    geo::deletePlaces(&geo::gDisplayedCities);
    geo::clearDistancePoints();
    routes::gRouteSet.clear();
    geo::cityDatabase.close();
}

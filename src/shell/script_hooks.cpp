// The headless script's questions to the program: what the last frame drew, where the view
// stands, panel commands as if tapped, and the orderly exit.
#include "shell/script_hooks.h"

#include <string>

#include "base/options.h"
#include "geo/place_lists.h"
#include "geo/snapping.h"
#include "platform/files.h"
#include "platform/headless.h"
#include "platform/loop.h"
#include "raster/text_log.h"
#include "routefiles/route_set.h"
#include "shell/frame.h"
#include "shell/lifecycle.h"
#include "toolkit/command_panel.h"
#include "toolkit/message_box.h"
#include "toolkit/modal.h"
#include "view/stylus.h"
#include "view/view_state.h"
#include "view/zoom.h"

namespace {

void add(std::string* out, const char* name, long value) {
    *out += name;
    *out += '=';
    *out += std::to_string(value);
    *out += '\n';
}

bool writeView(const std::string& path, std::string* error) {
    std::string text;
    add(&text, "UiMode", gUiMode);
    add(&text, "planar", gView.planar);
    add(&text, "lonAngle", gView.lonAngle);
    add(&text, "latAngle", gView.latAngle);
    add(&text, "radius", gView.radius);
    add(&text, "planarHeight", gView.planarHeight);
    add(&text, "planarHeightInUse", planarHeightInUse());
    add(&text, "offsetX", gView.offsetX);
    add(&text, "offsetY", gView.offsetY);
    add(&text, "margin", gView.margin);
    add(&text, "animating", gView.animating);
    add(&text, "grid", gOptions.latLonGrid);
    add(&text, "dayNight", gOptions.showDayNight);
    add(&text, "panRotate", gOptions.panRotate);
    add(&text, "computeDistance", gOptions.computeDistance);
    add(&text, "selectedCities", gOptions.showSelectedCities);
    add(&text, "zoomSelection", gZoomSelection);
    add(&text, "panelRolledOut", panelRolledOut());
    add(&text, "pressX", gPressPoint.x);
    add(&text, "pressY", gPressPoint.y);
    add(&text, "currentX", gCurrentPoint.x);
    add(&text, "currentY", gCurrentPoint.y);
    add(&text, "modal", openMessageBox() ? 2 : gModalDialog ? 1 : 0);
    add(&text, "frames", static_cast<long>(framesComposed()));
    add(&text, "routePoints", routes::gRouteSet.places.count());
    add(&text, "snapKind", geo::gSnapPoint.kind);
    add(&text, "snapLat", geo::gSnapPoint.latitude);
    add(&text, "snapLon", geo::gSnapPoint.longitude);
    add(&text, "distancePoints", geo::gDistancePoints.count());
    add(&text, "displayedCities", geo::gDisplayedCities.count());
    add(&text, "findCityOpen", gToolDialog != nullptr);
    add(&text, "keyboard", gKeyboardVisible);
    if (auto* screen = dynamic_cast<platform::HeadlessBackend*>(platform::backend())) {
        add(&text, "shown", screen->visible());
        add(&text, "suspended", screen->suspended());
    }
    return platform::writeFileAtomic(path, text.data(), text.size(), error);
}

bool pressCommand(int id, std::string* error) {
    const int index = panelIndexOfCommand(id);
    if (index < 0) {
        *error = "no panel button has command " + std::to_string(id) + " (2000 .. 2012)";
        return false;
    }
    platform::postMessage(platform::WM_COMMAND, id, index);
    return true;
}

}  // namespace

platform::ScriptHooks scriptHooks() {
    platform::ScriptHooks hooks;
    hooks.view = writeView;
    hooks.texts = writeTextLog;
    hooks.command = pressCommand;
    hooks.quit = [] {
        if (!shuttingDown()) shutdown();
    };
    return hooks;
}

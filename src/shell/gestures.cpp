// The stylus routing of the main window: the toolkit's widgets, then the command panel, then
// the view's gestures (turn or pan, zoom rectangle, the pick point that snapping and edge
// scrolling follow, the distance point a release adds). How the view moves is view/pan.h's; what a
// panel button does is the window's command handling.
#include "shell/gestures.h"

#include "base/options.h"
#include "base/redraw.h"
#include "geo/place_lists.h"
#include "geo/snapping.h"
#include "platform/loop.h"
#include "toolkit/command_panel.h"
#include "toolkit/routing.h"
#include "view/pan.h"
#include "view/picking.h"
#include "view/stylus.h"
#include "view/view_state.h"
#include "view/zoom.h"

namespace {

// A tap in "Compute Distance" mode: a distance point where the stylus was lifted, when that
// is on the map.
void addDistancePointAt(int x, int y) {
    int16_t lat, lon;
    if (!geo::pickArcMinutes(x, y, &lat, &lon)) return;
    geo::addDistancePoint(lat, lon);
}

void endStroke() {
    panelEndStroke();
    gPressPoint = {};
    gCurrentPoint = {};
    platform::invalidate();
}

}  // namespace

void stylusDown(int x, int y) {
    if (routeStylusDown({x, y}) || panelHitTest(x, y)) return;
    gView.animating = false;
    gPressPoint = {x, y};
    int32_t nx, ny;
    if (gZoomSelection && !clampToView(x, y, &nx, &ny)) {
        gPressPoint = {};
        return;
    }
    if (!gOptions.panRotate) {
        gCurrentPoint = gPressPoint;
        gRedraw = 1;
    }
}

void stylusMove(int x, int y) {
    if (routeStylusMove({x, y})) return;
    if (panelPressed()) {
        panelTrack(x, y);
        return;
    }
    if (!gPressPoint.valid()) return;
    gCurrentPoint = {x, y};
    if (gZoomSelection) {
        int32_t nx, ny;
        clampToView(x, y, &nx, &ny);
        gCurrentPoint = {nx, ny};
    } else if (gOptions.panRotate) {
        turnBy(x - gPressPoint.x, y - gPressPoint.y);
        gPressPoint = gCurrentPoint;
    }
    gRedraw = 1;
}

void stylusUp(int x, int y) {
    if (routeStylusUp({x, y})) {
        endStroke();
        return;
    }
    if (panelPressed()) {
        panelTrack(x, y);  // the release point decides, even without a move before it
        panelClick();
        gRedraw = 1;
        endStroke();
        return;
    }
    if (gCurrentPoint.valid() && gZoomSelection) {
        zoomToRectangle(gPressPoint.x, gPressPoint.y, gCurrentPoint.x, gCurrentPoint.y);
        gZoomSelection = false;
        panelSetChecked(2008, false);
    } else if (gCurrentPoint.valid() && !gOptions.panRotate) {
        // A tap released before any frame showed the press still snaps its place.
        geo::updateSnapPoint(gCurrentPoint.x, gCurrentPoint.y);
        gRedraw = 1;
        if (gOptions.computeDistance) addDistancePointAt(gCurrentPoint.x, gCurrentPoint.y);
    }
    endStroke();
}

// Turning uses the sphere's radius as the lever: a drag of one radius turns by one radian
// (10430.378 angle units). The flat map pans pixel for pixel and wraps east-west.
#include "shell/gestures.h"

#include <algorithm>

#include "base/options.h"
#include "base/redraw.h"
#include "platform/loop.h"
#include "shell/ui_state.h"
#include "toolkit/command_panel.h"
#include "toolkit/modal.h"
#include "view/picking.h"
#include "view/stylus.h"
#include "view/view_state.h"
#include "view/zoom.h"

namespace {

constexpr double kUnitsPerRadian = 10430.378350470453;
constexpr int32_t kEdgeStepUnits = 1092;  // 6° a frame

// Moves the flat map by (dx, dy) map pixels: X wraps around the map, Y stays inside it.
void panPlanar(int dx, int dy) {
    const int32_t h = planarHeightInUse();
    if (h <= 0) return;
    gView.offsetX = ((gView.offsetX + dx) % (2 * h) + 2 * h) % (2 * h);
    const int32_t maxY = h - screenHeight();
    gView.offsetY = maxY > 0 ? std::clamp(gView.offsetY + dy, 0, maxY) : 0;
}

void turnBy(int dx, int dy) {
    if (gView.planar) {
        panPlanar(-dx, -dy);
    } else {
        gView.lonAngle -=
            static_cast<int32_t>(dx / static_cast<double>(gView.radius) * kUnitsPerRadian);
        gView.latAngle -=
            static_cast<int32_t>(dy / static_cast<double>(gView.radius) * kUnitsPerRadian);
        normaliseViewAngles();
    }
}

void endStroke() {
    panelEndStroke();
    gPressPoint = {};
    gCurrentPoint = {};
    platform::invalidate();
}

}  // namespace

void stylusDown(int x, int y) {
    Widget* capture = nullptr;
    if (gModalDialog && gModalDialog->StylusDown({x, y}, &capture)) {
        gCaptureWidget = capture;
        return;
    }
    if (panelHitTest(x, y)) return;
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
    if (gCaptureWidget) {
        if (gCaptureWidget->StylusMove({x, y}) == 2) gRedraw = 1;
        return;
    }
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
    if (gCaptureWidget) {
        Widget* w = gCaptureWidget;
        gCaptureWidget = nullptr;
        w->StylusUp({x, y});
        gRedraw = 1;
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
    }
    endStroke();
}

bool edgeScrollStep() {
    if (gOptions.panRotate || gZoomSelection || !gCurrentPoint.valid()) return false;
    const int x = gCurrentPoint.x, y = gCurrentPoint.y;
    const int dx = x < 10 ? -1 : x > screenWidth() - 10 ? 1 : 0;
    const int dy = y < 10 ? -1 : y > screenHeight() - 10 ? 1 : 0;
    if (!dx && !dy) return false;
    if (gView.planar) {
        const int step = 2 * planarHeightInUse() / 50;
        panPlanar(dx * step, dy * step);
    } else {
        gView.lonAngle += dx * kEdgeStepUnits;
        gView.latAngle += dy * kEdgeStepUnits;
        normaliseViewAngles();
    }
    gRedraw = 1;
    return true;
}

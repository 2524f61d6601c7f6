// The command table of the main window and the timer tick.
#include "shell/commands.h"

#include "base/options.h"
#include "base/redraw.h"
#include "dialogs/find_city.h"
#include "dialogs/options_dialog.h"
#include "geo/place_lists.h"
#include "geo/snapping.h"
#include "platform/display.h"
#include "platform/folders.h"
#include "platform/loop.h"
#include "raster/back_buffer.h"
#include "raster/image_buffer.h"
#include "raster/pictures.h"
#include "shell/frame.h"
#include "shell/lifecycle.h"
#include "shell/ui_state.h"
#include "texture/map_set.h"
#include "toolkit/command_panel.h"
#include "toolkit/exit_confirm.h"
#include "toolkit/message_box.h"
#include "toolkit/modal.h"
#include "view/pan.h"
#include "view/view_state.h"
#include "view/zoom.h"

namespace {

// Flips `flag` and shows it on the command's button.
void toggle(bool* flag, int command) {
    *flag = !*flag;
    panelSetChecked(command, *flag);
}

void showAbout() {
    gUiMode = kUiAbout;
    gAboutFade = 0;
    ImageBuffer splash(kSplashPicture);
    if (splash.load(backBuffer(), true)) drawAboutCredits();
}

}  // namespace

void openHelp() {
    if (platform::Backend* b = platform::backend()) b->suspend();
    std::string page = platform::homeFile("mdora.htm");
    if (!platform::openDocument(page)) {
        // No viewer: the display comes back at once and the user is told where the page is.
        if (platform::Backend* b = platform::backend()) b->resume();
        ShowMessage(("The help page could not be opened. It is the file\n" + page).c_str(), "Help",
                    0, nullptr);
    }
}

void exitHandler(Widget*, int command) {
    if (command == kAnswerExit) {
        shutdown();
    } else if (command == kAnswerSuspend) {
        if (platform::Backend* b = platform::backend()) {
            b->suspend();
            b->showWindow(false);
        }
    }
}

void openOptionsAfterMessage(Widget*, int) {
    runCommand(2003, panelIndexOfCommand(2003));
}

bool runCommand(int id, intptr_t) {
    switch (id) {
        case 2000:
            togglePanelRollout();
            break;
        case 2001:
            toggle(&gOptions.latLonGrid, id);
            gRedraw = 1;
            break;
        case 2002:
            toggle(&gOptions.showDayNight, id);
            rebuildTexture(true);
            break;
        case 2003:
            openOptionsDialog();
            gUiMode = kUiDialog;
            break;
        case 2004:
            geo::clearSnapPoint();
            toggle(&gOptions.computeDistance, id);
            if (gOptions.computeDistance) geo::clearDistancePoints();
            gRedraw = 1;
            break;
        case 2005:
            toggle(&gOptions.panRotate, id);
            break;
        case 2006:
            switchView();
            panelSetChecked(id, !gView.planar);
            break;
        case 2007:
            toggle(&gOptions.showSelectedCities, id);
            gRedraw = 1;
            break;
        case 2008:
            toggle(&gZoomSelection, id);
            break;
        case 2009:
            toggle(&gFindCityOpen, id);
            if (gFindCityOpen)
                openFindCity();
            else
                closeFindCity();
            break;
        case 2010:
            showAbout();
            break;
        case 2011:
            platform::postMessage(platform::WM_HELP);
            break;
        case 2012:
            openExitConfirm(exitHandler);
            break;
        case kCmdAboutDone:
            gUiMode = kUiNormal;
            gRedraw = 1;
            gAboutFade = 0;
            break;
        default:
            return false;
    }
    platform::invalidate();
    return true;
}

bool zoomKey(int vk) {
    switch (vk) {
        case platform::VK_RETURN:
            zoomView(ZoomKey::Reset);
            break;
        case platform::VK_UP:
            zoomView(ZoomKey::StepIn);
            break;
        case platform::VK_RIGHT:
            zoomView(ZoomKey::NudgeIn);
            break;
        case platform::VK_DOWN:
            zoomView(ZoomKey::StepOut);
            break;
        case platform::VK_LEFT:
            zoomView(ZoomKey::NudgeOut);
            break;
        case platform::VK_F1:  // the desktop's help key
            platform::postMessage(platform::WM_HELP);
            break;
        default:
            return false;
    }
    return true;
}

void timerTick() {
    const int32_t intervalTicks = gOptions.shadowUpdateInterval * 60000 / 50;
    // A new interval (set in the options dialog) counts from now, not from the old one.
    if (gShadowTicks < 0 || intervalTicks != gShadowIntervalTicks) gShadowTicks = intervalTicks;
    gShadowIntervalTicks = intervalTicks;
    if (gOptions.cityTime && --gClockTicks <= 0) {
        gClockTicks = kClockRefreshTicks;
        gRedraw = 1;
    }
    if (gOptions.showDayNight && gOptions.autoShadowUpdate && --gShadowTicks < 1) {
        gShadowTicks = intervalTicks;
        rebuildTexture(true);
        gRedraw = 1;
    }
    if (gOptions.rotateGlobe) {
        gView.lonAngle -= 65536 / (3250 - 32 * gOptions.rotationSpeed);
        if (gView.lonAngle < 0) gView.lonAngle += 65536;
        gRedraw = 1;
    }
    // A step a tick, not a frame: frames come as fast as the machine draws them.
    edgeScrollStep();
    if (gRedraw) platform::invalidate();
}

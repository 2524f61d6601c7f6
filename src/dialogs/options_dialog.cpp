// The options dialog's frame and its share of the window's messages. It keeps its own
// capture and focus pointers, apart from the toolkit's (which the normal view and the Find
// City dialog use), and shares the one on-screen keyboard. What the pages hold and how they
// are written back is options_pages.h's and options_cities.h's.
#include "dialogs/options_dialog.h"

#include <string>

#include "base/options.h"
#include "base/redraw.h"
#include "dialogs/find_city.h"
#include "dialogs/options_cities.h"
#include "dialogs/options_pages.h"
#include "platform/loop.h"
#include "platform/messages.h"
#include "raster/back_buffer.h"
#include "raster/draw.h"
#include "raster/text_log.h"
#include "routefiles/route_file.h"
#include "routefiles/route_set.h"
#include "texture/map_set.h"
#include "toolkit/button.h"
#include "toolkit/combo_box.h"
#include "toolkit/message_box.h"
#include "toolkit/modal.h"
#include "toolkit/routing.h"
#include "toolkit/static_controls.h"
#include "toolkit/tab_strip.h"

using namespace platform;

namespace {

constexpr uint16_t kFace = 0x4208, kTitleBand = 0x820C, kTitleLine = 0xFFE0;
constexpr int kTitleBandHeight = 18;  // pixels

Label gTitle;
Button gOk, gCancel;
TabStrip gTabs;
PtrList gRoot;               // the title, "OK", "Cancel" and the tab strip, in drawing order
Widget* gCapture = nullptr;  // the widget holding the current stroke
Widget* gFocus = nullptr;    // the widget that took the last stroke; it gets the keys
int32_t gLastPage = kPageGeneral;
bool gOpen = false;
bool gFindCityHadFocus = false;  // Find City's field gets the keys back on closing

void setKeyboardShown(bool shown) {
    gKeyboardVisible = shown && gSoftKeyboard;
    if (!gSoftKeyboard) return;
    if (shown)
        gSoftKeyboard->Show(kKeyboardTop);
    else
        gSoftKeyboard->Hide();
}

// The widgets keep their places; only their contents go. The tab strip deletes its pages.
void close() {
    if (gTabs.currentPageId() != 0) gLastPage = gTabs.currentPageId();
    if (gFocus) gFocus->SetFocus(false);
    gFocus = gCapture = nullptr;
    for (PtrNode* n = gRoot.head(); n; n = n->next) static_cast<Widget*>(n->data)->Reset();
    gRoot.removeAll();
    emptyCityLists();
    setKeyboardShown(false);
    if (gFindCityHadFocus) focusFindCity();
    gOpen = false;
    gRedraw = 1;
}

void accept() {
    Options next = gOptions;
    storeOptionPages(&next);
    const bool rebuild = textureOptionsChanged(gOptions, next);
    gOptions = next;
    const std::string* route = chosenRouteFile();
    std::string reason;
    if (route && *route != routes::gRouteSet.fileName && !routes::loadRouteFile(*route, &reason))
        ShowMessage(("Incorrect file format\n" + reason).c_str(), "Error", 0, nullptr);
    storeCitySelection();
    close();
    if (rebuild) rebuildTexture(true);
}

void paint() {
    gRedraw = 0;  // while the dialog is open the flag asks for the dialog's next frame
    clearTextLog();
    fillRect(0, kTitleBandHeight - 1, gDisplay.width, gDisplay.height - kTitleBandHeight + 1,
             kFace);
    fillRect(0, 0, gDisplay.width, kTitleBandHeight, kTitleBand);
    drawLine(0, kTitleBandHeight, gDisplay.width - 1, kTitleBandHeight, kTitleLine, 0);
    // The focused widget last, so that an open drop-down list lies over everything.
    for (PtrNode* n = gRoot.head(); n; n = n->next)
        if (n->data != gFocus) static_cast<Widget*>(n->data)->Draw();
    if (gFocus) gFocus->Draw();
    if (gKeyboardVisible) gSoftKeyboard->Draw();
    present(-1);
}

void stylusDown(Point p) {
    const WidgetInput down{WidgetInput::kDown, p};
    Widget* capture = nullptr;
    gCapture = nullptr;
    if (gKeyboardVisible && dispatchInput(gSoftKeyboard, down, &capture)) {
        gCapture = capture;
        return;
    }
    // The old focus loses its focused look (a drop-down closes) but keeps the keys until
    // another widget takes a stroke.
    if (gFocus) gFocus->SetFocus(false);
    for (PtrNode* n = gRoot.head(); n; n = n->next) {
        if (!dispatchInput(static_cast<Widget*>(n->data), down, &capture)) continue;
        if (!capture) break;
        gCapture = gFocus = capture;
        gFocus->SetFocus(true);
        setKeyboardShown(gFocus->WantsKeyboard());
        return;
    }
    setKeyboardShown(false);
}

// Enter is OK and Escape Cancel, as in every dialog of the program. A text field hears
// Enter as its character instead, and its page answers OK on it; Escape first closes an open
// drop-down list, as a tap outside it would.
void keyDown(int vk) {
    auto* dropDown = dynamic_cast<ComboBox*>(gFocus);
    if (vk == VK_ESCAPE && dropDown && dropDown->isOpen()) {
        dropDown->closeList();
    } else if (vk == VK_ESCAPE) {
        close();
    } else if (vk == VK_RETURN && !(gFocus && gFocus->WantsKeyboard())) {
        accept();
    } else {
        dispatchInput(gFocus, {WidgetInput::kKey, {}, vk, 2});
    }
}

// The wheel scrolls the list under the pointer: the focused one (an open drop-down) first.
void wheel(Point p, int notches) {
    const WidgetInput in{WidgetInput::kWheel, p, notches};
    if (dispatchInput(gFocus, in) || !gTabs.currentPage()) return;
    for (PtrNode* n = gTabs.currentPage()->children.head(); n; n = n->next)
        if (dispatchInput(static_cast<Widget*>(n->data), in)) return;
}

// False for the commands the window keeps: Ctrl+Q quits from here too.
bool command(int id) {
    if (id == CMD_ACCEL_CTRL_Q) return false;
    if (id == kAnswerOk)
        accept();
    else if (id == kAnswerCancel)
        close();
    else if (id == CMD_ACCEL_CTRL_A)
        dispatchInput(gFocus, {WidgetInput::kKey, {}, 1, 1});  // the character Ctrl+A types
    else
        cityListCommand(id);  // the panel's commands wait until the dialog has closed
    return true;
}

}  // namespace

void openOptionsDialog() {
    if (gOpen) return;
    // The normal view's focus (a field of the Find City dialog) gives up the keys.
    gFindCityHadFocus = gFocusWidget != nullptr;
    if (gFocusWidget) gFocusWidget->SetFocus(false);
    gFocusWidget = gCaptureWidget = nullptr;
    gTitle.setup(100, 4, u"OPTIONS", -1, false);
    gOk.setup(140, 299, 45, 16, u"OK", kAnswerOk, true);
    gCancel.setup(190, 299, 45, 16, u"Cancel", kAnswerCancel, true);
    gTabs.setup(4, 30, 232, 260);
    for (Widget* w : {static_cast<Widget*>(&gTitle), static_cast<Widget*>(&gOk),
                      static_cast<Widget*>(&gCancel), static_cast<Widget*>(&gTabs)})
        gRoot.addTail(w);
    addOptionPages(&gTabs);
    gTabs.selectPage(gLastPage);
    gCapture = gFocus = nullptr;
    setKeyboardShown(false);
    gOpen = true;
}

bool optionsDialogOpen() {
    return gOpen;
}

bool optionsDialogMessage(uint32_t msg, intptr_t wParam, intptr_t lParam) {
    const Point p{pointX(lParam), pointY(lParam)};
    switch (msg) {
        case WM_PAINT:
            validate();
            paint();
            return true;
        case WM_TIMER:
            // Nothing moves on the globe; only the dialog's own timing (a held scroll arrow,
            // a list scrolling past its edge) asks for frames.
            if (gRedraw) invalidate();
            return true;
        case WM_LBUTTONDOWN:
            stylusDown(p);
            break;
        case WM_MOUSEMOVE:
            if (!gCapture) return true;
            dispatchInput(gCapture, {WidgetInput::kMove, p});
            break;
        case WM_LBUTTONUP: {
            Widget* captured = gCapture;
            gCapture = nullptr;
            dispatchInput(captured, {WidgetInput::kUp, p});
            break;
        }
        case WM_KEYDOWN:
            keyDown(static_cast<int>(wParam));
            break;
        case WM_CHAR:
            if (wParam != VK_ESCAPE) dispatchInput(gFocus, {WidgetInput::kKey, {}, int(wParam), 1});
            break;
        case MSG_SOFT_KEY:
            dispatchInput(gFocus, {WidgetInput::kKey, {}, int(wParam), int(lParam)});
            break;
        case WM_MOUSEWHEEL:
            wheel(p, static_cast<int>(wParam));
            break;
        case WM_COMMAND:
            if (!command(static_cast<int>(wParam & 0xFFFF))) return false;
            break;
        default:
            return false;
    }
    invalidate();
    return true;
}

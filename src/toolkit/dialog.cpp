// The dialog frame: its drawing, the title-bar drag, the close box, and the children it
// offers strokes, keys and wheel notches to.
#include "toolkit/dialog.h"

#include <algorithm>
#include <string>

#include "platform/loop.h"
#include "raster/back_buffer.h"
#include "raster/draw.h"
#include "raster/font.h"
#include "toolkit/modal.h"
#include "toolkit/routing.h"
#include "toolkit/sprites.h"

namespace {

constexpr uint16_t kBody = 0x630C, kEdge = 0xB5B6, kTitleText = 0xFFFF;
constexpr uint16_t kCloseBoxTint = 0xD6BA, kCloseBoxPressed = 0x0000;
constexpr int kCloseBoxWidth = 17;  // pixels from the right edge that hit the close box

}  // namespace

void Dialog::setup(int x0, int y0, int w, int h, uint32_t styleBits, const char16_t* text) {
    Reset();
    x = x0, y = y0, width = w, height = h;
    style = styleBits;
    const uint32_t bar = style & 3;
    titleBarHeight = bar == 1 ? 8 : bar == 2 ? 18 : 0;
    setTitle(text);
    if (style & kCloseBox) style |= kTitleBar;
}

void Dialog::setTitle(const char16_t* text) {
    title = text;
    titleMaxChars = std::max(0, (width - 12) / kGlyphWidth);
    const int length = text ? static_cast<int>(std::char_traits<char16_t>::length(text)) : 0;
    titleX = length > titleMaxChars ? 6 : ((titleMaxChars - length) / 2 + 1) * kGlyphWidth;
}

void Dialog::Reset() {
    activeChild = nullptr;
    dragX = dragY = -1;
    closeBoxState = 0;
    style = kTitleBar;
    titleBarHeight = 18;
    title = nullptr;
    for (PtrNode* n = children_.head(); n; n = n->next) static_cast<Widget*>(n->data)->Reset();
}

void Dialog::addChild(Widget* child) {
    children_.addTail(child);
}

void Dialog::Draw() {
    if (!visible()) return;
    fillRect(x, y, width, height, kBody);
    if (titleBarHeight > 0) {  // without a bar its bottom line would lie above the dialog
        fillRect(x, y, width, titleBarHeight, titleBarColour);
        drawLine(x, y + titleBarHeight - 1, x + width - 1, y + titleBarHeight - 1, kEdge, 0);
    }
    outlineRect(x, y, width, height, kEdge);
    if (title && (style & kTitleBar))
        drawTextPart(x + titleX, y + (titleBarHeight - kGlyphHeight) / 2, title, 0, titleMaxChars,
                     kTitleText);
    if (style & kCloseBox)
        drawSprite(sprite::kCloseBox, x + width - 13, y + 4, SpriteCopy::kTinted,
                   closeBoxState & 2 ? kCloseBoxPressed : kCloseBoxTint);
    for (PtrNode* n = children_.head(); n; n = n->next) static_cast<Widget*>(n->data)->Draw();
}

bool Dialog::inCloseBox(Point p) const {
    const int ox = p.x - x, oy = p.y - y;
    return ox >= width - kCloseBoxWidth && ox < width && oy >= 0 && oy < titleBarHeight;
}

int Dialog::StylusDown(Point p, Widget** capture) {
    for (PtrNode* n = children_.head(); n; n = n->next) {
        Widget* taken = nullptr;
        if (!dispatchInput(static_cast<Widget*>(n->data), {WidgetInput::kDown, p}, &taken))
            continue;
        if (forwardsStrokes) {
            activeChild = taken;
            *capture = this;
        } else {
            *capture = taken;
        }
        return 1;
    }
    return frameDown(p, capture);
}

int Dialog::frameDown(Point p, Widget** capture) {
    dragX = dragY = -1;
    const int ox = p.x - x, oy = p.y - y;
    if (ox < 0 || ox >= width || oy < 0 || oy >= height) return 0;
    if (oy < titleBarHeight) {
        if ((style & kCloseBox) && ox >= width - kCloseBoxWidth)
            closeBoxState = 3;
        else
            dragX = ox, dragY = oy;
    }
    *capture = this;
    return 1;
}

int Dialog::StylusMove(Point p) {
    if (activeChild && activeChild != this)
        return dispatchInput(activeChild, {WidgetInput::kMove, p});
    return frameMove(p);
}

int Dialog::frameMove(Point p) {
    if (closeBoxState & 1) {
        closeBoxState = inCloseBox(p) ? 3 : 1;
        return 1;
    }
    if (dragX < 0) return 0;
    x = std::clamp(p.x - dragX, 0, std::max(0, gDisplay.width - width));
    y = std::clamp(p.y - dragY, 0, std::max(0, gDisplay.height - height));
    Layout();
    return 2;
}

int Dialog::StylusUp(Point p) {
    Widget* child = activeChild;
    activeChild = nullptr;
    if (child && child != this && dispatchInput(child, {WidgetInput::kUp, p}) &&
        child->identifier != -1)
        answer(child);
    dragX = dragY = -1;
    const bool close = (closeBoxState & 1) && handler && inCloseBox(p);
    closeBoxState = 0;
    if (close) handler(nullptr, 0);  // the last thing done: the handler may end the dialog
    return 0;
}

void Dialog::answer(const Widget* child) const {
    platform::postMessage(MSG_DIALOG_DONE, child->identifier, reinterpret_cast<intptr_t>(handler));
}

Widget* Dialog::button(int id, bool last) const {
    Widget* found = nullptr;
    for (PtrNode* n = children_.head(); n; n = n->next) {
        Widget* w = static_cast<Widget*>(n->data);
        if (w->identifier == -1 || (id != -1 && w->identifier != id)) continue;
        if (!w->visible() || !w->enabled()) continue;
        found = w;
        if (!last) break;
    }
    return found;
}

void Dialog::OnKey(int code, int kind) {
    if (kind != 2) return;
    if (code == platform::VK_RETURN) {
        if (const Widget* first = button(-1, false)) answer(first);
    } else if (code == platform::VK_ESCAPE) {
        if (const Widget* cancel = button(kAnswerCancel, false))
            answer(cancel);
        else if ((style & kCloseBox) && handler)
            handler(nullptr, 0);
        else if (const Widget* only = button(-1, true))
            answer(only);
    }
}

int Dialog::Wheel(Point p, int notches) {
    if (p.x < x || p.x >= x + width || p.y < y || p.y >= y + height) return 0;
    for (PtrNode* n = children_.head(); n; n = n->next)
        if (int taken =
                dispatchInput(static_cast<Widget*>(n->data), {WidgetInput::kWheel, p, notches}))
            return taken;
    return 1;
}

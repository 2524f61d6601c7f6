// The message box's layout round its text, and ShowMessage.
#include "toolkit/message_box.h"

#include <new>

#include "raster/back_buffer.h"
#include "toolkit/modal.h"

namespace {

constexpr int kButtonWidth = 45, kButtonHeight = 16, kMargin = 8, kTitleBarHeight = 18;
constexpr int kButtonRow = 24;  // pixels the buttons add below the text
constexpr int kPairWidth = 95;  // two buttons 5 pixels apart

std::u16string widen(const char* s) {
    std::u16string out;
    for (; s && *s; ++s) out += static_cast<char16_t>(static_cast<unsigned char>(*s));
    return out;
}

}  // namespace

MessageBox::MessageBox() {
    addChild(&text);
    addChild(&first);
    addChild(&second);
}

void MessageBox::setup(const char* body, const char* titleText, int boxKind) {
    Dialog::setup(0, 0, 0, 0, kTitleBar, nullptr);
    kind = boxKind == 1 || boxKind == 2 ? boxKind : 0;
    message_ = widen(body);
    title_ = widen(titleText && *titleText ? titleText : "ERROR");
    text.setup(message_.c_str(), gDisplay.width / 2, gDisplay.height / 2, gDisplay.width - 50,
               gDisplay.height - 50, true, true);
    // A text narrower than the button row widens the box, so that its buttons lie inside.
    const int row = kind == 0 ? kButtonWidth : kPairWidth;
    if (text.width < row) {
        text.x -= (row - text.width) / 2;
        text.width = row;
    }
    x = text.x - kMargin;
    y = text.y - kMargin - kTitleBarHeight;
    width = text.width + 2 * kMargin;
    height = text.height + kTitleBarHeight + 2 * kMargin;
    setTitle(title_.c_str());
    height += kButtonRow;
    static const char16_t* const kLabels[3][2] = {
        {u"OK", nullptr}, {u"OK", u"Cancel"}, {u"Yes", u"No"}};
    first.setup(0, 0, kButtonWidth, kButtonHeight, kLabels[kind][0], kAnswerOk, false);
    second.setup(0, 0, kButtonWidth, kButtonHeight, kLabels[kind][1], kAnswerCancel, false);
    first.identifier = kAnswerOk;
    second.identifier = kAnswerCancel;
    second.flags = kind == 0 ? second.flags & ~kVisible : second.flags | kVisible;
    Layout();
}

void MessageBox::Layout() {
    const int top = y + height - 20;
    if (kind == 0) {
        first.MoveTo(x + (width - kButtonWidth) / 2, top);
    } else {
        first.MoveTo(x + (width - kPairWidth) / 2, top);
        second.MoveTo(x + (width - kPairWidth) / 2 + 50, top);
    }
    text.MoveTo(x + kMargin, y + kTitleBarHeight + kMargin);
}

void ShowMessage(const char* text, const char* title, int kind, WidgetHandler handler) {
    closeModalDialog();
    auto* box = new (std::nothrow) MessageBox;
    if (!box) return;  // no memory: no dialog, the program goes on
    gModalDialog = box;
    box->setup(text, title, kind);
    box->handler = handler;
}

MessageBox* openMessageBox() {
    return dynamic_cast<MessageBox*>(gModalDialog);
}

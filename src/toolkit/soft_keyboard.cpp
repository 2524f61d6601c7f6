// The keyboard's drawing and taps. Keys are told apart by their code and kind only; which
// key a label names is the layout picture's business.
#include "toolkit/soft_keyboard.h"

#include "platform/loop.h"
#include "raster/back_buffer.h"
#include "raster/draw.h"
#include "toolkit/sprites.h"

namespace {

using keyboard_layout::Key;

constexpr uint16_t kBackground = 0x001F, kInk = 0xFFE0;  // blue face, yellow ink
constexpr int kEnter = 13;

bool isEnter(const Key& k) {
    return k.kind == keyboard_layout::kCharacter && k.code == kEnter;
}

// What a character key sends with Ctrl held: letters become their control codes (a = 1).
int withControl(int code) {
    if (code >= 'A' && code <= 'Z') code += 'a' - 'A';
    return code >= 'a' && code <= 'z' ? code - 'a' + 1 : code;
}

}  // namespace

void SoftKeyboard::Reset() {
    mode_ = 0;
    picture_.reset();
    table_ = &keyboard_layout::tableForMode(0);
    pressed_ = under_ = -1;
}

void SoftKeyboard::Show(int top) {
    Reset();
    if (top + kHeight > gDisplay.height) top = gDisplay.height - kHeight - 1;
    top_ = top < 0 ? 0 : top;
    loadLayout();
}

void SoftKeyboard::Hide() {
    Reset();
    top_ = -1;
}

void SoftKeyboard::loadLayout() {
    const keyboard_layout::KeyTable* next = &keyboard_layout::tableForMode(mode_);
    if (picture_ && next == table_) return;
    table_ = next;
    picture_ = std::make_unique<ImageBuffer>(table_->pictureId);
    if (!picture_->load(nullptr, true)) picture_.reset();  // drawn without its labels
}

bool SoftKeyboard::inside(Point p) const {
    return top_ >= 0 && p.x >= 0 && p.x < kWidth && p.y >= top_ && p.y < top_ + kHeight;
}

int SoftKeyboard::keyAt(Point p) const {
    return inside(p) ? keyboard_layout::keyAt(*table_, p.x, p.y - top_) : -1;
}

bool SoftKeyboard::highlighted(int index) const {
    const Key& k = table_->keys[index];
    // Modifiers that are on (the further toggle shows nothing).
    if (k.kind == keyboard_layout::kModifier)
        if (-k.code != keyboard_layout::kExtra && (mode_ & -k.code)) return true;
    if (pressed_ < 0 || pressed_ != under_) return false;
    // The pressed key, and the other half of a two-part Enter key.
    return index == pressed_ || (isEnter(k) && isEnter(table_->keys[pressed_]));
}

void SoftKeyboard::highlight(int index) const {
    const Key& k = table_->keys[index];
    fillRect(k.x, top_ + k.y, k.width, k.height, kInk);
    if (picture_)
        drawPicturePart(*picture_, k.x, k.y, k.width, k.height, k.x, top_ + k.y,
                        SpriteCopy::kTinted, kBackground);
}

void SoftKeyboard::Draw() {
    if (!visible() || top_ < 0) return;
    fillRect(0, top_, kWidth, kHeight, kBackground);
    if (picture_)
        drawPicturePart(*picture_, 0, 0, kWidth, kHeight, 0, top_, SpriteCopy::kTinted, kInk);
    for (int i = 0; i < table_->count; ++i)
        if (highlighted(i)) highlight(i);
}

int SoftKeyboard::StylusDown(Point p, Widget** capture) {
    if (!inside(p)) return 0;
    pressed_ = under_ = keyAt(p);
    *capture = this;
    return 1;
}

int SoftKeyboard::StylusMove(Point p) {
    const int before = under_;
    under_ = keyAt(p);
    if (!inside(p)) return 0;
    return under_ != before ? 2 : 1;
}

int SoftKeyboard::StylusUp(Point p) {
    const int key = pressed_;
    pressed_ = under_ = -1;
    if (key < 0 || keyAt(p) != key) return 0;
    const Key& k = table_->keys[key];
    if (k.code >= 0) {
        int code = k.code;
        if ((mode_ & keyboard_layout::kControl) && k.kind == keyboard_layout::kCharacter)
            code = withControl(code);
        platform::postMessage(MSG_SOFT_KEY, code, k.kind);
        mode_ &= ~(keyboard_layout::kShift | keyboard_layout::kControl);  // caps lock stays
    } else {
        mode_ ^= -k.code;
    }
    loadLayout();
    return 0;
}

// EditField: a one-line text box 14 pixels high. It draws its EditText record (text,
// selection, a blinking caret while focused), turns taps and drags into caret columns and
// hands keys to the record. Its handler hears 0 after every change of the text and
// kFieldEnter when Enter is typed; it asks for the soft keyboard while focused.
#pragma once

#include <cstdint>

#include "toolkit/edit_text.h"
#include "toolkit/widget.h"

constexpr int kFieldChanged = 0;
constexpr int kFieldEnter = 13;

class EditField : public Widget {
  public:
    static constexpr int kHeight = 14;

    // Places the field (width at least 18, moved back onto the screen when it would leave
    // it) and empties it; it takes up to `maxLength` characters.
    void setup(int x, int y, int width, int maxLength);
    // Replaces the text (cut to the maximum length) and tells the handler.
    void setText(const char16_t* text);
    const char16_t* text() const { return edit_.text(); }
    const EditText& edit() const { return edit_; }

    void Reset() override;
    void Draw() override;
    int StylusDown(Point p, Widget** capture) override;
    int StylusMove(Point p) override;
    int StylusUp(Point p) override;
    // Losing the focus ends the selection.
    void SetFocus(bool on) override;
    void OnKey(int code, int kind) override;
    bool WantsKeyboard() override { return true; }
    void MoveTo(int x, int y) override;

  private:
    // The visible column under `p`; columns() + 1 right of the field.
    int columnAt(Point p) const;
    void notify(int code);
    void showCaret();

    int32_t x_ = -1, y_ = -1, width_ = -1, height_ = kHeight;  // pixels
    EditText edit_;
    bool caretVisible_ = false;
    uint32_t blinkTick_ = 0;  // tick count at the last blink
};

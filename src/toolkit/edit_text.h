// EditText: what an edit field holds, without pixels: the text (up to a maximum length),
// the caret, the first visible character and the selection, all in characters, with the
// operations keys and taps perform on them. The edit field draws it and feeds it; tests
// drive it directly.
#pragma once

#include <cstdint>
#include <string>

class EditText {
  public:
    // What a key did, for the field to tell its owner.
    enum Result { kUnchanged, kChanged, kEnter };

    // Empties the text, which may then hold up to `maxLength` characters, `columns` of them
    // visible at once (at least 1).
    void setup(int maxLength, int columns);
    // Replaces the text by at most the maximum length of `text`; caret and scroll at the
    // start, no selection.
    void setText(const char16_t* text);

    const char16_t* text() const { return text_.c_str(); }
    int length() const { return int(text_.size()); }
    int maxLength() const { return maxLength_; }
    int columns() const { return columns_; }
    // The caret's index in the text, and its column in the visible window.
    int caret() const { return scroll_ + column_; }
    int column() const { return column_; }
    // Index of the first visible character.
    int scroll() const { return scroll_; }
    // Where the selection began (index), −1 when none; it runs to the caret.
    int anchor() const { return anchor_; }
    bool hasSelection() const { return anchor_ >= 0 && anchor_ != caret(); }

    // Types `c` at the caret; false (nothing changes) when the text is full.
    bool insert(char16_t c);
    // Removes the selected characters; the caret goes to where the selection started.
    bool deleteSelection();
    // The character after, or before, the caret; false when there is none.
    bool deleteForward();
    bool deleteBackward();
    void moveLeft();
    void moveRight();
    void home();
    void end();
    void selectAll();
    void clearSelection() { anchor_ = -1; }

    // The stylus pressed on visible column `column` at tick `now` (ms): places the caret
    // there (column 0 or left of it brings back half a field of hidden text) and starts a
    // selection; a second press on the same column within 750 ms selects everything.
    void tap(int column, uint32_t now);
    // The stylus dragged to `column`: the caret follows and the selection runs from the
    // press to it; at or left of column 0, or right of the last column, the text scrolls
    // by half a field.
    void drag(int column);

    // A key: `kind` 1 a character code, 2 a virtual-key code. Characters below 32 other than
    // the control codes it knows are not typed; Enter (13) is reported instead. A virtual
    // key the field does not act on leaves everything, the selection too, as it was.
    Result key(int code, int kind);

  private:
    int half() const { return columns_ / 2 > 0 ? columns_ / 2 : 1; }
    // Caret at index `index`, scrolled as little as needed to show it.
    void placeCaret(int index);
    // Brings back half a field of hidden text before the first visible character; the caret
    // stays where it is in the text.
    void scrollBack();

    std::u16string text_;
    int maxLength_ = 0, columns_ = 1;
    int scroll_ = 0, column_ = 0, anchor_ = -1;
    bool tapped_ = false;   // a tap at lastTap_ may still become a double tap
    uint32_t lastTap_ = 0;  // tick count (ms)
};

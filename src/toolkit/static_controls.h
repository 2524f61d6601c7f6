// The controls that only show something: Label (one line of text), TextBlock (a text broken
// into lines for a box) and GroupBox (a titled frame around other controls). None of them
// takes the stylus.
#pragma once

#include <cstdint>
#include <string>

#include "base/ptr_list.h"
#include "toolkit/widget.h"

class Label : public Widget {
  public:
    // Reset, then (x, y) and the text; with `copy` the text is copied and owned, else
    // borrowed. A width below 0 is the text's own (6 pixels a character).
    void setup(int x, int y, const char16_t* text, int width, bool copy);
    // No text.
    void Reset() override;
    // The text at (x, y) in its colour, at most maxChars characters.
    void Draw() override;
    void MoveTo(int x0, int y0) override { x = x0, y = y0; }

    int32_t x = -1, y = -1, width = -1;  // pixels
    int32_t maxChars = 0;
    const char16_t* text = nullptr;
    bool ownsText = false;
    uint16_t colour = 0xFFFF;

  private:
    std::u16string copy_;  // the text when owned
};

class TextBlock : public Widget {
  public:
    ~TextBlock() override { Reset(); }
    // Reset, then breaks `text` into lines of (maxWidth, capped at the screen width) / 6
    // characters. With `shrink` the box narrows to its lines (the text's own width when it
    // is one line) and its height to 10 pixels a line, at most maxHeight; with `centre`,
    // (x, y) is the middle of the box (its left edge kept on the screen).
    void setup(const char16_t* text, int x, int y, int maxWidth, int maxHeight, bool shrink,
               bool centre);
    // Deletes the lines.
    void Reset() override;
    // The lines 10 pixels apart, as many as the box and the screen hold; nothing while y is
    // negative.
    void Draw() override;
    void MoveTo(int x0, int y0) override { x = x0, y = y0; }

    int32_t x = -1, y = -1, width = -1, height = -1;  // pixels
    PtrList lines;                                    // owned std::u16string each
    uint16_t colour = 0xFFFF;
};

class GroupBox : public Widget {
  public:
    // Reset, then the rectangle (pixels) and the title (borrowed, may be null).
    void setup(int x, int y, int width, int height, const char16_t* title);
    // A grey frame whose top edge breaks for the title, centred; nothing below 7 pixels high.
    void Draw() override;

    int32_t x = -1, y = -1, width = -1, height = -1;  // pixels
    const char16_t* title = nullptr;
};

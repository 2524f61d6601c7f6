// ColorSwatch and ColorPicker: a labelled box showing one colour, and the 18 × 12 palette of
// the 216 colours of the 6 × 6 × 6 cube that recolours the swatch last tapped. The picker
// holds its swatches (borrowed); it does not know what the colours stand for: the owner
// reads each swatch's colour.
#pragma once

#include <cstdint>

#include "base/ptr_list.h"
#include "toolkit/widget.h"

class ColorSwatch : public Widget {
  public:
    // Reset, then the swatch box (pixels), the label's place and the label (borrowed).
    // The colour is the owner's to set and read.
    void setup(int x, int y, int width, int height, int labelX, int labelY, const char16_t* label);
    // The label in white; the box white when selected, else black, with the colour inside
    // it inset 2 pixels when selected, else 1.
    void Draw() override;
    // 1 for a point in the box, without holding the stroke; else 0.
    int StylusDown(Point p, Widget** capture) override;

    const char16_t* label = nullptr;  // borrowed
    uint16_t colour = 0;              // RGB565
    int32_t labelX = -1, labelY = -1;
    int32_t x = -1, y = -1, width = -1, height = -1;  // pixels
    bool selected = false;
};

class ColorPicker : public Widget {
  public:
    static constexpr int kColumns = 18, kRows = 12;
    static constexpr int kCellSize = 8, kCellPitch = 9;  // pixels
    static constexpr int kWidth = 163, kHeight = 109;    // pixels: the palette's black box

    // The colour of the cell in `column` (0–17) and `row` (0–11), RGB565.
    static uint16_t cellColour(int column, int row);

    // Reset, then the palette's corner (pixels), moved left or up as far as needed to keep
    // the palette on the screen.
    void setup(int x, int y);
    // Appends a swatch (borrowed); false (nothing added) when memory runs out.
    bool addSwatch(ColorSwatch* swatch);
    ColorSwatch* currentSwatch() const { return current_; }

    // Forgets the swatches (not deleted), the mark and the current swatch.
    void Reset() override;
    // The swatches, the palette, and the white 9 × 9 mark on the cell under the stylus.
    void Draw() override;
    // A tap on a swatch selects it (the one before is deselected) and makes it the current
    // swatch. A press on the palette marks its cell, gives the current swatch that cell's
    // colour and holds the stroke. The handler hears handler(picker, 0) whenever the current
    // swatch or its colour changes. 1 for either, else 0.
    int StylusDown(Point p, Widget** capture) override;
    // Over the palette: the mark follows in 9-pixel steps and the current swatch takes the
    // marked colour at once (1). Off the palette: nothing (0).
    int StylusMove(Point p) override;
    // Clears the mark; 0.
    int StylusUp(Point p) override;

    PtrList swatches{10};                                            // borrowed ColorSwatch each
    int32_t x = -1, y = -1;                                          // pixels: the palette's corner
    int32_t width = kWidth, height = kHeight, cellSize = kCellSize;  // pixels
    int32_t markX = -1, markY = -1;  // pixels: the marked cell's corner; −1 when none

  private:
    void notify();
    ColorSwatch* current_ = nullptr;
};

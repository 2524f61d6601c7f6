// The choice controls: CheckBox (one option on or off) and RadioGroup (one value of several).
// A tap changes the choice and calls the handler with code 0; neither keeps the stroke.
#pragma once

#include <cstdint>

#include "base/ptr_list.h"
#include "toolkit/widget.h"

class CheckBox : public Widget {
  public:
    // Reset, then the box's corner (pixels) and the label (borrowed), drawn 16 pixels right.
    void setup(int x, int y, const char16_t* label);
    // The box cell (the disabled ones while disabled) and the label in white.
    void Draw() override;
    // A tap on the box or its label toggles `checked` and calls handler(box, 0).
    int StylusDown(Point p, Widget** capture) override;

    int32_t x = -1, y = -1;           // pixels
    const char16_t* label = nullptr;  // borrowed
    bool checked = false;
};

class RadioGroup : public Widget {
  public:
    struct Item {
        int32_t x, y;  // pixels
        bool selected;
        const char16_t* label;  // borrowed
        int32_t value;
    };

    ~RadioGroup() override { Reset(); }
    // Reset, then the caption's place (pixels) and the caption (borrowed, may be null).
    void setup(int x, int y, const char16_t* caption);
    // Appends an item; false (the group unchanged) when memory runs out.
    bool addItem(int x, int y, bool selected, const char16_t* label, int32_t value);
    // Selects every item with `value` and clears the others.
    void select(int32_t value);
    // The value of the first selected item, −1 when none is.
    int32_t selectedValue() const;
    // Deletes every item.
    void Reset() override;
    // The caption, then each item's cell and label.
    void Draw() override;
    // A tap on an item (its cell and label) selects it and calls handler(group, 0).
    int StylusDown(Point p, Widget** capture) override;

    int32_t x = -1, y = -1;             // pixels
    const char16_t* caption = nullptr;  // borrowed
    PtrList items;                      // owned Item each
};

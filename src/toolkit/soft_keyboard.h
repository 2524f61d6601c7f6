// SoftKeyboard: the on-screen keyboard, 240 × 81 pixels, in three layouts (symbols, lower
// and upper case) whose key tables both hit-test the stylus and drew the layout pictures.
// A tap on a key posts MSG_SOFT_KEY with its code and kind for the focus widget; the
// modifiers switch layouts and apply Shift and Ctrl to the next key only.
#pragma once

#include <memory>

#include "base/keyboard_layout.h"
#include "raster/image_buffer.h"
#include "toolkit/modal.h"

class SoftKeyboard : public OnScreenKeyboard {
  public:
    static constexpr int kWidth = 240, kHeight = 81;

    // Shows the keyboard with its top edge at `top` (moved up onto the screen), in the
    // lower-case layout with no modifier on.
    void Show(int top) override;
    // Lets go of the layout picture.
    void Hide() override;

    int top() const { return top_; }
    int mode() const { return mode_; }  // keyboard_layout's mode bits
    const keyboard_layout::KeyTable& table() const { return *table_; }

    void Reset() override;
    void Draw() override;
    int StylusDown(Point p, Widget** capture) override;
    int StylusMove(Point p) override;
    int StylusUp(Point p) override;

  private:
    // Picks the table and picture the mode bits call for.
    void loadLayout();
    // The key under screen point `p`, −1 on a gap or off the keyboard.
    int keyAt(Point p) const;
    bool inside(Point p) const;
    // The key drawn inverted: yellow face, blue ink.
    void highlight(int index) const;
    bool highlighted(int index) const;

    int top_ = -1;  // y pixels, −1 while hidden
    const keyboard_layout::KeyTable* table_ = &keyboard_layout::tableForMode(0);
    std::unique_ptr<ImageBuffer> picture_;  // null while hidden or when it cannot be loaded
    int mode_ = 0;
    int pressed_ = -1, under_ = -1;  // key indices
};

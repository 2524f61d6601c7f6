// Button: a push button with a centred label. The pressed look follows the stylus during a
// stroke and the click comes on a release inside; a button set to post commands then posts
// WM_COMMAND with its command identifier.
#pragma once

#include <cstdint>

#include "toolkit/widget.h"

class Button : public Widget {
  public:
    // Reset, then the rectangle (pixels), the label (borrowed), the command and whether a
    // click posts it; then MoveTo(x, y).
    void setup(int x, int y, int width, int height, const char16_t* label, int command,
               bool postCommand);

    void Draw() override;
    // A press inside the rectangle: pressed, and the button holds the stroke.
    int StylusDown(Point p, Widget** capture) override;
    // Pressed while the stylus is inside; 1.
    int StylusMove(Point p) override;
    // 1 (a click) when released inside while pressed, posting the command when asked to;
    // else 0.
    int StylusUp(Point p) override;
    // Moves the button and centres its label again.
    void MoveTo(int x, int y) override;

    int32_t x = -1, y = -1, width = -1, height = -1;  // pixels
    bool pressed = false;
    const char16_t* label = nullptr;  // borrowed
    int32_t command = 0;
    int32_t labelX = 0, labelY = 0;  // pixels
    int32_t labelMaxChars = 0;
    bool postCommand = false;

  private:
    bool contains(Point p) const;
};

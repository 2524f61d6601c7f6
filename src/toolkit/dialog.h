// Dialog: a framed widget with a title bar, an optional close box and child widgets. It can be
// dragged by its title bar (kept on the screen, its children following through Layout), and
// answers for its buttons: a click on a child with an identifier, or Enter and Escape, posts
// MSG_DIALOG_DONE with that identifier and the dialog's handler. Deleting it is the window's.
#pragma once

#include <cstdint>

#include "base/ptr_list.h"
#include "toolkit/widget.h"

class Dialog : public Widget {
  public:
    // Style bits: bits 0–1 the title bar (1: 8 pixels, 2: 18 pixels with the title drawn),
    // bit 2 a close box (which also sets bit 1).
    static constexpr uint32_t kThinTitleBar = 1, kTitleBar = 2, kCloseBox = 4;
    static constexpr uint16_t kDefaultTitleBarColour = 0xD900;

    Dialog() = default;

    // Reset, then the rectangle (pixels), the style and the title (borrowed, may be null).
    void setup(int x, int y, int width, int height, uint32_t style, const char16_t* title);
    // Shows `text` (borrowed) centred in the title bar, or its first (width − 12) / 6
    // characters from 6 pixels in when it is longer.
    void setTitle(const char16_t* text);

    // The frame's state (no drag, no close-box stroke, an 18-pixel bar, no title), then the
    // children's Reset.
    void Reset() override;
    // The frame, then the children in order; nothing when hidden.
    void Draw() override;
    // Offers the point to the children in order, else to the frame: the close box, a drag by
    // the title bar, or a tap on the body, which is consumed so nothing beneath sees it.
    int StylusDown(Point p, Widget** capture) override;
    // To the child holding the stroke, else the close box's pressed look or the drag (2).
    int StylusMove(Point p) override;
    // To the child holding the stroke, answering for it when it reports a click; a release
    // in the close box where the stroke began calls handler(0, 0) directly, so that handler
    // must not delete the dialog (it posts instead). Always 0.
    int StylusUp(Point p) override;
    // Enter answers with the first button; Escape with the Cancel button, else the close
    // box, else the last button.
    void OnKey(int code, int kind) override;
    // Offered to the children under the point; 1 for any point on the dialog.
    int Wheel(Point p, int notches) override;
    void GetPosition(Point* point) override { *point = {x, y}; }
    // Re-places the children relative to x and y after a drag; the frame has none to place.
    virtual void Layout() {}

    int32_t x = -1, y = -1, width = -1, height = -1;  // pixels
    int32_t titleBarHeight = 0;                       // pixels: 0, 8 or 18
    const char16_t* title = nullptr;                  // borrowed
    Widget* activeChild = nullptr;                    // the child holding the current stroke
    uint32_t style = 0;
    int32_t titleX = 0;              // pixels from x
    int32_t titleMaxChars = 0;       // characters of the title shown
    int32_t dragX = -1, dragY = -1;  // the stroke's offset from the corner while dragged
    uint16_t titleBarColour = kDefaultTitleBarColour;
    uint32_t closeBoxState = 0;  // bit 0: the stroke began in the close box; bit 1: in it now

  protected:
    // Adds a child (borrowed: the subclass holds it). A child whose identifier is not −1 is
    // a button answering with that identifier.
    void addChild(Widget* child);
    // Whether a stroke a child takes goes through the dialog (the child becomes the active
    // child) or straight to the child, which then keeps the capture itself.
    bool forwardsStrokes = true;

  private:
    int frameDown(Point p, Widget** capture);
    int frameMove(Point p);
    bool inCloseBox(Point p) const;
    // Posts the answer of button `child`.
    void answer(const Widget* child) const;
    // The enabled and visible button with identifier `id` (−1: any), first or last of them.
    Widget* button(int id, bool last) const;

    PtrList children_;
};

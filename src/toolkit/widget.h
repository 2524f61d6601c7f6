// Widget, the base of every control and dialog of the toolkit: the handler, the flags and
// the identifier, and the virtual operations with their base behaviour (the eleven of every
// widget, plus the mouse wheel). Widgets paint themselves into the back buffer; which widget
// an event reaches is routing.h's business.
#pragma once

#include <cstdint>

struct Point {
    int x, y;  // screen pixels
};

class Widget;
// A control's notification handler(widget, code); a dialog's completion handler(0, command).
using WidgetHandler = void (*)(Widget* widget, int code);

class Widget {
  public:
    // Flag bits.
    static constexpr uint32_t kFocused = 1, kEnabled = 2, kVisible = 4;

    Widget() = default;
    // A widget that goes clears the capture and focus pointers that name it (modal.cpp).
    virtual ~Widget();
    Widget(const Widget&) = delete;
    Widget& operator=(const Widget&) = delete;

    // Clears the widget's contents; every setup operation calls it first.
    virtual void Reset() {}
    // Paints the widget into the back buffer; nothing when not visible.
    virtual void Draw() = 0;
    // 0 when the point is not this widget's; else consumed, with the widget to receive the
    // rest of the stroke written to `capture` (which may stay null).
    virtual int StylusDown(Point, Widget** /*capture*/) { return 0; }
    // Non-zero when handled; 2 asks for the screen to be redrawn.
    virtual int StylusMove(Point) { return 0; }
    // Non-zero when the stroke completed an activation (a click).
    virtual int StylusUp(Point) { return 0; }
    virtual void SetFocus(bool on) { flags = on ? flags | kFocused : flags & ~kFocused; }
    // kind 1: `code` is a character; kind 2: a virtual-key code.
    virtual void OnKey(int /*code*/, int /*kind*/) {}
    // True asks for the soft keyboard while the widget has the focus.
    virtual bool WantsKeyboard() { return false; }
    // Moves the widget and everything it draws.
    virtual void MoveTo(int /*x*/, int /*y*/) {}
    // A dialog writes its corner; other widgets leave `point` alone.
    virtual void GetPosition(Point* /*point*/) {}
    // Wheel notches at a screen point (positive: turned away from the user). 0 when the
    // point is not this widget's or it has nothing to scroll; the window then zooms the view.
    virtual int Wheel(Point, int /*notches*/) { return 0; }

    bool visible() const { return (flags & kVisible) != 0; }
    bool enabled() const { return (flags & kEnabled) != 0; }

    WidgetHandler handler = nullptr;
    uint32_t flags = kEnabled | kVisible;
    int32_t identifier = -1;
};

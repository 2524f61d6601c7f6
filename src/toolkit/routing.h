// Which widget an event of the main window reaches: the one dispatch that hands input to a
// widget's operation (and drops it for a hidden or disabled widget), and the routing of the
// stylus, keys, the wheel and painting through the modal dialog, the on-screen keyboard, the
// focus and the tool dialog. What the toolkit leaves belongs to the command panel and the
// view; deciding that is the window's.
#pragma once

#include "toolkit/widget.h"

// One input for one widget: the operation it maps to and its arguments.
struct WidgetInput {
    enum Kind { kDown, kMove, kUp, kKey, kWheel } kind;
    Point point{};    // kDown, kMove, kUp, kWheel: screen pixels
    int code = 0;     // kKey: the key code; kWheel: the notches
    int keyKind = 0;  // kKey: 1 a character, 2 a virtual key
};

// Calls the operation `in` stands for on `widget` and returns its answer (kKey answers 1).
// A null, hidden or disabled widget sees nothing and the answer is 0. kDown writes the
// widget that is to receive the rest of the stroke to `capture` (null when none).
int dispatchInput(Widget* widget, const WidgetInput& in, Widget** capture = nullptr);

// Stylus down at a screen point. True when the toolkit took it: the modal dialog takes every
// press; the keyboard and the tool dialog take those on them. The focus moves to the widget
// that took the stroke in the tool dialog, with the keyboard shown while that widget wants
// it and hidden otherwise.
bool routeStylusDown(Point p);
// Gives the keyboard focus to `widget` (null: to none), taking it from the widget that had it,
// as a tap on the widget would; the keyboard shows while the widget wants it and hides
// otherwise.
void moveFocus(Widget* widget);
// Stylus move: true when a widget holds the stroke (the redraw flag is set when it asks).
bool routeStylusMove(Point p);
// Stylus up: true when a widget held the stroke, which then ends (and the view is redrawn).
bool routeStylusUp(Point p);

// A key (kind 2, a virtual key) or character (kind 1). True when a widget took it: a modal
// dialog takes every key (Enter and Escape answer it) and drops characters; Escape goes to
// the tool dialog (its close box); everything else to the focus widget. The Escape
// character itself never types.
bool routeKey(int code, int kind);

// Wheel notches at a screen point: true when a widget lies under it (a modal dialog covers
// the whole screen), so that the window zooms the view only where none does.
bool routeWheel(Point p, int notches);

// Draws the tool dialog (remembering where it stands), the keyboard while it shows and the
// modal dialog, in that order, over whatever the frame holds.
void paintToolkit();

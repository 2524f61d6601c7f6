// The command panel: the program's whole menu, thirteen picture buttons along the bottom
// edge that roll out to full width or in to a 9-pixel handle, with a tooltip for a held
// button. It tracks the stylus and posts WM_COMMAND for a tap; carrying out the command,
// and deciding when a stroke ends, are the window's.
#pragma once

#include <array>
#include <cstdint>

// One button of the panel table.
struct CommandButton {
    int32_t sourceX, sourceY;  // pixels: the normal picture in the panel strip (active: y + 22)
    int32_t width, height;     // pixels
    int32_t screenX, screenY;  // pixels, with the panel rolled out
    int32_t command;           // WM_COMMAND identifier, 2000 .. 2012
    int32_t state;             // 1: the button's toggle is on, drawn with the active picture
    const char16_t* tooltip;   // shown while the button is held
};

constexpr int kPanelEntries = 13;
// The pressed index when no entry is pressed (its negation means the same).
constexpr int32_t kNoPanelEntry = 10000;

// The table, in drawing and hit-test order; entry 0 is the roll-out handle.
extern std::array<CommandButton, kPanelEntries> gCommandButtons;

extern bool gPanelRolledOut;  // the panel is, or is sliding, out to full width
extern int32_t gPanelOffset;  // pixels added to every screen x: 0 out, −231 in
extern bool gPanelPressed;    // a stroke began on a panel button
// The entry under the press: its index while the stylus is on it, −1 − index while it is
// off it (so entry 0 has an "off" value too), ±kNoPanelEntry when none.
extern int32_t gPanelPressedIndex;
extern uint32_t gPanelPressTick;  // tick count (ms) at the press

// Puts the table's checked states, the roll-out and the press back as at start-up.
void resetCommandPanel();

// Stylus down at a screen point: when it lies on a button that is on the screen, that
// button becomes the pressed one (flag, index, press tick) and the answer is true. False
// otherwise: the point belongs to the view.
bool panelHitTest(int x, int y);

// True while a stroke that began on a button is under way.
bool panelPressed();

// Stylus move during a panel stroke: the pressed button shows pressed only while the point
// is on it. Does nothing when no stroke is under way.
void panelTrack(int x, int y);

// Stylus up during a panel stroke: when the stylus is still on the pressed button, posts
// WM_COMMAND (its command, its entry index) and answers true; otherwise sends nothing. The
// window calls panelEndStroke afterwards either way.
bool panelClick();

// The window's end of every stroke: no button pressed, press tick 0.
void panelEndStroke();

// Draws the strip, the buttons and a held button's tooltip into the back buffer, moving a
// roll-in or roll-out on by 10 pixels for each 20 ms since its last step (the tick count's
// time, so that it takes as long however fast frames come). True when another frame should
// follow at once
// (sliding out or in, or a button held for less than a second). At the end of a roll-in it
// sets gRedraw so that the view comes back where the strip was.
bool drawCommandPanel();

// Command 2000: starts rolling the panel in when it is out, out when it is in.
void togglePanelRollout();
bool panelRolledOut();

// Shows or clears the active picture of the button with `command`; other identifiers
// change nothing.
void panelSetChecked(int command, bool checked);

// The entry index of the button with `command`, −1 when there is none.
int panelIndexOfCommand(int command);

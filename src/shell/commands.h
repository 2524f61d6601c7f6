// The window's commands: the thirteen panel commands, the about screen's end, the answers of
// the exit confirmation, the zoom keys and the 50 ms tick.
#pragma once

#include <cstdint>

#include "toolkit/widget.h"

constexpr int kCmdAboutDone = 2013;

// Carries out command `id` (2000 .. 2013); `index` is the panel entry that sent it. False
// for any other identifier (the default handling then takes it).
bool runCommand(int id, intptr_t index);

// The zoom keys (Enter, arrows) and F1 for help in the normal view; false for any other key.
bool zoomKey(int vk);

// One 50 ms tick: clock refresh, periodic shadow rebuild, automatic rotation, a step of edge
// scrolling, and a paint request when the redraw flag is set.
void timerTick();

// The exit confirmation's answer: 2020 exits, 2021 suspends, 2015 does nothing more.
void exitHandler(Widget* widget, int command);

// The answer of the message about unusable maps: the options dialog opens.
void openOptionsAfterMessage(Widget* widget, int command);

// WM_HELP: the help page in the desktop's viewer, with the display suspended meanwhile.
void openHelp();

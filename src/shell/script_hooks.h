// What the headless script asks of the program itself: the texts and the view state of the
// last frame, panel commands, and the orderly exit.
#pragma once

#include "platform/script.h"

platform::ScriptHooks scriptHooks();

// Names of the keys and hardware buttons, shared by the headless script's "key NAME" and the
// README's keyboard table. The window backend maps its own key codes to the same codes.
#pragma once

#include <string>

namespace platform {

struct KeyName {
    const char* name;  // lower case, e.g. "up", "enter", "a", "ctrl+q"
    int vk;            // virtual key code (WM_KEYDOWN), 0 for accelerators
    int ch;            // character sent as WM_CHAR after the key, 0 for none
    int command;       // accelerator command sent as WM_COMMAND, 0 for none
};

// The key called `name` (case ignored), or null when there is none.
const KeyName* findKey(const std::string& name);

}  // namespace platform

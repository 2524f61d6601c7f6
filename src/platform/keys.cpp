// The key names a script may use, with the virtual key, character and command each one
// sends; letters and digits are made from the name itself. The window backend translates
// its own key codes; it does not read this table.
#include "platform/keys.h"

#include <strings.h>

#include "platform/messages.h"

namespace platform {
namespace {

const KeyName kNamed[] = {
    {"enter", VK_RETURN, 13, 0},
    {"up", VK_UP, 0, 0},
    {"down", VK_DOWN, 0, 0},
    {"left", VK_LEFT, 0, 0},
    {"right", VK_RIGHT, 0, 0},
    {"escape", VK_ESCAPE, 27, 0},
    {"backspace", VK_BACK, 8, 0},
    {"tab", VK_TAB, 9, 0},
    {"space", VK_SPACE, ' ', 0},
    {"delete", VK_DELETE, 0, 0},
    {"home", VK_HOME, 0, 0},
    {"end", VK_END, 0, 0},
    {"f1", VK_F1, 0, 0},
    {"ctrl+a", 0, 0, CMD_ACCEL_CTRL_A},
    {"ctrl+q", 0, 0, CMD_ACCEL_CTRL_Q},
};

// Letters and digits are made on demand: their codes follow from the name.
thread_local KeyName gPlain;
thread_local char gPlainName[2];

}  // namespace

const KeyName* findKey(const std::string& name) {
    for (const KeyName& k : kNamed)
        if (strcasecmp(k.name, name.c_str()) == 0) return &k;
    if (name.size() == 1) {
        char c = name[0];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
            gPlainName[0] = c;
            gPlainName[1] = 0;
            int vk = c >= 'a' ? c - 'a' + 'A' : c;
            gPlain = {gPlainName, vk, c, 0};
            return &gPlain;
        }
    }
    return nullptr;
}

}  // namespace platform

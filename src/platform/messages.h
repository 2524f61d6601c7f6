// Window messages and key codes, numbered as on the handheld so that the dispatch code reads
// as it was designed: one message loop on one thread, stylus points packed into the second
// parameter (x low 16 bits, y high 16 bits, both signed).
#pragma once

#include <cstdint>

namespace platform {

enum : uint32_t {
    WM_DESTROY = 0x0002,
    WM_ACTIVATE = 0x0006,
    WM_SETFOCUS = 0x0007,
    WM_KILLFOCUS = 0x0008,
    WM_PAINT = 0x000F,
    WM_CLOSE = 0x0010,
    WM_QUIT = 0x0012,
    WM_ERASEBKGND = 0x0014,
    WM_SETTINGCHANGE = 0x001A,
    WM_HELP = 0x0053,
    WM_KEYDOWN = 0x0100,
    WM_KEYUP = 0x0101,
    WM_CHAR = 0x0102,
    WM_COMMAND = 0x0111,
    WM_TIMER = 0x0113,
    WM_MOUSEMOVE = 0x0200,
    WM_LBUTTONDOWN = 0x0201,
    WM_LBUTTONUP = 0x0202,
    // The mouse wheel: wParam the notches turned (positive away from the user), lParam the
    // pointer's point, as for the stylus.
    WM_MOUSEWHEEL = 0x020A,
};

// WM_ACTIVATE's first parameter when the window loses activation.
constexpr intptr_t WA_INACTIVE = 0;

// Virtual key codes of the keys the program reacts to (letters and digits are their
// upper-case ASCII codes).
enum : int {
    VK_BACK = 8,
    VK_TAB = 9,
    VK_RETURN = 13,
    VK_ESCAPE = 27,
    VK_SPACE = 32,
    VK_END = 35,
    VK_HOME = 36,
    VK_LEFT = 37,
    VK_UP = 38,
    VK_RIGHT = 39,
    VK_DOWN = 40,
    VK_DELETE = 46,
    VK_F1 = 112,
};

// The accelerator table's commands: Ctrl+A and Ctrl+Q.
constexpr int CMD_ACCEL_CTRL_A = 40003;
constexpr int CMD_ACCEL_CTRL_Q = 1;

struct Message {
    uint32_t msg;
    intptr_t wParam;
    intptr_t lParam;
};

inline intptr_t pointParam(int x, int y) {
    return static_cast<intptr_t>((static_cast<uint32_t>(static_cast<uint16_t>(y)) << 16) |
                                 static_cast<uint16_t>(x));
}
inline int pointX(intptr_t lParam) {
    return static_cast<int16_t>(static_cast<uint16_t>(lParam & 0xFFFF));
}
inline int pointY(intptr_t lParam) {
    return static_cast<int16_t>(static_cast<uint16_t>((lParam >> 16) & 0xFFFF));
}

}  // namespace platform

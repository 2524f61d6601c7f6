// The display and the window behind it, as one backend: a real SDL2 window or a memory
// surface for tests and scripts. Nothing outside the platform layer knows which one runs.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// The display memory's layout, copied once at start-up. The pitches are signed byte steps
// from one pixel to the next along a row (x) and from one row to the next (y), so a rotated
// or mirrored display memory is described by the same record.
struct DisplayProperties {
    int width;         // logical pixels across, 240
    int height;        // logical pixels down, 320
    int xPitch;        // bytes from pixel (x, y) to (x + 1, y); may be negative
    int yPitch;        // bytes from pixel (x, y) to (x, y + 1); may be negative
    int bitsPerPixel;  // 16 (RGB565)
};

class Backend {
  public:
    virtual ~Backend() = default;

    // The window; false when it cannot be made.
    virtual bool openWindow(const std::string& title) = 0;
    virtual void showWindow(bool visible) = 0;
    // Brings the window to the front (another copy asked for it).
    virtual void raiseWindow() = 0;
    virtual void closeWindow() = 0;

    // The display memory and the buttons; false when they cannot be opened.
    virtual bool openDisplay() = 0;
    virtual void closeDisplay() = 0;
    virtual DisplayProperties displayProperties() const = 0;
    // Locks the display memory: the address of logical pixel (0, 0), or null when the
    // display is closed or suspended. Every beginDraw that succeeds is paired with endDraw.
    virtual uint8_t* beginDraw() = 0;
    virtual void endDraw() = 0;
    virtual void suspend() = 0;
    virtual void resume() = 0;

    // Waits at most `maxWaitMs` for input and posts what arrives into the message loop.
    // kWaitForever waits until something arrives.
    virtual void waitForInput(uint32_t maxWaitMs) = 0;

    // Whether a message box can be shown in a window as well as on standard error.
    virtual bool hasWindowSystem() const = 0;
};

constexpr uint32_t kWaitForever = 0xFFFFFFFFu;

// The backend of this run; set once at start-up by the entry point.
void setBackend(Backend* backend);
Backend* backend();

// Shows `text` to the user: on standard error always (one line, after "mundora: "), and in
// a window when the backend has a window system.
void showMessageBox(const std::string& text);

// Opens `path` (the help page) in the desktop's viewer with xdg-open; false when there is no
// window system or the viewer cannot be started.
bool openDocument(const std::string& path);

}  // namespace platform

// The headless backend: the display is a block of memory laid out by the given pitches and
// input comes from a script (or from a test that posts messages itself). It behaves like the
// window frame for frame; only where the pixels end up differs.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/display.h"

namespace platform {

class HeadlessBackend : public Backend {
  public:
    // The default layout is the plain one: 2 bytes per pixel, rows of 480 bytes.
    explicit HeadlessBackend(DisplayProperties layout = {240, 320, 2, 480, 16});

    bool openWindow(const std::string& title) override;
    void showWindow(bool visible) override { visible_ = visible; }
    void raiseWindow() override { ++raises_; }
    void closeWindow() override { windowOpen_ = false; }
    bool openDisplay() override;
    void closeDisplay() override { displayOpen_ = false; }
    DisplayProperties displayProperties() const override { return layout_; }
    uint8_t* beginDraw() override;
    void endDraw() override { ++presents_; }
    void suspend() override { suspended_ = true; }
    void resume() override { suspended_ = false; }
    void waitForInput(uint32_t maxWaitMs) override;
    bool hasWindowSystem() const override { return false; }

    // Called whenever the loop has nothing to do; a script runner answers by executing its
    // next line. Without one the loop ends.
    void setInputSource(std::function<void(uint32_t maxWaitMs)> source) {
        source_ = std::move(source);
    }

    // The display memory read back through the pitches, as width × height RGB565 pixels
    // in plain row order.
    std::vector<uint16_t> screen() const;
    uint16_t pixel(int x, int y) const;

    bool visible() const { return visible_; }
    bool suspended() const { return suspended_; }
    int raises() const { return raises_; }
    int presents() const { return presents_; }

  private:
    DisplayProperties layout_;
    std::vector<uint8_t> memory_;
    size_t origin_ = 0;  // byte offset of logical pixel (0, 0) in memory_
    bool windowOpen_ = false, displayOpen_ = false, visible_ = false, suspended_ = false;
    int raises_ = 0, presents_ = 0;
    std::function<void(uint32_t)> source_;
};

}  // namespace platform

// The memory display: a block sized to every corner the pitches reach, so that any pixel
// layout can be tested, and input taken from the source a script or test attaches. It draws
// nothing on any screen and reads no clock of its own.
#include "platform/headless.h"

#include <algorithm>
#include <cstring>

#include "platform/loop.h"

namespace platform {

HeadlessBackend::HeadlessBackend(DisplayProperties layout) : layout_(layout) {
    // The memory spans every corner the pitches can reach, whatever their signs.
    const long w = layout.width - 1, h = layout.height - 1;
    const long corners[] = {0, w * layout.xPitch, h * layout.yPitch,
                            w * layout.xPitch + h * layout.yPitch};
    const long lo = *std::min_element(std::begin(corners), std::end(corners));
    const long hi = *std::max_element(std::begin(corners), std::end(corners));
    memory_.assign(static_cast<size_t>(hi - lo) + 2, 0);
    origin_ = static_cast<size_t>(-lo);
}

bool HeadlessBackend::openWindow(const std::string&) {
    windowOpen_ = true;
    visible_ = true;
    return true;
}

bool HeadlessBackend::openDisplay() {
    displayOpen_ = windowOpen_;
    return displayOpen_;
}

uint8_t* HeadlessBackend::beginDraw() {
    if (!displayOpen_ || suspended_) return nullptr;
    return memory_.data() + origin_;
}

void HeadlessBackend::waitForInput(uint32_t maxWaitMs) {
    if (source_)
        source_(maxWaitMs);
    else
        postQuitMessage(0);
}

uint16_t HeadlessBackend::pixel(int x, int y) const {
    uint16_t v;
    std::memcpy(&v,
                memory_.data() + origin_ + static_cast<long>(x) * layout_.xPitch +
                    static_cast<long>(y) * layout_.yPitch,
                2);
    return v;
}

std::vector<uint16_t> HeadlessBackend::screen() const {
    std::vector<uint16_t> out(static_cast<size_t>(layout_.width) * layout_.height);
    for (int y = 0; y < layout_.height; ++y)
        for (int x = 0; x < layout_.width; ++x)
            out[static_cast<size_t>(y) * layout_.width + x] = pixel(x, y);
    return out;
}

}  // namespace platform

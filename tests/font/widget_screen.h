// Test fixture for widgets driven through the toolkit's routing: ScreenTest's screen with
// the interface pictures and the font, a manual clock and an empty message queue.
#pragma once

#include <vector>

#include "platform/clock.h"
#include "platform/loop.h"
#include "raster/font.h"
#include "raster/pictures.h"
#include "screen.h"
#include "toolkit/modal.h"
#include "toolkit/routing.h"

class WidgetScreenTest : public ScreenTest {
  protected:
    void SetUp() override {
        ScreenTest::SetUp();
        ASSERT_TRUE(loadInterfacePictures());
        ASSERT_TRUE(loadFont());
        platform::useManualClock(1000, 0);
        platform::resetLoop();
    }
    void TearDown() override {
        gToolDialog = gCaptureWidget = gFocusWidget = nullptr;
        gSoftKeyboard = nullptr;
        gKeyboardVisible = false;
        platform::resetLoop();
        releaseFont();
        releaseInterfacePictures();
        ScreenTest::TearDown();
    }
    // A stroke's steps through the routing, as the window hands them on.
    void down(int x, int y) { routeStylusDown({x, y}); }
    void move(int x, int y) { routeStylusMove({x, y}); }
    void up(int x, int y) { routeStylusUp({x, y}); }
    void tap(int x, int y) { down(x, y), up(x, y); }
    // Moves the clock on and draws a frame's widgets.
    void frameAfter(uint32_t ms) {
        platform::advanceManualClock(ms);
        paintToolkit();
    }
    // The messages posted so far, paint requests left out.
    std::vector<platform::Message> posted() {
        std::vector<platform::Message> seen;
        platform::Message m;
        while (platform::getMessage(&m))
            if (m.msg == platform::WM_PAINT)
                platform::validate();
            else
                seen.push_back(m);
        platform::resetLoop();
        return seen;
    }
};

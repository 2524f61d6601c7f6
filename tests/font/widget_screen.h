// Test fixture for widgets driven through the toolkit's routing: ScreenTest's screen with
// the interface pictures and the font, a manual clock and an empty message queue; a test
// that needs its own display backend hands it in.
#pragma once

#include <vector>

#include "platform/clock.h"
#include "platform/display.h"
#include "platform/loop.h"
#include "raster/font.h"
#include "raster/pictures.h"
#include "screen.h"
#include "toolkit/modal.h"
#include "toolkit/routing.h"

class WidgetScreenTest : public ScreenTest {
  protected:
    // The manual clock starts at `startTick`; `backend`, when given, is the current one.
    explicit WidgetScreenTest(uint32_t startTick = 1000, platform::Backend* backend = nullptr)
        : startTick_(startTick), backend_(backend) {}
    void SetUp() override {
        ScreenTest::SetUp();
        ASSERT_TRUE(loadInterfacePictures());
        ASSERT_TRUE(loadFont());
        platform::useManualClock(startTick_, 0);
        platform::resetLoop();
        platform::setBackend(backend_);
    }
    void TearDown() override {
        closeModalDialog();
        gToolDialog = gCaptureWidget = gFocusWidget = nullptr;
        gSoftKeyboard = nullptr;
        gKeyboardVisible = false;
        platform::setBackend(nullptr);
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
    // One of them by its letter: 'd'own, 'm'ove or 'u'p.
    void stylus(char kind, int x, int y) {
        if (kind == 'd') down(x, y);
        if (kind == 'm') move(x, y);
        if (kind == 'u') up(x, y);
    }
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

  private:
    uint32_t startTick_;
    platform::Backend* backend_;
};

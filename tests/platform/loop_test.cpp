// The headless script driving the message loop: its timers, its bad lines, its frames. The
// loop's coalescing of paint requests is the end-to-end panel tap's one frame.
#include "platform/loop.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <vector>

#include "platform/clock.h"
#include "platform/headless.h"
#include "platform/script.h"

using namespace platform;

namespace {

struct LoopFixture : ::testing::Test {
    void SetUp() override {
        resetLoop();
        useManualClock(0, 0);
        setBackend(&screen);
    }
    void TearDown() override {
        setBackend(nullptr);
        resetLoop();
    }
    // Loads `text` as a script file, runs its prelude and attaches it; false when the prelude
    // fails. The script stays alive for the rest of the test.
    bool startScript(const std::string& text) {
        char path[] = "/tmp/mundora-script-XXXXXX";
        int fd = mkstemp(path);
        EXPECT_GE(fd, 0);
        close(fd);
        std::ofstream(path) << text;
        script = std::make_unique<Script>();
        std::string error;
        EXPECT_TRUE(script->load(path, &error)) << error;
        unlink(path);
        const bool prelude = script->runPrelude();
        script->attach(&screen, {});
        return prelude;
    }
    // Runs the loop to its end, answering paints by validating, and returns what it saw.
    std::vector<Message> drain() {
        std::vector<Message> seen;
        Message m;
        while (getMessage(&m)) {
            seen.push_back(m);
            if (m.msg == WM_PAINT) validate();
        }
        return seen;
    }
    HeadlessBackend screen;
    std::unique_ptr<Script> script;
};

TEST_F(LoopFixture, ScriptWaitFiresTheTimerOncePerPeriod) {
    ASSERT_TRUE(startScript("# comment\nclock 2027-03-20T12:00:00Z\nwait 1000\ntap 10 20\n"));
    EXPECT_EQ(utcMillis(), 1805544000000LL);
    setTimer(8000, 50);
    std::vector<Message> seen = drain();
    int timers = 0, downs = 0, ups = 0;
    for (const Message& m : seen) {
        timers += m.msg == WM_TIMER;
        downs += m.msg == WM_LBUTTONDOWN && pointX(m.lParam) == 10 && pointY(m.lParam) == 20;
        ups += m.msg == WM_LBUTTONUP;
    }
    EXPECT_EQ(timers, 20);  // 1000 ms of 50 ms ticks
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(ups, 1);
    EXPECT_EQ(utcMillis(), 1805544001000LL);
    EXPECT_EQ(quitCode(), 0);
}

TEST_F(LoopFixture, BadScriptLinesStopWithExitCodeTwo) {
    const char* bad[] = {"wait soon", "tap 10",     "tap 240 0",
                         "key warp",  "frobnicate", "clock 2027-02-30T00:00:00Z",
                         "shot"};
    for (const char* line : bad) {
        resetLoop();
        startScript("tap 1 1\n" + std::string(line) + "\ntap 2 2\n");
        std::vector<Message> seen = drain();
        EXPECT_EQ(quitCode(), 2) << line;
        int taps = 0;
        for (const Message& m : seen) taps += m.msg == WM_LBUTTONDOWN;
        EXPECT_EQ(taps, 1) << line << ": nothing after the bad line runs";
    }
}

TEST_F(LoopFixture, FramesThatAskForMoreAdvanceAScriptWaitFrameByFrame) {
    ASSERT_TRUE(startScript("wait 200\n"));
    setTimer(8000, 50);
    invalidate();
    std::vector<uint32_t> paintTicks;
    Message m;
    while (getMessage(&m)) {
        if (m.msg != WM_PAINT) continue;
        validate();
        paintTicks.push_back(tickCount());
        invalidate();  // an animation: every frame asks for the next
    }
    // The script reached its end, and time moved at most one frame interval per frame.
    ASSERT_GE(paintTicks.size(), 200u / kFrameMs);
    EXPECT_EQ(paintTicks.back(), 200u);
    for (size_t i = 1; i < paintTicks.size(); ++i)
        EXPECT_LE(paintTicks[i] - paintTicks[i - 1], kFrameMs);
}

TEST_F(LoopFixture, PackedPointsKeepTheirSign) {
    for (int x : {0, 239, -5, 32767, -32768})
        for (int y : {0, 319, -1}) {
            EXPECT_EQ(pointX(pointParam(x, y)), x);
            EXPECT_EQ(pointY(pointParam(x, y)), y);
        }
}

}  // namespace

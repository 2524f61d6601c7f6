// The command panel against the button layout as the help page and the window know it: hit
// testing at every entry's edges, the commands a stroke sends, rolling in and out, the
// tooltip's delay and placement, and the active pictures read back from the back buffer.
#include "toolkit/command_panel.h"

#include <vector>

#include "../font/widget_screen.h"
#include "base/redraw.h"
#include "platform/headless.h"

namespace {

constexpr int kTop = 298;
struct Layout {
    int screenX, width, sourceX;  // pixels
};
// The buttons as laid out on the screen (panel rolled out) and in the panel picture.
constexpr Layout kLayout[kPanelEntries] = {
    {231, 9, 216}, {2, 18, 0},    {20, 18, 18},   {38, 18, 36},   {56, 18, 54},
    {74, 18, 126}, {92, 18, 144}, {110, 18, 162}, {128, 18, 180}, {146, 18, 198},
    {174, 18, 72}, {192, 18, 90}, {210, 18, 108}};

class PanelTest : public WidgetScreenTest {
  protected:
    PanelTest() : WidgetScreenTest(0, &screen_) {}  // a press at tick 0 must work like any other
    void SetUp() override {
        WidgetScreenTest::SetUp();
        fillSentinel();
        resetCommandPanel();
        gRedraw = 0;
    }
    void fillSentinel() { std::fill(backBuffer(), backBuffer() + kW * kH, kSentinel); }
    // A whole stroke: down at the first point, moves through the rest, up.
    void stroke(std::initializer_list<Point> points) {
        const Point* p = points.begin();
        if (!panelHitTest(p->x, p->y)) return;
        for (++p; p != points.end(); ++p) panelTrack(p->x, p->y);
        panelClick();
        panelEndStroke();
    }
    // True when the back buffer at (x, kTop) shows the picture at (sourceX, row), 22 high.
    bool shows(int x, int sourceX, int width, int row) const {
        const uint16_t* picture = panelStrip().pixels();
        for (int y = 0; y < 22; ++y)
            for (int i = 0; i < width; ++i)
                if (at(x + i, kTop + y) != picture[(row + y) * 226 + sourceX + i]) return false;
        return true;
    }
    // The first and last column of the tooltip's top edge (row 276), −1 when none.
    std::pair<int, int> tooltipTopEdge() const {
        int first = -1, last = -1;
        for (int x = 0; x < kW; ++x)
            if (at(x, 276) == 0xFFE0) (first < 0 ? first : last) = x;
        return {first, last};
    }
    static constexpr uint16_t kSentinel = 0x1234;
    platform::HeadlessBackend screen_;
};

int expectedEntry(int x, int y) {
    if (y < kTop || y >= kTop + 22) return -1;
    for (int i = 0; i < kPanelEntries; ++i)
        if (x >= kLayout[i].screenX && x < kLayout[i].screenX + kLayout[i].width) return i;
    return -1;
}

TEST_F(PanelTest, EveryPointHitsTheEntryLaidOutThereAndATapSendsItsCommand) {
    for (int y : {0, 297, 298, 310, 319})
        for (int x = 0; x < kW; ++x) {
            const int want = expectedEntry(x, y);
            ASSERT_EQ(panelHitTest(x, y), want >= 0) << x << "," << y;
            if (want >= 0) EXPECT_EQ(gPanelPressedIndex, want) << x << "," << y;
            if (want >= 0) panelClick();
            panelEndStroke();
            const std::vector<platform::Message> seen = posted();
            ASSERT_EQ(seen.size(), want >= 0 ? 1u : 0u) << x << "," << y;
            if (want < 0) continue;
            EXPECT_EQ(seen[0].msg, platform::WM_COMMAND);
            EXPECT_EQ(seen[0].wParam, 2000 + want);
            EXPECT_EQ(seen[0].lParam, want);
        }
}

TEST_F(PanelTest, SlidingOffCancelsAndSlidingBackOnSends) {
    // Entry 0 included: its "off" value used to be −0, which still counted as on.
    for (int i : {0, 4, 12}) {
        const int x = kLayout[i].screenX, right = x + kLayout[i].width;
        stroke({{x, 300}, {right, 300}});
        EXPECT_TRUE(posted().empty()) << i << " slid off to the right";
        stroke({{x, 300}, {x, 297}});
        EXPECT_TRUE(posted().empty()) << i << " slid off upwards";
        stroke({{x, 300}, {x, 297}, {right - 1, 319}});
        EXPECT_EQ(posted().size(), 1u) << i << " slid back on";
    }
}

// Rolling takes 24 steps of 20 ms; it used to take 24 frames, however fast they came.
TEST_F(PanelTest, RolledInOnlyTheHandleReactsAndRollingTakes24Steps) {
    togglePanelRollout();
    int frames = 0;
    drawCommandPanel();
    EXPECT_EQ(gPanelOffset, -10) << "the first step comes at once";
    EXPECT_TRUE(drawCommandPanel());
    EXPECT_EQ(gPanelOffset, -10) << "no time has passed: no step";
    while (gPanelOffset != -231 && frames < 100) {
        platform::advanceManualClock(20);
        drawCommandPanel();
        ++frames;
        // At −90 entry 5 still covers columns 0 and 1, but is not drawn there.
        if (gPanelOffset == -90) EXPECT_FALSE(panelHitTest(1, 300));
    }
    EXPECT_EQ(frames, 23);
    EXPECT_EQ(gRedraw, 1) << "the view must come back where the strip was";
    fillSentinel();
    EXPECT_FALSE(drawCommandPanel());
    EXPECT_TRUE(shows(0, 216, 9, 0));
    for (int y = kTop; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            ASSERT_EQ(panelHitTest(x, y), x < 9) << x << "," << y;
            panelEndStroke();
            if (x >= 9) ASSERT_EQ(at(x, y), kSentinel) << x << "," << y;
        }
    togglePanelRollout();
    platform::advanceManualClock(460);  // all 24 steps due at once
    drawCommandPanel();
    EXPECT_EQ(gPanelOffset, 0);
    EXPECT_FALSE(drawCommandPanel());
    EXPECT_TRUE(shows(231, 216, 9, 0));
}

TEST_F(PanelTest, TooltipAfterOneSecondStaysOnScreen) {
    struct Case {
        int entry;
        bool rolledIn;
        int left, right;                 // columns of the frame's top edge
    } cases[] = {{3, false, 38, 103},    // "Options...", 66 wide, fits
                 {10, false, 174, 227},  // "About...", just fits
                 {12, false, 186, 239},  // "Close...", shifted left by 24
                 {0, false, 108, 239},   // "Command Panel Rollout", shifted left by 123
                 {0, true, 0, 131}};     // the handle at the left edge
    for (const Case& c : cases) {
        resetCommandPanel();
        if (c.rolledIn) gPanelRolledOut = false, gPanelOffset = -231;
        const int x = c.rolledIn ? 0 : kLayout[c.entry].screenX;
        fillSentinel();
        ASSERT_TRUE(panelHitTest(x, 300));
        platform::advanceManualClock(999);
        EXPECT_TRUE(drawCommandPanel()) << c.entry << ": still waiting for the tooltip";
        EXPECT_EQ(tooltipTopEdge(), std::make_pair(-1, -1)) << c.entry;
        platform::advanceManualClock(1);
        EXPECT_FALSE(drawCommandPanel()) << c.entry;
        EXPECT_EQ(tooltipTopEdge(), std::make_pair(c.left, c.right)) << c.entry;
        EXPECT_EQ(at(c.left, 289), 0xFFE0) << c.entry << ": bottom edge";
        EXPECT_EQ(at(c.left + 1, 277), 0x0000) << c.entry << ": inside";
        // The pointer's top row, from the small sprites, centred over the button.
        const int pointer = x + kLayout[c.entry].width / 2 - 2;
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(at(pointer + i, 289), smallSprites().pixels()[26 + i]);
        panelEndStroke();
    }
}

TEST_F(PanelTest, CheckedAndPressedButtonsShowTheActiveRow) {
    drawCommandPanel();
    for (int i = 0; i < kPanelEntries; ++i) {  // grid, day/night, pan, sphere start checked
        const bool on = i == 1 || i == 2 || i == 5 || i == 6;
        EXPECT_TRUE(shows(kLayout[i].screenX, kLayout[i].sourceX, kLayout[i].width, on ? 22 : 0))
            << i;
    }
    for (int i = 0; i < kPanelEntries; ++i) {
        panelSetChecked(2000 + i, i % 2 == 0);
        drawCommandPanel();
        EXPECT_TRUE(
            shows(kLayout[i].screenX, kLayout[i].sourceX, kLayout[i].width, i % 2 == 0 ? 22 : 0))
            << i;
    }
    panelSetChecked(2013, true);         // not a panel command: nothing changes
    ASSERT_TRUE(panelHitTest(40, 300));  // entry 3, unchecked now
    drawCommandPanel();
    EXPECT_TRUE(shows(38, 36, 18, 22));
    panelTrack(40, 290);
    drawCommandPanel();
    EXPECT_TRUE(shows(38, 36, 18, 0));
    EXPECT_EQ(panelIndexOfCommand(2009), 9);
    EXPECT_EQ(panelIndexOfCommand(1999), -1);
}

}  // namespace

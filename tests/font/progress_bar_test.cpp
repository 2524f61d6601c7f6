// The progress bar drawn at start-up's place, read back: filled width, frame, unfilled part
// inside the bar only, the clamped percentage in its text.

#include "toolkit/progress_bar.h"

#include "raster/font.h"
#include "raster/text_log.h"
#include "screen.h"

namespace {

class ProgressBarTest : public ScreenTest {
  protected:
    void SetUp() override {
        ScreenTest::SetUp();
        ASSERT_TRUE(loadFont());
        std::fill(backBuffer(), backBuffer() + kW * kH, uint16_t(0x7777));
        clearTextLog();
    }
    void TearDown() override {
        releaseFont();
        ScreenTest::TearDown();
    }
};

TEST_F(ProgressBarTest, FillsItsShareAndStaysInsideItsRectangle) {
    struct Case {
        int given, shown, filled;  // percent in, percent kept, filled pixels of 160
        const char* text;
    } cases[] = {{0, 0, 0, "0 %"},         {20, 20, 32, "20 %"},     {60, 60, 96, "60 %"},
                 {100, 100, 160, "100 %"}, {150, 100, 160, "100 %"}, {-5, 0, 0, "0 %"}};
    for (const Case& c : cases) {
        std::fill(backBuffer(), backBuffer() + kW * kH, uint16_t(0x7777));
        clearTextLog();
        ProgressBar bar;
        bar.setup(40, 120, 160, 14, true);
        bar.setPercent(c.given);
        bar.Draw();
        EXPECT_EQ(bar.percent(), c.shown);
        int textX = 40 + (160 - 6 * int(strlen(c.text))) / 2;
        EXPECT_EQ(textLogContents(), std::to_string(textX) + " 122 0xFFFF " + c.text + "\n");
        for (int y = 118; y < 136; ++y)
            for (int x = 36; x < 204; ++x) {
                bool inside = x >= 40 && x < 200 && y >= 120 && y < 134;
                bool frame = inside && (x == 40 || x == 199 || y == 120 || y == 133);
                uint16_t p = at(x, y);
                if (!inside)
                    ASSERT_EQ(p, 0x7777) << c.given << "% at " << x << "," << y;
                else if (frame)
                    ASSERT_EQ(p, 0xFFFF) << c.given << "% at " << x << "," << y;
                else if (p != 0xFFFF)  // text pixels are white
                    ASSERT_EQ(p, x < 40 + c.filled ? 0x001F : 0x0000)
                        << c.given << "% at " << x << "," << y;
            }
    }
    // Hidden, it draws nothing.
    std::fill(backBuffer(), backBuffer() + kW * kH, uint16_t(0x7777));
    ProgressBar bar;
    bar.setup(40, 120, 160, 14, true);
    bar.flags &= ~Widget::kVisible;
    bar.Draw();
    EXPECT_EQ(std::count(backBuffer(), backBuffer() + kW * kH, 0x7777), kW * kH);
}

}  // namespace

// The built-in pictures decode with the program's own decoder at the sizes the program cuts
// them by, and the colours other parts read from them come back exactly.

#include "raster/image_buffer.h"
#include "screen.h"

namespace {

using ResourceTest = ScreenTest;

TEST_F(ResourceTest, EveryPictureDecodesAtItsSize) {
    const struct {
        int id, width, height;
    } cases[] = {{110, 240, 320}, {121, 240, 81}, {122, 240, 81}, {123, 240, 81},
                 {124, 81, 31},   {125, 226, 44}, {127, 156, 40}, {128, 31, 31}};
    for (const auto& c : cases) {
        ImageBuffer image(c.id);
        ASSERT_TRUE(image.load(nullptr, true)) << "picture " << c.id;
        EXPECT_EQ(image.width(), c.width) << "picture " << c.id;
        EXPECT_EQ(image.height(), c.height) << "picture " << c.id;
    }
    EXPECT_FALSE(ImageBuffer(901).load(nullptr, true)) << "no such picture";
}

TEST_F(ResourceTest, ColoursReadBackExactly) {
    const struct {
        int id, x, y;
        uint16_t colour;
        const char* why;
    } cases[] = {
        {124, 11, 29, 0x2218, "tab page fill read from the selected tab"},
        {124, 80, 30, kTransparent, "unused corner of the control sprites"},
        {125, 0, 0, 0x2145, "panel button face matches the panel strip"},
        {127, 0, 39, kTransparent, "font paper"},
        {128, 0, 0, kTransparent, "sun sprite corner"},
        {122, 0, 0, kTransparent, "keyboard gap"},
    };
    for (const auto& c : cases) {
        ImageBuffer image(c.id);
        ASSERT_TRUE(image.load(nullptr, true));
        EXPECT_EQ(image.pixels()[c.y * image.width() + c.x], c.colour) << c.why;
    }
}

}  // namespace

// Image buffers over giflib-written pictures: header-only sizes, whole loads against giflib's
// decoding, a file changed under the buffer. Rows are the decoder's and the map streaming's
// tests; the blits are checked where they draw (glyphs, sprites, the panel, pictures).
#include "raster/image_buffer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../gif/giflib_io.h"
#include "platform/files.h"

using namespace gifref;

namespace {

std::string writeTempGif(const std::string& name, const std::vector<uint8_t>& bytes) {
    const std::string path = testing::TempDir() + "/" + name;
    EXPECT_TRUE(platform::writeFileAtomic(path, bytes.data(), bytes.size()));
    return path;
}

std::vector<uint16_t> giflib565(const std::vector<uint8_t>& file) {
    std::vector<uint16_t> out;
    EXPECT_TRUE(decodeGiflib565(file, &out));
    return out;
}

std::vector<uint16_t> pixelsOf(const ImageBuffer& image) {
    return {image.pixels(), image.pixels() + image.width() * image.height()};
}

TEST(ImageBuffer, SizeFromTheHeaderThenPixelsLikeGiflib) {
    const std::vector<uint8_t> file = writeWithGiflib(earthLike(90, 45, true, 3));
    ImageBuffer image(writeTempGif("whole.gif", file));
    EXPECT_EQ(image.width(), 90);
    EXPECT_EQ(image.height(), 45);
    EXPECT_EQ(image.pixels(), nullptr);
    ASSERT_TRUE(image.load(nullptr, true));
    EXPECT_EQ(pixelsOf(image), giflib565(file));
    // Into a given destination instead of its own block.
    std::vector<uint16_t> dst(90 * 45);
    ASSERT_TRUE(image.load(dst.data(), true));
    EXPECT_EQ(dst, giflib565(file));
    ImageBuffer missing(testing::TempDir() + "/no such file.gif");
    EXPECT_EQ(missing.width(), 0);
    EXPECT_FALSE(missing.load(nullptr, true));
    EXPECT_EQ(missing.pixels(), nullptr);
}

// The file changes under the buffer: damaged, it keeps the old pixel block; larger, it never
// overruns a destination sized for the old picture.
TEST(ImageBuffer, ChangedFileKeepsThePixelsOrFollowsTheNewSize) {
    std::vector<uint8_t> file = writeWithGiflib(earthLike(20, 10, false, 1));
    ImageBuffer image(writeTempGif("changed.gif", file));
    ASSERT_TRUE(image.load(nullptr, true));
    const uint16_t* before = image.pixels();
    file.resize(file.size() / 2);
    writeTempGif("changed.gif", file);
    EXPECT_FALSE(image.load(nullptr, true));
    EXPECT_EQ(image.pixels(), before);
    std::vector<uint16_t> dst(20 * 10);
    const std::vector<uint8_t> larger = writeWithGiflib(earthLike(40, 30, false, 2));
    writeTempGif("changed.gif", larger);
    EXPECT_FALSE(image.load(dst.data(), true));  // sized for 20 × 10; ASan checks the rest
    ASSERT_TRUE(image.load(nullptr, true));      // its own block follows the new size
    EXPECT_EQ(image.width(), 40);
    EXPECT_EQ(pixelsOf(image), giflib565(larger));
}

}  // namespace

// What an unusable map set leaves behind and says, the interlacing both maps must share, and
// the map size the view learns from a good one. Which main maps are refused, and the missing
// set's message, are the end-to-end tests'.

#include <filesystem>

#include "map_files.h"

namespace {

class MapSetTest : public MapFiles {
  protected:
    void SetUp() override {
        MapFiles::SetUp();
        gOptions.showDayNight = false;
    }
};

// A refused set keeps the texture and is reported once: the options go back to the set in
// use, so that the next rebuild (the periodic shadow update) builds from it and says nothing.
// They used to keep naming the refused files, which every rebuild decoded and reported again.
// An overlay of another size is refused only while it is used.
TEST_F(MapSetTest, RefusedSetGivesBackTheSetInUse) {
    writeUniform("Day.gif", 256, 128, {90, 90, 90});
    writeUniform("Night.gif", 256, 128, {9, 9, 9});
    writeUniform("Small.gif", 128, 64, {9, 9, 9});
    writeUniform("Square.gif", 128, 128, {9, 9, 9});
    writeUniform("Cut.gif", 256, 128, {1, 2, 3});
    const auto cut = root_ / "home" / "maps" / "Cut.gif";
    std::filesystem::resize_file(cut, std::filesystem::file_size(cut) / 2);
    gOptions.mainMapFile = "Cut.gif";
    int32_t w = 0, h = 0;
    ASSERT_EQ(checkMapSet(false, &w, &h), 0) << "the header is whole: the pixels are refused";
    struct Case {
        const char* what;
        MapChoice inUse, refused;
    } cases[] = {
        {"main map's pixels cut off",
         {"Day.gif", "Night.gif", true},
         {"Cut.gif", "Night.gif", true}},
        {"main map of another shape",
         {"Day.gif", "Night.gif", false},
         {"Square.gif", "Night.gif", false}},
        {"overlay of another size", {"Day.gif", "Night.gif", true}, {"Day.gif", "Small.gif", true}},
        {"overlay switched on", {"Day.gif", "Small.gif", false}, {"Day.gif", "Small.gif", true}},
    };
    for (const Case& c : cases) {
        gMapSet = MapSet{};
        gOptions.mainMapFile = c.inUse.mainMapFile;
        gOptions.overlayMapFile = c.inUse.overlayMapFile;
        gOptions.useOverlayMap = c.inUse.useOverlayMap;
        ASSERT_EQ(rebuildTexture(false), 0) << c.what;
        ASSERT_TRUE(gMapSet.mapTexture) << c.what;
        EXPECT_FALSE(gMapSetMessage.pending) << c.what;
        const uint16_t before = texel(10, 10);
        const uint16_t* kept = gMapSet.mapTexture.get();
        gOptions.mainMapFile = c.refused.mainMapFile;
        gOptions.overlayMapFile = c.refused.overlayMapFile;
        gOptions.useOverlayMap = c.refused.useOverlayMap;
        gMapSetMessage = MapSetMessage{};
        ASSERT_EQ(rebuildTexture(true), 0) << c.what;
        EXPECT_EQ(gMapSet.mapTexture.get(), kept) << c.what;
        EXPECT_EQ(gMapSet.textureWidth, 256) << c.what;
        MapSetMessage shown;
        EXPECT_TRUE(takeMapSetMessage(&shown)) << c.what;
        EXPECT_FALSE(gMapSetMessage.pending) << c.what << ": taken";
        EXPECT_EQ(shown.text, kMapSetKeptText) << c.what;
        EXPECT_FALSE(shown.openOptionsOnClose) << c.what;
        EXPECT_EQ(gOptions.mainMapFile, c.inUse.mainMapFile) << c.what;
        EXPECT_EQ(gOptions.overlayMapFile, c.inUse.overlayMapFile) << c.what;
        EXPECT_EQ(gOptions.useOverlayMap, c.inUse.useOverlayMap) << c.what;
        const uint64_t generation = gTextureGeneration;
        ASSERT_EQ(rebuildTexture(true), 0) << c.what;  // the next periodic rebuild
        EXPECT_FALSE(gMapSetMessage.pending) << c.what;
        EXPECT_NE(gTextureGeneration, generation) << c.what << ": built anew from the set in use";
        EXPECT_EQ(texel(10, 10), before) << c.what;
    }
}

TEST_F(MapSetTest, OverlayMustShareTheMainMapsInterlacing) {
    // Both maps are streamed row by row in stored order: mixed orders cannot be combined.
    auto write = [&](const char* name, bool interlaced) {
        writeMap(
            name, 64, 32, {{1, 1, 1}, {200, 200, 200}}, [](int, int y) { return y & 1; },
            interlaced);
    };
    write("Day.gif", false);
    write("Night.gif", true);
    int32_t w = 0, h = 0;
    EXPECT_EQ(checkMapSet(true, &w, &h), -5);
    write("Day.gif", true);
    EXPECT_EQ(checkMapSet(true, &w, &h), 0);
}

TEST_F(MapSetTest, FlatMapKeepsItsOwnHeightAcrossAMapChange) {
    gOptions.useOverlayMap = false;
    writeUniform("Day.gif", 1024, 512, {90, 90, 90});
    ASSERT_EQ(rebuildTexture(false), 0);
    gView.offsetX = 1000;
    writeUniform("Day.gif", 2048, 1024, {90, 90, 90});
    ASSERT_EQ(rebuildTexture(false), 0);
    EXPECT_EQ(gView.mapHeight, 1024);
    EXPECT_EQ(gView.planarHeight, -1);
    EXPECT_EQ(gView.offsetX, 2000);  // the same longitude at the left edge
}

}  // namespace

// Start-up, shutdown and the single-copy rule, run end to end on the headless program.
#include <gif_lib.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

#include "embedded_resources.h"
#include "platform/png.h"
#include "run_program.h"

namespace {

struct GifBytes {
    const uint8_t* data;
    size_t size, pos;
};

int readGifBytes(GifFileType* gif, GifByteType* out, int n) {
    auto* src = static_cast<GifBytes*>(gif->UserData);
    size_t take = std::min(static_cast<size_t>(n), src->size - src->pos);
    std::memcpy(out, src->data + src->pos, take);
    src->pos += take;
    return static_cast<int>(take);
}

// The splash as giflib decodes the embedded picture, in RGB565.
std::vector<uint16_t> splashByGiflib() {
    size_t count = 0;
    const platform::Resource* table = embeddedResources(&count);
    const platform::Resource* splash = nullptr;
    for (size_t i = 0; i < count; ++i)
        if (table[i].id == 110) splash = &table[i];
    if (!splash) return {};
    GifBytes src{splash->data, splash->size, 0};
    int error = 0;
    GifFileType* gif = DGifOpen(&src, readGifBytes, &error);
    if (!gif || DGifSlurp(gif) != GIF_OK || gif->ImageCount < 1) return {};
    const SavedImage& image = gif->SavedImages[0];
    const ColorMapObject* map =
        image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
    std::vector<uint16_t> out;
    for (int i = 0; i < image.ImageDesc.Width * image.ImageDesc.Height; ++i) {
        GifColorType c = map->Colors[image.RasterBits[i]];
        out.push_back(
            static_cast<uint16_t>(((c.Red & 0xF8) << 8) | ((c.Green & 0xFC) << 3) | (c.Blue >> 3)));
    }
    DGifCloseFile(gif, &error);
    return out;
}

TEST(Lifecycle, StartupShowsTheSplashAndQuitsCleanly) {
    TempFolder folder;
    ProgramRun run = runScript(folder, "clock 2027-03-20T12:00:00Z\nshot " + folder.file("a.png") +
                                           "\ntexts " + folder.file("a.txt") + "\nquit\n");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::vector<uint16_t> shot;
    int w = 0, h = 0;
    ASSERT_TRUE(platform::readPng565(folder.file("a.png"), &shot, &w, &h));
    ASSERT_EQ(w, 240);
    ASSERT_EQ(h, 320);
    std::vector<uint16_t> splash = splashByGiflib();
    ASSERT_EQ(splash.size(), shot.size());
    // Outside the band of the start-up text and progress bar the screen is the splash.
    int differing = 0;
    for (int y = 0; y < 320; ++y) {
        if (y >= 100 && y < 140) continue;
        for (int x = 0; x < 240; ++x) differing += shot[y * 240 + x] != splash[y * 240 + x];
    }
    EXPECT_EQ(differing, 0);
    // The start-up texts, and the progress bar filled to its right end.
    std::string texts = readText(folder.file("a.txt"));
    EXPECT_NE(texts.find("50 106 0xFFFF Initializing...\n"), std::string::npos) << texts;
    EXPECT_NE(texts.find(" 100 %\n"), std::string::npos) << texts;
    const uint16_t fill = shot[127 * 240 + 45];
    EXPECT_NE(fill, splash[127 * 240 + 45]);
    for (int x = 45; x < 195; x += 10)
        if (x < 100 || x > 140) EXPECT_EQ(shot[127 * 240 + x], fill) << "column " << x;
    // Settings were saved by the orderly exit.
    struct stat st;
    EXPECT_EQ(stat(folder.file("settings.ini").c_str(), &st), 0);
}

TEST(Lifecycle, SecondCopyAsksTheFirstToComeForwardAndExitsZero) {
    TempFolder folder;
    int first = startScript(folder, "raised\nquit\n", "first");
    // The first copy listens once it holds the lock.
    struct stat st;
    for (int i = 0; i < 200 && stat(folder.file("mundora.sock").c_str(), &st) != 0; ++i)
        usleep(50000);
    ASSERT_EQ(stat(folder.file("mundora.sock").c_str(), &st), 0);
    ProgramRun second = runScript(folder, "shot " + folder.file("second.png") + "\nquit\n");
    EXPECT_EQ(second.exitCode, 0) << second.err;
    EXPECT_NE(stat(folder.file("second.png").c_str(), &st), 0) << "the second copy ran a script";
    ProgramRun firstRun = waitRun(first, folder, "first");
    EXPECT_EQ(firstRun.exitCode, 0) << firstRun.err;
}

TEST(Lifecycle, BadScriptStopsWithItsLineNumber) {
    TempFolder folder;
    ProgramRun run = runScript(folder, "wait 100\n# fine\nfly 1 2\nquit\n");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("run.script:3: unknown command 'fly'"), std::string::npos) << run.err;
}

}  // namespace

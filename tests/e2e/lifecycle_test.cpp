// Start-up, shutdown and the single-copy rule, run end to end on the headless program.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>

#include "../gif/giflib_io.h"
#include "embedded_resources.h"
#include "platform/png.h"
#include "platform/resources.h"
#include "run_program.h"

namespace {

// The splash as giflib decodes the embedded picture, in RGB565 (findResource looks it up in
// the same table the program registers).
std::vector<uint16_t> splashByGiflib() {
    size_t count = 0;
    platform::registerResources(embeddedResources(&count), count);
    const platform::Resource* splash = platform::findResource(110);
    std::vector<uint16_t> out;
    if (splash) gifref::decodeGiflib565({splash->data, splash->data + splash->size}, &out);
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
    // A client that connects and sends nothing used to hold the first copy in a blocking
    // read for ever; it is dropped (its end sees the connection closed) and the copy goes on.
    int silent = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", folder.file("mundora.sock").c_str());
    ASSERT_EQ(connect(silent, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    pollfd p{silent, POLLIN, 0};
    char byte;
    EXPECT_EQ(poll(&p, 1, 60000), 1) << "the silent client was not dropped";
    EXPECT_EQ(recv(silent, &byte, 1, MSG_DONTWAIT), 0);
    close(silent);
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

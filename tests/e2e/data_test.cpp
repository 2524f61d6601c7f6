// The program with damaged or missing data, end to end: it always comes up and keeps
// running, and an unusable map set is reported in the message box.
#include <gif_lib.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "platform/png.h"
#include "run_program.h"

namespace {

const std::string kData = MUNDORA_BINARY_DIR "/data";

void copyFile(const std::string& from, const std::string& to) {
    std::ifstream in(from, std::ios::binary);
    std::ofstream(to, std::ios::binary) << in.rdbuf();
}

// A grey GIF of the given size written by giflib.
void writeGif(const std::string& path, int width, int height) {
    int error = 0;
    GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
    ASSERT_NE(gif, nullptr);
    GifColorType colours[2] = {{0, 0, 0}, {128, 128, 128}};
    ColorMapObject* map = GifMakeMapObject(2, colours);
    EGifPutScreenDesc(gif, width, height, 1, 0, map);
    EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr);
    std::vector<GifPixelType> row(static_cast<size_t>(width), 1);
    for (int y = 0; y < height; ++y) EGifPutLine(gif, row.data(), width);
    GifFreeMapObject(map);
    EGifCloseFile(gif, &error);
}

// A home folder with the build's maps, arranged by `prepare`, and no cities.bin.
struct Home : TempFolder {
    Home() {
        std::system(("mkdir -p " + file("maps")).c_str());
        for (const char* m : {"Day.gif", "Night.gif", "Night1024.gif"})
            copyFile(kData + "/maps/" + m, file("maps/") + m);
    }
};

// Runs a short session on `home`; returns the texts of the first frames.
std::string firstTexts(const Home& home, ProgramRun* run) {
    TempFolder state;
    *run = runScript(state,
                     "wait 200\ntexts " + state.file("t") + "\nshot " + state.file("s.png") +
                         "\ntap 120 160\nwait 200\nquit\n",
                     home.path);
    return readText(state.file("t"));
}

// A FIFO in place of cities.bin or settings.ini used to stall start-up for ever in a
// blocking open; it is refused like a missing file, and the next save replaces the FIFO.
TEST(Data, WithoutCitiesOrSettingsTheGlobeStillComesUp) {
    struct Case {
        const char* what;
        const char* homeFifo;   // a FIFO in the home folder under this name
        const char* stateFifo;  // a FIFO in the state folder under this name
    } cases[] = {
        {"no cities.bin", nullptr, nullptr},
        {"a FIFO as cities.bin", "cities.bin", nullptr},
        {"a FIFO as settings.ini", nullptr, "settings.ini"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Home home;
        TempFolder state;
        if (c.homeFifo) ASSERT_EQ(mkfifo(home.file(c.homeFifo).c_str(), 0644), 0);
        if (c.stateFifo) ASSERT_EQ(mkfifo(state.file(c.stateFifo).c_str(), 0644), 0);
        // Noon over the Americas, which the default view faces: the disc is lit whatever the
        // hour.
        ProgramRun run = runScript(
            state, "clock 2027-03-20T17:00:00Z\nwait 200\nshot " + state.file("s.png") + "\nquit\n",
            home.path);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        std::vector<uint16_t> shot;
        int w, h;
        ASSERT_TRUE(platform::readPng565(state.file("s.png"), &shot, &w, &h));
        int lit = 0;  // the globe's disc is not background
        for (int y = 100; y < 220; ++y)
            for (int x = 60; x < 180; ++x) lit += shot[y * 240 + x] != 0;
        EXPECT_GT(lit, 100 * 100);
        struct stat st;
        ASSERT_EQ(stat(state.file("settings.ini").c_str(), &st), 0);
        EXPECT_TRUE(S_ISREG(st.st_mode));
    }
}

// A home folder without maps, or none at all, is also named in one line on standard error
// (it used to pass in silence).
TEST(Data, UnusableMapSetsAreReportedAndTheProgramGoesOn) {
    struct Case {
        const char* what;
        void (*spoil)(const Home&);
        const char* said = "";  // on standard error, after "mundora: home folder HOME"
    } cases[] = {
        {"missing", [](const Home& h) { std::remove(h.file("maps/Day.gif").c_str()); }},
        {"truncated",
         [](const Home& h) {
             std::ifstream in(h.file("maps/Day.gif"), std::ios::binary);
             std::string bytes(4000, '\0');
             in.read(bytes.data(), 4000);
             std::ofstream(h.file("maps/Day.gif"), std::ios::binary) << bytes;
         }},
        {"not twice as wide", [](const Home& h) { writeGif(h.file("maps/Day.gif"), 1000, 512); }},
        {"overlay of another size",
         [](const Home& h) { copyFile(h.file("maps/Night1024.gif"), h.file("maps/Night.gif")); }},
        {"garbage", [](const Home& h) { std::ofstream(h.file("maps/Day.gif")) << "GIF89a junk"; }},
        {"no maps", [](const Home& h) { std::system(("rm -r " + h.file("maps")).c_str()); },
         " holds no maps"},
        {"no home folder", [](const Home& h) { std::system(("rm -r " + h.path).c_str()); },
         " does not exist"},
        // Opening it used to wait for a writer for ever.
        {"a FIFO",
         [](const Home& h) {
             std::remove(h.file("maps/Day.gif").c_str());
             mkfifo(h.file("maps/Day.gif").c_str(), 0644);
         }},
    };
    for (const Case& c : cases) {
        Home home;
        c.spoil(home);
        ProgramRun run;
        std::string texts = firstTexts(home, &run);
        EXPECT_EQ(run.exitCode, 0) << c.what;
        const std::string said = *c.said ? "mundora: home folder " + home.path + c.said : "";
        EXPECT_EQ(run.err.rfind(said, 0), 0u) << c.what << "\n" << run.err;  // begins with it
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), *c.said ? 1 : 0) << c.what;
        EXPECT_NE(texts.find("The texture map files currently"), std::string::npos)
            << c.what << ":\n"
            << texts;
        EXPECT_NE(texts.find("from the options dialog."), std::string::npos) << c.what;
    }
}

// The route file named in the settings at start-up: a broken one is named with its fault in
// one line on standard error and the program goes on without it; a good one is loaded. Either
// name is saved back at exit.
TEST(Data, StoredRouteFileIsLoadedOrNamedOnStandardError) {
    const std::string railway = "Trans-Siberian Railway.xml";
    struct Case {
        std::string file;
        std::string err;
        int points;
    } cases[] = {
        {"broken.xml",
         "mundora: route file broken.xml not loaded: line 3: lat 91 is outside -90 .. 90 "
         "degrees\n",
         0},
        {railway, "", 20},
    };
    TempFolder home;  // the build's maps, a sample route and a broken one
    ASSERT_EQ(symlink((kData + "/maps").c_str(), home.file("maps").c_str()), 0);
    ASSERT_EQ(mkdir(home.file("routes").c_str(), 0755), 0);
    copyFile(kData + "/routes/" + railway, home.file("routes/" + railway));
    std::ofstream(home.file("routes/broken.xml"))
        << "<route color='red'>\n<point lat='45'>A</point>\n<point lat='91'>B</point>\n</route>\n";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        TempFolder state;
        std::ofstream(state.file("settings.ini"))
            << "[Route]\nRouteFileName=\"" << c.file << "\"\n";
        ProgramRun run =
            runScript(state, "wait 200\nview " + state.file("v") + "\nquit\n", home.path);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.err, c.err);
        const std::string view = readText(state.file("v"));
        EXPECT_NE(view.find("routePoints=" + std::to_string(c.points) + "\n"), std::string::npos)
            << view;
        EXPECT_NE(view.find("frames="), std::string::npos);
        EXPECT_NE(readText(state.file("settings.ini")).find("RouteFileName=\"" + c.file + "\""),
                  std::string::npos);
    }
}

}  // namespace

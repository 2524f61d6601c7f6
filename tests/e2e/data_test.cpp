// The program with damaged or missing data, end to end: it always comes up and keeps
// running, and an unusable map set is reported in the message box.
#include <gif_lib.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>

#include "platform/png.h"
#include "run_program.h"

namespace {

const std::string kData = MUNDORA_BINARY_DIR "/data";

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

// `text` with every "{home}" replaced by `home`.
std::string withHome(std::string text, const std::string& home) {
    for (size_t at; (at = text.find("{home}")) != std::string::npos;) text.replace(at, 6, home);
    return text;
}

// Checks that standard error holds each of `said` (with {home} filled in) and nothing else,
// one line each.
void expectSaid(const ProgramRun& run, const std::vector<std::string>& said,
                const std::string& home, const char* what) {
    for (const std::string& line : said)
        EXPECT_NE(run.err.find(withHome(line, home)), std::string::npos) << what << "\n" << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), long(said.size())) << what << "\n"
                                                                                   << run.err;
}

// Cuts the file at `path` to its first `bytes` bytes.
void cutFile(const std::string& path, size_t bytes) {
    std::string data = readText(path);
    std::ofstream(path, std::ios::binary) << data.substr(0, bytes);
}

// Runs a short session on `home`: the texts of the first frames, and the view while a
// press on the middle of the screen is held and after a tap on (120, 214).
std::string firstTexts(const Home& home, ProgramRun* run, std::map<std::string, long> views[2]) {
    TempFolder state;
    *run = runScript(state,
                     "wait 200\ntexts " + state.file("t") + "\ndown 120 160\nview " +
                         state.file("held") + "\nup 120 160\ntap 120 214\nwait 200\nview " +
                         state.file("tapped") + "\nquit\n",
                     home.path);
    views[0] = readView(state.file("held"));
    views[1] = readView(state.file("tapped"));
    return readText(state.file("t"));
}

// A FIFO in place of cities.bin or settings.ini used to stall start-up for ever in a
// blocking open; it is refused like a missing file, and the next save replaces the FIFO. A
// city file that cannot be used is named with its fault on standard error (this used to pass
// in silence).
TEST(Data, WithoutCitiesOrSettingsTheGlobeStillComesUp) {
    struct Case {
        const char* what;
        void (*spoil)(const Home&, const TempFolder& state);
        std::vector<std::string> said;
    } cases[] = {
        {"no cities.bin",
         [](const Home& h, const TempFolder&) { std::remove(h.file("cities.bin").c_str()); },
         {"mundora: city file {home}/cities.bin: cannot be read (No such file or directory); "
          "going on without cities"}},
        {"a FIFO as cities.bin",
         [](const Home& h, const TempFolder&) {
             std::remove(h.file("cities.bin").c_str());
             mkfifo(h.file("cities.bin").c_str(), 0644);
         },
         {"mundora: city file {home}/cities.bin: cannot be read (it is not a regular file); "
          "going on without cities"}},
        {"cities.bin cut in its country table",
         [](const Home& h, const TempFolder&) { cutFile(h.file("cities.bin"), 1000); },
         {"mundora: city file {home}/cities.bin: file too short: 1000 bytes, needs at least "
          "25616; going on without cities"}},
        {"cities.bin cut in its records",
         [](const Home& h, const TempFolder&) { cutFile(h.file("cities.bin"), 500001); },
         {"mundora: city file {home}/cities.bin: record at "}},
        {"a FIFO as settings.ini",
         [](const Home&, const TempFolder& state) {
             mkfifo(state.file("settings.ini").c_str(), 0644);
         },
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Home home;
        TempFolder state;
        c.spoil(home, state);
        // Noon over the Americas, which the default view faces: the disc is lit whatever the
        // hour.
        ProgramRun run = runScript(
            state, "clock 2027-03-20T17:00:00Z\nwait 200\nshot " + state.file("s.png") + "\nquit\n",
            home.path);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        expectSaid(run, c.said, home.path, c.what);
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

// A home folder without maps, or none at all, is also named in one line on standard error,
// and so is the fault of the map set start-up could not use (both used to pass in silence,
// and maps that are all FIFOs used to be reported as no .gif files at all).
TEST(Data, UnusableMapSetsAreReportedAndTheProgramGoesOn) {
    const std::string unusable = "mundora: the maps cannot be used: {home}/maps/";
    struct Case {
        const char* what;
        void (*spoil)(const Home&);
        std::vector<std::string> said;
    } cases[] = {
        {"missing",
         [](const Home& h) { std::remove(h.file("maps/Day.gif").c_str()); },
         {unusable + "Day.gif cannot be read (No such file or directory)"}},
        {"truncated",
         [](const Home& h) { cutFile(h.file("maps/Day.gif"), 4000); },
         {unusable + "Day.gif has image data that is damaged or ends early"}},
        {"not twice as wide",
         [](const Home& h) { writeGif(h.file("maps/Day.gif"), 1000, 512); },
         {unusable + "Day.gif is 1000 x 512 pixels, not twice as wide as high"}},
        {"overlay of another size",
         [](const Home& h) { copyFile(h.file("maps/Night1024.gif"), h.file("maps/Night.gif")); },
         {unusable + "Night.gif is 1024 x 512 pixels, not the main map's 2048 x 1024 pixels"}},
        {"garbage",
         [](const Home& h) { std::ofstream(h.file("maps/Day.gif")) << "GIF89a junk"; },
         {unusable + "Day.gif is not a GIF picture the program can decode"}},
        {"no maps",
         [](const Home& h) { std::system(("rm -r " + h.file("maps")).c_str()); },
         {"mundora: home folder {home} holds no maps (no folder {home}/maps)",
          unusable + "Day.gif cannot be read (No such file or directory)"}},
        {"no home folder",
         [](const Home& h) { std::system(("rm -r " + h.path).c_str()); },
         {"mundora: home folder {home} does not exist: no cities and no maps"}},
        {"home is a file",
         [](const Home& h) {
             std::system(("rm -r " + h.path).c_str());
             std::ofstream(h.path) << "not a folder";
         },
         {"mundora: home folder {home} is a file, not a folder: no cities and no maps"}},
        // Opening it used to wait for a writer for ever.
        {"a FIFO",
         [](const Home& h) {
             std::remove(h.file("maps/Day.gif").c_str());
             mkfifo(h.file("maps/Day.gif").c_str(), 0644);
         },
         {unusable + "Day.gif cannot be read (it is not a regular file)"}},
        {"every map a FIFO",
         [](const Home& h) {
             for (const char* m : {"maps/Day.gif", "maps/Night.gif", "maps/Night1024.gif"}) {
                 std::remove(h.file(m).c_str());
                 mkfifo(h.file(m).c_str(), 0644);
             }
         },
         {"mundora: home folder {home} holds no usable maps ({home}/maps/Day.gif and 2 more are "
          "not regular files)",
          unusable + "Day.gif cannot be read (it is not a regular file)"}},
    };
    for (const Case& c : cases) {
        Home home;
        c.spoil(home);
        ProgramRun run;
        std::map<std::string, long> views[2];
        std::string texts = firstTexts(home, &run, views);
        EXPECT_EQ(run.exitCode, 0) << c.what;
        expectSaid(run, c.said, home.path, c.what);
        EXPECT_NE(texts.find("The texture map files currently"), std::string::npos)
            << c.what << ":\n"
            << texts;
        EXPECT_NE(texts.find("of map files from the options"), std::string::npos) << c.what;
        // It is the toolkit's message box: its text takes a press without it reaching the
        // globe. Seven lines of at most 31 characters make the box 7 × 10 + 58 pixels high
        // from y 99, so its OK button lies at y 207 .. 222, centred; OK closes it.
        EXPECT_NE(texts.find("103 103 0xFFFF ERROR\n"), std::string::npos) << c.what;
        EXPECT_EQ(views[0]["modal"], 2) << c.what;
        EXPECT_EQ(views[0]["pressX"], -1) << c.what;
        EXPECT_EQ(views[1]["modal"], 0) << c.what;
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
    TempFolder home;  // the build's maps and cities, a sample route and a broken one
    for (const char* shared : {"maps", "cities.bin"})
        ASSERT_EQ(symlink((kData + "/" + shared).c_str(), home.file(shared).c_str()), 0);
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

// The program with damaged or missing data, end to end: it always comes up and keeps
// running, and an unusable map set is reported in the message box.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>

#include "../gif/giflib_io.h"
#include "session.h"

namespace {

const std::string kData = MUNDORA_BINARY_DIR "/data";

// A grey GIF of the given size written by giflib.
void writeGif(const std::string& path, int width, int height) {
    ASSERT_TRUE(gifref::writeGifFile(
        path, gifref::picture(width, height, {{128, 128, 128}}, [](int, int) { return 0; })));
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
        Session run("wait 200\nshot s.png", home.path, state.path);
        expectSaid(run.run, c.said, home.path, c.what);
        const std::vector<uint16_t> shot = run.shot("s.png");
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
        // The texts of the first frames, and the view while a press on the middle of the
        // screen is held and after a tap on (120, 214).
        Session run(
            "wait 200\ntexts t\ndown 120 160\nview held\nup 120 160\ntap 120 214\n"
            "wait 200\nview tapped",
            home.path);
        expectSaid(run.run, c.said, home.path, c.what);
        const std::string texts = run.text("t");
        EXPECT_NE(texts.find("The texture map files currently"), std::string::npos)
            << c.what << ":\n"
            << texts;
        EXPECT_NE(texts.find("of map files from the options"), std::string::npos) << c.what;
        // It is the toolkit's message box: its text takes a press without it reaching the
        // globe. Seven lines of at most 31 characters make the box 7 × 10 + 58 pixels high
        // from y 99, so its OK button lies at y 207 .. 222, centred; OK closes it.
        EXPECT_NE(texts.find("103 103 0xFFFF ERROR\n"), std::string::npos) << c.what;
        EXPECT_EQ(run.view("held")["modal"], 2) << c.what;
        EXPECT_EQ(run.view("held")["pressX"], -1) << c.what;
        EXPECT_EQ(run.view("tapped")["modal"], 0) << c.what;
    }
}

// The route file named in the settings at start-up: a broken one is named with its fault in
// one line on standard error and the program goes on without it; a good one is loaded, and
// the first five pictures it leaves out are named. Either name is saved back at exit, and so
// is a name that cannot be used. These used to pass without a word: a link out of routes/
// (it was loaded), left-out pictures, and a name with "/" or a stray quote (then erased).
TEST(Data, StoredRouteFileIsLoadedOrNamedOnStandardError) {
    const std::string railway = "Trans-Siberian Railway.xml";
    std::string pictures;
    for (char c = 'a'; c < 'f'; ++c)
        pictures += std::string("mundora: route file pictures.xml: picture ") + c +
                    ".gif left out: No such file or directory\n";
    const std::string settingsLine = "mundora: settings file {home}/settings.ini: RouteFileName=";
    struct Case {
        std::string file;
        std::string err;  // {home}: the state folder
        int points;
    } cases[] = {
        {"broken.xml",
         "mundora: route file broken.xml not loaded: line 3: lat 91 is outside -90 .. 90 "
         "degrees\n",
         0},
        {railway, "", 20},
        {"link.xml",
         "mundora: route file link.xml not loaded: leads out of routes/ through a symbolic "
         "link\n",
         0},
        {"pictures.xml",
         pictures + "mundora: route file pictures.xml: and 2 more pictures left out\n", 7},
        {"sub/a.xml",
         settingsLine + "\"sub/a.xml\" not used: not a plain file name (it holds a \"/\"); kept "
                        "as it is\n",
         0},
        {"a\"b.xml",
         settingsLine + "\"a\"b.xml\" not used: a stray quote or backslash; kept as it is\n", 0},
    };
    TempFolder home;  // the build's maps and cities, a sample route and a broken one
    for (const char* shared : {"maps", "cities.bin"})
        ASSERT_EQ(symlink((kData + "/" + shared).c_str(), home.file(shared).c_str()), 0);
    ASSERT_EQ(mkdir(home.file("routes").c_str(), 0755), 0);
    copyFile(kData + "/routes/" + railway, home.file("routes/" + railway));
    std::ofstream(home.file("routes/broken.xml"))
        << "<route color='red'>\n<point lat='45'>A</point>\n<point lat='91'>B</point>\n</route>\n";
    copyFile(kData + "/routes/" + railway, home.file("outside.xml"));
    ASSERT_EQ(symlink("../outside.xml", home.file("routes/link.xml").c_str()), 0);
    std::ofstream xml(home.file("routes/pictures.xml"));
    xml << "<route color='red'>";
    for (char c = 'a'; c < 'h'; ++c) xml << "<point img='" << c << ".gif'/>";
    xml << "</route>\n";
    xml.close();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        TempFolder state;
        std::ofstream(state.file("settings.ini"))
            << "[Route]\nRouteFileName=\"" << c.file << "\"\n";
        Session run("wait 200\nview v", home.path, state.path);
        EXPECT_EQ(run.run.err, withHome(c.err, state.path));
        const std::string view = run.text("v");
        EXPECT_NE(view.find("routePoints=" + std::to_string(c.points) + "\n"), std::string::npos)
            << view;
        EXPECT_NE(view.find("frames="), std::string::npos);
        EXPECT_NE(readText(state.file("settings.ini")).find("RouteFileName=\"" + c.file + "\""),
                  std::string::npos);
    }
}

}  // namespace

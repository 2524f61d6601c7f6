// The program with damaged or missing data, end to end: it always comes up and keeps
// running, names each problem in one line on standard error, and reports an unusable map set
// in the message box.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "../gif/giflib_io.h"
#include "session.h"

namespace {

const std::string kData = MUNDORA_BINARY_DIR "/data";

// Checks that standard error holds each of the lines of `said` (each ending in "|", and
// possibly cut short) and nothing else.
void expectSaid(const std::string& err, const std::string& said) {
    std::istringstream lines(said);
    for (std::string line; std::getline(lines, line, '|');)
        EXPECT_NE(err.find(line), std::string::npos) << line << "\n" << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), std::count(said.begin(), said.end(), '|'))
        << err;
}

// Each spoiled home folder or state folder, as a shell command. These problems used to pass
// in silence. A FIFO in place of cities.bin, settings.ini or a map used to stall start-up for
// ever in a blocking open; it is refused like a missing file, and the next save replaces the
// FIFO settings.ini. Maps that are all FIFOs used to be reported as no .gif files at all.
TEST(Data, DamagedOrMissingDataIsNamedAndTheProgramGoesOn) {
    TempFolder pictures;
    ASSERT_TRUE(gifref::writeGifFile(
        pictures.file("wide.gif"),
        gifref::picture(1000, 512, {{128, 128, 128}}, [](int, int) { return 0; })));
    const std::string city = "mundora: city file {home}/cities.bin: ", onward = "; going on",
                      maps = "mundora: the maps cannot be used: {home}/maps/";
    const std::string fifo = "cannot be read (it is not a regular file)";
    const struct {
        const char* spoil;
        bool mapsUnusable;  // the map message box shows, else the globe
        std::string said;   // the lines on standard error, each ending in "|"
    } cases[] = {
        {"rm {home}/cities.bin", false,
         city + "cannot be read (No such file or directory)" + onward + " without cities|"},
        {"rm {home}/cities.bin; mkfifo {home}/cities.bin", false,
         city + fifo + onward + " without cities|"},
        {"truncate -s 1000 {home}/cities.bin", false,
         city + "file too short: 1000 bytes, needs at least 25616" + onward + " without cities|"},
        {"truncate -s 500001 {home}/cities.bin", false, city + "record at |"},
        {"mkfifo {state}/settings.ini", false, ""},
        {"rm {home}/maps/Day.gif", true,
         maps + "Day.gif cannot be read (No such file or directory)|"},
        {"truncate -s 4000 {home}/maps/Day.gif", true,
         maps + "Day.gif has image data that is damaged or ends early|"},
        {"cp {pictures}/wide.gif {home}/maps/Day.gif", true,
         maps + "Day.gif is 1000 x 512 pixels, not twice as wide as high|"},
        {"cp {home}/maps/Night1024.gif {home}/maps/Night.gif", true,
         maps + "Night.gif is 1024 x 512 pixels, not the main map's 2048 x 1024 pixels|"},
        {"printf 'GIF89a junk' >{home}/maps/Day.gif", true,
         maps + "Day.gif has a damaged GIF header|"},
        {"rm -r {home}/maps", true,
         "mundora: home folder {home} holds no maps (no folder {home}/maps)|" + maps +
             "Day.gif cannot be read (No such file or directory)|"},
        {"rm -r {home}", true,
         "mundora: home folder {home} does not exist: no cities and no maps|"},
        {"rm -r {home}; echo file >{home}", true,
         "mundora: home folder {home} is a file, not a folder: no cities and no maps|"},
        {"rm {home}/maps/Day.gif; mkfifo {home}/maps/Day.gif", true,
         maps + "Day.gif " + fifo + "|"},
        {"cd {home}/maps; rm *.gif; mkfifo Day.gif Night.gif Night1024.gif", true,
         "mundora: home folder {home} holds no usable maps ({home}/maps/Day.gif and 2 more are "
         "not regular files)|" +
             maps + "Day.gif " + fifo + "|"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.spoil);
        Home home;
        TempFolder state;
        const std::map<std::string, std::string> names = {
            {"{home}", home.path}, {"{state}", state.path}, {"{pictures}", pictures.path}};
        ASSERT_EQ(std::system(filled(c.spoil, names).c_str()), 0);
        // The first frames, then a press held on the middle of the screen and a tap on
        // (120, 214), where the map message box has its OK button.
        Session run(
            "wait 200\nshot s.png\ntexts t\ndown 120 160\nview held\nup 120 160\n"
            "tap 120 214\nwait 200\nview tapped",
            home.path, state.path);
        expectSaid(run.run.err, filled(c.said, names));
        struct stat st;
        ASSERT_EQ(stat(state.file("settings.ini").c_str(), &st), 0);
        EXPECT_TRUE(S_ISREG(st.st_mode));
        const std::string texts = run.text("t");
        EXPECT_EQ(texts.find("The texture map files currently") != std::string::npos,
                  c.mapsUnusable)
            << texts;
        if (!c.mapsUnusable) {
            const std::vector<uint16_t> shot = run.shot("s.png");
            int lit = 0;  // the globe's disc is not background
            for (int y = 100; y < 220; ++y)
                for (int x = 60; x < 180; ++x) lit += shot[y * 240 + x] != 0;
            EXPECT_GT(lit, 100 * 100);
            continue;
        }
        EXPECT_NE(texts.find("of map files from the options"), std::string::npos);
        // It is the toolkit's message box: its text takes a press without it reaching the
        // globe. Seven lines of at most 31 characters make the box 7 × 10 + 58 pixels high
        // from y 99, so its OK button lies at y 207 .. 222, centred; OK closes it.
        EXPECT_NE(texts.find("103 103 0xFFFF ERROR\n"), std::string::npos);
        EXPECT_EQ(run.view("held")["modal"], 2);
        EXPECT_EQ(run.view("held")["pressX"], -1);
        EXPECT_EQ(run.view("tapped")["modal"], 0);
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
         "mundora: route file broken.xml not loaded: line 3: lat 91 is outside -90 .. 90 degrees\n",
         0},
        {railway, "", 20},
        {"link.xml",
         "mundora: route file link.xml not loaded: leads out of routes/ through a symbolic link\n",
         0},
        {"pictures.xml",
         pictures + "mundora: route file pictures.xml: and 2 more pictures left out\n", 7},
        {"sub/a.xml",
         settingsLine +
             "\"sub/a.xml\" not used: not a plain file name (it holds a \"/\"); kept as it is\n",
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
        EXPECT_EQ(run.run.err, filled(c.err, {{"{home}", state.path}}));
        const std::string view = run.text("v");
        EXPECT_NE(view.find("routePoints=" + std::to_string(c.points) + "\n"), std::string::npos)
            << view;
        EXPECT_NE(view.find("frames="), std::string::npos);
        EXPECT_NE(readText(state.file("settings.ini")).find("RouteFileName=\"" + c.file + "\""),
                  std::string::npos);
    }
}

}  // namespace

// The options dialog end to end: opened with command 2003 and driven by taps at the places
// of its pages, its effects read back from the texts drawn, the screen, the view state and
// the settings.ini the run leaves.
#include <filesystem>
#include <fstream>

#include "session.h"
#include "shell/settings.h"

namespace {

// Taps of the dialog: the frame's buttons and the tab headers as they stand after each
// scroll (the strip scrolls so that a cut tab tapped is shown whole).
const char kOk[] = "tap 160 305\nwait 100\n", kCancel[] = "tap 210 305\nwait 100\n";
const char kOpen[] = "command 2003\nwait 100\n";
const char kDisplayTab[] = "tap 100 37\n", kGeneralTab[] = "tap 40 37\n";
const char kCutCitiesTab[] = "tap 190 37\n";  // cut at first; then 118 .. 174

// The strings of a `texts` file.
struct Texts {
    bool has(const std::string& line) const { return all.find(line + "\n") != std::string::npos; }
    // The strings drawn from (x, y), in order.
    std::vector<std::string> at(int x, int y) const {
        std::vector<std::string> found;
        for (const Shown& s : readShown(path))
            if (s.x == x && s.y == y) found.push_back(s.text);
        return found;
    }
    std::string path, all = readText(path);
};

// A session after start-up, with the settings.ini it saved at exit.
struct OptionsRun : Session {
    explicit OptionsRun(const std::string& body, const std::string& home = "")
        : Session("wait 100\n" + body, home), settingsText(text("settings.ini")) {
        parseSettings(reinterpret_cast<const uint8_t*>(settingsText.data()), settingsText.size(),
                      &saved);
    }
    Texts texts(const std::string& name) const { return {folder.file(name)}; }
    long view(const std::string& name, const std::string& key) const {
        return Session::view(name)[key];
    }
    std::string settingsText;
    Options saved;
};

TEST(OptionsDialog, OkAppliesAndSavesEveryChange) {
    OptionsRun run(
        std::string(kOpen) + "view open\n" +
        // Display: 24-hour times, miles; City Time off, when City Date ignores a tap, and on
        // again.
        kDisplayTab + "tap 145 235\ntap 145 270\ntap 25 110\ntap 25 125\ntap 25 110\n" +
        // General: both snap boxes off, when the country name box ignores a tap, and the
        // known point one on again; the animation speed dragged to the track's right end.
        kGeneralTab + "tap 25 210\ntap 25 225\ntap 25 240\ntap 25 210\n" +
        "down 150 85\nmove 230 85\nup 230 85\n" +
        // Colors, reached through the cut tabs: the background swatch, then the palette's
        // pure green cell (column 5, row 0).
        kCutCitiesTab + "texts cities\ntap 180 37\ntap 185 37\ntap 185 37\ntexts colors\n" +
        "tap 190 57\ntap 85 179\n" + kOk + "view closed\nwait 200\nshot globe.png\n" +
        // A city near Memphis (35° N on the centre meridian, 90° W) with Pan/Rotate off, then
        // a distance from there to the globe's centre.
        "command 2005\ntap 120 92\nwait 100\ntexts city\n" +
        "command 2004\ntap 120 92\ntap 120 160\nwait 100\ntexts distance\n");
    EXPECT_EQ(run.view("open", "UiMode"), 3);
    EXPECT_EQ(run.view("closed", "UiMode"), 1);
    EXPECT_EQ(run.saved.timeFormat, kTime24) << run.settingsText;
    EXPECT_EQ(run.saved.distanceUnits, kUnitsMiles);
    EXPECT_TRUE(run.saved.cityDate) << "the disabled box took a tap";
    EXPECT_FALSE(run.saved.snapToDisplayed);
    EXPECT_TRUE(run.saved.countryAtSnap) << "the disabled box took a tap";
    EXPECT_EQ(run.saved.animationSpeed, 100);
    EXPECT_EQ(run.saved.backgroundColor, 0x07E0);
    // The cut Cities tab, tapped, stands whole (from x 118, label 10 pixels in) over its page.
    Texts cities = run.texts("cities");
    EXPECT_TRUE(cities.has("128 33 0xFFFF Cities")) << cities.all;
    EXPECT_TRUE(cities.has("20 55 0xFFFF Select By:")) << cities.all;
    EXPECT_TRUE(run.texts("colors").has("20 52 0xFFFF Background Color:"));
    // The globe's background, outside the disc, is the new colour.
    EXPECT_EQ(run.shot("globe.png")[2 * 240 + 2], 0x07E0);
    // The city's time at 17:00 UTC (12:00 on Central Daylight Time), on the 24-hour clock,
    // and the distance in miles.
    Texts city = run.texts("city"), distance = run.texts("distance");
    EXPECT_NE(city.all.find(" 12:00  (Daylight)\n"), std::string::npos) << city.all;
    EXPECT_EQ(city.all.find(" pm"), std::string::npos) << city.all;
    EXPECT_NE(distance.all.find(" mi\n"), std::string::npos) << distance.all;
}

TEST(OptionsDialog, CancelKeepsEverythingAndReopensOnTheLastPage) {
    const std::string untouched = OptionsRun("").settingsText;
    OptionsRun run(std::string(kOpen) + "texts first\ndown 150 85\nmove 230 85\nup 230 85\n" +
                   "down 150 180\nmove 130 180\nup 130 180\n" + kDisplayTab + "tap 145 235\n" +
                   kCancel + "view closed\n" + kOpen + "texts again\n");
    EXPECT_EQ(run.view("closed", "UiMode"), 1);
    EXPECT_EQ(run.settingsText, untouched);
    EXPECT_TRUE(run.texts("first").has("20 80 0xFFFF Animation Speed:"));
    EXPECT_TRUE(run.texts("again").has("20 230 0xFFFF Time Format:"));
}

TEST(OptionsDialog, CitiesByNameTwiceAndByCountryBare) {
    OptionsRun run(
        std::string(kOpen) + kCutCitiesTab +
        // "Paris" gives two cities of that name. The first is added, chosen again and added
        // again; "Add All" adds both; then the last row, the other Paris, is removed.
        "tap 25 78\ntext Paris\nwait 100\ntap 30 112\ntap 80 183\ntap 30 112\ntap 80 183\n" +
        "tap 150 183\ntap 30 251\ntap 80 202\nwait 100\ntexts added\n" +
        // Country mode: the first country of the drop-down.
        "tap 170 60\ntap 30 78\ntap 30 92\nwait 100\ntexts country\n" +
        // Back to the name field, where Enter used to do nothing; it answers OK.
        "tap 95 60\ntap 25 78\nkey enter\nwait 100\nview entered\n" + kOpen + "texts reopened\n");
    EXPECT_EQ(run.view("entered", "UiMode"), 1);
    Texts added = run.texts("added");
    const std::vector<std::string> paris = {"Paris"};
    ASSERT_EQ(added.at(24, 108), paris) << added.all;
    ASSERT_EQ(added.at(24, 118), paris);
    // Each row's country follows its name in yellow: the two cities differ in it.
    const std::vector<std::string> first = added.at(54, 108), second = added.at(54, 118);
    ASSERT_EQ(first.size(), 1u);
    ASSERT_NE(first, second);
    // The chosen row went, not the first of its name (the rows hold the same text).
    for (int y : {216, 226, 236}) {
        EXPECT_EQ(added.at(24, y), paris) << y << "\n" << added.all;
        EXPECT_EQ(added.at(54, y), first) << y;
    }
    EXPECT_TRUE(added.at(24, 246).empty()) << added.all;
    // By country: the country's cities, names alone.
    Texts country = run.texts("country");
    for (int y = 108; y < 168; y += 10) {
        ASSERT_EQ(country.at(24, y).size(), 1u) << "row " << y << "\n" << country.all;
        EXPECT_EQ(country.all.find(" " + std::to_string(y) + " 0xFFE0"), std::string::npos);
    }
    // OK made the list the selection, which the dialog lists again when it reopens.
    Texts reopened = run.texts("reopened");
    for (int y : {216, 226, 236}) EXPECT_EQ(reopened.at(54, y), first) << reopened.all;
    EXPECT_TRUE(reopened.at(24, 246).empty());
}

// No Day.gif: the start-up message leads to the dialog, where the 1024-pixel maps are chosen;
// the routes/ folder holds only a file without its colour.
TEST(OptionsDialog, MapsChosenAfterTheMapMessageAndARefusedRouteNamed) {
    namespace fs = std::filesystem;
    TempFolder home;
    const fs::path data = MUNDORA_BINARY_DIR "/data";
    fs::create_directories(home.file("maps"));
    fs::create_directories(home.file("routes"));
    fs::create_symlink(data / "cities.bin", home.file("cities.bin"));
    for (const char* map : {"Day1024.gif", "Night1024.gif"})
        fs::create_symlink(data / "maps" / map, home.file("maps/") + map);
    std::ofstream(home.file("routes/Bad.xml")) << "<route>\n<point lat=\"1\"/>\n</route>\n";
    OptionsRun run(
        "key enter\nwait 100\nview message\n"
        // Maps: the first file as the main map, the second as the overlay. Escape closes the
        // open list only; it used to cancel the whole dialog.
        "tap 150 37\ntap 150 68\nkey escape\ntap 150 68\ntap 150 80\ntap 150 86\ntap 150 110\n" +
            // Routes/Places, through the cut tabs: the only file.
            std::string(kCutCitiesTab) + "tap 180 37\ntap 185 37\ntap 50 86\ntap 50 100\n" + kOk +
            "wait 200\nview after\ntexts done\nshot done.png\n",
        home.path);
    EXPECT_EQ(run.view("message", "UiMode"), 3);
    EXPECT_EQ(run.saved.mainMapFile, "Day1024.gif");
    EXPECT_EQ(run.saved.overlayMapFile, "Night1024.gif");
    EXPECT_EQ(run.view("after", "UiMode"), 1);
    EXPECT_EQ(run.view("after", "modal"), 2);
    EXPECT_EQ(run.view("after", "routePoints"), 0);
    const Texts done = run.texts("done");
    EXPECT_NE(done.all.find(" 0xFFFF Error\n"), std::string::npos) << done.all;
    EXPECT_NE(done.all.find(" 0xFFFF Incorrect file format\n"), std::string::npos);
    // The reason follows on the next line (wrapped to the box).
    EXPECT_NE(done.all.find(" 0xFFFF line 1: the root element has\n"), std::string::npos);
    // The globe is drawn from the maps chosen: its middle is not the background.
    EXPECT_NE(run.shot("done.png")[160 * 240 + 120], 0x0000);
}

}  // namespace

// Find City end to end, as a person uses it: typed letters list the matching cities with their
// countries; a tap on a row, or Enter, turns the view to the city (against its published
// coordinates) and snaps to it, or adds a distance point in Compute Distance; Escape and the
// close box close the dialog, which opens again where it was left with its search text.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "run_program.h"

namespace {

using View = std::map<std::string, long>;

struct City {
    const char* country;  // as the list shows it
    double lat, lon;      // degrees, north and east positive
};
const City kLondon{"Britain (UK)", 51.5085, -0.1257};
const City kLondonOntario{"Canada", 42.9834, -81.2330};
const City kReykjavik{"Iceland", 64.1355, -21.8954};

// The dialog first opens at (120, 0), 120 × 100: its list at (124, 40), rows 10 pixels high
// from y 42, their text from x 128.
constexpr int kRowTextX = 128, kFirstRowY = 42;

constexpr double kUnitsPerDegree = 65536 / 360.0;

// The view faces the city, within about an arc minute (cities are kept in whole arc minutes),
// and the turn has ended.
void expectFacing(const View& v, const City& city) {
    SCOPED_TRACE(city.country);
    EXPECT_EQ(v.at("animating"), 0);
    EXPECT_NEAR(v.at("latAngle"), -city.lat * kUnitsPerDegree, 4);
    const double lon = (city.lon + 90) * kUnitsPerDegree;  // the angle of the centre meridian
    EXPECT_NEAR(std::remainder(v.at("lonAngle") - lon, 65536.0), 0, 4);
}

void expectSnappedTo(const View& v, const City& city) {
    SCOPED_TRACE(city.country);
    EXPECT_EQ(v.at("snapKind"), 3);
    EXPECT_NEAR(v.at("snapLat"), city.lat * 60, 1);
    EXPECT_NEAR(v.at("snapLon"), city.lon * 60, 1);
}

// The London whose country the list row at `y` shows after the name, in yellow: "  (Country)",
// cut where the row ends (the log's reader drops the leading blanks). Null when none.
const City* londonOnRow(const std::vector<Shown>& shown, int y) {
    for (const Shown& s : shown) {
        if (s.y != y || s.colour != 0xFFE0 || s.x <= kRowTextX || s.text.size() < 2) continue;
        for (const City* city : {&kLondon, &kLondonOntario})
            if (("(" + std::string(city->country) + ")").rfind(s.text, 0) == 0) return city;
    }
    return nullptr;
}

// The snapped city's label is drawn in "Snapped City Color".
bool labelled(const std::vector<Shown>& shown, const char* name) {
    for (const Shown& s : shown)
        if (s.text == name && s.colour == 0xFFE0) return true;
    return false;
}

TEST(FindCity, TypingListsTheCitiesAndATapTurnsToOne) {
    TempFolder folder;
    auto at = [&](const char* name) { return " " + folder.file(name) + "\n"; };
    const std::string row0 = "tap 130 " + std::to_string(kFirstRowY + 5) + "\n";
    const std::string row1 = "tap 130 " + std::to_string(kFirstRowY + 15) + "\n";
    ProgramRun run =
        runScript(folder, "clock 2027-03-20T12:00:00Z\nwait 100\ncommand 2009\nwait 100\nview" +
                              at("open") + "text London\nwait 100\ntexts" + at("rows.txt") + row0 +
                              "wait 60\nview" + at("turning") + "wait 3000\nview" + at("a0") +
                              "texts" + at("a0.txt") + row1 + "wait 3000\nview" + at("a1") +
                              // Compute Distance with Pan/Rotate off: each pick adds a point.
                              "command 2004\ncommand 2005\n" + row0 + "wait 3000\nview" + at("d0") +
                              row1 + "wait 3000\nview" + at("d1") + "quit\n");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const View open = readView(folder.file("open"));
    EXPECT_EQ(open.at("findCityOpen"), 1);
    EXPECT_EQ(open.at("keyboard"), 1) << "the field has the focus, as after a tap on it";

    // "London" lists the two Londons first, each with its country after the name.
    const std::vector<Shown> rows = readShown(folder.file("rows.txt"));
    const City* city[2] = {};
    for (int i = 0; i < 2; ++i) {
        const int y = kFirstRowY + 10 * i;
        city[i] = londonOnRow(rows, y);
        ASSERT_NE(city[i], nullptr) << "row " << i;
        EXPECT_TRUE(std::count_if(rows.begin(), rows.end(), [&](const Shown& s) {
            return s.x == kRowTextX && s.y == y && s.text == "London" && s.colour == 0xFFFF;
        }));
    }
    EXPECT_NE(city[0], city[1]);

    EXPECT_EQ(readView(folder.file("turning")).at("animating"), 1) << "the turn is animated";
    const View a0 = readView(folder.file("a0")), a1 = readView(folder.file("a1"));
    expectFacing(a0, *city[0]);
    expectSnappedTo(a0, *city[0]);
    expectFacing(a1, *city[1]);
    expectSnappedTo(a1, *city[1]);
    EXPECT_EQ(a1.at("distancePoints"), 0);
    EXPECT_TRUE(labelled(readShown(folder.file("a0.txt")), "London"));

    const View d0 = readView(folder.file("d0")), d1 = readView(folder.file("d1"));
    EXPECT_EQ(d0.at("distancePoints"), 1);
    EXPECT_EQ(d1.at("distancePoints"), 2);
    expectFacing(d0, *city[0]);
    expectFacing(d1, *city[1]);
}

TEST(FindCity, EnterPicksAndTheDialogKeepsItsPlaceAndText) {
    // Dragged by its title bar from (150, 5) to (60, 100) the dialog stands at (30, 95), with
    // its title (9 characters centred in 18) at (60, 99) and its field's text at (37, 119),
    // and opens there again.
    TempFolder folder;
    auto at = [&](const char* name) { return " " + folder.file(name) + "\n"; };
    const std::string letters = "abcdefghijklmnopqrstuvwxyz";
    ProgramRun run = runScript(
        folder,
        "clock 2027-03-20T12:00:00Z\nwait 100\ncommand 2009\ntext Reykjav\nkey enter\n"
        "wait 3000\nview" +
            at("picked") + "down 150 5\nmove 100 50\nmove 60 100\nup 60 100\nwait 100\ntexts" +
            at("dragged.txt") + "key escape\nwait 100\nview" + at("escaped") +
            "command 2009\nwait 100\ntexts" + at("reopened.txt") + "text " + letters +
            "\ntap 146 100\nwait 100\nview" + at("closed") + "command 2009\nwait 100\ntexts" +
            at("cut.txt") + "quit\n");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const View picked = readView(folder.file("picked"));
    expectFacing(picked, kReykjavik);
    expectSnappedTo(picked, kReykjavik);
    const View escaped = readView(folder.file("escaped"));
    EXPECT_EQ(escaped.at("findCityOpen"), 0);
    EXPECT_EQ(escaped.at("keyboard"), 0);
    EXPECT_EQ(readView(folder.file("closed")).at("findCityOpen"), 0) << "the close box";

    auto shows = [](const std::vector<Shown>& shown, int x, int y, const std::string& text) {
        return std::count_if(shown.begin(), shown.end(), [&](const Shown& s) {
                   return s.x == x && s.y == y && s.text == text;
               }) > 0;
    };
    for (const char* shown : {"dragged.txt", "reopened.txt"}) {
        const std::vector<Shown> texts = readShown(folder.file(shown));
        EXPECT_TRUE(shows(texts, 60, 99, "Find City")) << shown;
        EXPECT_TRUE(shows(texts, 37, 119, "Reykjav")) << shown;
    }
    // 33 characters were typed; 29 are kept, and the field's 17 columns show the last of them
    // with the caret at the end.
    const std::string kept = ("Reykjav" + letters).substr(0, 29);
    EXPECT_TRUE(shows(readShown(folder.file("cut.txt")), 37, 119, kept.substr(29 - 17)));
}

}  // namespace

// Find City end to end, as a person uses it: typed letters list the matching cities with their
// countries; a tap on a row, or Enter, turns the view to the city (against its published
// coordinates) and snaps to it, or adds a distance point in Compute Distance; Escape and the
// close box close the dialog, which opens again where it was left with its search text.
#include <cmath>

#include "session.h"

namespace {

// Published coordinates, degrees north and east.
struct City {
    double lat, lon;
};
const City kLondon{51.5085, -0.1257}, kLondonOntario{42.9834, -81.2330};
const City kReykjavik{64.1355, -21.8954};

// Whether the frame logged `text` in `colour` at (x, y), or anywhere when x is −1.
bool shows(const Session& run, const char* texts, int x, int y, unsigned colour,
           const std::string& text) {
    for (const Shown& s : run.shown(texts))
        if ((x < 0 || (s.x == x && s.y == y)) && s.colour == colour && s.text == text) return true;
    return false;
}

// The turn has ended with the view facing the city, within about an arc minute (cities are
// kept in whole arc minutes); with `snapped`, the snap point is the city.
void expectAt(const std::map<std::string, long>& v, const City& city, bool snapped) {
    constexpr double kUnitsPerDegree = 65536 / 360.0;
    const double lon = (city.lon + 90) * kUnitsPerDegree;  // the angle of the centre meridian
    EXPECT_EQ(v.at("animating"), 0);
    EXPECT_NEAR(v.at("latAngle"), -city.lat * kUnitsPerDegree, 4);
    EXPECT_NEAR(std::remainder(v.at("lonAngle") - lon, 65536.0), 0, 4);
    EXPECT_EQ(v.at("snapKind"), snapped ? 3 : 0);
    if (snapped) EXPECT_NEAR(v.at("snapLat"), city.lat * 60, 1);
    if (snapped) EXPECT_NEAR(v.at("snapLon"), city.lon * 60, 1);
}

TEST(FindCity, TypingListsTheCitiesAndATapTurnsToOne) {
    // The dialog opens at (120, 0): its list's rows from (128, 42), 10 pixels apart, each
    // name in white and "  (Country)" after it in yellow, as much as fits in 16 columns.
    Session run(
        "wait 100\ncommand 2009\nwait 100\ncommand 2003\nwait 100\ntap 210 305\nwait 100\n"
        "view open\ntext London\nwait 100\ntexts rows\ntap 130 47\nwait 60\nview turning\n"
        "wait 3000\nview a0\ntexts a0.txt\ntap 130 57\nwait 3000\nview a1\ncommand 2004\n"
        "command 2005\ntap 130 47\nwait 3000\nview d0\ntap 130 57\nwait 3000\nview d1");
    // Options, opened over the dialog and cancelled, used to leave the field without the focus.
    EXPECT_EQ(run.view("open").at("keyboard"), 1) << "the field has the focus, as after a tap";
    // The reader of the log drops the blanks before the country.
    ASSERT_TRUE(shows(run, "rows", 128, 42, 0xFFFF, "London"));
    ASSERT_TRUE(shows(run, "rows", 128, 52, 0xFFFF, "London"));
    const bool britainFirst = shows(run, "rows", 164, 42, 0xFFE0, "(Britain (");
    EXPECT_TRUE(shows(run, "rows", 164, britainFirst ? 52 : 42, 0xFFE0, "(Canada)"));
    const City* row[2] = {britainFirst ? &kLondon : &kLondonOntario,
                          britainFirst ? &kLondonOntario : &kLondon};
    EXPECT_EQ(run.view("turning").at("animating"), 1) << "the turn is animated";
    // Picks snap in the plain view; in Compute Distance each adds a point.
    const struct {
        const char* view;
        int row, distancePoints;
    } picks[] = {{"a0", 0, 0}, {"a1", 1, 0}, {"d0", 0, 1}, {"d1", 1, 2}};
    for (const auto& pick : picks) {
        SCOPED_TRACE(pick.view);
        expectAt(run.view(pick.view), *row[pick.row], pick.distancePoints == 0);
        EXPECT_EQ(run.view(pick.view).at("distancePoints"), pick.distancePoints);
    }
    EXPECT_TRUE(shows(run, "a0.txt", -1, 0, 0xFFE0, "London")) << "the snapped city's label";
}

TEST(FindCity, EnterPicksAndTheDialogKeepsItsPlaceAndText) {
    // Dragged by its title bar from (150, 5) to (60, 100) the dialog stands at (30, 95), with
    // its title (9 characters centred in 18) at (60, 99) and its field's text at (37, 119),
    // and opens there again. Of the 33 characters typed 29 are kept; the field's 17 columns
    // show the last of them (characters 12 to 28), the caret at the end.
    Session run(
        "wait 100\ncommand 2009\ntext Reykjav\nkey enter\nwait 3000\nview picked\ndown 150 5\n"
        "move 100 50\nmove 60 100\nup 60 100\nwait 100\ntexts dragged\nkey escape\nwait 100\n"
        "view escaped\ncommand 2009\nwait 100\ntexts reopened\n"
        "text abcdefghijklmnopqrstuvwxyz\ntap 146 100\nwait 100\nview closed\ncommand 2009\n"
        "wait 100\ntexts cut");
    expectAt(run.view("picked"), kReykjavik, true);
    EXPECT_EQ(run.view("escaped").at("findCityOpen") + run.view("escaped").at("keyboard"), 0);
    EXPECT_EQ(run.view("closed").at("findCityOpen"), 0) << "the close box";
    for (const char* texts : {"dragged", "reopened"}) {
        EXPECT_TRUE(shows(run, texts, 60, 99, 0xFFFF, "Find City")) << texts;
        EXPECT_TRUE(shows(run, texts, 37, 119, 0xFFFF, "Reykjav")) << texts;
    }
    EXPECT_TRUE(shows(run, "cut", 37, 119, 0xFFFF, "fghijklmnopqrstuv"));  // Reykjavabcde...uv
}

}  // namespace

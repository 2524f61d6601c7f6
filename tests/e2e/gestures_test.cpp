// Gestures, keys and panel commands end to end: each script's outcome is read back through
// the view state the driver writes, and against the documented rules (a drag of one radius
// turns the globe by one radian; zoom limits; rectangles filling the screen).
#include <cmath>

#include "session.h"

namespace {

using View = std::map<std::string, long>;

// The views a script written after start-up leaves in its files 0, 1, ... `count` − 1.
std::vector<View> views(const std::string& body, int count) {
    Session run("wait 100\n" + body);
    std::vector<View> out;
    for (int i = 0; i < count; ++i) out.push_back(run.view(std::to_string(i)));
    return out;
}

constexpr double kUnitsPerRadian = 65536 / (2 * M_PI);

TEST(Gestures, DragTurnsTheGlobeByOneRadianPerRadius) {
    // Radius 118: a 59-pixel drag right turns west by half a radian, 30 down turns north.
    auto v = views("view 0\ndown 100 150\nmove 130 150\nmove 159 180\nup 159 180\nview 1", 2);
    const long lonTurn = (v[0]["lonAngle"] - v[1]["lonAngle"] + 65536) % 65536;
    EXPECT_NEAR(lonTurn, 0.5 * kUnitsPerRadian, 2);
    EXPECT_NEAR(v[0]["latAngle"] - v[1]["latAngle"], 30 / 118.0 * kUnitsPerRadian, 1);
    EXPECT_EQ(v[1]["pressX"], -1) << "the release ends the gesture";
}

TEST(Gestures, ZoomKeysStopAtTheirLimits) {
    std::string ups, downs;
    for (int i = 0; i < 40; ++i) ups += "key up\n", downs += "key down\n";
    // The wheel zooms in small steps, 4 pixels of radius a notch.
    auto v = views(ups + "view 0\n" + downs + "view 1\nkey enter\nview 2\nwheel 3\nview 3\n" +
                       "wheel -5\nview 4",
                   5);
    // The largest radius shows the 1024-row map at one texel a pixel: 2H/π = 651.
    EXPECT_GE(v[0]["radius"], 651);
    EXPECT_LT(v[0]["radius"], 651 + 20);
    EXPECT_LE(v[1]["radius"], 40);
    EXPECT_GT(v[1]["radius"], 20);
    EXPECT_EQ(v[2]["radius"], 118);
    EXPECT_EQ(v[3]["radius"], 130);
    EXPECT_EQ(v[4]["radius"], 110);
}

TEST(Gestures, ZoomRectangleOnTheFlatMapFillsTheScreen) {
    // Flat map zoomed out to a 320-row band (640 wide), then a 120 × 160 rectangle.
    auto v = views(
        "command 2006\nkey down\nview 0\ncommand 2008\ndown 60 80\nmove 120 160\n"
        "move 179 239\nup 179 239\nview 1",
        2);
    ASSERT_EQ(v[0]["planarHeightInUse"], 320);
    const double h0 = 320, h1 = v[1]["planarHeightInUse"];
    EXPECT_EQ(h1, 640) << "120 px wide becomes the screen's 240";
    // The map point under the rectangle's middle is now under the screen's middle.
    const double fx0 = (v[0]["offsetX"] + 120) / (2 * h0), fy0 = (v[0]["offsetY"] + 160) / h0;
    const double fx1 = (v[1]["offsetX"] + 120) / (2 * h1), fy1 = (v[1]["offsetY"] + 160) / h1;
    EXPECT_NEAR(fx1, fx0, 1 / (2 * h1));
    EXPECT_NEAR(fy1, fy0, 1 / h1);
    EXPECT_EQ(v[1]["zoomSelection"], 0) << "one rectangle, then the mode ends";
}

// Pan/Rotate off: holding at the left edge turns 6° (1092 units) each 50 ms of the clock, a
// step a tick; it used to turn 6° a frame, however fast frames came. A press sets the current
// point, and its release clears it.
TEST(Gestures, WithPanRotateOffAPressSetsThePointAndTheEdgeScrolls) {
    auto v = views(
        "command 2005\ndown 3 160\nview 0\nwait 200\nview 1\nup 3 160\nview 2\n"
        "wait 200\nview 3",
        4);
    const long turned = (v[0]["lonAngle"] - v[1]["lonAngle"] + 65536) % 65536;
    EXPECT_EQ(turned, 200 / 50 * 1092);
    EXPECT_EQ(v[3]["lonAngle"], v[2]["lonAngle"]) << "released: scrolling stops";
    EXPECT_EQ(v[0]["currentX"], 3);
    EXPECT_EQ(v[0]["currentY"], 160);
    EXPECT_EQ(v[0]["panRotate"], 0);
    EXPECT_EQ(v[2]["currentX"], -1);
}

TEST(Commands, PanelTapsToggleAndRequestsCoalesce) {
    // The grid button is entry 1 at x 2..19 of the strip at y 298..319.
    auto v = views(
        "view 0\ntap 10 305\nview 1\nkey right\nview 2\ncommand 2006\nview 3\n"
        "command 2000\nwait 1000\nview 4",
        5);
    EXPECT_EQ(v[1]["grid"], 1 - v[0]["grid"]);
    EXPECT_EQ(v[1]["frames"] - v[0]["frames"], 1) << "down, up and the command: one frame";
    EXPECT_EQ(v[2]["radius"], v[1]["radius"] + 4);
    EXPECT_EQ(v[2]["frames"] - v[1]["frames"], 1) << "key down, char and up: one frame";
    EXPECT_EQ(v[3]["planar"], 1);
    EXPECT_EQ(v[4]["panelRolledOut"], 0);
}

TEST(Commands, CloseAsksFirstAndEachAnswerDoesWhatItSays) {
    // The confirmation is centred: 193 × 58 at (23, 131), an 18-pixel title bar, buttons
    // 55 × 16 at x + 7, 69, 131 and y + 30. Dragged by the title bar from (100, 140) past
    // the screen's corner it stops at (47, 262), buttons and all; there Cancel closes it. A
    // drag on the globe meanwhile does nothing. Suspend hides the window and lets the
    // display go; Exit ends the program, saving its settings.
    Session run(
        "wait 100\ncommand 2012\nwait 100\nview a\nshot a.png\ndown 120 10\nmove 170 60\n"
        "up 170 60\ndown 100 140\nmove 95 160\nmove 239 319\nwait 100\nshot b.png\n"
        "up 239 319\ntap 190 300\nwait 100\nview b\ncommand 2012\nwait 100\ntap 100 169\n"
        "wait 100\nview c\ncommand 2012\nwait 100\ntap 40 169\nwait 100\nview d");
    View a = run.view("a"), b = run.view("b"), c = run.view("c");
    EXPECT_EQ(a["modal"], 1);
    EXPECT_EQ(b["modal"], 0) << "Cancel at its dragged place";
    EXPECT_EQ(b["shown"], 1);
    EXPECT_EQ(b["lonAngle"], a["lonAngle"]) << "neither drag reached the globe";
    EXPECT_EQ(b["latAngle"], a["latAngle"]);
    EXPECT_EQ(c["modal"], 0);
    EXPECT_EQ(c["shown"], 0) << "Suspend hides the window";
    EXPECT_EQ(c["suspended"], 1);
    EXPECT_EQ(run.text("d"), "") << "Exit ended the program before this";
    EXPECT_NE(run.text("settings.ini"), "") << "the orderly exit saved";
    // The frame, title bar and buttons where they stand before and after the drag.
    for (auto [shot, x, y] : {std::tuple{"a.png", 23, 131}, {"b.png", 47, 262}}) {
        const std::vector<uint16_t> p = run.shot(shot);
        auto at = [&, x = x, y = y](int dx, int dy) { return p[(y + dy) * 240 + x + dx]; };
        EXPECT_EQ(at(0, 0), 0xB5B6) << shot;
        EXPECT_EQ(at(192, 57), 0xB5B6) << shot;
        EXPECT_EQ(at(2, 2), 0xD900) << shot;
        EXPECT_EQ(at(2, 20), 0x630C) << shot;
        for (int bx : {7, 69, 131}) EXPECT_EQ(at(bx + 2, 32), 0x8C71) << shot << " " << bx;
    }
}

TEST(Commands, HelpWithoutAViewerSaysWhereThePageIs) {
    // Headless there is no desktop viewer: Help and F1 both end in the message box.
    for (const char* ask : {"command 2011", "key f1"}) {
        auto v = views(std::string("view 0\n") + ask + "\nwait 100\nview 1", 2);
        EXPECT_EQ(v[0]["modal"], 0) << ask;
        EXPECT_EQ(v[1]["modal"], 2) << ask;
    }
}

// Pixels of the 6 × 10 cells of `count` characters at (x, y) that are neither `colour` nor
// dark (every channel at most a quarter lit).
int litBeside(const std::vector<uint16_t>& shot, int x, int y, int count, uint16_t colour) {
    int lit = 0;
    for (int row = y; row < y + 10; ++row)
        for (int col = x; col < x + 6 * count; ++col) {
            const uint16_t p = shot[row * 240 + col];
            lit += p != colour && ((p >> 11) > 7 || ((p >> 5) & 63) > 15 || (p & 31) > 7);
        }
    return lit;
}

TEST(Commands, AboutScreenFadesInAndATapReturns) {
    // The credits used to be written over the globe of the splash; now only a star or two
    // may lie under a line. Escape and Enter close it too (they used to be ignored), and
    // other keys do nothing under it.
    const std::string again = "command 2010\nwait 500\nkey up\n";
    Session run(
        "wait 100\ncommand 2010\nwait 1000\nview a\nshot a.png\ntexts a.txt\n"
        "tap 120 160\nwait 100\nview b\n" +
        again + "key escape\nwait 100\nview c\n" + again + "key enter\nwait 100\nview d");
    EXPECT_EQ(run.view("a")["UiMode"], 2);
    for (const char* closed : {"b", "c", "d"}) {
        EXPECT_EQ(run.view(closed)["UiMode"], 1) << closed;
        EXPECT_EQ(run.view(closed)["radius"], run.view("a")["radius"]);
    }
    const std::vector<uint16_t> shot = run.shot("a.png");
    const std::vector<Shown> lines = run.shown("a.txt");
    EXPECT_EQ(lines.size(), 4u);
    bool version = false;
    for (const Shown& s : lines) {
        version |= s.text.find("Version " MUNDORA_VERSION) != std::string::npos;
        const int count = static_cast<int>(s.text.size());
        EXPECT_LT(litBeside(shot, s.x, s.y, count, uint16_t(s.colour)) * 100, count * 60) << s.text;
    }
    EXPECT_TRUE(version);
}

}  // namespace

// settings.ini: every option survives save and load one by one, the stored-value rules hold
// (16-bit angle halves, negative radius, "Use Overlay Map" over Flags, the kept route name),
// damaged files give defaults for what cannot be used. (Saves are atomic writes: the
// platform's tests fail one, the end-to-end tests kill the program during one.)
#include "shell/settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "base/options.h"
#include "platform/folders.h"
#include "routefiles/route_set.h"
#include "toolkit/command_panel.h"
#include "view/view_state.h"

namespace {

namespace fs = std::filesystem;

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
void writeText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

class Settings : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("mundora-settings-" +
                   std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        platform::chooseFolders("", folder_.string(), nullptr);
        gOptions = Options{};
        gView = ViewState{};
    }
    void TearDown() override { fs::remove_all(folder_); }
    std::string file() const { return platform::stateFile("settings.ini"); }
    Options parsed(const std::string& text) const {
        Options o;
        parseSettings(reinterpret_cast<const uint8_t*>(text.data()), text.size(), &o);
        return o;
    }
    fs::path folder_;
};

using Change = std::function<void(Options&)>;
// One change per stored value but the Flags bits, each away from its default.
const std::pair<const char*, Change> kChanges[] = {
    {"radius", [](Options& o) { o.lastView.radius = 325; }},
    {"lon angle", [](Options& o) { o.lastView.lonAngle = -25536; }},
    {"lat angle", [](Options& o) { o.lastView.latAngle = -16384; }},
    {"height", [](Options& o) { o.lastView.planarHeight = 640; }},
    {"offset x", [](Options& o) { o.lastView.offsetX = 1500; }},
    {"offset y", [](Options& o) { o.lastView.offsetY = -7; }},
    {"grid step", [](Options& o) { o.gridStep = kGrid30; }},
    {"units", [](Options& o) { o.distanceUnits = kUnitsNautical; }},
    {"time format", [](Options& o) { o.timeFormat = kTimeHhmm; }},
    {"snap", [](Options& o) { o.snapRadius = 200; }},
    {"rotation", [](Options& o) { o.rotationSpeed = 1; }},
    {"animation", [](Options& o) { o.animationSpeed = 100; }},
    {"main map", [](Options& o) { o.mainMapFile = "Blue Marble \"big\" \\ été.gif"; }},
    {"overlay map", [](Options& o) { o.overlayMapFile = " lead\ttab\nline\x7f.gif "; }},
    {"operation", [](Options& o) { o.overlayOperation = kOverlayUnion; }},
    {"sphere arc", [](Options& o) { o.sphericalArcSmoothing = 50; }},
    {"planar arc", [](Options& o) { o.planarArcSmoothing = 1; }},
    {"darkness", [](Options& o) { o.shadowDarkness = 0; }},
    {"specularity", [](Options& o) { o.shadowSpecularity = 100; }},
    {"brightness", [](Options& o) { o.textureBrightness = 0; }},
    {"interval", [](Options& o) { o.shadowUpdateInterval = 20; }},
    {"twilight", [](Options& o) { o.twilightType = kTwilightCivil; }},
    {"background", [](Options& o) { o.backgroundColor = 0x1234; }},
    {"arc colour", [](Options& o) { o.distanceArcColor = 0; }},
    {"grid colour", [](Options& o) { o.gridColor = 0xFFFF; }},
    {"equator", [](Options& o) { o.equatorColor = 0x8001; }},
    {"tropic", [](Options& o) { o.tropicColor = 1; }},
    {"arctic", [](Options& o) { o.arcticColor = 0xF81F; }},
    {"city", [](Options& o) { o.displayedCityColor = 0x0F0F; }},
    {"snapped", [](Options& o) { o.snappedCityColor = 0xABCD; }},
    {"country colour", [](Options& o) { o.displayedCountryColor = 0x7777; }},
    {"route", [](Options& o) { o.routeFileName = "Trans-Siberian [1916].xml"; }},
    {"city file",
     [](Options& o) {
         o.selectionCityFile = {std::string("v1\0\"\\\n\x7f\xff 0123456", 16), 4000000000u};
     }},
};

TEST_F(Settings, EveryValueRoundTripsOnItsOwn) {
    for (const auto& [what, change] : kChanges) {
        Options o;
        change(o);
        ASSERT_FALSE(o == Options{}) << what;
        EXPECT_TRUE(parsed(formatSettings(o, o.routeFileName)) == o) << what;
        // What the program writes, it understands.
        const std::string text = formatSettings(o, o.routeFileName);
        std::vector<UnreadLine> unread;
        parseSettings(reinterpret_cast<const uint8_t*>(text.data()), text.size(), &o, nullptr,
                      &unread);
        EXPECT_TRUE(unread.empty()) << what << ": " << unread.front().text;
    }
}

// The Flags line of the defaults with `bits` flipped.
std::string flagsLine(uint32_t bits) {
    const std::string text = formatSettings(Options{}, "");
    return "Flags=" + std::to_string(std::stoul(text.substr(text.find("Flags=") + 6)) ^ bits) +
           "\n";
}

// Each of the 25 Flags bits (bit 2 is the flat map's) turns an option of its own away from its
// default, and is written back alone.
TEST_F(Settings, EachFlagsBitRoundTripsOnItsOwn) {
    for (int bit = 0; bit < 25; ++bit) {
        const Options o = parsed("[General]\n" + flagsLine(1u << bit));
        EXPECT_FALSE(o == Options{}) << bit;
        EXPECT_NE(formatSettings(o, "").find("\n" + flagsLine(1u << bit)), std::string::npos)
            << bit;
    }
}

TEST_F(Settings, AllTogetherThroughTheFileAndTheView) {
    Options want = parsed("[General]\n" + flagsLine((1u << 25) - 1));
    for (const auto& change : kChanges) change.second(want);
    gOptions = want;
    gView.planar = true;
    gView.lonAngle = 40000;  // saved in 16 bits: comes back as −25536
    gView.latAngle = -16384;
    gView.radius = 325;
    gView.planarHeight = 640;
    gView.offsetX = 1500;
    gView.offsetY = -7;
    ASSERT_TRUE(saveSettings());
    gOptions = Options{};
    gView = ViewState{};
    ASSERT_TRUE(loadSettings());
    EXPECT_TRUE(gOptions == want);
    EXPECT_EQ(gView.lonAngle, -25536);
    normaliseViewAngles();
    EXPECT_EQ(gView.lonAngle, 40000);
    EXPECT_EQ(gView.radius, 325);
    EXPECT_EQ(gView.offsetY, -7);
    EXPECT_TRUE(gView.planar);
    // The panel's buttons follow: grid, day/night, the flat map's (checked only in the globe
    // view), Pan/Rotate, Compute Distance, selected cities.
    for (auto [command, checked] : {std::pair{2001, true},
                                    {2002, false},
                                    {2006, false},
                                    {2005, false},
                                    {2004, true},
                                    {2007, true}})
        EXPECT_EQ(gCommandButtons[panelIndexOfCommand(command)].state, checked) << command;
}

TEST_F(Settings, StoredValueRules) {
    EXPECT_EQ(parsed("[General]\nLast Zoom Radius=-5\n").lastView.radius, 118);
    Options o = parsed("[Maps]\nUse Overlay Map=0\n[General]\nFlags=64\n");
    EXPECT_FALSE(o.useOverlayMap);  // the Maps value wins, wherever it stands
    EXPECT_TRUE(parsed("[general]\nflags=64\n[Maps]\nuse overlay map=1\r\n").useOverlayMap);
    o = parsed("[General]\nLast LatLon=4294901761\nFlags=4294967295\n");  // 0xFFFF0001
    EXPECT_EQ(o.lastView.lonAngle, 1);
    EXPECT_EQ(o.lastView.latAngle, -1);
    EXPECT_TRUE(o.animatedRotation);
}

// The stored name kept while no file is open is the end-to-end stored route test's.
TEST_F(Settings, SavedRouteNameIsTheOpenFile) {
    writeText(file(), "[Route]\nRouteFileName=\"Silk Road.xml\"\n");
    ASSERT_TRUE(loadSettings());
    routes::gRouteSet.fileName = "Amber Road.xml";  // as a successful load leaves it
    ASSERT_TRUE(saveSettings());
    routes::gRouteSet.clear();
    ASSERT_TRUE(loadSettings());
    EXPECT_EQ(gOptions.routeFileName, "Amber Road.xml");
}

struct Damage {
    const char* what;
    std::string text;
    std::function<bool(const Options&)> ok;  // null: every option at its default
    std::vector<int> unread = {};            // the lines not understood
};

TEST_F(Settings, DamagedFilesGiveDefaultsForWhatCannotBeUsed) {
    Options d;
    Options saved;
    saved.snapRadius = 7;
    saved.tropicColor = 5;
    const std::string valid = formatSettings(saved, "");
    std::string junk;
    for (int i = 0; i < 3000; ++i) junk += static_cast<char>((i * 7919) % 256);
    const Damage cases[] = {
        {"empty", "", nullptr},
        {"binary junk", junk, nullptr, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}},
        {"NULs",
         std::string("[General]\nSnap Radius=5\0\n", 25),
         [&](const Options& o) { return o.snapRadius == d.snapRadius; },
         {2}},
        {"NUL in a name", std::string("[Maps]\nMain Map File=\"a\\x00b\"\n"),
         [&](const Options& o) { return o.mainMapFile == d.mainMapFile; }},
        {"unknown keys", "[General]\nColour Of Sky=3\n[Nowhere]\nSnap Radius=9\n", nullptr},
        {"out of range",
         "[General]\nSnap Radius=201\nRotation Speed=0\nGrid Step=1021\nTime Format=3\n"
         "[Maps]\nOverlay Operation=6\nUse Overlay Map=2\n[Advanced]\nTwilight Type=1031\n"
         "Earth Shadow Darkness=-1\nShadow Update Interval=21\n"
         "[General]\nLast Zoom Radius=0\nLast Flat Mode Height=-2\n",
         nullptr,
         {2, 3, 4, 5, 7, 8, 10, 11, 12, 14, 15}},
        {"overflowing numbers",
         "[General]\nSnap Radius=99999999999999999999\nFlags=-99999999999\n",
         nullptr,
         {2, 3}},
        {"not name=value",
         "[General]\nFlags=abc\nGrid Step=7\nGrid Step\n\x01\x02=3\n[Colors\n",
         nullptr,
         {2, 3, 4, 5, 6}},
        // The twilight check used to negate −2147483648 to find its magnitude.
        {"32-bit extremes",
         "[Advanced]\nTwilight Type=-2147483648\nEarth Shadow Darkness=-2147483648\n"
         "Texture Brightness=4294967295\n[General]\nSnap Radius=2147483647\n"
         "Last Zoom Radius=-2147483648\nLast Flat Mode Height=2147483648\n"
         "[Maps]\nUse Overlay Map=-2147483648\nOverlay Operation=-2147483649\n",
         nullptr,
         {2, 3, 4, 6, 7, 8, 10, 11}},
        {"twilight at its ends", "[Advanced]\nTwilight Type=-1028\n",
         [&](const Options& o) { return o.twilightType == -kTwilightCivil; }},
        {"overlong name", "[Maps]\nMain Map File=" + std::string(300, 'x') + ".gif\n",
         [&](const Options& o) { return o.mainMapFile == "Day.gif"; }},
        {"path in a name", "[Maps]\nMain Map File=\"../../etc/passwd\"\nOverlay Map File=..\n",
         nullptr},
        {"bad quoting",
         "[Maps]\nMain Map File=\"open\nOverlay Map File=\"a\"b\"\n"
         "[Route]\nRouteFileName=\"\\q\"\n",
         nullptr},
        {"truncated", valid.substr(0, valid.find("Tropic Color")),
         [&](const Options& o) { return o.snapRadius == 7 && o.tropicColor == d.tropicColor; }},
        {"city file header not 16 bytes",
         "[Selection]\nCity File Header=\"cities500\"\n",
         [&](const Options& o) { return o == d; },
         {2}},
        {"hand-edited", "  [ Colors ]  \r\n  Grid Color = 65535 \r\n; comment\n",
         [&](const Options& o) { return o.gridColor == 0xFFFF; }},
    };
    // Lines not understood used to be dropped in silence by the next save; the file is now
    // kept as settings.ini.bad before that save, and only then.
    const std::string bad = file() + ".bad";
    for (const Damage& c : cases) {
        writeText(file(), c.text);
        fs::remove(bad);
        loadSettings();
        EXPECT_TRUE(c.ok ? c.ok(gOptions) : gOptions == d) << c.what;
        EXPECT_EQ(readText(file()), c.text) << c.what << ": loading must not rewrite the file";
        Options o;
        std::vector<int> unread;
        std::vector<UnreadLine> lines;
        parseSettings(reinterpret_cast<const uint8_t*>(c.text.data()), c.text.size(), &o, nullptr,
                      &lines);
        for (const UnreadLine& line : lines) unread.push_back(line.number);
        EXPECT_EQ(unread, c.unread) << c.what;
        ASSERT_TRUE(saveSettings());
        EXPECT_EQ(fs::exists(bad), !c.unread.empty()) << c.what;
        if (!c.unread.empty()) EXPECT_EQ(readText(bad), c.text) << c.what;
    }
}

TEST_F(Settings, HugeOrFolderFileGivesDefaults) {
    writeText(file(), "[General]\nSnap Radius=9\n" + std::string(kMaxSettingsBytes, ';'));
    EXPECT_FALSE(loadSettings());
    EXPECT_TRUE(gOptions == Options{});
    fs::remove(file());
    fs::create_directory(file());
    EXPECT_FALSE(loadSettings());
    EXPECT_TRUE(gOptions == Options{});
    EXPECT_FALSE(saveSettings());  // cannot replace a folder; the program goes on
    EXPECT_TRUE(fs::is_directory(file()));
}

}  // namespace

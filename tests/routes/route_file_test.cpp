// Route and place files through the loader: the file vocabulary's edge cases, hostile files
// refused with their line and fault and nothing else changed, pictures skipped when they
// cannot serve, and the sample files checked against the cities of the built cities.bin.
#include "routefiles/route_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "../geo/sphere.h"
#include "../gif/giflib_io.h"
#include "geo/city_db.h"
#include "geo/route_place.h"
#include "geo/text16.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "raster/back_buffer.h"

namespace {

namespace fs = std::filesystem;
using routes::gRouteSet;

class RouteFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        home_ = fs::temp_directory_path() /
                ("mundora-routes-" + std::to_string(getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(home_);
        fs::create_directories(home_ / "routes/pics");
        platform::chooseFolders(home_.string(), (home_ / "state").string(), nullptr);
        gDisplay = {240, 320, 2, 480, 16};
        gRouteSet.clear();
        gRouteSet.color = 0x1234;  // neither a table colour nor white: "kept" shows
        gRouteSet.lineStyle = 7;
    }
    void TearDown() override {
        gRouteSet.clear();
        fs::remove_all(home_);
    }
    std::string path(const std::string& name) const { return (home_ / "routes" / name).string(); }
    void write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path(name), std::ios::binary) << bytes;
    }
    bool load(const std::string& xml, std::string* reason = nullptr) const {
        write("t.xml", xml);
        return routes::loadRouteFile("t.xml", reason);
    }
    fs::path home_;
};

// A width × height picture in two colours (left half red, right half blue), by giflib.
std::string gif(int width, int height) {
    const std::vector<uint8_t> bytes = gifref::writeWithGiflib(gifref::picture(
        width, height, {{255, 0, 0}, {0, 0, 255}}, [&](int x, int) { return x >= width / 2; }));
    return std::string(bytes.begin(), bytes.end());
}

const geo::RoutePlace& place(int i) {
    PtrNode* n = gRouteSet.places.head();
    while (i-- > 0) n = n->next;
    return *static_cast<const geo::RoutePlace*>(static_cast<geo::Place*>(n->data));
}

std::u16string nameOf(const geo::Place& p) {
    return p.name ? std::u16string(p.name) : u"";
}

// The route set in one line: its colour and line style, then each point as
// name@latitude,longitude/kind, positions in arc minutes.
std::string summary() {
    char head[24];
    std::snprintf(head, sizeof head, "%04X %d", gRouteSet.color, gRouteSet.lineStyle);
    std::string s = head;
    for (int i = 0; i < gRouteSet.places.count(); ++i)
        s += " " + geo::toUtf8(nameOf(place(i)).c_str()) + "@" + std::to_string(place(i).latitude) +
             "," + std::to_string(place(i).longitude) + "/" + std::to_string(place(i).kind);
    return s;
}

TEST_F(RouteFiles, FileVocabulary) {
    struct Case {
        const char* what;
        std::string xml, summary;
    } cases[] = {
        {"colour names ignore case; no line keeps the style", "<r color='RED'><point/></r>",
         "F800 7 @0,0/0"},
        {"an unknown colour is white, an unknown style keeps the style",
         "<r color='mauve' line='wavy'><point/></r>", "FFFF 7 @0,0/0"},
        {"line none", "<r color='Gold' line='NONE'><point/></r>", "FEA0 -1 @0,0/0"},
        {"line dash", "<r color='silver' line='Dash'><point/></r>", "C618 4 @0,0/0"},
        {"only elements named exactly point",
         "<r color='red'><Point>A</Point>text<!-- c --><x/><point>B</point><?pi?></r>",
         "F800 7 B@0,0/3"},
        {"degrees to arc minutes, truncated toward zero",
         "<r color='red'><point lat='48.8566' lon='-73.9857'/><point lat='-0.01' lon='0'/>"
         "<point lat=' 90' lon='-180'/><point lat='+1.5E1 ' lon='.5'/><point/></r>",
         "F800 7 @2931,-4439/0 @0,0/0 @5400,-10800/0 @900,30/0 @0,0/0"},
        {"a point without text or picture draws nothing but stays on the line",
         "<r color='red'><point lat='1'/><point> </point><point>Oslo</point></r>",
         "F800 7 @60,0/0 @0,0/0 Oslo@0,0/3"},
        {"the label is all the text inside, trimmed, read as UTF-8",
         "<r color='red'><point>\n  S\xC3\xA3o <b>Paulo</b> </point>"
         "<point><![CDATA[A&B]]> &#x1F30D;</point></r>",
         "F800 7 S\xC3\xA3o Paulo@0,0/3 A&B \xF0\x9F\x8C\x8D@0,0/3"},
        {"a root without children is read and needs no colour", "<empty/>", "1234 7"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        gRouteSet.color = 0x1234;
        gRouteSet.lineStyle = 7;
        std::string reason;
        ASSERT_TRUE(load(c.xml, &reason)) << reason;
        EXPECT_EQ(gRouteSet.fileName, "t.xml");
        EXPECT_EQ(summary(), c.summary);
    }
    // The style carries over from the file before; an empty name changes nothing.
    write("a.xml", "<r color='red' line='dash'><point>A</point></r>");
    write("b.xml", "<r color='blue'><point>B</point><point>C</point></r>");
    ASSERT_TRUE(routes::loadRouteFile("a.xml"));
    ASSERT_TRUE(routes::loadRouteFile("b.xml"));
    EXPECT_FALSE(routes::loadRouteFile(""));
    EXPECT_EQ(summary(), "001F 4 B@0,0/3 C@0,0/3");
    EXPECT_EQ(gRouteSet.fileName, "b.xml");
}

std::string utf16le(const std::string& ascii) {
    std::string out = "\xFF\xFE";
    for (char c : ascii) out += std::string{c, '\0'};
    return out;
}

TEST_F(RouteFiles, HostileFilesAreRefusedWithLineAndFault) {
    std::string points = "<r color='red'>\n";
    for (int i = 0; i <= routes::kMaxRoutePoints; ++i) points += "<point lat='1'/>\n";
    points += "</r>\n";
    std::string big = "<r color='red'><point/></r><!--";
    big += std::string(routes::kMaxRouteFileBytes - big.size() - 3, 'x') + "-->";
    const std::string mismatched = "<r color='red'>\n<point>A</point>\n</rr>\n";
    struct Case {
        const char* what;
        std::string bytes;  // the file; empty: a FIFO in its place
        const char* reason;
    } cases[] = {
        {"not well formed", mismatched, "line 3: not well formed (Start-end tags mismatch)"},
        {"not well formed, in UTF-16", utf16le(mismatched),
         "line 3: not well formed (Start-end tags mismatch)"},
        {"two roots", "<a/>\r\n<b/>", "line 2: not well formed (a second root element)"},
        {"text beside the root", "<a/>\r<!-- -->\r<!-- -->text",
         "line 3: not well formed (text outside the root element)"},
        {"no root", "<!-- a -->\n", "line 2: not well formed (no root element)"},
        {"children but no colour", "\n<r line='dash'><point/></r>",
         "line 2: the root element has children but no color"},
        {"lat beyond 90", "<r color='red'>\n<point lat='45'/>\n<point lat='-90.5'/></r>",
         "line 3: lat -90.5 is outside -90 .. 90 degrees"},
        {"lon beyond 180", "<r color='red'>\n<point lon='180.0001'/></r>",
         "line 2: lon 180.0001 is outside -180 .. 180 degrees"},
        // 600 degrees would have wrapped to -29536 arc minutes in 16 bits.
        {"lat far beyond", "<r color='red'><point lat='600'/></r>",
         "line 1: lat 600 is outside -90 .. 90 degrees"},
        {"lat too large for a double", "<r color='red'><point lat='1e999'/></r>",
         "line 1: lat inf is outside -90 .. 90 degrees"},
        // These were read as far as they went: "10,5" as 10, "20abc" as 20, "abc" as 0.
        {"lat with a decimal comma", "<r color='red'>\n\n<point lat='10,5'/></r>",
         "line 3: lat \"10,5\" is not a number"},
        {"lon with a tail", "<r color='red'><point lon=' 20abc'/></r>",
         "line 1: lon \"20abc\" is not a number"},
        {"lat no number", "<r color='red'><point lat='abc'/></r>",
         "line 1: lat \"abc\" is not a number"},
        {"lat empty", "<r color='red'><point lat=''/></r>", "line 1: lat \"\" is not a number"},
        {"lon hexadecimal", "<r color='red'><point lon='0x10'/></r>",
         "line 1: lon \"0x10\" is not a number"},
        {"lon NaN", "<r color='red'><point lon='NaN'/></r>", "line 1: lon \"NaN\" is not a number"},
        {"lat a long tail", "<r color='red'><point lat='1.00000000000000000000000000x'/></r>",
         "line 1: lat \"1.0000000000000000000000...\" is not a number"},
        {"too many points", points, "line 10002: more than 10000 points"},
        {"over 4 MiB", big + " ", "the file is over 4 MiB"},
        {"a FIFO", "", "not a regular file"},
    };
    // Exactly 4 MiB is still read.
    ASSERT_EQ(big.size(), routes::kMaxRouteFileBytes);
    EXPECT_TRUE(load(big));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        write("good.xml", "<r color='green' line='dot'><point>A</point></r>");
        ASSERT_TRUE(routes::loadRouteFile("good.xml"));
        fs::remove(path("t.xml"));
        if (c.bytes.empty())
            ASSERT_EQ(mkfifo(path("t.xml").c_str(), 0644), 0);
        else
            write("t.xml", c.bytes);
        std::string reason;
        EXPECT_FALSE(routes::loadRouteFile("t.xml", &reason));
        EXPECT_EQ(reason, c.reason);
        EXPECT_EQ(summary(), "07E0 1");  // no points; the good file's style stays
        EXPECT_EQ(gRouteSet.fileName, "");
    }
}

TEST_F(RouteFiles, PicturesThatCannotServeAreSkipped) {
    write("pics/ok.gif", gif(16, 8));
    write("screen.gif", gif(240, 320));
    write("wide.gif", gif(241, 10));
    write("tall.gif", gif(10, 321));
    write("bad.gif", "GIF89a, but nothing more");
    std::ofstream((home_ / "outside.gif").string(), std::ios::binary) << gif(16, 8);
    fs::create_symlink("pics/ok.gif", path("in.gif"));
    fs::create_symlink("../outside.gif", path("out.gif"));
    fs::create_symlink(home_, path("home"));
    ASSERT_EQ(mkfifo(path("fifo.gif").c_str(), 0644), 0);
    const char* outside = "leads out of routes/ through a symbolic link";
    const char* up = "leads out of routes/ with \"..\"";
    const char* notGif = "not a readable GIF picture";
    const struct {
        std::string img;
        int width;           // 0: skipped
        const char* reason;  // why it was skipped (they used to be skipped without a word)
    } cases[] = {
        {"pics/ok.gif", 16, ""},
        {"pics\\ok.gif", 16, ""},  // as written on the handheld
        {"in.gif", 16, ""},
        {"screen.gif", 240, ""},
        {"none.gif", 0, "No such file or directory"},
        {"", 0, "no file name"},
        {"../outside.gif", 0, up},
        {"pics/../pics/ok.gif", 0, up},
        {path("pics/ok.gif"), 0, "an absolute path, not one inside routes/"},
        {"out.gif", 0, outside},
        {"home/outside.gif", 0, outside},
        {"fifo.gif", 0, "it is not a regular file"},
        {"pics", 0, "it is a folder"},
        {"bad.gif", 0, notGif},
        {"wide.gif", 0, "241 x 10 pixels, larger than the screen"},
        {"tall.gif", 0, "10 x 321 pixels, larger than the screen"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.img);
        ASSERT_TRUE(
            load("<r color='red'><point img='" + c.img + "' imgx='-3' imgy='99999'>P</point></r>"));
        const geo::RoutePlace& p = place(0);
        EXPECT_EQ(nameOf(p), u"P");
        if (c.width == 0) {
            EXPECT_EQ(p.picture, nullptr);
            EXPECT_EQ(p.kind, geo::kPlaceCity);  // the marker stays
            EXPECT_EQ(p.imgX, 0);
            ASSERT_EQ(gRouteSet.skippedPictures.size(), 1u);
            EXPECT_EQ(gRouteSet.skippedPictures[0].name, c.img);
            EXPECT_EQ(gRouteSet.skippedPictures[0].reason, c.reason);
            continue;
        }
        EXPECT_TRUE(gRouteSet.skippedPictures.empty());
        ASSERT_NE(p.picture, nullptr);
        EXPECT_EQ(p.kind, geo::kPlaceLabel);
        EXPECT_EQ(p.picture->width(), c.width);
        EXPECT_EQ(p.picture->pixels()[0], 0xF800);
        EXPECT_EQ(p.picture->pixels()[c.width - 1], 0x001F);
        EXPECT_EQ(p.imgX, -3);
        EXPECT_EQ(p.imgY, routes::kMaxPictureOffset);
    }
    // 8 MiB of pictures holds 54 of the screen's size; the next ones keep their markers.
    std::string many = "<r color='red'>";
    for (int i = 0; i < 60; ++i) many += "<point img='screen.gif'/>";
    ASSERT_TRUE(load(many + "</r>"));
    int pictures = 0;
    for (int i = 0; i < 60; ++i) pictures += place(i).picture != nullptr;
    EXPECT_EQ(pictures, 54);
    EXPECT_EQ(place(59).kind, geo::kPlaceCity);
    ASSERT_EQ(gRouteSet.skippedPictures.size(), 6u);
    EXPECT_EQ(gRouteSet.skippedPictures[5].reason,
              "past the 4194304 pixels of pictures one file may have");
}

// Great-circle distance in km between two positions in arc minutes.
double kilometres(int lat1, int lon1, int lat2, int lon2) {
    const double k = M_PI / 10800;
    return 6371.0 * sphere::haversine(lat1 * k, lon1 * k, lat2 * k, lon2 * k);
}

// Every sample file loads, and each named point that is a city of cities.bin (any city of
// that name) lies within 25 km of it.
TEST(SampleRoutes, NamedPointsLieAtTheirCities) {
    platform::chooseFolders(MUNDORA_BINARY_DIR "/data", testing::TempDir(), nullptr);
    gDisplay = {240, 320, 2, 480, 16};
    geo::CityDatabase db;
    ASSERT_TRUE(db.open(platform::homeFile("cities.bin")));
    const std::vector<std::string> files = platform::listFiles(routes::routesFolder(), ".xml");
    EXPECT_GE(files.size(), 3u);
    int checked = 0, pictures = 0;
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        std::string reason;
        ASSERT_TRUE(routes::loadRouteFile(file, &reason)) << reason;
        for (PtrNode* n = gRouteSet.places.head(); n; n = n->next) {
            const auto* p = static_cast<const geo::RoutePlace*>(static_cast<geo::Place*>(n->data));
            pictures += p->picture != nullptr;
            if (!p->name) continue;
            geo::RecordList found;
            db.prefixSearch(p->name, 100, &found);
            double nearest = 1e9;
            for (const geo::CityRecord* r : found)
                if (geo::textLength(geo::recordName(r)) == geo::textLength(p->name))
                    nearest = std::min(nearest,
                                       kilometres(p->latitude, p->longitude, geo::recordLatitude(r),
                                                  geo::recordLongitude(r)));
            if (nearest == 1e9) continue;
            ++checked;
            EXPECT_LE(nearest, 25.0) << geo::toUtf8(p->name);
        }
    }
    EXPECT_GE(checked, 40);
    EXPECT_GE(pictures, 15);
    gRouteSet.clear();
}

}  // namespace

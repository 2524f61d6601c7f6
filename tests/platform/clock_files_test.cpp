// Calendar conversions against the C library, atomic writes, and sorted folder listings.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <set>

#include "platform/clock.h"
#include "platform/files.h"

namespace {

class Files : public ::testing::Test {
  protected:
    void SetUp() override {
        char name[] = "/tmp/mundora-test-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        dir = name;
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::string dir;
};

std::string slurp(const std::string& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(Clock, BrokenDownTimeMatchesGmtime) {
    // Every 7 h 13 min 17 s from 1900 to 2100 crosses leap days, centuries and negatives.
    for (int64_t s = -2208988800LL; s < 4102444800LL; s += 7 * 3600 + 13 * 60 + 17) {
        time_t t = static_cast<time_t>(s);
        tm ref;
        gmtime_r(&t, &ref);
        platform::UtcTime u = platform::utcFromMillis(s * 1000 + 250);
        ASSERT_EQ(u.year, ref.tm_year + 1900) << s;
        ASSERT_EQ(u.month, ref.tm_mon + 1) << s;
        ASSERT_EQ(u.day, ref.tm_mday) << s;
        ASSERT_EQ(u.hour, ref.tm_hour) << s;
        ASSERT_EQ(u.minute, ref.tm_min) << s;
        ASSERT_EQ(u.second, ref.tm_sec) << s;
        ASSERT_EQ(u.dayOfWeek, ref.tm_wday) << s;
        ASSERT_EQ(u.millisecond, 250);
        ASSERT_EQ(platform::millisFromUtc(u.year, u.month, u.day, u.hour, u.minute, u.second),
                  s * 1000);
    }
}

TEST(Clock, ParsesOnlyWellFormedTimes) {
    struct Case {
        const char* text;
        bool ok;
        int64_t seconds;
    } cases[] = {
        {"2027-03-20T12:00:00Z", true, 1805544000},
        {"1970-01-01T00:00:00Z", true, 0},
        {"2024-02-29T23:59:59Z", true, 1709251199},
        {"2023-02-29T00:00:00Z", false, 0},
        {"2027-03-20T12:00:00", false, 0},
        {"2027-03-20T12:00:00Zx", false, 0},
        {"2027-13-01T00:00:00Z", false, 0},
        {"2027-03-20T24:00:00Z", false, 0},
        {"yesterday", false, 0},
    };
    for (const Case& c : cases) {
        int64_t ms = -1;
        EXPECT_EQ(platform::parseUtc(c.text, &ms), c.ok) << c.text;
        if (c.ok) EXPECT_EQ(ms, c.seconds * 1000) << c.text;
    }
}

TEST_F(Files, AtomicWriteReplacesWholeOrNotAtAll) {
    std::string path = dir + "/settings.ini";
    ASSERT_TRUE(platform::writeFileAtomic(path, "old", 3));
    platform::failNextAtomicRename();
    std::string error;
    EXPECT_FALSE(platform::writeFileAtomic(path, "new contents", 12, &error));
    EXPECT_NE(error.find("settings.ini"), std::string::npos);
    EXPECT_EQ(slurp(path), "old");
    // The failed rename left its temporary, as a kill would; the next write used to leave it
    // for ever. It removes its own stale temporaries now, and nothing else.
    for (const char* name : {"settings.ini.tmp-abc123", "settings.ini.bak", "other.tmp-abc123",
                             "settings.ini.tmp-abc12", "settings.ini.tmp-abc123.bak"})
        std::ofstream(dir + "/" + name) << "x";
    ASSERT_TRUE(platform::writeFileAtomic(path, "new", 3));
    EXPECT_EQ(slurp(path), "new");
    std::set<std::string> left;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        left.insert(e.path().filename().string());
    EXPECT_EQ(left,
              (std::set<std::string>{"settings.ini", "settings.ini.bak", "other.tmp-abc123",
                                     "settings.ini.tmp-abc12", "settings.ini.tmp-abc123.bak"}));
    // A folder that cannot be written into reports failure and leaves nothing behind.
    EXPECT_FALSE(platform::writeFileAtomic(dir + "/missing/x.ini", "a", 1, &error));
}

TEST_F(Files, ListsMatchingFilesSortedIgnoringCaseAndMapsThem) {
    for (const char* name : {"night.GIF", "Day.gif", "b.txt", "alpha.gif"})
        std::ofstream(dir + "/" + name) << "x";
    mkdir((dir + "/folder.gif").c_str(), 0755);
    std::vector<std::string> names = platform::listFiles(dir, ".gif");
    EXPECT_EQ(names, (std::vector<std::string>{"alpha.gif", "Day.gif", "night.GIF"}));
    EXPECT_TRUE(platform::listFiles(dir + "/none", ".gif").empty());
    // A file is mapped whole; a folder is refused.
    std::ofstream(dir + "/a.bin") << "hello";
    platform::MappedFile f;
    ASSERT_TRUE(f.open(dir + "/a.bin"));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(f.data()), f.size()), "hello");
    EXPECT_FALSE(f.open(dir));
    EXPECT_FALSE(f.isOpen());
    f.close();  // closing twice is harmless
}

}  // namespace

// The saved city selection end to end: cities.sav is read at start-up when settings.ini's
// stamp names the cities.bin in use, keeping only offsets where a city starts, and written
// back at exit; a kill at any moment of the exit's saves leaves settings.ini and cities.sav
// each whole, the old file or the new.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "geo/city_db.h"
#include "geo/text16.h"
#include "session.h"
#include "shell/settings.h"

namespace {

const std::string kCities = MUNDORA_BINARY_DIR "/data/cities.bin";

// cities.sav bytes: each offset as 4 little-endian bytes.
std::string savBytes(const std::vector<uint32_t>& offsets) {
    std::string out;
    for (uint32_t v : offsets)
        for (int shift = 0; shift < 32; shift += 8) out += char(v >> shift);
    return out;
}

// Three cities on the side of the globe the first view faces.
const char* const kThree[] = {"Lima", "Havana", "Caracas"};

// Where the first city named exactly as each of kThree lies in the built cities.bin.
std::vector<uint32_t> threeCities() {
    geo::CityDatabase db;
    EXPECT_TRUE(db.open(kCities));
    std::vector<uint32_t> out;
    for (const char* name : kThree)
        for (const geo::CityRecord* r = db.firstRecord(); r; r = db.nextRecord(r))
            if (geo::toUtf8(geo::recordName(r)) == name) {
                out.push_back(db.recordOffset(r));
                break;
            }
    EXPECT_EQ(out.size(), 3u);
    return out;
}

// settings.ini, all defaults but the stamp of the city file the selection was saved with.
std::string stampedSettings(const std::string& header, uint32_t size) {
    Options o;
    o.selectionCityFile = {header, size};
    return formatSettings(o, "");
}

TEST(Selection, ReadOnlyWithItsOwnCityFileAndSavedBackAtExit) {
    const std::string bin = readText(kCities);
    const std::string header = bin.substr(0, 16);
    const uint32_t size = uint32_t(bin.size());
    const std::string three = savBytes(threeCities());
    const std::string ownStamp = "City File Size=" + std::to_string(size) + "\n";
    enum CityFile { kWhole, kMissing, kCut };
    struct Case {
        const char* what;
        std::string settings;  // empty: none yet
        CityFile cities;
        int kept;
        bool dropped;  // said in the message box
        std::string savedAfter;
        std::string stampAfter;
    } cases[] = {
        {"no stamp yet", "", kWhole, 3, false, three, ownStamp},
        {"its own city file", stampedSettings(header, size), kWhole, 3, false, three, ownStamp},
        {"another size", stampedSettings(header, size - 2), kWhole, 0, true, "", ownStamp},
        {"another header", stampedSettings("cities500 0.9.9" + std::string(1, '\0'), size), kWhole,
         0, true, "", ownStamp},
        // Neither read nor rewritten, and its stamp kept, until cities.bin is back.
        {"no cities.bin", stampedSettings(header, size - 2), kMissing, 0, false, three,
         "City File Size=" + std::to_string(size - 2) + "\n"},
        // Its own file cut short used to count as another file: the selection was dropped,
        // said to be from another cities.bin, and saved back empty.
        {"its own city file cut short", stampedSettings(header, size), kCut, 0, false, three,
         ownStamp},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Home home;
        if (c.cities == kMissing) std::remove(home.file("cities.bin").c_str());
        if (c.cities == kCut) std::filesystem::resize_file(home.file("cities.bin"), 500000);
        TempFolder state;
        if (!c.settings.empty()) std::ofstream(state.file("settings.ini")) << c.settings;
        std::ofstream(state.file("cities.sav"), std::ios::binary) << three;
        Session run("command 2007\nwait 200\nview v\ntexts t", home.path, state.path);
        EXPECT_EQ(run.view("v")["displayedCities"], c.kept);
        // "Show Selected Cities" (command 2007) draws each city kept, with its name.
        const std::string texts = run.text("t");
        for (const char* name : kThree)
            EXPECT_EQ(texts.find(std::string(" ") + name + "\n") != std::string::npos, c.kept == 3)
                << name << "\n"
                << texts;
        EXPECT_EQ(texts.find("another cities.bin") != std::string::npos, c.dropped) << texts;
        EXPECT_EQ(readText(state.file("cities.sav")), c.savedAfter);
        EXPECT_NE(readText(state.file("settings.ini")).find(c.stampAfter), std::string::npos);
        if (c.cities != kCut) continue;
        // With the whole file back, the selection is there again.
        copyFile(kCities, home.file("cities.bin"));
        Session again("view v", home.path, state.path);
        EXPECT_EQ(again.view("v")["displayedCities"], 3);
    }
}

// The exit saves both files, each through a temporary renamed over the old one. Runs are
// killed at random moments of their saves (which take a few milliseconds with their flushes),
// and each file must then read as the old or the new version whole.
TEST(Selection, AKillDuringTheSavesLeavesEachFileOldOrNew) {
    const std::string bin = readText(kCities);
    const std::vector<uint32_t> cities = threeCities();
    // The old versions: grid off, and a selection with what the reader leaves out (values in
    // the header, inside a record and past the file's end; a 0 and all after it; a short tail).
    const std::string oldSav =
        savBytes({cities[0], 7, cities[1], cities[2] + 2, 0xFFFFFFFF, cities[2], 0, cities[0]}) +
        "!";
    const std::string oldIni = stampedSettings(bin.substr(0, 16), uint32_t(bin.size()));
    TempFolder state;
    auto saving = [&] {
        for (const auto& e : std::filesystem::directory_iterator(state.path))
            if (e.path().filename().string().find(".tmp-") != std::string::npos) return true;
        return readText(state.file("cities.sav")) != oldSav ||
               readText(state.file("settings.ini")) != oldIni;
    };
    // A run from the old versions, killed `delayUs` after its saves begin (never if negative).
    auto run = [&](long delayUs) {
        std::system(("rm -f " + state.path + "/*.tmp-*").c_str());
        std::ofstream(state.file("settings.ini")) << oldIni;
        std::ofstream(state.file("cities.sav"), std::ios::binary) << oldSav;
        const int pid = startScript(state, "command 2001\nquit\n", "k");
        siginfo_t ended{};
        while (delayUs >= 0 && !saving() &&
               waitid(P_PID, pid, &ended, WEXITED | WNOHANG | WNOWAIT) == 0 && ended.si_pid == 0)
            usleep(200);
        if (delayUs >= 0) {
            usleep(delayUs);
            kill(pid, SIGKILL);
        }
        waitRun(pid, state, "k");
    };
    run(-1);  // the new versions: the selection without its bad entries; grid on
    const std::string newSav = readText(state.file("cities.sav"));
    const std::string newIni = readText(state.file("settings.ini"));
    ASSERT_EQ(newSav, savBytes(cities));
    ASSERT_NE(newIni, oldIni);
    std::mt19937 random(::testing::UnitTest::GetInstance()->random_seed());
    for (int i = 0; i < 5; ++i) {
        run(std::uniform_int_distribution<long>(0, 15000)(random));
        const std::string sav = readText(state.file("cities.sav"));
        const std::string ini = readText(state.file("settings.ini"));
        EXPECT_TRUE(sav == oldSav || sav == newSav) << i << ": " << sav.size() << " bytes";
        EXPECT_TRUE(ini == oldIni || ini == newIni) << i << ": " << ini;
    }
}

}  // namespace

// The saved city selection end to end: cities.sav is read at start-up when settings.ini's
// stamp names the cities.bin in use, and written back at exit; and a kill at any moment of
// the exit's saves leaves settings.ini and cities.sav each whole, the old file or the new.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>

#include "geo/city_db.h"
#include "geo/text16.h"
#include "run_program.h"
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
    struct Case {
        const char* what;
        std::string settings;  // empty: none yet
        bool withCities;
        int kept;
        bool dropped;  // said in the message box and on standard error
        std::string savedAfter;
        std::string stampAfter;
    } cases[] = {
        {"no stamp yet", "", true, 3, false, three, ownStamp},
        {"its own city file", stampedSettings(header, size), true, 3, false, three, ownStamp},
        {"another size", stampedSettings(header, size - 2), true, 0, true, "", ownStamp},
        {"another header", stampedSettings("cities500 0.9.9" + std::string(1, '\0'), size), true, 0,
         true, "", ownStamp},
        // Neither read nor rewritten, and its stamp kept, until cities.bin is back.
        {"no cities.bin", stampedSettings(header, size - 2), false, 0, false, three,
         "City File Size=" + std::to_string(size - 2) + "\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Home home;
        if (!c.withCities) std::remove(home.file("cities.bin").c_str());
        TempFolder state;
        if (!c.settings.empty()) std::ofstream(state.file("settings.ini")) << c.settings;
        std::ofstream(state.file("cities.sav"), std::ios::binary) << three;
        ProgramRun run = runScript(state,
                                   "clock 2027-03-20T17:00:00Z\ncommand 2007\nwait 200\nview " +
                                       state.file("v") + "\ntexts " + state.file("t") + "\nquit\n",
                                   home.path);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        std::map<std::string, long> view = readView(state.file("v"));
        EXPECT_EQ(view["displayedCities"], c.kept);
        EXPECT_EQ(view["selectedCities"], 1);
        EXPECT_EQ(view["modal"], c.dropped ? 2 : 0);
        // "Show Selected Cities" (command 2007) draws each city kept, with its name.
        const std::string texts = readText(state.file("t"));
        for (const char* name : kThree)
            EXPECT_EQ(texts.find(std::string(" ") + name + "\n") != std::string::npos, c.kept == 3)
                << name << "\n"
                << texts;
        EXPECT_EQ(texts.find("another cities.bin") != std::string::npos, c.dropped) << texts;
        EXPECT_EQ(run.err.find("was saved with another cities.bin; dropped") != std::string::npos,
                  c.dropped)
            << run.err;
        EXPECT_EQ(readText(state.file("cities.sav")), c.savedAfter);
        EXPECT_NE(readText(state.file("settings.ini")).find(c.stampAfter), std::string::npos);
    }
}

// The exit saves both files, each through a temporary renamed over the old one. Runs are
// killed a random moment after the first sign of a save in the state folder, within about
// twice the time the two saves took in a run left to finish; each file must then read as
// the old or the new version whole.
TEST(Selection, AKillDuringTheSavesLeavesEachFileOldOrNew) {
    const std::string bin = readText(kCities);
    const std::vector<uint32_t> cities = threeCities();
    // The old versions: a selection with entries naming no city and a short tail, grid off.
    const std::string oldSav =
        savBytes({cities[0], 7, cities[1], cities[2] + 2, cities[2]}) + std::string("\x01\x02");
    const std::string oldIni = stampedSettings(bin.substr(0, 16), uint32_t(bin.size()));
    TempFolder state;
    // What a save changes: a temporary beside the files, or either file itself.
    auto snapshot = [&] {
        std::string seen;
        for (const auto& e : std::filesystem::directory_iterator(state.path)) {
            struct stat st {};
            stat(e.path().c_str(), &st);
            const std::string name = e.path().filename().string();
            if (name.find(".tmp-") != std::string::npos || name == "cities.sav" ||
                name == "settings.ini")
                seen += name + " " + std::to_string(st.st_ino) + " " + std::to_string(st.st_size) +
                        " " + std::to_string(st.st_mtim.tv_nsec) + "\n";
        }
        return seen;
    };
    auto ended = [](int pid) {
        siginfo_t info{};
        return waitid(P_PID, pid, &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == pid;
    };
    // A run from the old versions, killed `delayUs` after the first sign of a save; with a
    // negative delay it is left to finish.
    auto run = [&](long delayUs) {
        std::system(("rm -f '" + state.path + "'/*.tmp-*").c_str());
        std::ofstream(state.file("settings.ini")) << oldIni;
        std::ofstream(state.file("cities.sav"), std::ios::binary) << oldSav;
        const std::string before = snapshot();
        const int pid = startScript(state, "command 2001\nquit\n", "k");
        // A temporary lives for a moment only: the poll gives up when the run has ended.
        while (delayUs >= 0 && snapshot() == before && !ended(pid)) {
        }
        if (delayUs >= 0) {
            usleep(delayUs);
            kill(pid, SIGKILL);
        }
        waitRun(pid, state, "k");
    };
    auto writtenAt = [&](const char* name) {  // microseconds
        struct stat st {};
        stat(state.file(name).c_str(), &st);
        return st.st_mtim.tv_sec * 1000000L + st.st_mtim.tv_nsec / 1000;
    };
    // The new versions: the selection without its bad entries, the grid on.
    run(-1);
    const std::string newSav = readText(state.file("cities.sav"));
    const std::string newIni = readText(state.file("settings.ini"));
    ASSERT_EQ(newSav, savBytes(cities));
    ASSERT_NE(newIni, oldIni);
    const long savesUs = std::max(1000L, writtenAt("settings.ini") - writtenAt("cities.sav"));
    std::uniform_int_distribution<long> delay(0, 2 * savesUs);
    std::mt19937 random(::testing::UnitTest::GetInstance()->random_seed());
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        run(delay(random));
        const std::string sav = readText(state.file("cities.sav"));
        const std::string ini = readText(state.file("settings.ini"));
        EXPECT_TRUE(sav == oldSav || sav == newSav) << sav.size() << " bytes";
        EXPECT_TRUE(ini == oldIni || ini == newIni) << ini;
    }
}

}  // namespace

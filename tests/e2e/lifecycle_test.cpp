// Start-up, shutdown and the single-copy rule, run end to end on the headless program.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include "../gif/giflib_io.h"
#include "embedded_resources.h"
#include "platform/resources.h"
#include "session.h"

namespace {

// The splash as giflib decodes the embedded picture, in RGB565 (findResource looks it up in
// the same table the program registers).
std::vector<uint16_t> splashByGiflib() {
    size_t count = 0;
    platform::registerResources(embeddedResources(&count), count);
    const platform::Resource* splash = platform::findResource(110);
    std::vector<uint16_t> out;
    if (splash) gifref::decodeGiflib565({splash->data, splash->data + splash->size}, &out);
    return out;
}

TEST(Lifecycle, StartupShowsTheSplashAndQuitsCleanly) {
    Session run("shot a.png\ntexts a.txt");
    const std::vector<uint16_t> shot = run.shot("a.png"), splash = splashByGiflib();
    ASSERT_EQ(splash.size(), shot.size());
    // Outside the band of the start-up text and progress bar the screen is the splash.
    int differing = 0;
    for (int y = 0; y < 320; ++y) {
        if (y >= 100 && y < 140) continue;
        for (int x = 0; x < 240; ++x) differing += shot[y * 240 + x] != splash[y * 240 + x];
    }
    EXPECT_EQ(differing, 0);
    // The start-up texts, and the progress bar filled to its right end.
    std::string texts = run.text("a.txt");
    EXPECT_NE(texts.find("50 106 0xFFFF Initializing...\n"), std::string::npos) << texts;
    EXPECT_NE(texts.find(" 100 %\n"), std::string::npos) << texts;
    const uint16_t fill = shot[127 * 240 + 45];
    EXPECT_NE(fill, splash[127 * 240 + 45]);
    for (int x = 45; x < 195; x += 10)
        if (x < 100 || x > 140) EXPECT_EQ(shot[127 * 240 + x], fill) << "column " << x;
    // Settings were saved by the orderly exit.
    EXPECT_NE(run.text("settings.ini"), "");
}

TEST(Lifecycle, SecondCopyAsksTheFirstToComeForward) {
    TempFolder folder;
    int first = startScript(folder, "raised\nquit\n", "first");
    // The first copy listens once it holds the lock.
    struct stat st;
    for (int i = 0; i < 200 && stat(folder.file("mundora.sock").c_str(), &st) != 0; ++i)
        usleep(50000);
    ASSERT_EQ(stat(folder.file("mundora.sock").c_str(), &st), 0);
    // A client that connects and sends nothing used to hold the first copy in a blocking
    // read for ever; it is dropped (its end sees the connection closed) and the copy goes on.
    int silent = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", folder.file("mundora.sock").c_str());
    // The socket's name appears at bind, a moment before the first copy listens.
    int connected = -1;
    for (int i = 0; i < 100 && connected != 0; ++i) {
        connected = connect(silent, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        if (connected != 0) usleep(20000);
    }
    ASSERT_EQ(connected, 0);
    pollfd p{silent, POLLIN, 0};
    char byte;
    EXPECT_EQ(poll(&p, 1, 60000), 1) << "the silent client was not dropped";
    EXPECT_EQ(recv(silent, &byte, 1, MSG_DONTWAIT), 0);
    close(silent);
    // A script that hands off used to end with 0 and nothing said, as if it had run.
    ProgramRun second = runScript(folder, "shot " + folder.file("second.png") + "\nquit\n");
    EXPECT_EQ(second.exitCode, 1) << second.err;
    EXPECT_EQ(second.err, "mundora: another copy is running with the state folder " + folder.path +
                              "; it was asked to come forward and this script did not run\n");
    EXPECT_NE(stat(folder.file("second.png").c_str(), &st), 0) << "the second copy ran a script";
    ProgramRun firstRun = waitRun(first, folder, "first");
    EXPECT_EQ(firstRun.exitCode, 0) << firstRun.err;
}

// What goes wrong is said on standard error: a bad script line with its number (exit 2), and a
// state folder that cannot serve or settings that cannot be saved (the run goes on, exit 0).
// The folder and save problems used to pass in silence, "shot" wrote PNG data under any
// name, and a line of binary junk was echoed raw.
TEST(Lifecycle, ProblemsAreSaidOnStandardError) {
    struct Case {
        const char* what;
        std::string script;
        std::string (*state)(const TempFolder&);  // the state folder to run with
        int exitCode;
        std::string said;  // found on standard error
        bool unsaved;      // and "settings not saved" after it
    } cases[] = {
        {"unknown command", "wait 100\n# fine\nfly 1 2\nquit\n", nullptr, 2,
         "run.script:3: unknown command 'fly'", false},
        {"binary junk", "wait 100\n\x01\xFF\x1B[2J\xC3\xA9t\xC3\n", nullptr, 2,
         "run.script:2: unknown command '\\x01\\xFF\\x1B[2J\xC3\xA9t\\xC3'", false},
        {"shot not as .png", "wait 100\nshot {dir}/picture.gif\nquit\n", nullptr, 2,
         "run.script:2: bad file name '{dir}/picture.gif', expected a name ending in .png", false},
        {"state is a file", "quit\n", [](const TempFolder& f) { return f.file("run.script"); }, 0,
         "mundora: state folder {state} is a file, not a folder", true},
        {"state cannot be created", "quit\n",
         [](const TempFolder& f) { return f.file("run.script/state"); }, 0,
         "mundora: state folder {state} cannot be created (Not a directory)", true},
        {"state cannot be written", "quit\n",
         [](const TempFolder&) { return std::string("/proc/self"); }, 0,
         "mundora: state folder {state} cannot be written", true},
        {"settings.ini is a folder", "quit\n",
         [](const TempFolder& f) {
             mkdir(f.file("state").c_str(), 0755);
             mkdir(f.file("state/settings.ini").c_str(), 0755);
             return f.file("state");
         },
         0, "mundora: settings not saved: cannot rename the new file over {state}/settings.ini",
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        const std::string state = c.state ? c.state(folder) : folder.path;
        const std::map<std::string, std::string> names = {{"{dir}", folder.path},
                                                          {"{state}", state}};
        ProgramRun run = runScript(folder, filled(c.script, names), "", state);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        // One line each: nothing said twice, nothing else said.
        EXPECT_NE(run.err.find(filled(c.said, names)), std::string::npos) << run.err;
        if (c.unsaved) EXPECT_NE(run.err.find("mundora: settings not saved: "), std::string::npos);
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), c.unsaved ? 2 : 1) << run.err;
        struct stat st;
        EXPECT_NE(stat(folder.file("picture.gif").c_str(), &st), 0) << "written under another name";
    }
}

TEST(Lifecycle, CommandLinesThatEndAtOnce) {
    // Without a display the window used to open on SDL's memory-only video, and the program
    // ran unseen until killed. A script that cannot be read used to be named without why,
    // and a bad command line was answered with the usage alone; --script without --headless
    // and a repeated option passed unremarked.
    const std::string usage = "Try 'mundora --help' for the usage.\n";
    struct Case {
        const char* args;  // separated by blanks; "" stands for an empty one
        int exitCode;
        std::string out, err;
    } cases[] = {
        {"--version", 0, "mundora " MUNDORA_VERSION "\n", ""},
        {"", 1, "",
         "mundora: No window could be opened (is there an X or Wayland display?); "
         "mundora --headless --script FILE runs without one.\n"},
        {"--headless --script /nonexistent/run.script", 2, "",
         "mundora: cannot read the script /nonexistent/run.script: No such file or directory\n"},
        {"--headless --script /", 2, "", "mundora: cannot read the script /: it is a folder\n"},
        {"--bogus", 2, "", "mundora: unknown option --bogus\n" + usage},
        {"--scale 9", 2, "", "mundora: --scale 9: a whole number from 1 to 8\n" + usage},
        {"--scale +2", 2, "", "mundora: --scale +2: a whole number from 1 to 8\n" + usage},
        {"--scale=2", 2, "",
         "mundora: --scale=2: put the value after a space, as in --scale 2\n" + usage},
        {"--script run.script", 2, "", "mundora: --script needs --headless\n" + usage},
        {"--home / --home /", 2, "", "mundora: --home is given twice\n" + usage},
        {"--state \"\"", 2, "", "mundora: --state \"\": needs a folder name\n" + usage},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        std::vector<std::string> args;
        std::istringstream words(c.args);
        for (std::string word; words >> word;) args.push_back(word == "\"\"" ? "" : word);
        TempFolder folder;
        ProgramRun run = runArguments(folder, args);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(run.err, c.err);
    }
}

}  // namespace

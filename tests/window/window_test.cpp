// The real SDL window under a virtual X server: a mouse drag made with xdotool turns the
// globe exactly as the same drag in a headless script does. Day and night are switched off
// first, so that neither picture depends on the clock.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "platform/png.h"
#include "run_program.h"

// After everything else: the X headers define macros (None, Bool) that clash with others.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

const char kProgram[] = MUNDORA_BINARY_DIR "/src/shell/mundora";
std::string gDisplayName;  // ":N" of the virtual X server this test started

pid_t spawn(std::vector<std::string> args, const std::string& errPath) {
    pid_t pid = fork();
    if (pid == 0) {
        if (!std::freopen(errPath.c_str(), "w", stderr)) _exit(126);
        setenv("DISPLAY", gDisplayName.c_str(), 1);
        // SDL and the X libraries keep some memory until exit; only real errors matter here.
        setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
        // Drawn by the X server itself, so that its pixels can be read back.
        setenv("SDL_RENDER_DRIVER", "software", 1);
        setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 1);
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    return pid;
}

int shell(const std::string& command) {
    return std::system(("DISPLAY=" + gDisplayName + " " + command).c_str());
}

// Starts Xvfb on a free display (it writes the number it chose to a pipe) and sets
// gDisplayName; the name stays empty when the server does not come up.
pid_t startServer(const TempFolder& folder) {
    int fds[2];
    if (pipe(fds) != 0) return -1;
    pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        if (!std::freopen(folder.file("xvfb.err").c_str(), "w", stderr)) _exit(126);
        std::string fd = std::to_string(fds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "640x480x24", "-nolisten",
               "tcp", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string number;
    char c = 0;
    for (;;) {
        ssize_t n = read(fds[0], &c, 1);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0 || c == '\n') break;
        number += c;
    }
    close(fds[0]);
    if (!number.empty()) gDisplayName = ":" + number;
    return pid;
}

// The 240 × 320 window's pixels as RGB565, or empty when it cannot be read.
std::vector<uint16_t> grabWindow(Display* x, Window w) {
    XImage* image = XGetImage(x, w, 0, 0, 240, 320, AllPlanes, ZPixmap);
    if (!image) return {};
    std::vector<uint16_t> out;
    for (int y = 0; y < 320; ++y)
        for (int px = 0; px < 240; ++px) {
            unsigned long p = XGetPixel(image, px, y);
            unsigned r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
            out.push_back(static_cast<uint16_t>(((r & 0xF8) << 8) | ((g & 0xFC) << 3) | (b >> 3)));
        }
    XDestroyImage(image);
    return out;
}

// The window's id, found by its title; 0 when it does not appear within ten seconds.
Window findWindow(const TempFolder& folder) {
    for (int i = 0; i < 100; ++i) {
        if (shell("xdotool search --name '^Mundora$' > " + folder.file("wid") + " 2>/dev/null") ==
            0) {
            std::string id = readText(folder.file("wid"));
            if (!id.empty()) return static_cast<Window>(std::stoul(id));
        }
        usleep(100000);
    }
    return 0;
}

// Waits (up to 20 s, the machine may be busy) until the window shows a settled frame other
// than `unlike`: two grabs 300 ms apart agree, and the globe is there (not a blank window).
std::vector<uint16_t> settledPicture(Display* x, Window w, const std::vector<uint16_t>& unlike) {
    std::vector<uint16_t> last;
    for (int i = 0; i < 66; ++i) {
        usleep(300000);
        std::vector<uint16_t> now = grabWindow(x, w);
        const long drawn = std::count_if(now.begin(), now.end(), [](uint16_t p) { return p; });
        if (!now.empty() && now == last && now != unlike && drawn > 10000) return now;
        last = now;
    }
    return last;
}

TEST(SdlWindow, MouseDragTurnsTheGlobeAsTheHeadlessDragDoes) {
    TempFolder folder;
    pid_t server = startServer(folder);
    Display* x = gDisplayName.empty() ? nullptr : XOpenDisplay(gDisplayName.c_str());
    ASSERT_NE(x, nullptr) << "Xvfb did not start (" << gDisplayName
                          << "): " << readText(folder.file("xvfb.err"));

    // Settings with day and night off, then the same drag headless.
    ProgramRun prepare = runScript(folder, "command 2002\nwait 100\nquit\n");
    ASSERT_EQ(prepare.exitCode, 0) << prepare.err;
    TempFolder headlessState;
    shell("cp " + folder.file("settings.ini") + " " + headlessState.path + "/");
    ProgramRun headless = runScript(headlessState,
                                    "wait 100\ndown 100 150\nmove 160 170\nup 160 170\nwait 100\n"
                                    "shot " +
                                        headlessState.file("after.png") + "\nquit\n");
    ASSERT_EQ(headless.exitCode, 0) << headless.err;

    pid_t program = spawn(
        {kProgram, "--scale", "1", "--state", folder.path, "--home", MUNDORA_BINARY_DIR "/data"},
        folder.file("window.err"));
    Window w = findWindow(folder);
    ASSERT_NE(w, 0u) << readText(folder.file("window.err"));
    std::vector<uint16_t> before = settledPicture(x, w, {});
    ASSERT_EQ(before.size(), 240u * 320u);

    const std::string id = std::to_string(w);
    shell("xdotool mousemove --window " + id + " 100 150 mousedown 1 mousemove --window " + id +
          " 160 170 mouseup 1");
    std::vector<uint16_t> after = settledPicture(x, w, before);
    ASSERT_EQ(after.size(), before.size());

    std::vector<uint16_t> expected;
    int width = 0, height = 0;
    ASSERT_TRUE(platform::readPng565(headlessState.file("after.png"), &expected, &width, &height));
    int changed = 0, differing = 0;
    for (size_t i = 0; i < after.size(); ++i) {
        changed += after[i] != before[i];
        differing += after[i] != expected[i];
    }
    EXPECT_GT(changed, 10000) << "the drag turned the globe";
    EXPECT_EQ(differing, 0) << "the window shows what the headless run shows";

    kill(program, SIGTERM);  // the window system's close: the orderly exit
    int status = 0;
    waitpid(program, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << readText(folder.file("window.err"));
    XCloseDisplay(x);
    kill(server, SIGTERM);
    waitpid(server, &status, 0);
}

}  // namespace

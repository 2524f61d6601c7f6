// The mundora executable: parses the command line, chooses the folders and the backend (a
// window, or headless with a script), registers the built-in pictures and runs the program.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "embedded_resources.h"
#include "platform/folders.h"
#include "platform/headless.h"
#include "platform/loop.h"
#include "platform/script.h"
#include "platform/sdl_backend.h"
#include "shell/lifecycle.h"
#include "shell/script_hooks.h"

namespace {

const char kUsage[] =
    "usage: mundora [--scale N] [--home DIR] [--state DIR]\n"
    "       mundora --headless --script FILE [--home DIR] [--state DIR]\n"
    "       mundora --version\n"
    "\n"
    "Shows the Earth as a globe or a flat map, with night shaded from the clock.\n"
    "  --scale N      window size: the 240 x 320 screen times N (1..8, default 2)\n"
    "  --home DIR     data folder with cities.bin, maps/, routes/ (else $MUNDORA_HOME,\n"
    "                 else the data folder installed with the program)\n"
    "  --state DIR    folder for settings.ini and cities.sav (else $MUNDORA_STATE,\n"
    "                 else ~/.config/mundora)\n"
    "  --headless     run without a window, driven by --script (see the README)\n"
    "  --script FILE  the commands of a headless run, one a line\n"
    "  --version      print the version and exit\n";

struct Arguments {
    bool headless = false;
    int scale = 2;
    std::string script, home, state;
};

// False (after printing why) when the command line is not understood.
bool parseArguments(int argc, char** argv, Arguments* a) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&](std::string* out) {
            if (i + 1 >= argc) return false;
            *out = argv[++i];
            return true;
        };
        std::string scale;
        if (arg == "--headless") {
            a->headless = true;
        } else if (arg == "--script") {
            if (!value(&a->script)) return false;
        } else if (arg == "--home") {
            if (!value(&a->home)) return false;
        } else if (arg == "--state") {
            if (!value(&a->state)) return false;
        } else if (arg == "--scale") {
            if (!value(&scale)) return false;
            char* end = nullptr;
            long n = std::strtol(scale.c_str(), &end, 10);
            if (*end != '\0' || n < 1 || n > 8) return false;
            a->scale = static_cast<int>(n);
        } else {
            return false;
        }
    }
    return !a->headless || !a->script.empty();
}

}  // namespace

int main(int argc, char** argv) {
    Arguments args;
    if (argc == 2 && (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h"))) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc == 2 && !std::strcmp(argv[1], "--version")) {
        std::puts("mundora " MUNDORA_VERSION);
        return 0;
    }
    if (!parseArguments(argc, argv, &args)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    platform::chooseFolders(args.home, args.state, argv[0]);
    size_t count = 0;
    const platform::Resource* resources = embeddedResources(&count);
    platform::registerResources(resources, count);

    if (!args.headless) {
        std::unique_ptr<platform::Backend> window = platform::makeSdlBackend(args.scale);
        return runProgram(window.get());
    }
    platform::Script script;
    std::string error;
    if (!script.load(args.script, &error)) {
        std::fprintf(stderr, "mundora: %s\n", error.c_str());
        return 2;
    }
    if (!script.runPrelude()) return 2;
    platform::HeadlessBackend screen;
    script.attach(&screen, scriptHooks());
    return runProgram(&screen);
}

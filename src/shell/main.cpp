// The mundora executable: parses the command line, chooses the folders and the backend (a
// window, or headless with a script), registers the built-in pictures and runs the program.
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>
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
    bool scaleGiven = false;
    std::string script, home, state;
};

bool takesValue(const std::string& flag) {
    return flag == "--script" || flag == "--home" || flag == "--state" || flag == "--scale";
}

// What is wrong with `flag`'s `value` ("" when nothing), else stores it.
std::string takeValue(const std::string& flag, const std::string& value, Arguments* a) {
    if (flag == "--scale") {
        int n = 0;
        const char* end = value.data() + value.size();
        const auto [stop, failed] = std::from_chars(value.data(), end, n);
        const bool digits = !value.empty() && value[0] >= '0' && value[0] <= '9';
        if (!digits || failed != std::errc() || stop != end || n < 1 || n > 8)
            return "--scale " + value + ": a whole number from 1 to 8";
        a->scale = n;
        a->scaleGiven = true;
        return "";
    }
    if (value.empty())
        return flag + " \"\": needs a " + (flag == "--script" ? "file" : "folder") + " name";
    (flag == "--script" ? a->script : flag == "--home" ? a->home : a->state) = value;
    return "";
}

// What is wrong with the command line, or "" when it is understood. Each option may be
// given once.
std::string parseArguments(int argc, char** argv, Arguments* a) {
    std::set<std::string> seen;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (!takesValue(arg) && arg != "--headless") {
            const std::string flag = arg.substr(0, arg.find('='));
            if (flag != arg && takesValue(flag))
                return arg + ": put the value after a space, as in " + flag + " " +
                       arg.substr(flag.size() + 1);
            if (arg == "--help" || arg == "-h" || arg == "--version")
                return arg + " takes no other arguments";
            if (arg.empty() || arg[0] != '-') return "unexpected argument \"" + arg + "\"";
            return "unknown option " + arg;
        }
        if (!seen.insert(arg).second) return arg + " is given twice";
        if (arg == "--headless") {
            a->headless = true;
        } else if (i + 1 >= argc) {
            return arg + " needs a value";
        } else if (std::string bad = takeValue(arg, argv[++i], a); !bad.empty()) {
            return bad;
        }
    }
    if (a->headless && a->script.empty()) return "--headless needs --script FILE";
    if (!a->headless && !a->script.empty()) return "--script needs --headless";
    if (a->headless && a->scaleGiven) return "--scale sizes the window; --headless has none";
    return "";
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
    if (std::string bad = parseArguments(argc, argv, &args); !bad.empty()) {
        std::fprintf(stderr, "mundora: %s\nTry 'mundora --help' for the usage.\n", bad.c_str());
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
    return runProgram(&screen, true);
}

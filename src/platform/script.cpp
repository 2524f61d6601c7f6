// Reads a headless script and runs it one command a line whenever the loop has nothing
// left to do: clock and wait, stylus and keys, text, shots, and the program's hooks for
// texts, view, command and quit. A bad line stops the run with its number and exit code 2.
// It knows nothing of what the program draws.
#include "platform/script.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/headless.h"
#include "platform/instance.h"
#include "platform/keys.h"
#include "platform/loop.h"
#include "platform/png.h"

namespace platform {
namespace {

constexpr intptr_t kStylusDown = 1;  // MK_LBUTTON

bool parseInt(const std::string& s, long lo, long hi, long* out) {
    if (s.empty()) return false;
    char* end = nullptr;
    long v = std::strtol(s.c_str(), &end, 10);
    if (*end != '\0' || v < lo || v > hi) return false;
    *out = v;
    return true;
}

std::string trim(const std::string& s) {
    size_t a = s.find_first_not_of(" \t\r");
    if (a == std::string::npos) return "";
    size_t b = s.find_last_not_of(" \t\r");
    return s.substr(a, b - a + 1);
}

// A line without its comment and surrounding blanks. "text" keeps everything after it.
std::string commandOf(const std::string& line) {
    std::string t = trim(line);
    if (t.rfind("text ", 0) == 0 || t == "text") return t;
    size_t hash = t.find('#');
    return trim(hash == std::string::npos ? t : t.substr(0, hash));
}

// Decodes UTF-8 to code points; bytes that do not form a character pass as themselves.
std::vector<int> codePoints(const std::string& s) {
    std::vector<int> out;
    for (size_t i = 0; i < s.size();) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        int cp = extra ? c & (0x3F >> extra) : c;
        bool ok = i + extra < s.size() + (extra ? 0 : 1);
        for (int k = 1; ok && k <= extra; ++k) {
            unsigned char d = static_cast<unsigned char>(s[i + k]);
            ok = (d & 0xC0) == 0x80;
            cp = (cp << 6) | (d & 0x3F);
        }
        if (!ok) {
            cp = c;
            extra = 0;
        }
        out.push_back(cp);
        i += static_cast<size_t>(extra) + 1;
    }
    return out;
}

}  // namespace

bool Script::load(const std::string& path, std::string* error) {
    platform::TextFile in(path);
    if (!in) {
        *error = "cannot read the script " + path + ": " + in.problem();
        return false;
    }
    path_ = path;
    for (std::string line; std::getline(in, line);) lines_.push_back(line);
    return true;
}

bool Script::runPrelude() {
    useManualClock(0, utcMillis());
    while (next_ < lines_.size()) {
        std::string cmd = commandOf(lines_[next_]);
        if (!cmd.empty() && cmd.rfind("clock ", 0) != 0) break;
        ++next_;  // from here on next_ is the 1-based number of the line being run
        if (!cmd.empty() && !execute(cmd)) return false;
    }
    return true;
}

void Script::attach(HeadlessBackend* backend, ScriptHooks hooks) {
    backend_ = backend;
    hooks_ = std::move(hooks);
    backend->setInputSource([this](uint32_t maxWait) { step(maxWait); });
}

bool Script::fail(const std::string& message) {
    std::fprintf(stderr, "%s:%zu: %s\n", path_.c_str(), next_, printable(message).c_str());
    postQuitMessage(2);
    failed_ = ended_ = true;
    return false;
}

void Script::step(uint32_t maxWaitMs) {
    if (waitLeft_ > 0) {
        uint64_t stepMs = maxWaitMs < waitLeft_ ? maxWaitMs : waitLeft_;
        advanceManualClock(static_cast<uint32_t>(stepMs));
        waitLeft_ -= stepMs;
        return;
    }
    while (next_ < lines_.size() && !ended_) {
        std::string cmd = commandOf(lines_[next_++]);
        if (cmd.empty()) continue;
        execute(cmd);
        return;
    }
    if (ended_) {
        postQuitMessage(failed_ ? 2 : 0);
        return;
    }
    // Without "quit" the script ends as "quit" would; if the program does not end even
    // then, the loop is ended here.
    ended_ = true;
    if (hooks_.quit)
        hooks_.quit();
    else
        postQuitMessage(0);
}

bool Script::execute(const std::string& cmd) {
    std::istringstream words(cmd);
    std::string name;
    words >> name;
    std::vector<std::string> args;
    for (std::string w; words >> w;) args.push_back(w);
    auto needs = [&](size_t n) {
        return args.size() == n ||
               fail("'" + name + "' takes " + std::to_string(n) + " argument(s)");
    };
    const DisplayProperties screen =
        backend_ ? backend_->displayProperties() : DisplayProperties{240, 320, 2, 480, 16};

    if (name == "clock") {
        int64_t ms;
        if (!needs(1)) return false;
        if (!parseUtc(args[0].c_str(), &ms))
            return fail("bad time '" + args[0] + "', expected like 2027-03-20T12:00:00Z");
        setManualUtc(ms);
        return true;
    }
    if (name == "wait") {
        long ms;
        if (!needs(1)) return false;
        if (!parseInt(args[0], 0, 7L * 86400000, &ms))
            return fail("bad wait '" + args[0] + "', expected 0 to 604800000 milliseconds");
        waitLeft_ = static_cast<uint64_t>(ms);
        return true;
    }
    if (name == "down" || name == "move" || name == "up" || name == "tap") {
        long x, y;
        if (!needs(2)) return false;
        if (!parseInt(args[0], 0, screen.width - 1, &x) ||
            !parseInt(args[1], 0, screen.height - 1, &y))
            return fail("bad point '" + args[0] + " " + args[1] + "', expected 0..239 0..319");
        intptr_t at = pointParam(static_cast<int>(x), static_cast<int>(y));
        pointer_ = at;
        if (name == "down" || name == "tap") {
            postMessage(WM_LBUTTONDOWN, kStylusDown, at);
            pressed_ = true;
        }
        if (name == "move") postMessage(WM_MOUSEMOVE, pressed_ ? kStylusDown : 0, at);
        if (name == "up" || name == "tap") {
            postMessage(WM_LBUTTONUP, 0, at);
            pressed_ = false;
        }
        return true;
    }
    if (name == "wheel") {
        long notches;
        if (!needs(1)) return false;
        if (!parseInt(args[0], -100, 100, &notches) || notches == 0)
            return fail("bad wheel '" + args[0] + "', expected -100..100 notches, not 0");
        postMessage(WM_MOUSEWHEEL, notches, pointer_);
        return true;
    }
    if (name == "key") {
        if (!needs(1)) return false;
        const KeyName* key = findKey(args[0]);
        if (!key) return fail("unknown key '" + args[0] + "' (see the README for names)");
        if (key->command) postMessage(WM_COMMAND, key->command, 0);
        if (key->vk) postMessage(WM_KEYDOWN, key->vk, 0);
        if (key->ch) postMessage(WM_CHAR, key->ch, 0);
        if (key->vk) postMessage(WM_KEYUP, key->vk, 0);
        return true;
    }
    if (name == "text") {
        std::string rest = cmd.size() > 5 ? cmd.substr(5) : "";
        for (int cp : codePoints(rest)) postMessage(WM_CHAR, cp, 0);
        return true;
    }
    if (name == "shot") {
        if (!needs(1)) return false;
        const std::string& file = args[0];
        if (!isPngName(file))
            return fail("bad file name '" + file + "', expected a name ending in .png");
        std::vector<uint16_t> pixels = backend_->screen();
        std::string error;
        if (!writePng565(args[0], pixels.data(), screen.width, screen.height, &error))
            return fail(error);
        return true;
    }
    if (name == "texts" || name == "view") {
        if (!needs(1)) return false;
        auto& hook = name == "texts" ? hooks_.texts : hooks_.view;
        std::string error = "not available in this build";
        if (!hook || !hook(args[0], &error)) return fail("'" + name + "': " + error);
        return true;
    }
    if (name == "command") {
        long id;
        if (!needs(1)) return false;
        if (!parseInt(args[0], 0, 65535, &id)) return fail("bad command id '" + args[0] + "'");
        std::string error = "not available in this build";
        if (!hooks_.command || !hooks_.command(static_cast<int>(id), &error))
            return fail("'command': " + error);
        return true;
    }
    if (name == "raised") {
        if (!needs(0)) return false;
        if (!waitForRaiseRequest(10000))
            return fail("no other copy asked this one to come forward within 10 s");
        return true;
    }
    if (name == "quit") {
        if (!needs(0)) return false;
        ended_ = true;
        next_ = lines_.size();
        if (hooks_.quit)
            hooks_.quit();
        else
            postQuitMessage(0);
        return true;
    }
    return fail("unknown command '" + name + "'");
}

}  // namespace platform

// The headless driver's script: one command a line, executed whenever the message loop has
// nothing left to do, so that every command sees the frame its predecessors produced.
// Commands that need the program's own knowledge (texts, view, command, quit) go through
// hooks the program registers; the rest are the platform's.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/messages.h"

namespace platform {

class HeadlessBackend;

struct ScriptHooks {
    // Each returns false with a reason in `error` when it cannot do what was asked.
    std::function<bool(const std::string& path, std::string* error)> texts;
    std::function<bool(const std::string& path, std::string* error)> view;
    std::function<bool(int id, std::string* error)> command;
    // The orderly exit, as the Exit button does it.
    std::function<void()> quit;
};

class Script {
  public:
    // Reads the script; false with a reason when the file cannot be read.
    bool load(const std::string& path, std::string* error);

    // Runs the leading "clock" lines (and comments) before start-up, so that the first
    // frames already show the scripted time. Switches the clocks to manual either way.
    // False when one of them is bad (the run then stops with exit code 2).
    bool runPrelude();

    // Connects the script to the backend's input and to the program's hooks.
    void attach(HeadlessBackend* backend, ScriptHooks hooks);

    // One step: continue a wait by at most `maxWaitMs` or execute the next line.
    void step(uint32_t maxWaitMs);

  private:
    bool execute(const std::string& line);
    bool fail(const std::string& message);

    std::string path_;
    std::vector<std::string> lines_;
    size_t next_ = 0;                          // index of the next line to execute
    uint64_t waitLeft_ = 0;                    // milliseconds of a "wait" still to run
    bool pressed_ = false;                     // the stylus is down
    intptr_t pointer_ = pointParam(120, 160);  // the pointer's last point (wheel turns there)
    bool ended_ = false;
    bool failed_ = false;
    HeadlessBackend* backend_ = nullptr;
    ScriptHooks hooks_;
};

}  // namespace platform

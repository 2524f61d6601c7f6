// Runs the mundora executable of this build headless, each run with its own state folder,
// and reads back what it left: exit code, standard error, screenshots.
#pragma once

#include <string>
#include <vector>

struct ProgramRun {
    int exitCode = -1;
    std::string err;  // standard error
};

// A fresh temporary folder, removed by the destructor.
struct TempFolder {
    TempFolder();
    ~TempFolder();
    std::string path;
    std::string file(const std::string& name) const { return path + "/" + name; }
};

// Writes `script` into `folder` and runs `mundora --headless --script` on it with the state
// folder `folder` and the build's data folder as home (or `home` when given).
ProgramRun runScript(const TempFolder& folder, const std::string& script,
                     const std::string& home = "");

// The same, started in the background; wait with waitRun, which kills a run that has not
// ended after two minutes (exit code -1, standard error saying so).
int startScript(const TempFolder& folder, const std::string& script, const std::string& name);
ProgramRun waitRun(int pid, const TempFolder& folder, const std::string& name);

std::string readText(const std::string& path);

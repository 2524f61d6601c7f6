// Runs the mundora executable of this build, headless, each run with its own state folder,
// and reads back what it left: exit code, standard output and error, screenshots.
#pragma once

#include <map>
#include <string>
#include <vector>

struct ProgramRun {
    int exitCode = -1;  // -1 when it did not exit by itself within a minute
    std::string out;    // standard output
    std::string err;    // standard error
};

// A fresh temporary folder, removed by the destructor.
struct TempFolder {
    TempFolder();
    ~TempFolder();
    std::string path;
    std::string file(const std::string& name) const { return path + "/" + name; }
};

// Writes `script` into `folder` and runs `mundora --headless --script` on it with the state
// folder `folder` (or `state` when given) and the build's data folder as home (or `home`).
ProgramRun runScript(const TempFolder& folder, const std::string& script,
                     const std::string& home = "", const std::string& state = "");

// Runs mundora with `args` alone. Every run here has `folder` as its state folder (by
// MUNDORA_STATE) and no display in its environment.
ProgramRun runArguments(const TempFolder& folder, const std::vector<std::string>& args);

// The same, started in the background; wait with waitRun, which kills a run that has not
// ended after two minutes (exit code -1, standard error saying so).
int startScript(const TempFolder& folder, const std::string& script, const std::string& name);
ProgramRun waitRun(int pid, const TempFolder& folder, const std::string& name);

// A home folder with copies of the build's maps Day.gif, Night.gif and Night1024.gif and
// of its cities.bin, for runs that spoil them; removed by the destructor.
struct Home : TempFolder {
    Home();
};

void copyFile(const std::string& from, const std::string& to);
// `text` with each "{name}" of `values` replaced by its value.
std::string filled(std::string text, const std::map<std::string, std::string>& values);
std::string readText(const std::string& path);
// The `view FILE` a script wrote: each name with its value (empty when none was written).
std::map<std::string, long> readView(const std::string& path);

// One string of a `texts FILE` log: where it was drawn (pixels), its colour (RGB565) and text.
struct Shown {
    int x, y;
    unsigned colour;
    std::string text;  // UTF-8
};
std::vector<Shown> readShown(const std::string& path);

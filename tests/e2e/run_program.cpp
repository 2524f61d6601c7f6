// Starts the built program for the end-to-end tests, always with its own state folder and
// without a display in its environment, and reads back what the run left; a run that hangs
// is killed after a generous limit rather than stalling the suite.
#include "run_program.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>

namespace {

const char kProgram[] = MUNDORA_BINARY_DIR "/src/shell/mundora";
const char kData[] = MUNDORA_BINARY_DIR "/data";
// Far beyond any run's length, even under the sanitizers on a busy machine.
constexpr int kRunLimitMs = 120000;

std::vector<std::string> commandLine(const TempFolder& folder, const std::string& name,
                                     const std::string& home, const std::string& state) {
    return {kProgram,   "--headless",
            "--script", folder.file(name + ".script"),
            "--state",  state.empty() ? folder.path : state,
            "--home",   home.empty() ? kData : home};
}

// Starts the program with its output going to `name`.out and `name`.err in `folder`.
int spawn(const std::vector<std::string>& args, const TempFolder& folder, const std::string& name) {
    pid_t pid = fork();
    if (pid == 0) {
        if (!std::freopen(folder.file(name + ".out").c_str(), "w", stdout) ||
            !std::freopen(folder.file(name + ".err").c_str(), "w", stderr))
            _exit(126);
        setenv("MUNDORA_STATE", folder.path.c_str(), 1);
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        std::vector<char*> argv;
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    return pid;
}

}  // namespace

TempFolder::TempFolder() {
    char name[] = "/tmp/mundora-e2e-XXXXXX";
    path = mkdtemp(name) ? name : "/tmp";
}

TempFolder::~TempFolder() {
    if (path != "/tmp") std::system(("rm -rf '" + path + "'").c_str());
}

Home::Home() {
    std::system(("mkdir -p " + file("maps")).c_str());
    for (const char* m : {"Day.gif", "Night.gif", "Night1024.gif"})
        copyFile(std::string(kData) + "/maps/" + m, file("maps/") + m);
    copyFile(std::string(kData) + "/cities.bin", file("cities.bin"));
}

void copyFile(const std::string& from, const std::string& to) {
    std::ifstream in(from, std::ios::binary);
    std::ofstream(to, std::ios::binary) << in.rdbuf();
}

std::string filled(std::string text, const std::map<std::string, std::string>& values) {
    for (const auto& [name, value] : values)
        for (size_t at; (at = text.find(name)) != std::string::npos;)
            text.replace(at, name.size(), value);
    return text;
}

std::string readText(const std::string& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::map<std::string, long> readView(const std::string& path) {
    std::map<std::string, long> view;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);)
        if (size_t eq = line.find('='); eq != std::string::npos)
            view[line.substr(0, eq)] = std::stol(line.substr(eq + 1));
    return view;
}

std::vector<Shown> readShown(const std::string& path) {
    std::vector<Shown> out;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        Shown s;
        int used = 0;
        if (std::sscanf(line.c_str(), "%d %d %x %n", &s.x, &s.y, &s.colour, &used) < 3) continue;
        s.text = line.substr(used);
        out.push_back(s);
    }
    return out;
}

int startScript(const TempFolder& folder, const std::string& script, const std::string& name) {
    std::ofstream(folder.file(name + ".script")) << script;
    return spawn(commandLine(folder, name, "", ""), folder, name);
}

ProgramRun waitRun(int pid, const TempFolder& folder, const std::string& name) {
    ProgramRun run;
    int status = 0;
    // A run that hangs is killed, so that it fails its test instead of stalling the suite.
    pid_t done = 0;
    for (int waited = 0; done == 0 && waited < kRunLimitMs; waited += 20) {
        done = waitpid(pid, &status, WNOHANG);
        if (done == 0) usleep(20000);
    }
    if (done == 0) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    if (done == pid && WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
    run.out = readText(folder.file(name + ".out"));
    run.err = readText(folder.file(name + ".err"));
    if (done == 0) run.err += "\n(the program did not finish within the test's limit; killed)\n";
    return run;
}

ProgramRun runScript(const TempFolder& folder, const std::string& script, const std::string& home,
                     const std::string& state) {
    std::ofstream(folder.file("run.script")) << script;
    return waitRun(spawn(commandLine(folder, "run", home, state), folder, "run"), folder, "run");
}

ProgramRun runArguments(const TempFolder& folder, const std::vector<std::string>& args) {
    std::vector<std::string> line = {kProgram};
    line.insert(line.end(), args.begin(), args.end());
    return waitRun(spawn(line, folder, "run"), folder, "run");
}

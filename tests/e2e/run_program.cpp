#include "run_program.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

const char kProgram[] = MUNDORA_BINARY_DIR "/src/shell/mundora";
const char kData[] = MUNDORA_BINARY_DIR "/data";

std::vector<std::string> commandLine(const TempFolder& folder, const std::string& name,
                                     const std::string& home, const std::string& state) {
    return {kProgram,   "--headless",
            "--script", folder.file(name + ".script"),
            "--state",  state.empty() ? folder.path : state,
            "--home",   home.empty() ? kData : home};
}

int spawn(const std::vector<std::string>& args, const std::string& errPath) {
    pid_t pid = fork();
    if (pid == 0) {
        FILE* err = std::freopen(errPath.c_str(), "w", stderr);
        (void)err;
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

std::string readText(const std::string& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

int startScript(const TempFolder& folder, const std::string& script, const std::string& name) {
    std::ofstream(folder.file(name + ".script")) << script;
    return spawn(commandLine(folder, name, "", ""), folder.file(name + ".err"));
}

ProgramRun waitRun(int pid, const TempFolder& folder, const std::string& name) {
    ProgramRun run;
    int status = 0;
    if (waitpid(pid, &status, 0) == pid && WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
    run.err = readText(folder.file(name + ".err"));
    return run;
}

ProgramRun runScript(const TempFolder& folder, const std::string& script, const std::string& home,
                     const std::string& state) {
    std::ofstream(folder.file("run.script")) << script;
    int pid = spawn(commandLine(folder, "run", home, state), folder.file("run.err"));
    return waitRun(pid, folder, "run");
}

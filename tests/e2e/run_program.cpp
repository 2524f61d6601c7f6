// Runs the headless program for the end-to-end tests and collects what it left behind; a run
// that hangs is killed after a generous limit rather than stalling the suite.
#include "run_program.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

const char kProgram[] = MUNDORA_BINARY_DIR "/src/shell/mundora";
const char kData[] = MUNDORA_BINARY_DIR "/data";
// Far beyond any run's length, even under the sanitizers on a busy machine.
constexpr int kRunLimitMs = 120000;

std::vector<std::string> commandLine(const TempFolder& folder, const std::string& name,
                                     const std::string& home) {
    return {kProgram,  "--headless", "--script", folder.file(name + ".script"),
            "--state", folder.path,  "--home",   home.empty() ? kData : home};
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
    return spawn(commandLine(folder, name, ""), folder.file(name + ".err"));
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
    run.err = readText(folder.file(name + ".err"));
    if (done == 0) run.err += "\n(the program did not finish within the test's limit; killed)\n";
    return run;
}

ProgramRun runScript(const TempFolder& folder, const std::string& script, const std::string& home) {
    std::ofstream(folder.file("run.script")) << script;
    int pid = spawn(commandLine(folder, "run", home), folder.file("run.err"));
    return waitRun(pid, folder, "run");
}

// The current backend, and the two services every backend shares: the start-up message box
// (always on standard error, in a native box too where a window system is there) and opening
// the help page with xdg-open. Drawing and input are each backend's own.
#include "platform/display.h"

#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>

#include "platform/sdl_backend.h"

extern char** environ;

namespace platform {
namespace {
Backend* gBackend = nullptr;
}

void setBackend(Backend* b) {
    gBackend = b;
}
Backend* backend() {
    return gBackend;
}

void showMessageBox(const std::string& text) {
    // One line on standard error, prefixed like every other message of the program.
    std::string line = text;
    std::replace(line.begin(), line.end(), '\n', ' ');
    std::fprintf(stderr, "mundora: %s\n", line.c_str());
    if (gBackend && gBackend->hasWindowSystem()) showSdlMessageBox(text);
}

bool openDocument(const std::string& path) {
    if (!gBackend || !gBackend->hasWindowSystem()) return false;
    char* argv[] = {const_cast<char*>("xdg-open"), const_cast<char*>(path.c_str()), nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, "xdg-open", nullptr, nullptr, argv, environ) != 0) return false;
    // xdg-open hands the page to the viewer and returns at once; its status says whether
    // a viewer was found.
    int status = 0;
    return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace platform

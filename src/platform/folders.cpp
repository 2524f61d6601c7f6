// Chooses the home and state folders once at start-up (option, environment, then the data
// folder beside the executable and the XDG config folder) and names files inside them.
// Creates the state folder but never writes into the home folder.
#include "platform/folders.h"

#include <unistd.h>

#include <climits>
#include <cstdlib>

#include "platform/files.h"

namespace platform {
namespace {

std::string gHome;
std::string gState;

std::string executableFolder(const char* argv0) {
    char buf[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    std::string exe = n > 0 ? std::string(buf, static_cast<size_t>(n)) : std::string(argv0);
    size_t slash = exe.find_last_of('/');
    return slash == std::string::npos ? std::string(".") : exe.substr(0, slash);
}

std::string fromEnv(const char* name) {
    const char* v = std::getenv(name);
    return v && *v ? std::string(v) : std::string();
}

}  // namespace

void chooseFolders(const std::string& homeOverride, const std::string& stateOverride,
                   const char* argv0) {
    gHome = !homeOverride.empty() ? homeOverride : fromEnv("MUNDORA_HOME");
    if (gHome.empty()) {
        std::string exeDir = executableFolder(argv0 ? argv0 : "mundora");
        // A build tree keeps data/ at its top; an installed copy keeps share/mundora.
        const std::string candidates[] = {exeDir + "/data", exeDir + "/../../data",
                                          exeDir + "/../share/mundora"};
        gHome = candidates[0];
        for (const std::string& c : candidates)
            if (isDirectory(c)) {
                gHome = c;
                break;
            }
        // Shown to users (the help page's path), so without the "../.." of the build tree.
        if (char* real = realpath(gHome.c_str(), nullptr)) {
            gHome = real;
            std::free(real);
        }
    }
    gState = !stateOverride.empty() ? stateOverride : fromEnv("MUNDORA_STATE");
    if (gState.empty()) {
        std::string config = fromEnv("XDG_CONFIG_HOME");
        if (config.empty()) config = fromEnv("HOME") + "/.config";
        gState = config + "/mundora";
    }
    makeDirectories(gState);
}

const std::string& homeFolder() {
    return gHome;
}
const std::string& stateFolder() {
    return gState;
}
std::string homeFile(const std::string& name) {
    return joinPath(gHome, name);
}
std::string stateFile(const std::string& name) {
    return joinPath(gState, name);
}

}  // namespace platform

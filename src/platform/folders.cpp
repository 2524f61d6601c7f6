// Chooses the home and state folders once at start-up (option, environment, then the data
// folder beside the executable and the XDG config folder), names files inside them and says
// what stands in their way. Creates the state folder but never writes into the home folder.
#include "platform/folders.h"

#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "platform/files.h"

namespace platform {
namespace {

std::string gHome;
std::string gState;
int gStateError = 0;  // errno of the failed creation of the state folder

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

// Why no file can be made in `folder`, or "" when one can.
std::string whyNotWritable(const std::string& folder) {
    std::string probe = joinPath(folder, ".mundora-write-test-XXXXXX");
    int fd = mkstemp(probe.data());
    if (fd < 0) return std::strerror(errno);
    ::close(fd);
    unlink(probe.c_str());
    return "";
}

// Why `path`, which is not a folder, cannot serve as one: something else is there, or
// `missing` when nothing is.
std::string notAFolder(const std::string& path, const std::string& missing) {
    if (access(path.c_str(), F_OK) != 0) return missing;
    return fileExists(path) ? " is a file, not a folder" : " is not a folder";
}

// Why the home folder's maps/ offers no map: no folder, no .gif names, or only names of
// things that are not regular files (a FIFO or a folder called Day.gif); "" when it has one.
std::string whyNoMaps() {
    const std::string maps = homeFile("maps");
    std::vector<std::string> others;
    if (!listFiles(maps, ".gif", &others).empty()) return "";
    if (!isDirectory(maps)) return " holds no maps (no folder " + maps + ")";
    if (others.empty()) return " holds no maps (no .gif files in " + maps + ")";
    const std::string what = others.size() == 1 ? " is not a regular file"
                                                : " and " + std::to_string(others.size() - 1) +
                                                      " more are not regular files";
    return " holds no usable maps (" + joinPath(maps, others[0]) + what + ")";
}

}  // namespace

std::vector<std::string> folderProblems() {
    std::vector<std::string> problems;
    if (!isDirectory(gHome))
        problems.push_back("home folder " + gHome + notAFolder(gHome, " does not exist") +
                           ": no cities and no maps");
    else if (std::string why = whyNoMaps(); !why.empty())
        problems.push_back("home folder " + gHome + why);
    if (!isDirectory(gState)) {
        const std::string why = " cannot be created (" + fileErrorText(gStateError) + ")";
        problems.push_back("state folder " + gState + notAFolder(gState, why) +
                           ": settings will not be kept");
    } else if (std::string why = whyNotWritable(gState); !why.empty()) {
        problems.push_back("state folder " + gState + " cannot be written (" + why +
                           "): settings will not be kept");
    }
    return problems;
}

void chooseFolders(const std::string& homeOverride, const std::string& stateOverride,
                   const char* argv0) {
    gHome = !homeOverride.empty() ? homeOverride : fromEnv("MUNDORA_HOME");
    if (gHome.empty()) {
        std::string exeDir = executableFolder(argv0 ? argv0 : "mundora");
        // An installed copy keeps its data in share/mundora beside bin/, a build tree in
        // data/ at its top. The installed place comes first: under a prefix such as ~/.local,
        // "../../data" is the user's own ~/data.
        const std::string candidates[] = {exeDir + "/../share/mundora", exeDir + "/data",
                                          exeDir + "/../../data"};
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
    gStateError = makeDirectories(gState) ? 0 : errno;
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

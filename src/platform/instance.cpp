// One copy per state folder: a flock on mundora.lock, and a Unix socket beside it on which
// the first copy hears a later one's "raise" and brings its window forward. A socket path
// too long for the address becomes an abstract name. Nothing else is sent over the socket.
#include "platform/instance.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <functional>

#include "platform/display.h"
#include "platform/files.h"

namespace platform {
namespace {

int gLockFd = -1;
int gListenFd = -1;
std::string gSocketPath;
int gRaised = 0;      // raise requests handled
int gRaisedSeen = 0;  // of those, the ones a waiter has already been told of

// A socket path too long for sockaddr_un becomes an abstract name made from it.
socklen_t socketAddress(const std::string& path, sockaddr_un* addr) {
    std::memset(addr, 0, sizeof *addr);
    addr->sun_family = AF_UNIX;
    if (path.size() < sizeof addr->sun_path) {
        std::memcpy(addr->sun_path, path.c_str(), path.size() + 1);
        return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + path.size() + 1);
    }
    std::string name = "mundora-" + std::to_string(std::hash<std::string>{}(path));
    std::memcpy(addr->sun_path + 1, name.c_str(), name.size());
    return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
}

bool askFirstCopyToRaise() {
    sockaddr_un addr;
    socklen_t len = socketAddress(gSocketPath, &addr);
    // The first copy may be between taking the lock and listening: try for two seconds.
    for (int attempt = 0; attempt < 40; ++attempt) {
        int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0) return false;
        if (connect(fd, reinterpret_cast<sockaddr*>(&addr), len) == 0) {
            bool ok = ::write(fd, "raise\n", 6) == 6;
            ::close(fd);
            return ok;
        }
        ::close(fd);
        usleep(50000);
    }
    return false;
}

void listenForRequests() {
    sockaddr_un addr;
    socklen_t len = socketAddress(gSocketPath, &addr);
    if (addr.sun_path[0] != '\0') unlink(gSocketPath.c_str());  // left by a crashed copy
    gListenFd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (gListenFd < 0) return;
    if (bind(gListenFd, reinterpret_cast<sockaddr*>(&addr), len) != 0 ||
        listen(gListenFd, 4) != 0) {
        ::close(gListenFd);
        gListenFd = -1;
    }
}

}  // namespace

InstanceClaim claimSingleInstance(const std::string& stateFolder) {
    gSocketPath = joinPath(stateFolder, "mundora.sock");
    gLockFd =
        ::open(joinPath(stateFolder, "mundora.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (gLockFd < 0) return InstanceClaim::First;
    if (flock(gLockFd, LOCK_EX | LOCK_NB) != 0) {
        ::close(gLockFd);
        gLockFd = -1;
        askFirstCopyToRaise();
        return InstanceClaim::Another;
    }
    listenForRequests();
    return InstanceClaim::First;
}

int serviceRaiseRequests() {
    if (gListenFd < 0) return 0;
    int handled = 0;
    for (;;) {
        int fd = accept4(gListenFd, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) break;
        char buf[16];
        (void)!::read(fd, buf, sizeof buf);
        ::close(fd);
        if (Backend* b = backend()) {
            b->showWindow(true);
            b->raiseWindow();
        }
        ++handled;
    }
    gRaised += handled;
    return handled;
}

bool waitForRaiseRequest(uint32_t timeoutMs) {
    if (gListenFd < 0) return false;
    if (gRaised == gRaisedSeen) {
        pollfd p{gListenFd, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(timeoutMs)) > 0) serviceRaiseRequests();
    }
    if (gRaised == gRaisedSeen) return false;
    gRaisedSeen = gRaised;
    return true;
}

void releaseSingleInstance() {
    if (gListenFd >= 0) {
        ::close(gListenFd);
        gListenFd = -1;
        sockaddr_un addr;
        socketAddress(gSocketPath, &addr);
        if (addr.sun_path[0] != '\0') unlink(gSocketPath.c_str());
    }
    if (gLockFd >= 0) {
        ::close(gLockFd);
        gLockFd = -1;
    }
}

}  // namespace platform

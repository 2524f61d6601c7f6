// One copy per state folder: a flock on mundora.lock, and a Unix socket beside it on which
// the first copy hears a later one's "raise" and brings its window forward. The first copy
// never waits on a client: requests are read without blocking from the message loop's idle
// hook, and a client that has not sent its request within a second is dropped.
#include "platform/instance.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <functional>
#include <string_view>
#include <vector>

#include "platform/display.h"
#include "platform/files.h"

namespace platform {
namespace {

int gLockFd = -1;
int gListenFd = -1;
std::string gSocketPath;
int gRaised = 0;      // raise requests handled
int gRaisedSeen = 0;  // of those, the ones a waiter has already been told of

using Clock = std::chrono::steady_clock;

// What a later copy sends, whole, before it closes the connection.
constexpr std::string_view kRaiseRequest = "raise\n";
// How long a connected client may take to send its request before it is dropped.
constexpr auto kClientPatience = std::chrono::milliseconds(1000);
// Connections kept waiting for their request at once; a flood drops the oldest.
constexpr size_t kMaxClients = 8;

// A connection whose request has not fully arrived yet.
struct Client {
    int fd;
    Clock::time_point deadline;
    std::string received;  // a prefix of kRaiseRequest
};
std::vector<Client> gClients;

enum class ClientState { Waiting, Raise, Drop };

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
    // The first copy may be between taking the lock and listening, or its queue of new
    // connections may be full (a non-blocking connect then fails): try for two seconds.
    for (int attempt = 0; attempt < 40; ++attempt) {
        int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        if (fd < 0) return false;
        if (connect(fd, reinterpret_cast<sockaddr*>(&addr), len) == 0) {
            bool ok = ::write(fd, kRaiseRequest.data(), kRaiseRequest.size()) ==
                      static_cast<ssize_t>(kRaiseRequest.size());
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

// Takes every connection waiting on the listening socket, as a non-blocking client.
void acceptClients() {
    for (;;) {
        int fd = accept4(gListenFd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) return;
        if (gClients.size() >= kMaxClients) {
            ::close(gClients.front().fd);
            gClients.erase(gClients.begin());
        }
        gClients.push_back({fd, Clock::now() + kClientPatience, {}});
    }
}

// Reads what the client has sent so far, never waiting for more.
ClientState readClient(Client* c) {
    for (;;) {
        char buf[16];
        const size_t want = std::min(sizeof buf, kRaiseRequest.size() - c->received.size());
        const ssize_t n = recv(c->fd, buf, want, MSG_DONTWAIT);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return Clock::now() < c->deadline ? ClientState::Waiting : ClientState::Drop;
        if (n <= 0) return ClientState::Drop;  // closed before the whole request, or failed
        c->received.append(buf, static_cast<size_t>(n));
        if (kRaiseRequest.compare(0, c->received.size(), c->received) != 0)
            return ClientState::Drop;
        if (c->received.size() == kRaiseRequest.size()) return ClientState::Raise;
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
    acceptClients();
    int handled = 0;
    for (auto it = gClients.begin(); it != gClients.end();) {
        const ClientState state = readClient(&*it);
        if (state == ClientState::Waiting) {
            ++it;
            continue;
        }
        if (state == ClientState::Raise) {
            if (Backend* b = backend()) {
                b->showWindow(true);
                b->raiseWindow();
            }
            ++handled;
        }
        ::close(it->fd);
        it = gClients.erase(it);
    }
    gRaised += handled;
    return handled;
}

bool waitForRaiseRequest(uint32_t timeoutMs) {
    if (gListenFd < 0) return false;
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        serviceRaiseRequests();
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
        if (gRaised != gRaisedSeen || left <= 0) break;
        // Wake for a new client, data from a waiting one, or a waiting one's deadline.
        std::vector<pollfd> fds{{gListenFd, POLLIN, 0}};
        Clock::time_point wake = end;
        for (const Client& c : gClients) {
            fds.push_back({c.fd, POLLIN, 0});
            wake = std::min(wake, c.deadline);
        }
        const auto wait =
            std::chrono::duration_cast<std::chrono::milliseconds>(wake - Clock::now()).count();
        poll(fds.data(), fds.size(), static_cast<int>(std::clamp<int64_t>(wait + 1, 0, left)));
    }
    if (gRaised == gRaisedSeen) return false;
    gRaisedSeen = gRaised;
    return true;
}

void releaseSingleInstance() {
    for (const Client& c : gClients) ::close(c.fd);
    gClients.clear();
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

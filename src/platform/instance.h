// One copy of the program per state folder. The first copy holds a lock on a file in the
// state folder and listens on a Unix socket beside it; a later copy finds the lock taken,
// asks the first one over the socket to come forward, and exits.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

enum class InstanceClaim {
    First,    // this copy runs; the lock is held until releaseSingleInstance or exit
    Another,  // another copy runs and has been asked to come forward
};

// Where the lock cannot be made at all (an unwritable state folder) the program runs
// anyway, as the first copy.
InstanceClaim claimSingleInstance(const std::string& stateFolder);

// First copy: shows and raises the window for every request that has arrived (it is the
// message loop's idle hook). Never waits: a client whose request is not all there yet is
// kept for the next call, and dropped when it has sent nothing usable within a second.
// Returns the number of requests handled.
int serviceRaiseRequests();

// First copy: true at once when a raise request was handled since the last call, else
// waits up to `timeoutMs` real milliseconds for one and handles it; false when none came.
bool waitForRaiseRequest(uint32_t timeoutMs);

void releaseSingleInstance();

}  // namespace platform

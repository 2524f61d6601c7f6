// The two folders the program uses: the read-only home folder with its data (cities.bin,
// maps/, routes/, mdora.htm) and the writable state folder (cities.sav, settings.ini).
#pragma once

#include <string>
#include <vector>

namespace platform {

// Chooses the folders once at start: an explicit folder if given (from --home, --state),
// else MUNDORA_HOME / MUNDORA_STATE, else the installed data folder ../share/mundora from
// the executable's folder (or the build tree's data folder) and the XDG config folder
// ~/.config/mundora. The state folder is created when missing.
void chooseFolders(const std::string& homeOverride, const std::string& stateOverride,
                   const char* argv0);

// What is wrong with the chosen folders, one sentence each that names the folder and says
// why: a home folder that does not exist, is not a folder or has no usable GIF maps in its
// maps/, a state folder that is not a folder, could not be created or cannot be written
// (tried with a file that is removed at once). Empty when both can serve.
std::vector<std::string> folderProblems();

const std::string& homeFolder();
const std::string& stateFolder();

// A file in the home or state folder, e.g. homeFile("cities.bin"), homeFile("maps/Day.gif").
std::string homeFile(const std::string& name);
std::string stateFile(const std::string& name);

}  // namespace platform

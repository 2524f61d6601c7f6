// Loading and saving the options record and the last view as settings.ini in the state
// folder: sections General, Maps, Advanced, Colors, Route and Selection (the city file the
// saved selection belongs to) of `Name=value` lines, numbers in decimal, file names and the
// city file's header quoted with backslash escapes. The reader never fails: what it cannot
// use keeps its default. Opening the route file and applying "Show all countries" to the
// city database are start-up's, after loadSettings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/options.h"

// Largest settings file read; a bigger one is ignored whole (defaults).
constexpr size_t kMaxSettingsBytes = 64 * 1024;
// Longest file name kept (bytes); a longer one keeps the default.
constexpr size_t kMaxFileNameBytes = 255;

// A stored file name that could not be used: the setting's name, the value as it stood after
// "=", and why it was refused ("not a plain file name (it holds a "/")").
struct RefusedValue {
    const char* name;
    std::string text;
    const char* reason;
};

// A line that was not understood: its number (from 1) and its text, trimmed.
struct UnreadLine {
    int number;
    std::string text;
};

// Parses settings text into `options`: every value found and usable replaces the record's;
// missing, unknown, malformed and out-of-range values leave it as it was. Any bytes are
// accepted. File names that are there but refused are appended to `refused` when given.
// Lines that are neither blank, a comment, a [section] nor `Name=value`, and known settings
// whose value is not usable (file names aside), are appended to `unread` when given; unknown
// names are not. Returns the number of values used.
int parseSettings(const uint8_t* data, size_t size, Options* options,
                  std::vector<RefusedValue>* refused = nullptr,
                  std::vector<UnreadLine>* unread = nullptr);

// The settings text for `options`, with [Route] RouteFileName = `routeFileName` when that is
// not empty, and [Selection] when a city file stamp is set. A file name still at its default
// is written as `kept` holds it, when it holds one. parseSettings of the result over defaults
// gives `options` back (with the route name in routeFileName).
std::string formatSettings(const Options& options, const std::string& routeFileName,
                           const std::vector<RefusedValue>& kept = {});

// Start-up: the options record back to its defaults, then settings.ini read into it (a file
// name it refuses is named with the reason on standard error, and kept for saving; lines
// not understood are named there too, and the file is kept for the first save); the
// last view copied into the view state (angles not yet normalised) and the panel's checked
// states set for 2001, 2002, 2004 .. 2007.
// False when no usable file was there (defaults in force); the file is never written here.
bool loadSettings();

// Shutdown: the view state copied into the last view, then settings.ini written atomically,
// with the name of the open route file (with none open, the name read at start-up again).
// A file read at start-up with lines not understood is first kept, as it was read, in
// settings.ini.bad (written atomically over an older one), once. False when the file could not be
// written (the old file is then left whole; `error`, if given, says why).
bool saveSettings(std::string* error = nullptr);

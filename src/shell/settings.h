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

#include "base/options.h"

// Largest settings file read; a bigger one is ignored whole (defaults).
constexpr size_t kMaxSettingsBytes = 64 * 1024;
// Longest file name kept (bytes); a longer one keeps the default.
constexpr size_t kMaxFileNameBytes = 255;

// Parses settings text into `options`: every value found and usable replaces the record's;
// missing, unknown, malformed and out-of-range values leave it as it was. Any bytes are
// accepted. Returns the number of values used.
int parseSettings(const uint8_t* data, size_t size, Options* options);

// The settings text for `options`, with [Route] RouteFileName = `routeFileName` when that is
// not empty, and [Selection] when a city file stamp is set. parseSettings of the result over
// defaults gives `options` back (with the route name in routeFileName).
std::string formatSettings(const Options& options, const std::string& routeFileName);

// Start-up: the options record back to its defaults, then settings.ini read into it; the
// last view copied into the view state (angles not yet normalised) and the panel's checked
// states set for 2001, 2002, 2004 .. 2007.
// False when no usable file was there (defaults in force); the file is never written here.
bool loadSettings();

// Shutdown: the view state copied into the last view, then settings.ini written atomically,
// with the name of the open route file (with none open, the name read at start-up again).
// False when the file could not be written (the old file is then left whole; `error`, if
// given, says why).
bool saveSettings(std::string* error = nullptr);

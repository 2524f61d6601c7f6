// The route set: the points of the one route or place file that is loaded, with the line
// colour and style the file chose and its name. One for the program's life; the route-file
// reader (route_file.h) fills it and the overlay pass draws it. Nothing here reads or draws.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/ptr_list.h"

namespace routes {

// Line styles: no lines (and no distance line), solid, or dashes and gaps of n pixels.
constexpr int32_t kLineNone = -1;
constexpr int32_t kLineSolid = 0;
constexpr int32_t kLineDot = 1;
constexpr int32_t kLineDash = 4;

// A picture the file names that was left out (its point keeps the marker): the name as the
// file gives it, and why, e.g. "leads out of routes/ through a symbolic link".
struct SkippedPicture {
    std::string name, reason;
};

struct RouteSet {
    RouteSet() = default;
    ~RouteSet() { clear(); }
    RouteSet(const RouteSet&) = delete;
    RouteSet& operator=(const RouteSet&) = delete;

    // Deletes every point and forgets the file name and the skipped pictures; the colour and
    // the style stay, so that a next file that does not set them keeps them.
    void clear();

    PtrList places;                  // owned geo::RoutePlace, stored as geo::Place*, file order
    int32_t lineStyle = kLineSolid;  // kLineNone, kLineSolid or a dash length in pixels
    uint16_t color = 0xFFFF;         // RGB565 of the lines and the distance line
    std::string fileName;            // as given, without the folder; empty when none is loaded
    std::vector<SkippedPicture> skippedPictures;  // in file order
};

extern RouteSet gRouteSet;

}  // namespace routes

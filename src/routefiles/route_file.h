// Route and place files: XML files in the home folder's routes/ that choose a line colour and
// style and list points by latitude and longitude, each with an optional label and picture.
// They are read into the route set; a hostile file is refused whole, with a short reason that
// names its line, and the program goes on. Nothing here draws or writes files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "routefiles/route_set.h"

namespace routes {

// Largest route file read, and most points one file may hold.
constexpr size_t kMaxRouteFileBytes = size_t{4} << 20;
constexpr int kMaxRoutePoints = 10000;
// Pixels of all the pictures of one file together (8 MiB of RGB565); a picture that would go
// past it is skipped like one that cannot be read, so a small file naming one large picture
// many times cannot fill the memory.
constexpr int64_t kMaxRoutePicturePixels = int64_t{4} << 20;
// Picture offsets ("imgx", "imgy") are kept within ± this many pixels, so that adding one to
// a screen position cannot overflow.
constexpr int32_t kMaxPictureOffset = 32767;

// The home folder's routes/, where route files and their pictures are looked up.
std::string routesFolder();

// Loads routes/`name` (a plain file name) into gRouteSet. An empty name returns false and
// changes nothing. Otherwise the set is cleared first; on success it holds the file's points,
// the colour and style the file sets (the others kept) and `name`. On failure it stays empty
// with its colour and style as they were, and `reason` (when given) says why, naming the
// line where there is one: "line 7: lat 95.5 is outside -90 .. 90 degrees".
bool loadRouteFile(const std::string& name, std::string* reason = nullptr);

// Reads the route file `data` into `set`, whose point list must be empty, taking pictures
// from `folder`. True when the file was read (possibly with no points). On failure `set` is
// as it was (no points; colour and style unchanged) and `reason` says why, as above.
// Refused: more than kMaxRouteFileBytes, text that is not well-formed XML, a root with
// children but no "color", a "lat" beyond ±90 or "lon" beyond ±180 degrees (or not a number
// at all, like "nan"), more than kMaxRoutePoints points.
bool readRouteText(const uint8_t* data, size_t size, const std::string& folder, RouteSet* set,
                   std::string* reason);

}  // namespace routes

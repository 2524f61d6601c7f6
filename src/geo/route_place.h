// A route place: a Place read from a route or place file, which, unlike a city, owns its name
// and may carry a picture drawn beside its marker. Flag bit 4 (kRoutePlaceFlag) tells the
// drawing and the time difference that a Place is one of these. Reading the files is not here.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "geo/place.h"
#include "raster/image_buffer.h"

namespace geo {

class RoutePlace : public Place {
  public:
    RoutePlace() { flags = kRoutePlaceFlag; }
    RoutePlace(const RoutePlace&) = delete;
    RoutePlace& operator=(const RoutePlace&) = delete;

    // Keeps its own copy of `text` and points `name` at it; an empty text leaves no name.
    // A Place filled from this one (fillFromPlace) borrows that pointer: it must not outlive
    // this route place.
    void setName(std::u16string text);

    int32_t imgX = 0;  // pixels from the projected point to the picture's left edge
    int32_t imgY = 0;  // pixels from the projected point to the picture's top edge
    // The picture, decoded with its pixels, or none; owned, freed with the place.
    std::unique_ptr<ImageBuffer> picture;

  private:
    std::u16string ownedName_;
};

}  // namespace geo

// The displayed cities and the distance points, and adding and clearing distance points.
#include "geo/place_lists.h"

#include <new>

#include "geo/place.h"
#include "geo/snapping.h"

namespace geo {

PtrList gDisplayedCities;
PtrList gDistancePoints;

void deletePlaces(PtrList* list) {
    for (PtrNode* n = list->head(); n != nullptr; n = n->next) delete static_cast<Place*>(n->data);
    list->removeAll();
}

bool addDistancePoint(int32_t lat, int32_t lon) {
    Place* place = new (std::nothrow) Place;
    if (place == nullptr) return false;
    place->latitude = static_cast<int16_t>(lat);
    place->longitude = static_cast<int16_t>(lon);
    snapPosition(lat, lon, place);
    if (gDistancePoints.addTail(place) == nullptr) {
        delete place;
        return false;
    }
    return true;
}

void clearDistancePoints() {
    deletePlaces(&gDistancePoints);
}

}  // namespace geo

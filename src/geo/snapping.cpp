// Snapping onto displayed places and database cities, the conversion of picked angle units to
// arc minutes, and the snap point. Distances are flat in arc minutes, as the snap radius is.
#include "geo/snapping.h"

#include "base/options.h"
#include "base/ptr_list.h"
#include "geo/city_db.h"
#include "geo/place_lists.h"
#include "view/angles.h"
#include "view/picking.h"

namespace geo {

Place gSnapPoint = [] {
    Place p;
    p.kind = 0;
    return p;
}();

namespace {

constexpr int32_t kMinutesPerTurn = 21600;

// The longitude difference a − b in arc minutes, taken the short way round: −10800 .. 10800.
int32_t shortLongitudeDifference(int32_t a, int32_t b) {
    int32_t d = (a - b) % kMinutesPerTurn;
    if (d > kMinutesPerTurn / 2) d -= kMinutesPerTurn;
    if (d < -kMinutesPerTurn / 2) d += kMinutesPerTurn;
    return d;
}

// The first place of `list` closer than `radius` arc minutes to (lat, lon), or null.
const Place* firstWithin(const PtrList& list, int32_t lat, int32_t lon, int32_t radius) {
    uint32_t limit = static_cast<uint32_t>(radius) * static_cast<uint32_t>(radius);
    for (const PtrNode* n = list.head(); n != nullptr; n = n->next) {
        const Place* place = static_cast<const Place*>(n->data);
        int32_t dLon = shortLongitudeDifference(place->longitude, lon);
        int32_t dLat = place->latitude - lat;
        if (static_cast<uint32_t>(dLon * dLon) + static_cast<uint32_t>(dLat * dLat) < limit)
            return place;
    }
    return nullptr;
}

int16_t unitsToMinutes(int64_t units) {
    return static_cast<int16_t>(units * kMinutesPerTurn / kTurn);  // truncated toward zero
}

}  // namespace

void pickedPositionToArcMinutes(int32_t lonUnits, int32_t latUnits, int16_t* lat, int16_t* lon) {
    *lat = unitsToMinutes(-int64_t{latUnits});
    *lon = unitsToMinutes(int64_t{lonUnits} - kHalfTurn);
}

bool pickArcMinutes(int32_t x, int32_t y, int16_t* lat, int16_t* lon) {
    int32_t latUnits, lonUnits;
    if (!screenToViewAngles(x, y, &latUnits, &lonUnits)) return false;
    pickedPositionToArcMinutes(lonUnits, latUnits, lat, lon);
    return true;
}

bool snapPosition(int32_t lat, int32_t lon, Place* out) {
    int32_t radius = gOptions.snapRadius;
    if (gOptions.snapToDisplayed) {
        const Place* near = firstWithin(gDisplayedCities, lat, lon, radius);
        if (near == nullptr) near = firstWithin(gDistancePoints, lat, lon, radius);
        if (near != nullptr) {
            out->fillFromPlace(*near);
            return true;
        }
    }
    return gOptions.snapToKnown && cityDatabase.nearestCity(lat, lon, radius, out);
}

void updateSnapPoint(int32_t x, int32_t y) {
    if (gOptions.computeDistance && gDistancePoints.count() > 0) return;
    clearSnapPoint();
    int16_t lat, lon;
    if (!pickArcMinutes(x, y, &lat, &lon)) return;
    gSnapPoint.latitude = lat;
    gSnapPoint.longitude = lon;
    gSnapPoint.kind = snapPosition(lat, lon, &gSnapPoint) ? kPlaceCity : kPlacePosition;
}

void clearSnapPoint() {
    gSnapPoint = Place{};
    gSnapPoint.kind = 0;
}

}  // namespace geo

// The animated rotation to a city, one great-circle step per frame.
#include "view/animation.h"

#include <cmath>

#include "base/options.h"
#include "view/angles.h"
#include "view/view_state.h"

namespace {

void applyCentre(double lat, double lon) {
    gView.centreLat = lat;
    gView.centreLon = lon;
    setViewCentre(lat, lon);
}

}  // namespace

void startAnimation(int32_t latMinutes, int32_t lonMinutes) {
    currentViewCentre(&gView.centreLat, &gView.centreLon);
    gView.targetLat = latMinutes * kRadiansPerMinute;
    gView.targetLon = lonMinutes * kRadiansPerMinute;
    gView.animating = true;
}

void animationStep() {
    if (!gView.animating) return;
    double lat = gView.centreLat, lon = gView.centreLon;
    double d = centralAngle(lat, lon, gView.targetLat, gView.targetLon);
    if (!gOptions.animatedRotation || truncToInt(d * kMinutesPerRadian) < 21) {
        gView.animating = false;
        applyCentre(gView.targetLat, gView.targetLon);
        return;
    }
    double t = gOptions.animationSpeed * 0.005 + 0.05;
    double nextLat, nextLon;
    if (!interpolateGreatCircle(lat, lon, gView.targetLat, gView.targetLon, d, t, &nextLat,
                                &nextLon)) {
        // The target is the antipode: every great circle leads there. Step off the straight
        // line by a little so that the next frame has one to follow.
        nextLat = lat + (lat > 0 ? -0.01 : 0.01);
        nextLon = lon;
    }
    applyCentre(nextLat, nextLon);
}

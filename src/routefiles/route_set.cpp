// The program's one route set and its clearing.
#include "routefiles/route_set.h"

#include "geo/place_lists.h"

namespace routes {

RouteSet gRouteSet;

void RouteSet::clear() {
    geo::deletePlaces(&places);
    fileName.clear();
    skippedPictures.clear();
}

}  // namespace routes

// A route place's own name: the Place's name pointer points into the copy kept here.
#include "geo/route_place.h"

#include <utility>

namespace geo {

void RoutePlace::setName(std::u16string text) {
    ownedName_ = std::move(text);
    name = ownedName_.empty() ? nullptr : ownedName_.c_str();
}

}  // namespace geo

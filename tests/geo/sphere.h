// Independent spherical references for the geometry tests: unit vectors with their products
// and angle, and the haversine great-circle angle. Test code only.
#pragma once

#include <cmath>

namespace sphere {

struct Vec {
    double x, y, z;
};
inline Vec unit(double lat, double lon) {
    return {std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon), std::sin(lat)};
}
inline double dot(Vec a, Vec b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline Vec cross(Vec a, Vec b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double angleBetween(Vec a, Vec b) {
    return std::acos(std::fmin(1.0, std::fmax(-1.0, dot(a, b))));
}
// The angle in radians between two positions given in radians.
inline double haversine(double lat1, double lon1, double lat2, double lon2) {
    const double a = std::pow(std::sin((lat2 - lat1) / 2), 2) +
                     std::cos(lat1) * std::cos(lat2) * std::pow(std::sin((lon2 - lon1) / 2), 2);
    return 2 * std::asin(std::sqrt(a));
}

}  // namespace sphere

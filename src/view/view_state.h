// The one view of the Earth: the sphere seen from afar or the flat equirectangular map, with
// its angles, radius, planar height and offsets, and the operations that set them directly.
// Picking, zooming and the animated rotation live beside it (picking.h, zoom.h,
// animation.h); drawing is the renderers' business.
#pragma once

#include <cstdint>

struct ViewState {
    bool planar = false;   // false: sphere, true: flat map
    int32_t lonAngle = 0;  // angle units, 0 .. 65536; centre longitude = this × 2π/65536 − π/2
    int32_t latAngle = 0;  // angle units, −16384 .. 16384; centre latitude = −this × 2π/65536
    int32_t radius = 118;  // sphere radius, pixels
    int32_t planarHeight = -1;  // pixels for 180° of latitude; −1 = the main map's own height
    int32_t offsetX = 0;        // map pixel at the screen's left edge, 0 .. 2H − 1
    int32_t offsetY = 0;        // map pixel row at the screen's top edge (0 when H ≤ screen)
    int32_t margin = 0;         // background rows above and below a short map band, pixels
    int32_t mapHeight = 0;      // the main map image's height, pixels; 0 while none is loaded
                                // (set by the map loader)
    double centreLat = 0;       // animation: current centre, radians, north positive
    double centreLon = 0;       // radians, east positive
    double targetLat = 0;       // animation target, radians
    double targetLon = 0;
    bool animating = false;
};
inline ViewState gView;

// The screen as the view sees it: size from the display properties, centre of the globe.
int screenWidth();
int screenHeight();
int centreX();  // screenWidth() / 2, 120 on the 240 × 320 screen
int centreY();  // screenHeight() / 2, 160

constexpr int32_t kDefaultRadius = 118;  // pixels
constexpr int32_t kMinRadius = 40;       // smallest radius the zoom keys reach, pixels

// The planar height in use: the stored one, or the main map's when it is −1 (0 = no map).
int32_t planarHeightInUse();

// Brings the loaded view angles into range, as start-up does after loading the settings: a
// longitude angle above 65536 loses whole turns, a negative one gains them (70000 → 4464);
// the latitude angle is clamped to −16384 .. 16384.
void normaliseViewAngles();

// Start-up after the map is known: applies a stored planar height through setPlanarHeight
// and puts the stored offsets back, then brings both offsets into the map (X wrapped into
// 0 .. 2H − 1, Y clamped to 0 .. H − screen height, or 0 for a short band).
void restorePlanarZoom();

// Great-circle angle between two points, radians 0 .. π (inputs radians).
double centralAngle(double lat1, double lon1, double lat2, double lon2);

// The point a fraction `t` (0 .. 1) of the way along the great circle from point 1 to point 2,
// `distance` being their central angle (radians). False (outputs untouched) when the circle
// is undefined: the points coincide or are antipodal. At a pole the longitude is point 2's.
bool interpolateGreatCircle(double lat1, double lon1, double lat2, double lon2, double distance,
                            double t, double* lat, double* lon);

// Centres the sphere on (lat, lon) radians: latitude angle = trunc(lat × −32768/π), longitude
// angle = trunc((lon + π/2) × 32768/π) wrapped into 0 .. 65536. Sets the redraw flag.
void setSphericalView(double lat, double lon);

// Centres the flat map on (lat, lon) radians (offset Y only when the map is taller than the
// screen). Nothing happens without a map. Sets the redraw flag.
void setPlanarView(double lat, double lon);

// Centres the view in use, flat map or sphere, on (lat, lon) radians.
void setViewCentre(double lat, double lon);

// The Spherical/Planar View command: the other view, centred on the point the current one
// shows at the screen centre (the flat map's rows stay within the map, so a globe facing a
// pole gets the nearest row that fills the screen). Sets the redraw flag.
void switchView();

// Sets the planar height to `height` pixels (−1 or at least the map's height → the map's own;
// at least half the screen width), rescales the offsets and recomputes the margin; the
// stored height becomes −1 for the map's own. Returns the height used, or 0 (no change) while
// there is no map. Sets the redraw flag.
int32_t setPlanarHeight(int32_t height);

// The view centre in radians, read from the current view (for starting an animation).
void currentViewCentre(double* lat, double* lon);

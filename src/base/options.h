// The options record: every user option and the last view, one process-wide instance that
// every subsystem reads directly. The options dialog and the window's commands change it;
// shell/settings.h loads it at start-up and saves it at shutdown. Header only and including
// nothing of the program, so that every layer can read it.
#pragma once

#include <cstdint>
#include <string>

// Choices stored by their radio identifiers.
enum GridStep : int32_t { kGrid10 = 1022, kGrid15 = 1023, kGrid30 = 1024 };
enum DistanceUnits : int32_t { kUnitsKm = 1025, kUnitsMiles = 1026, kUnitsNautical = 1027 };
enum TimeFormat : int32_t { kTime12 = 0, kTime24 = 1, kTimeHhmm = 2 };
enum OverlayOperation : int32_t {
    kOverlayUnion = 0,
    kOverlayIntersection = 1,
    kOverlayExclusion = 2,
    kOverlayMerge = 3,
    kOverlayOverlay = 4,
    kOverlayDayNight = 5,
};
// Twilight Type: one of these, positive when "Show Distinct Twilight" is on, negated when off.
enum TwilightKind : int32_t {
    kTwilightCivil = 1028,
    kTwilightNautical = 1029,
    kTwilightAstro = 1030
};

// The view as saved at shutdown and restored at start-up. Only meaningful around loading and
// saving: while the program runs the view state (view/view_state.h) is the live copy.
struct LastView {
    bool planar = false;        // "Flags" bit 2: the flat map was shown
    int32_t lonAngle = 0;       // "Last LatLon" low half, angle units (sign-extended 16 bits)
    int32_t latAngle = 0;       // "Last LatLon" high half, angle units
    int32_t radius = 118;       // "Last Zoom Radius", pixels
    int32_t planarHeight = -1;  // "Last Flat Mode Height", pixels; −1 = the map's own height
    int32_t offsetX = 0;        // "Last Flat Mode XY" low half, map pixels
    int32_t offsetY = 0;        // "Last Flat Mode XY" high half, map pixels

    bool operator==(const LastView&) const = default;
};

// The cities.bin that cities.sav was saved against. The save file names cities by their
// byte offsets, and a rebuilt cities.bin moves every record, so offsets kept for another
// file would name other cities.
struct CityFileStamp {
    std::string header;  // the file's 16 header bytes; empty when no stamp is stored
    uint32_t size = 0;   // the file's size in bytes

    bool operator==(const CityFileStamp&) const = default;
};

struct Options {
    // "Flags" toggles (bit number in brackets; bit 2 is LastView::planar).
    bool latLonGrid = false;          // [0] "Lat/Lon Grid", command 2001
    bool showDayNight = true;         // [1] "Show Day and Night", command 2002
    bool panRotate = true;            // [3] "Pan/Rotate", command 2005
    bool computeDistance = false;     // [4] "Compute Distance", command 2004
    bool showSelectedCities = false;  // [5] "Show Selected Cities", command 2007
    bool useOverlayMap = true;        // [6] and "Use Overlay Map" under Maps, which wins
    bool textureSmoothing = false;    // [7] "3D Texture Smoothing"
    bool antipodes = false;           // [8] "Antipodes"
    bool sunSpot = false;             // [9] "Sun Spot"
    bool countryAtSnap = true;        // [10] "Show country name at snap point"
    bool snapToKnown = true;          // [11] "Snap to nearest known point"
    bool tropicPolarCircles = false;  // [12] "Tropical and Polar circles"
    bool showSelectedFiles = false;   // [13] "Show selected files" (routes and places)
    bool showAllCountries = false;    // [14] "Show all countries"
    bool showLatLon = true;           // [15] "Show Lat/Lon"
    bool cityTime = true;             // [16] "City Time"
    bool cityDate = true;             // [17] "City Date"
    bool cityDstEvent = true;         // [18] "City's forthcoming DST Event"
    bool sunriseSunset = true;        // [19] "Sunrise and Sunset Times"
    bool sunAzimuthElevation = true;  // [20] "Sun's Azimuth and Elevation"
    bool rotateGlobe = false;         // [21] "Rotate Globe"
    bool autoShadowUpdate = true;     // [22] "Auto update of Earth's shadow"
    bool snapToDisplayed = true;      // [23] "Snap to nearest displayed point"
    bool animatedRotation = true;     // [24] "Animated rotation to City"

    // General
    int32_t gridStep = kGrid15;        // GridStep
    int32_t distanceUnits = kUnitsKm;  // DistanceUnits
    int32_t timeFormat = kTime12;      // TimeFormat
    int32_t snapRadius = 60;           // nautical miles (arc minutes), 1 .. 200
    int32_t rotationSpeed = 50;        // 1 .. 100
    int32_t animationSpeed = 50;       // 1 .. 100

    // Maps: plain file names inside the home folder's maps/.
    std::string mainMapFile = "Day.gif";
    std::string overlayMapFile = "Night.gif";
    int32_t overlayOperation = kOverlayDayNight;  // OverlayOperation

    // Advanced
    int32_t sphericalArcSmoothing = 16;      // arc segments on the globe, 1 .. 50
    int32_t planarArcSmoothing = 32;         // arc segments on the flat map, 1 .. 50
    int32_t shadowDarkness = 20;             // percent, 0 .. 100
    int32_t shadowSpecularity = 90;          // percent, 0 .. 100
    int32_t textureBrightness = 100;         // percent, 0 .. 100
    int32_t shadowUpdateInterval = 5;        // minutes, 1 .. 20
    int32_t twilightType = -kTwilightAstro;  // ±TwilightKind

    // Colors, RGB565
    uint16_t backgroundColor = 0x0000;
    uint16_t distanceArcColor = 0xFFFF;
    uint16_t gridColor = 0x4414;
    uint16_t equatorColor = 0xFFE0;
    uint16_t tropicColor = 0xFB00;
    uint16_t arcticColor = 0x07E8;
    uint16_t displayedCityColor = 0xFFFF;
    uint16_t snappedCityColor = 0xFFE0;
    uint16_t displayedCountryColor = 0xFFFF;

    // Route: the route or place file (a name inside the home folder's routes/) named in the
    // settings, which start-up opens; empty when none is named. The file open at shutdown
    // (the route set's name) is saved in its place; with none open this name stays.
    std::string routeFileName;

    // Selection: the city file the saved selection belongs to; start-up compares it with the
    // open cities.bin, and saving the selection renews it.
    CityFileStamp selectionCityFile;

    LastView lastView;

    bool operator==(const Options&) const = default;
};

inline Options gOptions;

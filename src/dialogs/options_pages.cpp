// The option pages' controls, one static object each, set up afresh on every opening. Each
// control that edits an option is bound to its field of the options record, so that one loop
// per kind of control writes them all back; the page functions read like the pages' tables.
#include "dialogs/options_pages.h"

#include <cassert>
#include <cstdlib>
#include <initializer_list>
#include <vector>

#include "dialogs/options_cities.h"
#include "geo/text16.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "routefiles/route_file.h"
#include "routefiles/route_set.h"
#include "toolkit/choices.h"
#include "toolkit/color_picker.h"
#include "toolkit/combo_box.h"
#include "toolkit/slider.h"
#include "toolkit/static_controls.h"
#include "toolkit/tab_strip.h"

namespace {

constexpr int kSliderWidth = 80, kCaptionX = 20;  // pixels

// Controls of one kind, each bound to the option field it edits (null: stored otherwise).
template <class Control, class Field, int N>
struct Bound {
    Control controls[N];
    Field Options::*fields[N] = {};
    int count = 0;

    Control* take(Field Options::*field) {
        assert(count < N);
        fields[count] = field;
        return &controls[count++];
    }
};

Bound<CheckBox, bool, 20> gChecks;
Bound<Slider, int32_t, 10> gSliders;
Bound<RadioGroup, int32_t, 5> gRadios;
Bound<ColorSwatch, uint16_t, 9> gSwatches;
Label gLabels[4];
GroupBox gGroups[4];
int gLabelCount = 0, gGroupCount = 0;
ColorPicker gPicker;

// The file lists: the drop-downs show the names as text, the vectors keep the names as the
// folder gave them, item for item.
ComboBox gMainMap, gOverlayMap, gRouteFile;
std::vector<std::string> gMapFiles, gRouteFiles;

// The controls whose handlers keep others enabled, and the twilight pair.
CheckBox *gSnapKnown, *gSnapDisplayed, *gCountryAtSnap, *gCityTime, *gCityDate;
CheckBox* gTwilightShown;
RadioGroup* gTwilightKind;

TabStrip* gTabs = nullptr;
int32_t gPage = 0;  // the page the helpers below add to

template <class W>
W* add(W* widget) {
    gTabs->addWidget(gPage, widget);
    return widget;
}

CheckBox* check(int x, int y, const char16_t* label, bool Options::*field) {
    CheckBox* box = add(gChecks.take(field));
    box->setup(x, y, label);
    box->checked = field && gOptions.*field;
    box->flags |= Widget::kEnabled;
    return box;
}

void slider(int trackX, int y, const char16_t* caption, int lo, int hi, int32_t Options::*field) {
    add(gSliders.take(field))
        ->setup(trackX, y, kSliderWidth, kCaptionX, y, caption, lo, hi, gOptions.*field, 1, true,
                true);
}

struct Choice {
    int x, y;
    const char16_t* label;
    int32_t value;
};

// A radio group whose items stand at their own places; the item with `selected` is on.
RadioGroup* radio(int x, int y, const char16_t* caption, int32_t Options::*field,
                  std::initializer_list<Choice> choices, int32_t selected) {
    RadioGroup* group = add(gRadios.take(field));
    group->setup(x, y, caption);
    for (const Choice& c : choices) group->addItem(c.x, c.y, c.value == selected, c.label, c.value);
    return group;
}

// The items of a group on its caption's line.
RadioGroup* radioRow(int y, const char16_t* caption, int32_t Options::*field,
                     std::initializer_list<const char16_t*> labels, int32_t firstValue) {
    RadioGroup* group = radio(kCaptionX, y, caption, field, {}, 0);
    int x = 95;
    int32_t value = firstValue;
    for (const char16_t* label : labels) {
        group->addItem(x, y, value == gOptions.*field, label, value);
        x += 45, ++value;
    }
    return group;
}

void label(int x, int y, const char16_t* text) {
    assert(gLabelCount < 4);
    add(&gLabels[gLabelCount++])->setup(x, y, text, -1, false);
}

void group(int x, int y, int width, int height, const char16_t* title) {
    assert(gGroupCount < 4);
    add(&gGroups[gGroupCount++])->setup(x, y, width, height, title);
}

// Fills `box` with `names` and shows the one equal to `current`. Names past the first that
// cannot be added are dropped, so that item i always stands for names[i]; a list filled
// before may then hold items past the names, which stand for no file.
void fillFiles(ComboBox* box, std::vector<std::string>* names, const std::string& current) {
    for (size_t i = 0; i < names->size(); ++i)
        if (!box->addItem(geo::fromUtf8((*names)[i]).c_str())) names->resize(i);
    box->selectByText(geo::fromUtf8(current).c_str());
}

// The name of the item `box` shows; null when it shows none.
const std::string* shownFile(ComboBox& box, const std::vector<std::string>& names) {
    size_t i = 0;
    for (PtrNode* n = box.list().items().head(); n && i < names.size(); n = n->next, ++i)
        if (n->data == box.selectedItem()) return &names[i];
    return nullptr;
}

void setEnabled(Widget* widget, bool on) {
    widget->flags = on ? widget->flags | Widget::kEnabled : widget->flags & ~Widget::kEnabled;
}

// The country name at the snap point needs something to snap to; the date goes with the time.
void followSnap(Widget*, int) {
    setEnabled(gCountryAtSnap, gSnapKnown->checked || gSnapDisplayed->checked);
}
void followCityTime(Widget*, int) {
    setEnabled(gCityDate, gCityTime->checked);
}

void buildGeneral() {
    check(20, 65, u"Animated rotation to City", &Options::animatedRotation);
    slider(125, 80, u"Animation Speed:", 1, 100, &Options::animationSpeed);
    check(20, 115, u"Auto update of Earth's shadow", &Options::autoShadowUpdate);
    slider(125, 130, u"Interval (mins):", 1, 20, &Options::shadowUpdateInterval);
    check(20, 160, u"Rotate Globe", &Options::rotateGlobe);
    slider(125, 175, u"Rotation Speed:", 1, 100, &Options::rotationSpeed);
    gSnapKnown = check(20, 205, u"Snap to nearest known point", &Options::snapToKnown);
    gSnapDisplayed = check(20, 220, u"Snap to nearest displayed point", &Options::snapToDisplayed);
    gCountryAtSnap = check(20, 235, u"Show country name at snap point", &Options::countryAtSnap);
    slider(125, 255, u"Snap Radius:", 1, 200, &Options::snapRadius);
    label(20, 267, u"(Nautical miles)");
    gSnapKnown->handler = gSnapDisplayed->handler = followSnap;
    followSnap(nullptr, 0);
}

void buildDisplay() {
    check(20, 60, u"Show Lat/Lon", &Options::showLatLon);
    check(20, 75, u"Antipodes", &Options::antipodes);
    check(20, 90, u"Sun Spot", &Options::sunSpot);
    gCityTime = check(20, 105, u"City Time", &Options::cityTime);
    gCityDate = check(20, 120, u"City Date", &Options::cityDate);
    check(20, 135, u"City's forthcoming DST Event", &Options::cityDstEvent);
    check(20, 150, u"Sunrise and Sunset Times", &Options::sunriseSunset);
    check(20, 165, u"Sun's Azimuth and Elevation", &Options::sunAzimuthElevation);
    check(20, 180, u"Tropical and Polar circles", &Options::tropicPolarCircles);
    check(20, 195, u"Show all countries", &Options::showAllCountries);
    radioRow(230, u"Time Format:", &Options::timeFormat, {u"12hr", u"24hr", u"HHMM"}, kTime12);
    radioRow(248, u"Grid Step:", &Options::gridStep, {u"10\u00B0", u"15\u00B0", u"30\u00B0"},
             kGrid10);
    radioRow(266, u"Distance:", &Options::distanceUnits, {u"km", u"mi", u"nm"}, kUnitsKm);
    gCityTime->handler = followCityTime;
    followCityTime(nullptr, 0);
}

void buildMaps() {
    label(30, 62, u"Main Map:");
    label(30, 82, u"Overlay Map:");
    gMapFiles = platform::listFiles(platform::homeFile("maps"), ".gif");
    add(&gMainMap)->setup(110, 60, 110, 80, false);
    fillFiles(&gMainMap, &gMapFiles, gOptions.mainMapFile);
    add(&gOverlayMap)->setup(110, 80, 110, 80, false);
    fillFiles(&gOverlayMap, &gMapFiles, gOptions.overlayMapFile);
    check(30, 110, u"Use Overlay Map", &Options::useOverlayMap);
    group(30, 140, 180, 120, u"Overlay Operation");
    radio(45, 160, u" ", &Options::overlayOperation,
          {{45, 160, u"Union", kOverlayUnion},
           {45, 175, u"Intersection", kOverlayIntersection},
           {45, 190, u"Exclusion", kOverlayExclusion},
           {45, 205, u"Merge", kOverlayMerge},
           {45, 220, u"Overlay", kOverlayOverlay},
           {45, 235, u"Day/Night", kOverlayDayNight}},
          gOptions.overlayOperation);
}

void buildAdvanced() {
    group(10, 55, 220, 90, u"Earth Shadow Parameters");
    gTwilightShown = check(20, 75, u"Show Distinct Twilight", nullptr);
    gTwilightShown->checked = gOptions.twilightType > 0;
    gTwilightKind = radio(20, 90, u"", nullptr,
                          {{20, 90, u"Civil", kTwilightCivil},
                           {90, 90, u"Nautical", kTwilightNautical},
                           {160, 90, u"Astro", kTwilightAstro}},
                          std::abs(gOptions.twilightType));
    slider(120, 110, u"Specularity:", 0, 100, &Options::shadowSpecularity);
    slider(120, 125, u"Darkness:", 0, 100, &Options::shadowDarkness);
    group(10, 155, 220, 55, u"Distance Arc Smoothing");
    slider(120, 175, u"Spherical:", 1, 50, &Options::sphericalArcSmoothing);
    slider(120, 190, u"Planar:", 1, 50, &Options::planarArcSmoothing);
    group(10, 220, 220, 60, u"Advanced Texture Parameters");
    slider(120, 240, u"Brightness:", 0, 100, &Options::textureBrightness);
    check(20, 260, u"3D Texture Smoothing", &Options::textureSmoothing);
}

void buildRoutes() {
    label(15, 62, u"Select Routes/Places to show:");
    gRouteFiles = platform::listFiles(routes::routesFolder(), ".xml");
    add(&gRouteFile)->setup(15, 80, 160, 100, false);
    fillFiles(&gRouteFile, &gRouteFiles, routes::gRouteSet.fileName);
    check(15, 265, u"Show selected files", &Options::showSelectedFiles);
}

void buildColors() {
    static constexpr struct {
        const char16_t* label;
        uint16_t Options::*field;
    } kColours[] = {
        {u"Background Color:", &Options::backgroundColor},
        {u"Distance Arc:", &Options::distanceArcColor},
        {u"Lat/Lon Grid:", &Options::gridColor},
        {u"Equator/Meridian:", &Options::equatorColor},
        {u"Arctic/Antarctic Circles:", &Options::arcticColor},
        {u"Tropic Circles:", &Options::tropicColor},
        {u"Displayed Cities:", &Options::displayedCityColor},
        {u"City at snap point:", &Options::snappedCityColor},
        {u"Displayed Countries:", &Options::displayedCountryColor},
    };
    // The picker draws its swatches and takes their taps, so only the picker joins the page.
    gPicker.setup(35, 174);
    int y = 52;
    for (const auto& c : kColours) {
        ColorSwatch* swatch = gSwatches.take(c.field);
        swatch->setup(180, y, 30, 12, 20, y, c.label);
        swatch->colour = gOptions.*c.field;
        swatch->selected = false;
        gPicker.addSwatch(swatch);
        y += 13;
    }
    add(&gPicker);
}

void buildCities() {
    buildCitiesPage(gTabs, kPageCities);
}

}  // namespace

void addOptionPages(TabStrip* tabs) {
    static constexpr struct {
        int32_t id;
        const char16_t* label;
        void (*build)();
    } kPages[] = {
        {kPageGeneral, u"General", buildGeneral},
        {kPageDisplay, u"Display", buildDisplay},
        {kPageMaps, u"Maps", buildMaps},
        {kPageCities, u"Cities", buildCities},
        {kPageAdvanced, u"Advanced", buildAdvanced},
        {kPageRoutes, u"Routes/Places", buildRoutes},
        {kPageColors, u"Colors", buildColors},
    };
    gChecks.count = gSliders.count = gRadios.count = gSwatches.count = 0;
    gLabelCount = gGroupCount = 0;
    gTabs = tabs;
    for (const auto& page : kPages) tabs->addPage(page.id, page.label);
    for (const auto& page : kPages) {
        gPage = page.id;
        page.build();
    }
}

void storeOptionPages(Options* options) {
    for (int i = 0; i < gChecks.count; ++i)
        if (gChecks.fields[i]) options->*gChecks.fields[i] = gChecks.controls[i].checked;
    for (int i = 0; i < gSliders.count; ++i)
        options->*gSliders.fields[i] = static_cast<int32_t>(gSliders.controls[i].value);
    for (int i = 0; i < gRadios.count; ++i) {
        const int32_t value = gRadios.controls[i].selectedValue();
        if (gRadios.fields[i] && value != -1) options->*gRadios.fields[i] = value;
    }
    for (int i = 0; i < gSwatches.count; ++i)
        options->*gSwatches.fields[i] = gSwatches.controls[i].colour;
    int32_t kind = gTwilightKind->selectedValue();
    if (kind == -1) kind = std::abs(options->twilightType);
    options->twilightType = gTwilightShown->checked ? kind : -kind;
    if (const std::string* main = shownFile(gMainMap, gMapFiles)) options->mainMapFile = *main;
    if (const std::string* overlay = shownFile(gOverlayMap, gMapFiles))
        options->overlayMapFile = *overlay;
}

const std::string* chosenRouteFile() {
    return shownFile(gRouteFile, gRouteFiles);
}

bool textureOptionsChanged(const Options& before, const Options& after) {
    return before.textureBrightness != after.textureBrightness ||
           before.shadowDarkness != after.shadowDarkness ||
           before.shadowSpecularity != after.shadowSpecularity ||
           before.twilightType != after.twilightType ||
           before.useOverlayMap != after.useOverlayMap ||
           before.overlayOperation != after.overlayOperation ||
           before.mainMapFile != after.mainMapFile ||
           (after.useOverlayMap && before.overlayMapFile != after.overlayMapFile);
}

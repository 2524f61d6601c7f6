// City rows: the name and the country suffix drawn as two strings side by side, so that a
// row scrolled sideways shows the right part of each.
#include "dialogs/city_rows.h"

#include <algorithm>
#include <string>

#include "geo/city_db.h"
#include "geo/text16.h"
#include "raster/font.h"

namespace {

constexpr uint16_t kNameColour = 0xFFFF, kCountryColour = 0xFFE0;

// "  (Country)", or nothing when the city's record names no country.
std::u16string countrySuffix(const char16_t* name) {
    const char16_t* country =
        geo::cityDatabase.countryName(geo::recordCountry(geo::recordFromName(name)));
    if (!country || !*country) return {};
    return u"  (" + std::u16string(country) + u")";
}

}  // namespace

void drawCityRow(int x, int y, const ListItem* item, int first, int count) {
    const int nameLength = static_cast<int>(geo::textLength(item->text));
    const int nameShown = std::clamp(nameLength - first, 0, count);
    drawTextPart(x, y, item->text, first, nameShown, kNameColour);
    const std::u16string suffix = countrySuffix(item->text);
    drawTextPart(x + nameShown * kGlyphWidth, y, suffix.c_str(), std::max(first - nameLength, 0),
                 count - nameShown, kCountryColour);
}

int cityRowWidth(const ListItem* item) {
    return static_cast<int>(geo::textLength(item->text) + countrySuffix(item->text).size());
}

void showCountries(ListBox* list, bool on) {
    list->setItemDraw(on ? drawCityRow : nullptr);
    list->setItemWidth(on ? cityRowWidth : nullptr);
}

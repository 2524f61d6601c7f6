// City rows: the name and the country suffix drawn as two strings side by side, so that a
// row scrolled sideways shows the right part of each. The suffix is made in a buffer on the
// stack: rows are drawn every frame.
#include "dialogs/city_rows.h"

#include <algorithm>

#include "geo/city_db.h"
#include "geo/text16.h"
#include "raster/font.h"

namespace {

constexpr uint16_t kNameColour = 0xFFFF, kCountryColour = 0xFFE0;

// The country of the row's city, empty when it has none.
const char16_t* countryOf(const ListItem* item) {
    const char16_t* name =
        geo::cityDatabase.countryName(geo::recordCountry(geo::recordFromName(item->text)));
    return name ? name : u"";
}

// Room for "  (", the longest country name, ")" and the terminating zero.
using Suffix = char16_t[geo::kCountryNameChars + 4];

// "  (Country)", or nothing for a city without a country.
void formatSuffix(const ListItem* item, Suffix& out) {
    const char16_t* country = countryOf(item);
    int n = 0;
    if (country[0] != 0)
        for (const char16_t* part : {u"  (", country, u")"})
            for (const char16_t* c = part; *c; ++c) out[n++] = *c;
    out[n] = 0;
}

}  // namespace

void drawCityRow(int x, int y, const ListItem* item, int first, int count) {
    Suffix suffix;
    formatSuffix(item, suffix);
    const int nameLength = static_cast<int>(geo::textLength(item->text));
    if (first < nameLength) {
        const int shown = std::min(nameLength - first, count);
        drawTextPart(x, y, item->text, first, shown, kNameColour);
        drawTextPart(x + kGlyphWidth * shown, y, suffix, 0, count - shown, kCountryColour);
    } else {
        drawTextPart(x, y, suffix, first - nameLength, count, kCountryColour);
    }
}

int cityRowWidth(const ListItem* item) {
    const int country = static_cast<int>(geo::textLength(countryOf(item)));
    return static_cast<int>(geo::textLength(item->text)) + (country > 0 ? country + 4 : 0);
}

void showCountries(ListBox* list, bool on) {
    list->setItemDraw(on ? drawCityRow : nullptr);
    list->setItemWidth(on ? cityRowWidth : nullptr);
}

// The Cities page: both lists hold name pointers into the city database (never copies), so
// that a row finds its record, and OK its city, from the name alone.
#include "dialogs/options_cities.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <new>
#include <vector>

#include "dialogs/city_rows.h"
#include "geo/city_db.h"
#include "geo/place.h"
#include "geo/place_lists.h"
#include "geo/text16.h"
#include "platform/loop.h"
#include "platform/messages.h"
#include "toolkit/button.h"
#include "toolkit/choices.h"
#include "toolkit/combo_box.h"
#include "toolkit/edit_field.h"
#include "toolkit/list_box.h"
#include "toolkit/modal.h"
#include "toolkit/static_controls.h"
#include "toolkit/tab_strip.h"

namespace {

constexpr int kMaxResults = 20000;  // cities one search lists
constexpr int32_t kByName = 1019, kByCountry = 1020;

RadioGroup gSelectBy;
EditField gPrefix;
ComboBox gCountries;
Label gCandidatesLabel;
ListBox gCandidates, gDisplayed;
Button gAdd, gAddAll, gRemove, gRemoveAll;
bool gCitiesChanged = false;

void setShown(Widget* widget, bool on) {
    using W = Widget;
    widget->flags = on ? widget->flags | W::kVisible : widget->flags & ~(W::kVisible | W::kFocused);
}

void listCandidates(const geo::RecordList& records) {
    for (const geo::CityRecord* record : records)
        if (!gCandidates.addItem(geo::recordName(record), false)) break;
}

// Enter in the name field answers the dialog with OK, as Enter does everywhere in it; by a
// message, since the dialog's closing empties this very field.
void nameSearch(Widget*, int code) {
    if (code == kFieldEnter) platform::postMessage(platform::WM_COMMAND, kAnswerOk, 0);
    if (code != kFieldChanged) return;
    gCandidates.Reset();
    if (!*gPrefix.text()) return;
    showCountries(&gCandidates, true);
    geo::RecordList found;
    geo::cityDatabase.prefixSearch(gPrefix.text(), kMaxResults, &found);
    listCandidates(found);
}

// A country's cities need no country after their names. Without a country chosen the list
// stays empty rather than keep the name search's rows.
void countrySearch(Widget*, int) {
    showCountries(&gCandidates, false);
    gCandidates.Reset();
    const ListItem* shown = gCountries.selectedItem();
    if (!shown) return;
    geo::RecordList found;
    geo::cityDatabase.citiesOfCountry(geo::cityDatabase.countryIndexByName(shown->text),
                                      kMaxResults, &found);
    listCandidates(found);
}

void modeSwitch(Widget*, int) {
    const bool byName = gSelectBy.selectedValue() != kByCountry;
    setShown(&gCountries, !byName);
    setShown(&gPrefix, byName);
    if (byName)
        nameSearch(nullptr, kFieldChanged);
    else
        countrySearch(nullptr, kListNotify);
}

// The countries by name (the database keeps them in the order of their codes), so that one
// can be found in the list.
void listCountries() {
    std::vector<const char16_t*> names;
    geo::cityDatabase.listCountryNames(&names);
    std::sort(names.begin(), names.end(), [](const char16_t* a, const char16_t* b) {
        const int c = geo::compareTextNoCase(a, b, SIZE_MAX);
        return c != 0 ? c < 0 : geo::compareText(a, b) < 0;
    });
    for (const char16_t* name : names)
        if (*name && !gCountries.addItem(name)) break;
}

// Whether `name` lies in the mapped database, as every name these lists take does.
bool inDatabase(const char16_t* name) {
    const auto at = reinterpret_cast<uintptr_t>(name);
    const auto start = reinterpret_cast<uintptr_t>(geo::cityDatabase.viewStart());
    return name && start && at >= start + geo::kRecordNameOffset &&
           at < start + geo::cityDatabase.viewSize();
}

}  // namespace

void buildCitiesPage(TabStrip* tabs, int32_t page) {
    gSelectBy.setup(20, 55, u"Select By:");
    gSelectBy.addItem(90, 55, true, u"City Name", kByName);
    gSelectBy.addItem(165, 55, false, u"Country", kByCountry);
    gSelectBy.handler = modeSwitch;
    gPrefix.setup(20, 72, 200, 255);
    gPrefix.handler = nameSearch;
    gCountries.setup(20, 72, 200, 80, false);
    gCountries.handler = countrySearch;
    listCountries();
    gCandidatesLabel.setup(20, 92, u"Select from Cities:", -1, false);
    gCandidates.setup(20, 106, 200, 68, true);
    gAdd.setup(50, 177, 65, 16, u"Add", kCmdAddCity, true);
    gAddAll.setup(125, 177, 65, 16, u"Add All", kCmdAddAllCities, true);
    gRemove.setup(50, 196, 65, 16, u"Remove", kCmdRemoveCity, true);
    gRemoveAll.setup(125, 196, 65, 16, u"Remove All", kCmdRemoveAllCities, true);
    gDisplayed.setup(20, 214, 200, 68, true);
    showCountries(&gDisplayed, true);
    for (Widget* w : std::initializer_list<Widget*>{&gSelectBy, &gPrefix, &gCountries,
                                                    &gCandidatesLabel, &gCandidates, &gAdd,
                                                    &gAddAll, &gRemove, &gRemoveAll, &gDisplayed})
        tabs->addWidget(page, w);
    modeSwitch(nullptr, 0);
    for (PtrNode* n = geo::gDisplayedCities.head(); n; n = n->next) {
        const char16_t* name = static_cast<const geo::Place*>(n->data)->name;
        if (inDatabase(name) && !gDisplayed.addItem(name, false)) break;
    }
    gCitiesChanged = false;
}

bool cityListCommand(int command) {
    switch (command) {
        case kCmdAddCity:
        case kCmdAddAllCities:
            for (PtrNode* n = gCandidates.items().head(); n; n = n->next) {
                const auto* item = static_cast<const ListItem*>(n->data);
                const bool chosen = (item->flags & ListItem::kSelected) != 0;
                if ((command == kCmdAddAllCities || chosen) &&
                    !gDisplayed.addItem(item->text, false))
                    break;
            }
            gCandidates.clearSelection();
            break;
        case kCmdRemoveCity:
            // The rows chosen go, not the first rows of the same name: two cities may share one.
            gDisplayed.removeSelected();
            break;
        case kCmdRemoveAllCities:
            gDisplayed.Reset();
            break;
        default:
            return false;
    }
    gCitiesChanged = true;
    return true;
}

void storeCitySelection() {
    if (!gCitiesChanged) return;
    geo::deletePlaces(&geo::gDisplayedCities);
    for (PtrNode* n = gDisplayed.items().head(); n; n = n->next) {
        const char16_t* name = static_cast<const ListItem*>(n->data)->text;
        if (!inDatabase(name)) continue;
        auto* city = new (std::nothrow) geo::Place;
        if (!city) break;
        city->fillFromRecord(geo::recordFromName(name));
        if (!geo::gDisplayedCities.addTail(city)) {
            delete city;
            break;
        }
    }
}

void emptyCityLists() {
    gCandidates.Reset();
    gDisplayed.Reset();
}

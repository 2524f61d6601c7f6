// The Find City dialog: the search field refills the list on every change, the rows show each
// city's name in white and its country in yellow, and a pick snaps to the city or measures to
// it. The list borrows the names inside cities.bin, so a keystroke copies no text.
#include "dialogs/find_city.h"

#include <algorithm>
#include <new>

#include "base/options.h"
#include "base/redraw.h"
#include "dialogs/city_rows.h"
#include "geo/city_db.h"
#include "geo/place_lists.h"
#include "geo/snapping.h"
#include "geo/text16.h"
#include "platform/loop.h"
#include "platform/messages.h"
#include "toolkit/command_panel.h"
#include "toolkit/modal.h"
#include "toolkit/routing.h"
#include "view/animation.h"

namespace {

constexpr int kFindCityCommand = 2009;
constexpr uint16_t kTitleBarColour = 0x8116;
constexpr int kFieldTop = 4, kListTop = 22, kInset = 4;  // pixels below the title bar
constexpr int kSavedChars = 29;
constexpr int kEnterCharacter = 13;  // what the keyboards type for Enter
constexpr char16_t kTitle[] = u"Find City";

// The search text kept while the dialog is closed.
char16_t gSavedText[kSavedChars + 1] = {};

const geo::CityRecord* cityOf(const ListItem* item) {
    return geo::recordFromName(item->text);
}

// The close box and Escape: the focus leaves the dialog and the panel command closes it, by a
// message, since this runs inside the dialog's own stroke or key. Hidden meanwhile, the dialog
// takes no more input, so that a second Escape already queued cannot post the command again
// (which would open it anew).
void closeBoxPressed(Widget*, int) {
    moveFocus(nullptr);
    if (gToolDialog) gToolDialog->flags &= ~Widget::kVisible;
    platform::postMessage(platform::WM_COMMAND, kFindCityCommand,
                          panelIndexOfCommand(kFindCityCommand));
}

// A new distance point at the city itself, not snapped elsewhere.
void addDistanceCity(const geo::CityRecord* city) {
    auto* place = new (std::nothrow) geo::Place;
    if (!place) return;
    place->fillFromRecord(city);
    if (!geo::gDistancePoints.addTail(place)) delete place;
}

FindCityDialog* openDialog() {
    return dynamic_cast<FindCityDialog*>(gToolDialog);
}

}  // namespace

FindCityDialog::FindCityDialog() {
    forwardsStrokes = false;  // the field and the list keep their strokes themselves
    field_.owner = this;
    list_.owner = this;
    field_.handler = fieldChanged;
    list_.handler = rowTapped;
    showCountries(&list_, true);
    addChild(&field_);
    addChild(&list_);
}

void FindCityDialog::setup(int x0, int y0, int w, int h) {
    Dialog::setup(x0, y0, w, h, kCloseBox | kTitleBar, kTitle);
    titleBarColour = kTitleBarColour;
    field_.setup(x + kInset, y + titleBarHeight + kFieldTop, width - 2 * kInset, kMaxSearch);
    list_.setup(x + kInset, y + titleBarHeight + kListTop, width - 2 * kInset,
                height - titleBarHeight - kListTop - kInset, false);
}

void FindCityDialog::Layout() {
    field_.MoveTo(x + kInset, y + titleBarHeight + kFieldTop);
    list_.MoveTo(x + kInset, y + titleBarHeight + kListTop);
}

void FindCityDialog::fieldChanged(Widget* field, int code) {
    FindCityDialog* dialog = static_cast<SearchField*>(field)->owner;
    if (code == kFieldEnter)
        dialog->pickSelectedOrFirst();
    else
        dialog->refill();
}

void FindCityDialog::rowTapped(Widget* list, int) {
    static_cast<MatchList*>(list)->owner->pick();
}

void FindCityDialog::MatchList::OnKey(int code, int kind) {
    if (kind == 1 && code == kEnterCharacter) owner->pickSelectedOrFirst();
}

void FindCityDialog::refill() {
    list_.Reset();
    const char16_t* text = field_.text();
    if (text[0] == 0) return;
    geo::RecordList found;
    geo::cityDatabase.prefixSearch(text, kMaxMatches, &found);
    for (const geo::CityRecord* city : found) list_.addItem(geo::recordName(city), false);
}

const geo::CityRecord* FindCityDialog::selectedCity() const {
    const ListItem* item = list_.selectedItem();
    if (!item || !item->text || item->text[0] == 0) return nullptr;
    return cityOf(item);
}

void FindCityDialog::pickSelectedOrFirst() {
    if (!list_.selectedItem()) list_.selectRow(0, true);
    pick();
}

void FindCityDialog::pick() {
    const geo::CityRecord* city = selectedCity();
    if (!city) return;
    if (gOptions.computeDistance) {
        addDistanceCity(city);
    } else {
        geo::gSnapPoint.kind = geo::kPlaceCity;
        geo::gSnapPoint.fillFromRecord(city);
    }
    startAnimation(geo::recordLatitude(city), geo::recordLongitude(city));
    gRedraw = 1;
}

void openFindCity() {
    auto* dialog = new (std::nothrow) FindCityDialog;
    if (!dialog) return;
    gToolDialog = dialog;
    dialog->setup(gToolDialogPosition.x, gToolDialogPosition.y, FindCityDialog::kWidth,
                  FindCityDialog::kHeight);
    dialog->handler = closeBoxPressed;
    if (gSavedText[0]) {
        dialog->field().setText(gSavedText);
        dialog->field().OnKey(platform::VK_END, 2);  // typing goes on after the kept text
    }
    focusFindCity();
}

void focusFindCity() {
    if (FindCityDialog* dialog = openDialog()) moveFocus(&dialog->field());
}

void closeFindCity() {
    FindCityDialog* dialog = openDialog();
    if (!dialog) return;
    const char16_t* text = dialog->field().text();
    const size_t n = std::min<size_t>(geo::textLength(text), kSavedChars);
    std::copy(text, text + n, gSavedText);
    gSavedText[n] = 0;
    if (gFocusWidget == &dialog->field() || gFocusWidget == &dialog->list()) moveFocus(nullptr);
    gToolDialog = nullptr;
    delete dialog;
    gRedraw = 1;  // the view comes back where the dialog was
}

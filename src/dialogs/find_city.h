// Find City: the non-modal tool dialog in which the beginning of a name lists the matching
// cities with their countries; picking one snaps to it (or adds a distance point in Compute
// Distance) and turns the view to it. The dialog keeps its place and its search text from one
// opening to the next within a run. Toggling it with its panel command is the window's.
#pragma once

#include <cstdint>

#include "geo/city_file.h"
#include "toolkit/dialog.h"
#include "toolkit/edit_field.h"
#include "toolkit/list_box.h"

class FindCityDialog : public Dialog {
  public:
    static constexpr int kWidth = 120, kHeight = 100;  // pixels
    static constexpr int kMaxSearch = 255;             // characters the field takes
    static constexpr int kMaxMatches = 20000;

    FindCityDialog();

    // The frame with its title and close box at (x, y), pixels, the edit field across its
    // top and the list of matches below it, both empty.
    void setup(int x, int y, int width, int height);
    // After a drag: the field and the list follow the frame.
    void Layout() override;

    // The city of the selected row, null when none is selected.
    const geo::CityRecord* selectedCity() const;
    // What Enter does: the selected row's city, or the first match when none is selected, is
    // picked as a tap on its row would pick it. Nothing when the list is empty.
    void pickSelectedOrFirst();

    EditField& field() { return field_; }
    ListBox& list() { return list_; }

  private:
    // The field and the list, each knowing its dialog, so that their handlers reach it.
    struct SearchField : EditField {
        FindCityDialog* owner = nullptr;
    };
    struct MatchList : ListBox {
        FindCityDialog* owner = nullptr;
        // Enter in the list picks its selected row, as in the field.
        void OnKey(int code, int kind) override;
    };
    static void fieldChanged(Widget* field, int code);
    static void rowTapped(Widget* list, int code);

    // Empties the list and fills it with the cities whose names begin with the field's text.
    void refill();
    // Snaps to the selected city, or adds it as a distance point, and turns the view to it.
    void pick();

    SearchField field_;
    MatchList list_;
};

// Opens the dialog as the tool dialog at the place it was last left, with the last search
// text back in its field and the keyboard focus there. Nothing shows when memory runs out.
void openFindCity();
// Gives the keyboard focus (and the keyboard) to the open dialog's field; nothing when the
// dialog is not open.
void focusFindCity();
// Keeps the search text (its first 29 characters) for the next opening and deletes the
// dialog; the keyboard goes with the focus when the dialog held it.
void closeFindCity();

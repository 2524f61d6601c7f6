// ComboBox, the drop-down list: a 15-pixel header showing the chosen item and an arrow;
// a tap on the header opens the list below it, a tap on a row chooses that row and closes
// it. The handler hears of a choice only when it changes the shown item. The list closes
// too when the drop-down loses the focus.
#pragma once

#include "toolkit/list_box.h"
#include "toolkit/widget.h"

class ComboBox : public Widget {
  public:
    static constexpr int kHeaderHeight = 15;

    // The header at (x, y), `width` wide (at least 18); the open list reaches down to
    // y + openHeight (at least 30). With `arrowOnly` only the arrow opens the list.
    void setup(int x, int y, int width, int openHeight, bool arrowOnly);
    // Adds an owned copy of `text` to the list; false when memory runs out.
    bool addItem(const char16_t* text);
    // Shows the item whose text equals `text` (none when no item has it); no notification.
    void selectByText(const char16_t* text);
    // The shown item, or null.
    const ListItem* selectedItem() const { return shown_; }
    bool isOpen() const { return open_; }
    // Closes the open list without a choice.
    void closeList() { open_ = false; }
    ListBox& list() { return list_; }

    void Draw() override;
    int StylusDown(Point p, Widget** capture) override;
    int StylusMove(Point p) override;
    // 1 when a row was chosen.
    int StylusUp(Point p) override;
    void MoveTo(int x, int y) override;
    // The open list scrolls under the wheel.
    int Wheel(Point p, int notches) override;

  private:
    int32_t x_ = -1, y_ = -1, width_ = -1, height_ = -1;  // pixels; height: when open
    bool arrowOnly_ = false;
    ListBox list_;
    bool open_ = false;
    const ListItem* shown_ = nullptr;  // an item of list_
    Widget* strokeTarget_ = nullptr;   // this header or the list, during a stroke
    int32_t headerCharacters_ = 0;
};

// ListBox: rows of text, 10 pixels each, in single- or multi-select mode, with a vertical
// and a horizontal scroll bar that appear only when the rows or the longest text do not fit.
// A multi-select stroke toggles the pressed row and selects the rows it is dragged over;
// dragging past the top or bottom scrolls. Owners may draw the rows themselves.
#pragma once

#include <cstdint>

#include "base/ptr_list.h"
#include "toolkit/scroll_bar.h"
#include "toolkit/widget.h"

// The code a list or drop-down list passes to its handler when a stroke on its rows ends.
constexpr int kListNotify = 1125;

struct ListItem {
    static constexpr uint32_t kSelected = 1, kOwnedText = 2, kMarked = 1u << 31;
    uint32_t flags;        // kMarked: under a range drag, selected when it ends
    const char16_t* text;  // owned when kOwnedText is set, else the caller's
};

// Draws `item` at (x, y) from character `first`, at most `count` characters.
using ItemDrawFunction = void (*)(int x, int y, const ListItem* item, int first, int count);
// The width of `item` in characters, for the horizontal bar.
using ItemWidthFunction = int (*)(const ListItem* item);

class ListBox : public Widget {
  public:
    ListBox() = default;
    ~ListBox() override;

    // Places the list (width at least 18) and empties it; the hooks stay.
    void setup(int x, int y, int width, int height, bool multiSelect);
    // Appends `text`, or inserts it after the first item whose text equals `reference`
    // (at the head when none does). With `copy` the item owns a copy; else the text must
    // outlive the item. The new node, or null (list unchanged) when memory runs out.
    PtrNode* addItem(const char16_t* text, bool copy, const char16_t* reference = nullptr);
    // Removes the first item (every item with `all`) whose text equals `text`; true when
    // any was removed.
    bool removeItem(const char16_t* text, bool all);
    // Removes every selected item; true when any was removed.
    bool removeSelected();
    ListItem* findItem(const char16_t* text) const;
    // The selected item of a single-select list; null in multi-select mode.
    ListItem* selectedItem() const;
    // The first selected node after `node` (from the head when null), in either mode.
    PtrNode* nextSelected(PtrNode* node) const;
    // Sets or clears the selection of row `row` (0 = the first item); a single-select list
    // keeps one selected row. Rows that do not exist are ignored.
    void selectRow(int row, bool set);
    void clearSelection();
    // Moves the rows by `rows` (negative: up) when the vertical bar is shown; true when they
    // moved.
    bool scrollRows(int rows);

    void setItemDraw(ItemDrawFunction draw) { itemDraw_ = draw; }
    void setItemWidth(ItemWidthFunction width) { itemWidth_ = width; }

    const PtrList& items() const { return items_; }
    int firstRow() const { return hasVertical_ ? vertical_.position() : 0; }
    int firstCharacter() const { return hasHorizontal_ ? horizontal_.position() : 0; }
    int visibleRows() const { return visibleRows_; }
    int visibleCharacters() const { return visibleCharacters_; }
    bool hasVerticalBar() const { return hasVertical_; }
    bool hasHorizontalBar() const { return hasHorizontal_; }

    // Deletes every item (and its owned copy) and clears the scroll state.
    void Reset() override;
    void Draw() override;
    int StylusDown(Point p, Widget** capture) override;
    int StylusMove(Point p) override;
    // 1 when a stroke on the rows ended (the handler was told), 0 after a bar stroke.
    int StylusUp(Point p) override;
    void MoveTo(int x, int y) override;
    // Three rows a notch (away from the user: up) over the list; 0 when there is nothing to
    // scroll or the point lies outside.
    int Wheel(Point p, int notches) override;

  private:
    // Removes the first item (every item with `all`) for which match(item) holds.
    template <class Match>
    bool removeIf(Match match, bool all);
    bool contains(Point p) const;
    void layout();
    int widthOf(const ListItem* item) const;
    PtrNode* nodeAt(int row) const;
    // Single-select selects the row, multi-select toggles it.
    void tapRow(int row);
    // The stroke is at `p`: selects or marks the rows up to the one under it and starts or
    // stops the scrolling past an edge.
    void dragTo(Point p);
    void drawRows() const;

    int32_t x_ = -1, y_ = -1, width_ = -1, height_ = -1;  // pixels
    PtrList items_{10};
    int32_t longest_ = 0;  // characters
    int32_t visibleRows_ = 0, visibleCharacters_ = 0;
    bool multiSelect_ = false;
    PtrNode* selected_ = nullptr;  // single-select mode
    ScrollBar horizontal_, vertical_;
    bool hasHorizontal_ = false, hasVertical_ = false;
    Widget* strokeTarget_ = nullptr;  // this list or one of its bars, during a stroke
    int32_t autoScroll_ = 0;          // rows a step: −1, 0, +1
    uint32_t autoScrollTick_ = 0;
    Point dragPoint_ = {0, 0};  // the stroke's last point, marked again as rows scroll
    int32_t anchorRow_ = -1;
    bool rangeDrag_ = false;
    ItemDrawFunction itemDraw_ = nullptr;
    ItemWidthFunction itemWidth_ = nullptr;
};

// Scroll bars, list boxes and drop-down lists driven through the toolkit's routing (each
// stands in the tool dialog's place) and drawn by its paint: the arrow's repeat against the
// tick count, the thumb's size and place, the bar that appears when the rows do not fit,
// multi-select drags, scrolling past the edge and by the wheel, and the drop-down's
// notifications. Pixels are read where the lists' layout puts them.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "../font/widget_screen.h"
#include "base/redraw.h"
#include "raster/text_log.h"
#include "toolkit/combo_box.h"
#include "toolkit/list_box.h"

namespace {

// The list: (20, 40), 100 × 104: 10 rows from y 42, text from x 24; its vertical bar at
// x 111 with arrows at y 40 and 135 and the thumb's 86-pixel track from y 50 (drawn).
constexpr int kX = 20, kY = 40, kBarX = 111, kDownArrowY = 135, kThumbTop = 50;
constexpr uint16_t kFace = 0x4208, kHighlight = 0x4316, kThumb = 0xFDA8, kTrough = 0x0000;

int rowY(int row) {
    return kY + 2 + 10 * row + 5;  // the middle of a shown row
}
std::u16string name(int i) {
    return u"Item " + std::u16string{char16_t(u'0' + i / 10 % 10), char16_t(u'0' + i % 10)};
}

std::vector<std::vector<int>> gNotified;  // the selected rows at each notification

void recordSelection(Widget* widget, int code) {
    std::vector<int> rows{code == kListNotify ? 0 : -1};
    int row = 0;
    for (PtrNode* n = static_cast<ListBox*>(widget)->items().head(); n; n = n->next, ++row)
        if (static_cast<ListItem*>(n->data)->flags & ListItem::kSelected) rows.push_back(row);
    gNotified.push_back(rows);
}

class ListTest : public WidgetScreenTest {
  protected:
    void fill(int count, bool multiSelect) {
        list_.setup(kX, kY, 100, 104, multiSelect);
        for (int i = 0; i < count; ++i) list_.addItem(name(i).c_str(), true);
        list_.handler = recordSelection;
        gNotified.clear();
        gToolDialog = &list_;
    }
    ListBox list_;
};

}  // namespace

TEST_F(ListTest, HeldArrowRepeatsAfter500MsThenEvery50AndPausesOffTheBar) {
    fill(30, false);
    struct Step {
        char action;  // 'd'own, 'm'ove, 'u'p at (a, b); 'w'ait a ms, b 1 when asking for frames
        int a, b;
        int first;  // the first row shown afterwards
    } steps[] = {
        {'d', kBarX + 4, kDownArrowY + 4, 1},  // one step at once
        {'w', 500, 1, 1},
        {'w', 1, 1, 2},  // then after more than 500 ms
        {'w', 50, 1, 2},
        {'w', 1, 1, 3},                 // and after more than 50 ms
        {'m', 60, kDownArrowY + 4, 3},  // off the bar: paused
        {'w', 1000, 0, 3},
        {'m', kBarX + 4, kDownArrowY + 4, 3},  // back: 50 ms from now
        {'w', 50, 1, 3},
        {'w', 1, 1, 4},
        {'u', kBarX + 4, kDownArrowY + 4, 4},
        {'w', 1000, 0, 4},
    };
    for (const Step& s : steps) {
        gRedraw = 0;
        stylus(s.action, s.a, s.b);
        if (s.action == 'w') frameAfter(s.a);
        if (s.action == 'w') EXPECT_EQ(gRedraw, s.b) << "step " << (&s - steps);
        ASSERT_EQ(list_.firstRow(), s.first) << "step " << (&s - steps);
    }
    // Row 4 first; the 28-pixel thumb (10 of 30 rows of 86 pixels) 11 pixels down.
    EXPECT_NE(textLogContents().find("24 42 0xFFFF Item 04\n"), std::string::npos);
    EXPECT_EQ(at(kBarX + 2, kThumbTop + 10), kTrough);
    EXPECT_EQ(at(kBarX + 2, kThumbTop + 11), kThumb);
    EXPECT_EQ(at(kBarX + 6, kThumbTop + 11 + 26), kThumb);
    EXPECT_EQ(at(kBarX + 2, kThumbTop + 11 + 27), kTrough);
}

TEST_F(ListTest, ThumbIsNeverShorterThan4PixelsAndStopsAtTheLastPage) {
    struct Case {
        int items, thumb, lastTop;  // thumb length and its top at the last page, pixels
    } cases[] = {
        {30, 28, 57},   // 20 × 86 / 30
        {250, 4, 81},   // 3 pixels, made 4: its travel shrinks by 1, 240 × 85 / 250
        {1000, 4, 81},  // 990 × 82 / 1000
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.items);
        fill(c.items, false);
        down(kBarX + 4, kThumbTop);  // on the thumb, dragged far below the bar
        move(kBarX + 4, 300);
        up(kBarX + 4, 300);
        EXPECT_EQ(list_.firstRow(), c.items - 10);
        paintToolkit();
        const int top = kThumbTop + c.lastTop;
        for (int y = top - 1; y <= top + c.thumb - 1; ++y)
            EXPECT_EQ(at(kBarX + 2, y), y < top || y == top + c.thumb - 1 ? kTrough : kThumb);
    }
}

TEST_F(ListTest, MoreItemsThanRowsShowTheBarAndNarrowTheText) {
    for (int items : {10, 11}) {
        fill(items, false);
        tap(kX + 10, rowY(0));
        clear();
        paintToolkit();
        const bool bar = items > 10;
        const int end = kX + 4 + 6 * (bar ? 14 : 16);  // the highlight's right end
        EXPECT_EQ(at(end - 1, rowY(0)), kHighlight) << items;
        EXPECT_NE(at(end, rowY(0)), kHighlight) << items;
        const uint16_t upArrow = controlSprites().pixels()[(22 + 4) * 81 + 46 + 4];
        EXPECT_EQ(at(kBarX + 4, kY + 4) == upArrow, bar) << items;
    }
}

TEST_F(ListTest, MultiSelectDragSelectsTheRowsPassedBesidesTheToggledOne) {
    struct Case {
        int from, to;
        std::vector<int> notified;  // 0 for the code, then the selected rows; row 0 was before
    } cases[] = {
        {2, 5, {0, 0, 2, 3, 4, 5}},
        {5, 2, {0, 0, 2, 3, 4, 5}},
        {2, 2, {0, 0, 2}},
        {0, 1, {0, 1}},  // row 0 toggled off, row 1 passed
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.from * 10 + c.to);
        fill(10, true);
        tap(kX + 10, rowY(0));
        down(kX + 10, rowY(c.from));
        move(kX + 10, rowY(c.to));
        paintToolkit();  // the rows passed show as selected while the stroke lasts
        EXPECT_EQ(at(kX + 64, rowY(c.to)), kHighlight);
        up(kX + 10, rowY(c.to));
        ASSERT_EQ(gNotified.size(), 2u);
        EXPECT_EQ(gNotified[1], c.notified);  // the owner sees the rows passed already
        paintToolkit();
        for (int row = 0; row < 10; ++row) {
            const bool on = std::count(c.notified.begin() + 1, c.notified.end(), row);
            EXPECT_EQ(at(kX + 64, rowY(row)), on ? kHighlight : kFace) << row;
        }
    }
}

TEST_F(ListTest, DragPastTheBottomScrollsAndTheWheelMovesThreeRows) {
    fill(30, false);
    down(kX + 10, rowY(1));
    move(kX + 10, 170);  // below the list: row 9, the last shown, then scrolling
    for (int first = 0; first <= 3; ++first) {
        EXPECT_EQ(list_.firstRow(), first);
        EXPECT_EQ(list_.selectedItem()->text, name(9 + first));
        frameAfter(51);
    }
    up(kX + 10, 170);
    frameAfter(500);
    EXPECT_EQ(list_.firstRow(), 4);
    struct Wheel {
        int x, y, notches;
        bool taken;
        int first;
    } wheels[] = {
        {60, 80, -1, true, 7},     // towards the user: three rows down
        {60, 80, -10, true, 20},   // not past the last page
        {60, 80, 2, true, 14},     // away: up
        {200, 300, 1, false, 14},  // not on the list
    };
    for (const Wheel& w : wheels) {
        EXPECT_EQ(routeWheel({w.x, w.y}, w.notches), w.taken);
        EXPECT_EQ(list_.firstRow(), w.first);
    }
    fill(5, false);  // nothing to scroll: the wheel is the view's
    EXPECT_FALSE(routeWheel({60, 80}, 1));
}

TEST_F(ListTest, DropDownNotifiesOnlyWhenTheShownItemChanges) {
    ComboBox combo;
    combo.setup(kX, kY, 100, 80, false);
    for (const char16_t* t : {u"Day", u"Night", u"Dusk"}) combo.addItem(t);
    combo.selectByText(u"Day");
    combo.handler = [](Widget*, int code) { gNotified.push_back({code}); };
    gNotified.clear();
    gToolDialog = &combo;
    const int listRow0 = kY + 14 + 2 + 5;  // the list hangs from the header's last row
    struct Case {
        int row;
        const char16_t* shown;
        size_t notified;
    } cases[] = {{1, u"Night", 1}, {1, u"Night", 1}, {2, u"Dusk", 2}, {0, u"Day", 3}};
    for (const Case& c : cases) {
        tap(kX + 10, kY + 5);  // the header opens the list
        ASSERT_TRUE(combo.isOpen());
        tap(kX + 10, listRow0 + 10 * c.row);
        EXPECT_FALSE(combo.isOpen());
        EXPECT_EQ(std::u16string(combo.selectedItem()->text), c.shown);
        EXPECT_EQ(gNotified.size(), c.notified);
        EXPECT_EQ(gNotified.back(), std::vector<int>{kListNotify});
    }
    clearTextLog();
    paintToolkit();
    EXPECT_EQ(textLogContents(), "23 42 0xFFFF Day\n");
    tap(kX + 10, kY + 5);
    down(200, 300);  // a press elsewhere takes the focus away, and the list closes
    paintToolkit();
    EXPECT_FALSE(combo.isOpen());
}

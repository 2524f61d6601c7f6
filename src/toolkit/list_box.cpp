// List box layout and strokes: a 4-pixel margin left of the rows (a tap there clears the
// selection), rows 10 pixels high from 2 pixels below the top, 6-pixel characters, and the
// bars along the right and bottom edges, each 9 pixels thick.
#include "toolkit/list_box.h"

#include <algorithm>
#include <new>
#include <string>
#include <string_view>

#include "base/redraw.h"
#include "platform/clock.h"
#include "raster/draw.h"
#include "raster/font.h"

namespace {

constexpr int kRow = kGlyphHeight, kMargin = 4, kTop = 2, kBar = ScrollBar::kThickness;
constexpr int kMinWidth = 18, kWheelRows = 3;
constexpr uint32_t kAutoScrollMs = 50;
constexpr uint16_t kFace = 0x4208, kFrame = 0xFFFF, kHighlight = 0x4316, kText = 0xFFFF;

ListItem* itemOf(const PtrNode* node) {
    return node ? static_cast<ListItem*>(node->data) : nullptr;
}

bool sameText(const char16_t* a, const char16_t* b) {
    return a && b && std::u16string_view(a) == std::u16string_view(b);
}

void freeItem(ListItem* item) {
    if (item->flags & ListItem::kOwnedText) delete[] item->text;
    delete item;
}

}  // namespace

ListBox::~ListBox() {
    ListBox::Reset();
}

void ListBox::Reset() {
    for (PtrNode* n = items_.head(); n; n = n->next) freeItem(itemOf(n));
    items_.removeAll();
    longest_ = visibleRows_ = visibleCharacters_ = 0;
    selected_ = nullptr;
    hasHorizontal_ = hasVertical_ = false;
    horizontal_.setPosition(0);
    vertical_.setPosition(0);
    strokeTarget_ = nullptr;
    autoScroll_ = 0;
    anchorRow_ = -1;
    rangeDrag_ = false;
}

void ListBox::setup(int x, int y, int width, int height, bool multiSelect) {
    Reset();
    width_ = std::max(width, kMinWidth);
    height_ = height;
    multiSelect_ = multiSelect;
    MoveTo(x, y);
    layout();
}

void ListBox::MoveTo(int x, int y) {
    x_ = x;
    y_ = y;
    horizontal_.MoveTo(x, y + height_ - kBar);
    vertical_.MoveTo(x + width_ - kBar, y);
}

void ListBox::layout() {
    const int count = items_.count();
    int height = height_ - 4, width = width_ - 4;
    hasVertical_ = kRow * count > height;
    if (hasVertical_) width -= kBar;
    hasHorizontal_ = kGlyphWidth * longest_ > width;
    if (hasHorizontal_) {
        height -= kBar;
        if (!hasVertical_ && kRow * count > height) {
            hasVertical_ = true;
            width -= kBar;
        }
    }
    visibleRows_ = std::max(height / kRow, 0);
    visibleCharacters_ = std::max(width / kGlyphWidth, 0);
    horizontal_.setup(0, longest_, visibleCharacters_, 1, width_ - (hasVertical_ ? kBar : 0), true);
    // setup keeps the position within the range: rows past the end are pulled back.
    vertical_.setup(0, count - 1, visibleRows_, 1, height_ - (hasHorizontal_ ? kBar : 0), false);
}

int ListBox::widthOf(const ListItem* item) const {
    if (itemWidth_) return itemWidth_(item);
    return int(std::char_traits<char16_t>::length(item->text));
}

PtrNode* ListBox::addItem(const char16_t* text, bool copy, const char16_t* reference) {
    if (!text) return nullptr;
    auto* item = new (std::nothrow) ListItem{0, text};
    if (!item) return nullptr;
    if (copy) {
        const size_t n = std::char_traits<char16_t>::length(text);
        auto* owned = new (std::nothrow) char16_t[n + 1];
        if (!owned) {
            delete item;
            return nullptr;
        }
        std::char_traits<char16_t>::copy(owned, text, n + 1);
        item->text = owned;
        item->flags = ListItem::kOwnedText;
    }
    PtrNode* after = nullptr;
    if (reference)
        for (PtrNode* n = items_.head(); n && !after; n = n->next)
            if (sameText(itemOf(n)->text, reference)) after = n;
    PtrNode* node;
    if (!reference)
        node = items_.addTail(item);
    else if (!after)
        node = items_.addHead(item);
    else
        node = after->next ? items_.insertBefore(after->next, item) : items_.addTail(item);
    if (!node) {
        freeItem(item);
        return nullptr;
    }
    longest_ = std::max(longest_, widthOf(item));
    layout();
    return node;
}

template <class Match>
bool ListBox::removeIf(Match match, bool all) {
    bool removed = false;
    for (PtrNode* n = items_.head(); n && (all || !removed);) {
        PtrNode* next = n->next;
        if (match(itemOf(n))) {
            if (n == selected_) selected_ = nullptr;
            freeItem(itemOf(n));
            items_.remove(n);
            removed = true;
        }
        n = next;
    }
    if (!removed) return false;
    longest_ = 0;  // the longest may have gone
    for (PtrNode* n = items_.head(); n; n = n->next)
        longest_ = std::max(longest_, widthOf(itemOf(n)));
    layout();
    return true;
}

bool ListBox::removeItem(const char16_t* text, bool all) {
    return removeIf([text](const ListItem* item) { return sameText(item->text, text); }, all);
}

bool ListBox::removeSelected() {
    return removeIf([](const ListItem* item) { return (item->flags & ListItem::kSelected) != 0; },
                    true);
}

ListItem* ListBox::findItem(const char16_t* text) const {
    for (PtrNode* n = items_.head(); n; n = n->next)
        if (sameText(itemOf(n)->text, text)) return itemOf(n);
    return nullptr;
}

ListItem* ListBox::selectedItem() const {
    return multiSelect_ ? nullptr : itemOf(selected_);
}

PtrNode* ListBox::nextSelected(PtrNode* node) const {
    for (node = node ? node->next : items_.head(); node; node = node->next)
        if (itemOf(node)->flags & ListItem::kSelected) return node;
    return nullptr;
}

PtrNode* ListBox::nodeAt(int row) const {
    if (row < 0) return nullptr;
    PtrNode* n = items_.head();
    for (; n && row > 0; --row) n = n->next;
    return n;
}

void ListBox::selectRow(int row, bool set) {
    PtrNode* node = nodeAt(row);
    if (!node) return;
    ListItem* item = itemOf(node);
    if (multiSelect_) {
        item->flags = set ? item->flags | ListItem::kSelected : item->flags & ~ListItem::kSelected;
        return;
    }
    if (set) {
        if (selected_ && selected_ != node) itemOf(selected_)->flags &= ~ListItem::kSelected;
        item->flags |= ListItem::kSelected;
        selected_ = node;
    } else {
        item->flags &= ~ListItem::kSelected;
        if (selected_ == node) selected_ = nullptr;
    }
}

void ListBox::clearSelection() {
    for (PtrNode* n = items_.head(); n; n = n->next)
        itemOf(n)->flags &= ~(ListItem::kSelected | ListItem::kMarked);
    selected_ = nullptr;
}

void ListBox::tapRow(int row) {
    const ListItem* item = itemOf(nodeAt(row));
    if (item) selectRow(row, !multiSelect_ || !(item->flags & ListItem::kSelected));
}

bool ListBox::scrollRows(int rows) {
    if (!hasVertical_) return false;
    const int before = vertical_.position();
    vertical_.setPosition(before + rows);
    return vertical_.position() != before;
}

void ListBox::Draw() {
    if (!visible()) return;
    fillRect(x_, y_, width_, height_, kFace);
    outlineRect(x_, y_, width_, height_, kFrame);
    const uint32_t now = platform::tickCount();
    if (autoScroll_ && now - autoScrollTick_ > kAutoScrollMs) {
        autoScrollTick_ = now;
        if (scrollRows(autoScroll_)) dragTo(dragPoint_);  // the rows that came under the stylus
    }
    if (autoScroll_) gRedraw = 1;  // the next step needs a frame
    drawRows();
    if (hasHorizontal_) horizontal_.Draw();
    if (hasVertical_) vertical_.Draw();
}

void ListBox::drawRows() const {
    const int first = firstCharacter();
    PtrNode* node = nodeAt(firstRow());
    for (int row = 0; row < visibleRows_ && node; ++row, node = node->next) {
        const ListItem* item = itemOf(node);
        const int rowY = y_ + kTop + kRow * row;
        if (item->flags & (ListItem::kSelected | ListItem::kMarked))
            fillRect(x_ + kMargin, rowY, kGlyphWidth * visibleCharacters_, kRow, kHighlight);
        if (itemDraw_)
            itemDraw_(x_ + kMargin, rowY, item, first, visibleCharacters_);
        else
            drawTextPart(x_ + kMargin, rowY, item->text, first, visibleCharacters_, kText);
    }
}

bool ListBox::contains(Point p) const {
    return p.x >= x_ && p.y >= y_ && p.x < x_ + width_ && p.y < y_ + height_;
}

int ListBox::Wheel(Point p, int notches) {
    if (!visible() || !contains(p) || !hasVertical_) return 0;
    scrollRows(-kWheelRows * notches);
    return 1;
}

int ListBox::StylusDown(Point p, Widget** capture) {
    const int dx = p.x - x_, dy = p.y - y_;
    if (!visible() || !contains(p)) return 0;
    autoScroll_ = 0;
    *capture = this;
    Widget* barCapture = nullptr;
    if (hasVertical_ && vertical_.StylusDown(p, &barCapture))
        strokeTarget_ = &vertical_;
    else if (hasHorizontal_ && horizontal_.StylusDown(p, &barCapture))
        strokeTarget_ = &horizontal_;
    else
        strokeTarget_ = this;
    if (strokeTarget_ != this) return 1;
    const int usableWidth = width_ - (hasVertical_ ? kBar : 0);
    const int usableHeight = height_ - (hasHorizontal_ ? kBar : 0);
    if (dx < kMargin && dy < usableHeight) {
        clearSelection();
    } else if (dx < usableWidth && dy >= kTop && dy - kTop < kRow * visibleRows_) {
        const int row = (dy - kTop) / kRow + firstRow();
        if (row < items_.count()) {
            tapRow(row);
            anchorRow_ = row;
        }
    }
    return 1;
}

void ListBox::dragTo(Point p) {
    const int dy = p.y - y_ - kTop, first = firstRow();
    int row;
    if (dy < 0 || dy >= kRow * visibleRows_) {
        if (!autoScroll_) autoScrollTick_ = platform::tickCount();
        autoScroll_ = !hasVertical_ ? 0 : dy < 0 ? -1 : 1;  // only hidden rows scroll in
        row = dy < 0 ? first : first + visibleRows_ - 1;
    } else {
        autoScroll_ = 0;
        row = dy / kRow + first;
    }
    row = std::min(row, items_.count() - 1);
    if (row < 0) return;
    if (!multiSelect_) {
        selectRow(row, true);
        return;
    }
    if (anchorRow_ < 0) return;
    int index = 0;
    for (PtrNode* n = items_.head(); n; n = n->next, ++index) {
        const bool marked = row > anchorRow_ ? index > anchorRow_ && index <= row
                                             : index >= row && index < anchorRow_;
        ListItem* item = itemOf(n);
        item->flags = marked ? item->flags | ListItem::kMarked : item->flags & ~ListItem::kMarked;
    }
}

int ListBox::StylusMove(Point p) {
    if (strokeTarget_ && strokeTarget_ != this) return strokeTarget_->StylusMove(p);
    if (strokeTarget_ != this) return 0;
    rangeDrag_ = multiSelect_;
    dragPoint_ = p;
    dragTo(p);
    return 2;
}

int ListBox::StylusUp(Point p) {
    Widget* target = strokeTarget_;
    strokeTarget_ = nullptr;
    autoScroll_ = 0;
    anchorRow_ = -1;
    if (target && target != this) {
        target->StylusUp(p);
        return 0;
    }
    if (!target) return 0;
    if (rangeDrag_)
        for (PtrNode* n = items_.head(); n; n = n->next) {
            ListItem* item = itemOf(n);
            if (item->flags & ListItem::kMarked)
                item->flags = (item->flags & ~ListItem::kMarked) | ListItem::kSelected;
        }
    rangeDrag_ = false;
    // The marks are selected first so that the owner sees the whole selection.
    if (handler) handler(this, kListNotify);
    return 1;
}

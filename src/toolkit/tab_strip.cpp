// The tab strip and its pages: placing and cutting the headers, scrolling them, drawing a
// header from its sprite cells, and handing a tap to a header, a scroll button or the
// current page's controls.
#include "toolkit/tab_strip.h"

#include <algorithm>
#include <new>

#include "raster/draw.h"
#include "raster/font.h"
#include "raster/pictures.h"
#include "toolkit/routing.h"
#include "toolkit/sprites.h"

namespace {

constexpr uint16_t kLabelColour = 0xFFFF;
constexpr int kLabelInsetX = 10, kLabelInsetY = 3;  // pixels from the header's corner
constexpr int kFirstTabInset = 8;                   // pixels from the strip's left edge
constexpr int kScrollButtonWidth = 12, kScrollButtonHeight = 14;
constexpr Point kPageFillPixel = {11, 29};  // in the control sprites

bool inside(Point p, int x, int y, int width, int height) {
    return p.x >= x && p.x < x + width && p.y >= y && p.y < y + height;
}

// Draws the first `width` pixels (at most the cell's) of `cell`, `row` pixels lower in the
// sheet, at (x, y); the pixels drawn.
int drawTabPiece(const SpriteCell& cell, int row, int width, int x, int y, SpriteCopy how) {
    width = std::clamp(width, 0, cell.width);
    drawPicturePart(controlSprites(), cell.x, cell.y + row, width, cell.height, x, y, how);
    return width;
}

}  // namespace

TabPage::TabPage(int32_t id, const char16_t* text)
    : label(text ? text : u""),
      pageId(id),
      middleSegments(std::max(0, (kGlyphWidth * static_cast<int>(label.size()) - 6) / 2)),
      tabWidth(kGlyphWidth * static_cast<int>(label.size()) + 20),
      labelWidth(kGlyphWidth * static_cast<int>(label.size())) {}

bool TabPage::addChild(Widget* child) {
    return child && children.addTail(child);
}

void TabPage::Reset() {
    children.removeAll();
    activeChild = nullptr;
}

void TabPage::drawChildren() const {
    if (!selected) return;
    for (PtrNode* n = children.head(); n; n = n->next)
        if (n->data != activeChild) static_cast<Widget*>(n->data)->Draw();
    if (activeChild) activeChild->Draw();
}

// The ends are cut sprites; the middle is as many 2-pixel cells as the label needs.
void TabPage::Draw() {
    if (!visible() || headerX < 0) return;
    const int row = selected ? sprite::kTabSelectedRow : 0;
    int left = shownWidth(), x = headerX;
    const int drawn =
        drawTabPiece(sprite::kTabLeft, row, left, x, headerY, SpriteCopy::kTransparent);
    x += drawn, left -= drawn;
    for (int i = 0; i < middleSegments && left > 0; ++i) {
        const int step =
            drawTabPiece(sprite::kTabMiddle, row, left, x, headerY, SpriteCopy::kOpaque);
        x += step, left -= step;
    }
    drawTabPiece(sprite::kTabRight, row, left, x, headerY, SpriteCopy::kTransparent);
    const int labelRoom = shownWidth() - kLabelInsetX;
    if (labelRoom < 1) return;
    const int chars = clipWidth < 0 ? static_cast<int>(label.size()) : labelRoom / kGlyphWidth;
    drawTextPart(headerX + kLabelInsetX, headerY + kLabelInsetY, label.c_str(), 0, chars,
                 kLabelColour);
}

// A selected page keeps its controls working while its header is scrolled out of view.
int TabPage::StylusDown(Point p, Widget** capture) {
    if (headerX >= 0 && inside(p, headerX, headerY, shownWidth(), kHeaderHeight)) {
        *capture = this;
        return clipWidth < 0 ? 1 : kClippedHeader;
    }
    if (!selected) return 0;
    const WidgetInput down{WidgetInput::kDown, p};
    // The control drawn on top is asked first: an open drop-down list covers its neighbours.
    if (activeChild && dispatchInput(activeChild, down, capture)) return 1;
    for (PtrNode* n = children.head(); n; n = n->next) {
        auto* child = static_cast<Widget*>(n->data);
        if (child == activeChild || !dispatchInput(child, down, capture)) continue;
        activeChild = child;
        return 1;
    }
    return 0;
}

TabStrip::~TabStrip() {
    Reset();
}

void TabStrip::Reset() {
    for (PtrNode* n = pages_.head(); n; n = n->next) delete static_cast<TabPage*>(n->data);
    pages_.removeAll();
    current_ = nullptr;
    overflow_ = false;
    firstShown_ = 0;
}

void TabStrip::setup(int x, int y, int width, int height) {
    Reset();
    x_ = x, y_ = y, width_ = width, height_ = height;
    rightLimit_ = x + width - kScrollButtonsWidth;
    left_.setup(rightLimit_, y, kScrollButtonWidth, kScrollButtonHeight, u"<", 0, false);
    right_.setup(rightLimit_ + kScrollButtonWidth, y, kScrollButtonWidth, kScrollButtonHeight, u">",
                 0, false);
    const ImageBuffer& sheet = controlSprites();
    if (sheet.pixels() && kPageFillPixel.x < sheet.width() && kPageFillPixel.y < sheet.height())
        pageFillColour = sheet.pixels()[kPageFillPixel.y * sheet.width() + kPageFillPixel.x];
}

bool TabStrip::addPage(int32_t id, const char16_t* label) {
    auto* page = new (std::nothrow) TabPage(id, label);
    if (!page || !pages_.addTail(page)) {
        delete page;
        return false;
    }
    int total = kFirstTabInset;
    for (PtrNode* n = pages_.head(); n; n = n->next)
        total += static_cast<TabPage*>(n->data)->tabWidth;
    overflow_ = total > width_;
    placeTabs();
    return true;
}

bool TabStrip::addWidget(int32_t id, Widget* widget) {
    TabPage* page = findPage(id);
    return page && page->addChild(widget);
}

bool TabStrip::selectPage(int32_t id) {
    TabPage* page = findPage(id);
    if (!page) return false;
    turnTo(page);
    scrollIntoView(indexOf(page));
    return true;
}

int32_t TabStrip::currentPageId() const {
    return current_ ? current_->pageId : 0;
}

TabPage* TabStrip::pageAt(int index) const {
    PtrNode* n = pages_.head();
    for (int i = 0; n && i < index; ++i) n = n->next;
    return n ? static_cast<TabPage*>(n->data) : nullptr;
}

TabPage* TabStrip::findPage(int32_t id) const {
    for (PtrNode* n = pages_.head(); n; n = n->next)
        if (static_cast<TabPage*>(n->data)->pageId == id) return static_cast<TabPage*>(n->data);
    return nullptr;
}

int TabStrip::indexOf(const TabPage* page) const {
    int i = 0;
    for (PtrNode* n = pages_.head(); n; n = n->next, ++i)
        if (n->data == page) return i;
    return -1;
}

void TabStrip::placeTabs() {
    int cursor = x_ + kFirstTabInset, index = 0;
    bool clipped = false;
    for (PtrNode* n = pages_.head(); n; n = n->next, ++index) {
        auto* page = static_cast<TabPage*>(n->data);
        page->headerX = page->headerY = page->clipWidth = -1;
        if (index < firstShown_ || clipped) continue;
        page->headerX = cursor, page->headerY = y_;
        if (overflow_ && cursor + page->tabWidth > rightLimit_) {
            // Never −1, which would mean a whole tab.
            page->clipWidth = std::max(0, rightLimit_ - cursor - kFirstTabInset);
            clipped = true;
        }
        cursor += page->tabWidth;
    }
    left_.flags = firstShown_ >= 1 ? left_.flags | kEnabled : left_.flags & ~kEnabled;
    right_.flags = clipped ? right_.flags | kEnabled : right_.flags & ~kEnabled;
}

void TabStrip::scrollIntoView(int index) {
    if (!overflow_ || index < 0) return;
    firstShown_ = std::min(firstShown_, index);
    auto rightEnd = [&] {
        int cursor = x_ + kFirstTabInset;
        for (int i = firstShown_; i <= index; ++i) cursor += pageAt(i)->tabWidth;
        return cursor;
    };
    while (firstShown_ < index && rightEnd() > rightLimit_) ++firstShown_;
    placeTabs();
}

void TabStrip::turnTo(TabPage* page) {
    if (current_) current_->selected = false;
    current_ = page;
    page->selected = true;
}

void TabStrip::Draw() {
    if (!visible() || !pages_.head()) return;
    // The headers' last row lies on the page's top edge, so a selected tab opens into it.
    const int top = y_ + TabPage::kHeaderHeight - 1;
    fillRect(x_, top, width_, y_ + height_ - top, pageFillColour);
    outlineRect(x_, top, width_, y_ + height_ - top, outlineColour);
    for (PtrNode* n = pages_.head(); n; n = n->next) static_cast<TabPage*>(n->data)->Draw();
    if (overflow_) {
        left_.Draw();
        right_.Draw();
    }
    if (current_) current_->drawChildren();
}

int TabStrip::StylusDown(Point p, Widget** capture) {
    const WidgetInput down{WidgetInput::kDown, p};
    int index = 0;
    for (PtrNode* n = pages_.head(); n; n = n->next, ++index) {
        auto* page = static_cast<TabPage*>(n->data);
        const int answer = dispatchInput(page, down, capture);
        if (!answer) continue;
        if (*capture == page) {
            turnTo(page);
            if (answer == TabPage::kClippedHeader) scrollIntoView(index);
        }
        return 1;
    }
    if (!overflow_) return 0;
    if (dispatchInput(&left_, down, capture)) {
        firstShown_ = std::max(0, firstShown_ - 1);
    } else if (dispatchInput(&right_, down, capture)) {
        firstShown_ = std::min(firstShown_ + 1, pages_.count() - 1);
    } else {
        return 0;
    }
    placeTabs();
    return 1;
}

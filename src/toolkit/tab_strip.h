// TabStrip and TabPage: the page model of a full-screen dialog. The strip owns its pages,
// draws their tab headers along its top (scrolled by "<" and ">" when they do not all fit,
// the last one shown cut at the scroll buttons) over a framed page area, and draws the
// current page's controls. A tap on a header turns to that page; everything else on the
// page goes to the page's controls, which keep the rest of the stroke themselves.
#pragma once

#include <cstdint>
#include <string>

#include "base/ptr_list.h"
#include "toolkit/button.h"
#include "toolkit/widget.h"

class TabPage : public Widget {
  public:
    // The answer of StylusDown for a tap on a header cut short by the strip's right edge.
    static constexpr int kClippedHeader = 10;
    static constexpr int kHeaderHeight = 15;  // pixels

    // A page with `id` and a copy of `label`; its header is not shown yet.
    TabPage(int32_t id, const char16_t* label);

    // Appends a control (borrowed: it must outlive the page or be removed by Reset first).
    // False (nothing added) when memory runs out.
    bool addChild(Widget* child);
    // The controls, the one holding the current stroke last, so that an open drop-down list
    // lies over its neighbours. Nothing when the page is not selected.
    void drawChildren() const;
    // Pixels of the header on the screen: the tab width, or the clip width when cut.
    int shownWidth() const { return clipWidth < 0 ? tabWidth : clipWidth; }

    // Forgets the controls (they are not deleted) and the one holding the stroke.
    void Reset() override;
    // The tab header, the selected look when selected, cut to clipWidth when that is set;
    // nothing while the header is not shown.
    void Draw() override;
    // A tap on the shown header: the page holds the stroke and answers kClippedHeader when
    // the header is cut, else 1. Otherwise, on a selected page (its header shown or not), the
    // controls are offered the point (the one holding the last stroke first, then the rest in
    // order; hidden or disabled ones see nothing); the first that takes it holds the stroke
    // as it chose, and the answer is 1. Else 0.
    int StylusDown(Point p, Widget** capture) override;

    PtrList children{10};                // borrowed Widget each
    std::u16string label;                // owned copy
    int32_t pageId;                      // the owner's identifier of the page
    int32_t headerX = -1, headerY = -1;  // pixels; −1 while the header is not shown
    int32_t middleSegments;              // 2-pixel middle cells between the ends
    int32_t tabWidth;                    // pixels: 6 a character + 20
    int32_t clipWidth = -1;              // pixels shown of a cut header; −1 when whole
    int32_t labelWidth;                  // pixels: 6 a character
    Widget* activeChild = nullptr;       // the control that took the last stroke
    bool selected = false;
};

class TabStrip : public Widget {
  public:
    static constexpr uint16_t kDefaultPageFill = 0x2218;
    static constexpr int kScrollButtonsWidth = 24;  // pixels: "<" and ">" at the right end

    TabStrip() = default;
    ~TabStrip() override;

    // Reset, then the rectangle (pixels; the headers stand in its top 15 rows), the scroll
    // buttons at its top right and the page colour from the control sprites.
    void setup(int x, int y, int width, int height);
    // Appends a page with `id` and a copy of `label`; the strip scrolls once its tabs are
    // wider than it. False (nothing added) when memory runs out.
    bool addPage(int32_t id, const char16_t* label);
    // Appends `widget` (borrowed) to page `id`'s controls; false when there is no such page
    // or memory runs out.
    bool addWidget(int32_t id, Widget* widget);
    // Makes page `id` the current page and scrolls its tab fully into view; false (nothing
    // changed) when there is no such page.
    bool selectPage(int32_t id);
    // The current page's identifier, 0 when none.
    int32_t currentPageId() const;

    const PtrList& pages() const { return pages_; }  // owned TabPage each
    TabPage* currentPage() const { return current_; }
    int firstShown() const { return firstShown_; }  // index of the leftmost tab shown
    bool overflows() const { return overflow_; }
    const Button& scrollLeft() const { return left_; }
    const Button& scrollRight() const { return right_; }

    // Deletes every page and clears the scroll state.
    void Reset() override;
    // The page area, the headers shown, the scroll buttons when the tabs scroll, then the
    // current page's controls. Nothing when hidden or without pages.
    void Draw() override;
    // A tap on a header turns to its page (scrolling a cut tab fully into view); a tap on
    // "<" or ">" scrolls by one tab, the button holding the stroke; a tap the current page's
    // controls take stays theirs. 1 for any of these, else 0.
    int StylusDown(Point p, Widget** capture) override;

    uint16_t outlineColour = 0xFFFF;
    uint16_t pageFillColour = kDefaultPageFill;

  private:
    TabPage* pageAt(int index) const;
    TabPage* findPage(int32_t id) const;
    int indexOf(const TabPage* page) const;
    // Places the headers from the first shown tab, cutting the one that passes the right
    // limit and hiding the rest, and enables the scroll buttons to match.
    void placeTabs();
    // Scrolls right until page `index`'s tab ends within the right limit (or it is the
    // leftmost), or left to it when it lies before the first shown.
    void scrollIntoView(int index);
    void turnTo(TabPage* page);

    PtrList pages_{10};
    int32_t x_ = -1, y_ = -1, width_ = -1, height_ = -1;  // pixels
    TabPage* current_ = nullptr;
    bool overflow_ = false;
    Button left_, right_;
    int32_t rightLimit_ = -1;  // pixels: headers end before it
    int32_t firstShown_ = 0;
};

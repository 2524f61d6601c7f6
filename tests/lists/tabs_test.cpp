// The tab strip and the colour picker driven through the toolkit's routing (the strip stands
// in the tool dialog's place), laid out as the options dialog lays them out: the headers cut
// and scrolled, the palette's colours, the swatch a stroke recolours and the input that
// hidden and disabled widgets never see.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "../font/widget_screen.h"
#include "raster/text_log.h"
#include "toolkit/choices.h"
#include "toolkit/color_picker.h"
#include "toolkit/tab_strip.h"

namespace {

// The strip at (4, 30), 232 × 260: tabs from x 12, the right limit at 212, "<" at 212 and
// ">" at 224. Tab widths are 6 a character + 20.
constexpr int kGeneral = 100, kDisplay = 105, kCities = 115, kColors = 130;
constexpr Point kLeftArrow = {217, 35}, kRightArrow = {229, 35};
constexpr Point kCheck = {25, 70}, kSwatchA = {190, 57}, kSwatchB = {190, 70};
constexpr int kPaletteX = 35, kPaletteY = 174;
constexpr const char* kFromGeneral = "22 General|84 Display|146 Maps|190 Ci|";
constexpr const char* kFromDisplay = "22 Display|84 Maps|128 Cities|184 Adv|";
constexpr const char* kLastTwo = "22 Routes/Places|120 Colors|";

int gNotices = 0;

class TabsTest : public WidgetScreenTest {
  protected:
    void SetUp() override {
        WidgetScreenTest::SetUp();
        strip_.setup(4, 30, 232, 260);
        const std::pair<int, const char16_t*> pages[] = {
            {kGeneral, u"General"}, {kDisplay, u"Display"}, {110, u"Maps"},
            {kCities, u"Cities"},   {120, u"Advanced"},     {125, u"Routes/Places"},
            {kColors, u"Colors"}};
        for (const auto& [id, label] : pages) ASSERT_TRUE(strip_.addPage(id, label));
        check_.setup(20, 65, u"Rotate Globe");
        swatchA_.setup(180, 52, 30, 12, 20, 52, u"Background Color:");
        swatchB_.setup(180, 65, 30, 12, 20, 65, u"Distance Arc:");
        swatchA_.colour = 0x0000, swatchB_.colour = 0xFFFF;
        picker_.setup(kPaletteX, kPaletteY);
        picker_.addSwatch(&swatchA_);
        picker_.addSwatch(&swatchB_);
        picker_.handler = [](Widget*, int code) { gNotices += code == 0; };
        strip_.addWidget(kGeneral, &check_);
        strip_.addWidget(kColors, &picker_);
        strip_.selectPage(kGeneral);
        gToolDialog = &strip_;
        gNotices = 0;
    }
    // The state a stray tap could change.
    auto state() const {
        return std::make_tuple(check_.checked, strip_.currentPageId(), strip_.firstShown(),
                               picker_.currentSwatch(), swatchA_.colour, swatchB_.colour);
    }
    // "x text|" for each label drawn on the headers' text line, y 33.
    static std::string headerLabels() {
        std::istringstream log(textLogContents());
        std::string line, labels;
        while (std::getline(log, line)) {
            std::istringstream fields(line);
            int x = 0, y = 0;
            std::string colour, text;
            fields >> x >> y >> colour >> std::ws;
            std::getline(fields, text);
            if (y == 33) labels += std::to_string(x) + " " + text + "|";
        }
        return labels;
    }
    void draw() {
        clear();
        clearTextLog();
        paintToolkit();
    }

    TabStrip strip_;
    CheckBox check_;
    ColorSwatch swatchA_, swatchB_;
    ColorPicker picker_;
};

}  // namespace

TEST_F(TabsTest, TappingTheClippedTabScrollsItIntoView) {
    struct Case {
        std::function<void()> act;
        int current, first;
        std::string texts;  // the tab labels drawn, the cut one's cut to its room
        bool left, right;   // "<" and ">" enabled; ">" exactly when a tab is cut
    } cases[] = {
        {[] {}, kGeneral, 0, kFromGeneral, false, true},
        {[this] { tap(190, 35); }, kCities, 1, kFromDisplay, true, true},
        {[this] { tap(kRightArrow.x, kRightArrow.y); }, kCities, 2,
         "22 Maps|66 Cities|122 Advanced|190 Ro|", true, true},
        {[this] { tap(kLeftArrow.x, kLeftArrow.y); }, kCities, 1, kFromDisplay, true, true},
        {[this] { tap(20, 35); }, kDisplay, 1, kFromDisplay, true, true},
        {[this] { strip_.selectPage(kColors); }, kColors, 5, kLastTwo, true, false},
        {[this] { tap(kRightArrow.x, kRightArrow.y); }, kColors, 5, kLastTwo, true, false},
        {[this] { strip_.selectPage(kGeneral); }, kGeneral, 0, kFromGeneral, false, true},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        const Case& c = cases[i];
        c.act();
        EXPECT_EQ(strip_.currentPageId(), c.current);
        EXPECT_EQ(strip_.firstShown(), c.first);
        EXPECT_EQ(strip_.scrollLeft().enabled(), c.left);
        EXPECT_EQ(strip_.scrollRight().enabled(), c.right);
        draw();
        EXPECT_EQ(headerLabels(), c.texts);
        // A cut tab ends 8 pixels before "<": nothing of it shows there.
        for (int x = 204; c.right && x < 212; ++x)
            for (int y = 30; y < 44; ++y) ASSERT_EQ(at(x, y), 0) << x << "," << y;
    }
}

TEST_F(TabsTest, ThePaletteHoldsTheColourCubeOnceAndRecoloursTheTappedSwatch) {
    strip_.selectPage(kColors);
    draw();
    // The cube from its level triples, 0, 51, ..., 255 each, the low bits dropped.
    std::vector<uint16_t> cube, drawn;
    for (int r = 0; r <= 255; r += 51)
        for (int g = 0; g <= 255; g += 51)
            for (int b = 0; b <= 255; b += 51)
                cube.push_back((r & 0xF8) << 8 | (g & 0xFC) << 3 | b >> 3);
    for (int row = 0; row < 12; ++row)
        for (int column = 0; column < 18; ++column) {
            const int x = kPaletteX + 1 + 9 * column, y = kPaletteY + 1 + 9 * row;
            drawn.push_back(at(x + 4, y + 4));
            EXPECT_EQ(at(x + 7, y + 7), drawn.back());  // each cell one colour, 8 × 8
            EXPECT_EQ(at(x + 8, y + 8), 0x0000);        // in a black grid
        }
    std::sort(cube.begin(), cube.end());
    std::sort(drawn.begin(), drawn.end());
    EXPECT_EQ(drawn, cube);
    const std::vector<uint16_t> screen(backBuffer(), backBuffer() + kW * kH);
    const auto under = [&](Point p) { return screen[p.y * kW + p.x]; };

    struct Step {
        char kind;  // 'd'own, 'm'ove, 'u'p
        Point p;
        const ColorSwatch* current;
        Point mark;     // the marked cell's corner; {-1, -1} when none
        uint16_t a, b;  // the swatches' colours
        int notices;
    } steps[] = {
        {'d', {60, 200}, nullptr, {53, 192}, 0x0000, 0xFFFF, 0},  // no swatch to recolour
        {'u', {60, 200}, nullptr, {-1, -1}, 0x0000, 0xFFFF, 0},
        {'d', kSwatchB, &swatchB_, {-1, -1}, 0x0000, 0xFFFF, 1},
        {'d', kSwatchB, &swatchB_, {-1, -1}, 0x0000, 0xFFFF, 1},  // already the current one
        {'d', {60, 200}, &swatchB_, {53, 192}, 0x0000, under({60, 200}), 2},
        {'m', {61, 199}, &swatchB_, {53, 192}, 0x0000, under({60, 200}), 2},  // the same cell
        // The box's last pixel belongs to the last cell, white.
        {'m', {197, 282}, &swatchB_, {188, 273}, 0x0000, 0xFFFF, 3},
        {'m', {35, 174}, &swatchB_, {35, 174}, 0x0000, 0x0000, 4},
        {'m', {20, 150}, &swatchB_, {35, 174}, 0x0000, 0x0000, 4},  // off the palette
        {'u', {20, 150}, &swatchB_, {-1, -1}, 0x0000, 0x0000, 4},
        {'d', kSwatchA, &swatchA_, {-1, -1}, 0x0000, 0x0000, 5},
        {'d', {150, 250}, &swatchA_, {143, 246}, under({150, 250}), 0x0000, 6},
    };
    for (size_t i = 0; i < std::size(steps); ++i) {
        SCOPED_TRACE(i);
        const Step& s = steps[i];
        stylus(s.kind, s.p.x, s.p.y);
        EXPECT_EQ(picker_.currentSwatch(), s.current);
        EXPECT_EQ(swatchA_.colour, s.a);
        EXPECT_EQ(swatchB_.colour, s.b);
        EXPECT_EQ(gNotices, s.notices);
        EXPECT_EQ(picker_.markX, s.mark.x);
        EXPECT_EQ(picker_.markY, s.mark.y);
        draw();
        if (s.mark.x >= 0)
            EXPECT_EQ(at(s.mark.x, s.mark.y + 4) & at(s.mark.x + 8, s.mark.y + 8), 0xFFFF);
        // A selected swatch: a white box with its colour 2 pixels in; else black, 1 in.
        for (const ColorSwatch* w : {&swatchA_, &swatchB_}) {
            const bool on = w == s.current;
            EXPECT_EQ(at(w->x + 1, w->y + 1), on ? 0xFFFF : w->colour);
            EXPECT_EQ(at(w->x, w->y), on ? 0xFFFF : 0x0000);
            EXPECT_EQ(at(w->x + 2, w->y + 2), w->colour);
        }
    }
    up(0, 0);
    picker_.setup(200, 300);  // kept on the screen
    EXPECT_EQ(picker_.x, kW - 164);
    EXPECT_EQ(picker_.y, kH - 110);
}

TEST_F(TabsTest, HiddenAndDisabledWidgetsIgnoreInput) {
    struct Case {
        int page;
        std::function<void()> alter;
        Point tap;
        bool changes;
    } cases[] = {
        {kGeneral, [] {}, kCheck, true},
        {kGeneral, [this] { check_.flags &= ~Widget::kEnabled; }, kCheck, false},
        {kGeneral, [this] { check_.flags &= ~Widget::kVisible; }, kCheck, false},
        {kGeneral, [this] { strip_.flags &= ~Widget::kVisible; }, kCheck, false},
        {kGeneral, [this] { strip_.flags &= ~Widget::kEnabled; }, {80, 35}, false},
        {kDisplay, [] {}, kCheck, false},  // a page not shown keeps its controls to itself
        // The current page's controls keep working with its header scrolled out of view.
        {kGeneral, [this] { tap(kRightArrow.x, kRightArrow.y); }, kCheck, true},
        {kColors, [] {}, kSwatchB, true},
        {kColors, [this] { picker_.flags &= ~Widget::kVisible; }, kSwatchA, false},
        {kColors, [this] { picker_.flags &= ~Widget::kEnabled; }, {60, 200}, false},
        {kColors, [this] { swatchA_.flags &= ~Widget::kVisible; }, kSwatchA, false},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        strip_.selectPage(cases[i].page);
        cases[i].alter();
        const auto before = state();
        tap(cases[i].tap.x, cases[i].tap.y);
        EXPECT_EQ(state() != before, cases[i].changes);
        for (Widget* w : std::initializer_list<Widget*>{&strip_, &check_, &picker_, &swatchA_})
            w->flags |= Widget::kEnabled | Widget::kVisible;
    }
}

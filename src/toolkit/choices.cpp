// Check box and radio group: drawing with the sprite cells and the tap that changes them.
#include "toolkit/choices.h"

#include <new>
#include <string>

#include "raster/font.h"
#include "toolkit/sprites.h"

namespace {

constexpr uint16_t kLabelColour = 0xFFFF;
constexpr int kCheckLabelGap = 16, kRadioLabelGap = 15, kHitHeight = 12;  // pixels

int length(const char16_t* text) {
    return text ? static_cast<int>(std::char_traits<char16_t>::length(text)) : 0;
}

bool inside(Point p, int x, int y, int width, int height) {
    return p.x >= x && p.x < x + width && p.y >= y && p.y < y + height;
}

}  // namespace

void CheckBox::setup(int x0, int y0, const char16_t* text) {
    Reset();
    x = x0, y = y0;
    label = text;
}

void CheckBox::Draw() {
    if (!visible()) return;
    const SpriteCell& cell =
        enabled() ? (checked ? sprite::kCheckChecked : sprite::kCheckClear)
                  : (checked ? sprite::kCheckCheckedDisabled : sprite::kCheckClearDisabled);
    drawSprite(cell, x, y, SpriteCopy::kTransparent);
    if (label) drawText(x + kCheckLabelGap, y, label, kLabelColour);
}

int CheckBox::StylusDown(Point p, Widget**) {
    if (!inside(p, x, y, kGlyphWidth * length(label) + kCheckLabelGap, kHitHeight)) return 0;
    checked = !checked;
    if (handler) handler(this, 0);
    return 1;
}

void RadioGroup::setup(int x0, int y0, const char16_t* text) {
    Reset();
    x = x0, y = y0;
    caption = text;
}

bool RadioGroup::addItem(int x0, int y0, bool selected, const char16_t* label, int32_t value) {
    auto* item = new (std::nothrow) Item{x0, y0, selected, label, value};
    if (item && items.addTail(item)) return true;
    delete item;
    return false;
}

void RadioGroup::select(int32_t value) {
    for (PtrNode* n = items.head(); n; n = n->next) {
        auto* item = static_cast<Item*>(n->data);
        item->selected = item->value == value;
    }
}

int32_t RadioGroup::selectedValue() const {
    for (PtrNode* n = items.head(); n; n = n->next) {
        const auto* item = static_cast<const Item*>(n->data);
        if (item->selected) return item->value;
    }
    return -1;
}

void RadioGroup::Reset() {
    for (PtrNode* n = items.head(); n; n = n->next) delete static_cast<Item*>(n->data);
    items.removeAll();
}

void RadioGroup::Draw() {
    if (!visible()) return;
    if (caption) drawText(x, y, caption, kLabelColour);
    for (PtrNode* n = items.head(); n; n = n->next) {
        const auto* item = static_cast<const Item*>(n->data);
        drawSprite(item->selected ? sprite::kRadioOn : sprite::kRadioOff, item->x, item->y,
                   SpriteCopy::kTransparent);
        if (item->label) drawText(item->x + kRadioLabelGap, item->y, item->label, kLabelColour);
    }
}

int RadioGroup::StylusDown(Point p, Widget**) {
    for (PtrNode* n = items.head(); n; n = n->next) {
        const auto* item = static_cast<const Item*>(n->data);
        const int width = kGlyphWidth * length(item->label) + kRadioLabelGap;
        if (!inside(p, item->x, item->y, width, kHitHeight)) continue;
        select(item->value);
        if (handler) handler(this, 0);
        return 1;
    }
    return 0;
}

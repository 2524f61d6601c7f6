// The command panel's table, its stylus handling and its drawing with the roll animation
// and the tooltip. The commands themselves are carried out by the window; the panel only
// posts them and shows the checked states the window gives it.
#include "toolkit/command_panel.h"

#include <algorithm>
#include <string>

#include "base/redraw.h"
#include "platform/clock.h"
#include "platform/loop.h"
#include "raster/back_buffer.h"
#include "raster/draw.h"
#include "raster/font.h"
#include "raster/pictures.h"

namespace {

constexpr int kStripHeight = 22;          // pixels
constexpr int kActiveRow = 22;            // pixels below the normal picture
constexpr int kSlideStep = 10;            // pixels a step
constexpr uint32_t kSlideStepMs = 20;     // a frame's time; one step each however fast frames come
constexpr uint32_t kTooltipDelay = 1000;  // ms
constexpr int kTooltipHeight = 14;        // pixels
constexpr int kPointerX = 26, kPointerY = 0, kPointerW = 5, kPointerH = 9;  // small sprites

constexpr uint16_t kStripColour = 0x2145, kStripEdge = 0x6390;
constexpr uint16_t kTooltipFrame = 0xFFE0, kBlack = 0x0000, kWhite = 0xFFFF;

constexpr std::array<CommandButton, kPanelEntries> kInitialButtons = {{
    {216, 0, 9, 22, 231, 298, 2000, 0, u"Command Panel Rollout"},
    {0, 0, 18, 22, 2, 298, 2001, 1, u"Lat/Lon Grid"},
    {18, 0, 18, 22, 20, 298, 2002, 1, u"Show Day and Night"},
    {36, 0, 18, 22, 38, 298, 2003, 0, u"Options..."},
    {54, 0, 18, 22, 56, 298, 2004, 0, u"Compute Distance"},
    {126, 0, 18, 22, 74, 298, 2005, 1, u"Pan/Rotate"},
    {144, 0, 18, 22, 92, 298, 2006, 1, u"Spherical/Planar View"},
    {162, 0, 18, 22, 110, 298, 2007, 0, u"Show Selected Cities"},
    {180, 0, 18, 22, 128, 298, 2008, 0, u"Zoom Selection"},
    {198, 0, 18, 22, 146, 298, 2009, 0, u"Find City..."},
    {72, 0, 18, 22, 174, 298, 2010, 0, u"About..."},
    {90, 0, 18, 22, 192, 298, 2011, 0, u"Help"},
    {108, 0, 18, 22, 210, 298, 2012, 0, u"Close..."},
}};

// The offset at which only the handle remains, at the left edge.
int rolledInOffset() {
    return gCommandButtons[0].width - gDisplay.width;
}

// The entry a pressed index stands for, whether the stylus is on it or off it.
int entryOfIndex(int32_t index) {
    return index >= 0 ? index : -1 - index;
}

bool validEntry(int entry) {
    return entry >= 0 && entry < kPanelEntries;
}

// The entry's left edge on the screen now, in pixels.
int entryLeft(const CommandButton& b) {
    return b.screenX + gPanelOffset;
}

// An entry slid partly off the left edge is neither drawn nor pressed.
bool entryShown(const CommandButton& b) {
    const int left = entryLeft(b);
    return left >= 0 && left + b.width <= gDisplay.width && b.screenY >= 0 &&
           b.screenY + b.height <= gDisplay.height;
}

bool entryContains(int entry, int x, int y) {
    const CommandButton& b = gCommandButtons[entry];
    const int left = entryLeft(b);
    return entryShown(b) && x >= left && x < left + b.width && y >= b.screenY &&
           y < b.screenY + b.height;
}

uint32_t gSlideTick = 0;  // tick count of the slide's last step

// The pixels a slide moves in this frame: a step for each 20 ms since the last one.
int slidePixels() {
    const uint32_t steps = (platform::tickCount() - gSlideTick) / kSlideStepMs;
    gSlideTick += steps * kSlideStepMs;
    return static_cast<int>(std::min<uint32_t>(steps, gDisplay.width)) * kSlideStep;
}

// Moves a roll-out or roll-in on by the steps due and draws what lies under the buttons.
// True while the panel is still sliding.
bool slideAndDrawStrip() {
    const int width = gDisplay.width, stripY = gDisplay.height - kStripHeight;
    if (gPanelRolledOut) {
        const bool sliding = gPanelOffset < 0;
        if (sliding) gPanelOffset = std::min(gPanelOffset + slidePixels(), 0);
        fillRect(0, stripY, width + gPanelOffset, kStripHeight, kStripColour);
        drawLine(0, stripY - 1, width + gPanelOffset, stripY - 1, kStripEdge, 0);
        return sliding;
    }
    const int target = rolledInOffset();
    if (gPanelOffset <= target) {
        gPanelOffset = target;  // rolled in: the view shows beside the handle
        return false;
    }
    fillRect(0, stripY, width, kStripHeight, kBlack);
    gPanelOffset -= slidePixels();
    if (gPanelOffset > target) return true;
    gPanelOffset = target;
    gRedraw = 1;  // the view is drawn again over the cleared strip
    return false;
}

void drawButtons() {
    const ImageBuffer& strip = panelStrip();
    if (!strip.pixels()) return;
    for (int i = 0; i < kPanelEntries; ++i) {
        const CommandButton& b = gCommandButtons[i];
        if (!entryShown(b)) continue;
        const bool active = b.state != 0 || (gPanelPressed && gPanelPressedIndex == i);
        copyOpaque(strip, backBuffer(), entryLeft(b), b.screenY, gDisplay.width, gDisplay.height,
                   b.sourceX, b.sourceY + (active ? kActiveRow : 0), b.width, b.height);
    }
}

// The tooltip box above the entry, kept on the screen, and the pointer down to the button.
void drawTooltip(const CommandButton& b) {
    const int length = static_cast<int>(std::char_traits<char16_t>::length(b.tooltip));
    const int width = kGlyphWidth * (length + 1);
    const int left = std::max(0, std::min(entryLeft(b), gDisplay.width - width));
    const int top = b.screenY - kStripHeight;
    outlineRect(left, top, width, kTooltipHeight, kTooltipFrame);
    fillRect(left + 1, top + 1, width - 2, kTooltipHeight - 2, kBlack);
    drawText(left + 2, top + 2, b.tooltip, kWhite);
    const ImageBuffer& sprites = smallSprites();
    const int pointerX = entryLeft(b) + b.width / 2 - 2, pointerY = b.screenY - kPointerH;
    if (sprites.pixels() && pointerX + kPointerW <= gDisplay.width && pointerY >= 0)
        copyTransparent(sprites, backBuffer(), pointerX, pointerY, gDisplay.width, gDisplay.height,
                        kPointerX, kPointerY, kPointerW, kPointerH);
}

// The held button's tooltip once it has been held for a second. True while the second is
// not yet over, so that the frame that shows it comes without a timer.
bool drawHeldTooltip() {
    if (!gPanelPressed || gPanelPressedIndex == kNoPanelEntry ||
        gPanelPressedIndex == -kNoPanelEntry)
        return false;
    const int entry = entryOfIndex(gPanelPressedIndex);
    if (!validEntry(entry)) return false;
    if (platform::tickCount() - gPanelPressTick < kTooltipDelay) return true;
    const CommandButton& b = gCommandButtons[entry];
    if (entryShown(b)) drawTooltip(b);
    return false;
}

}  // namespace

std::array<CommandButton, kPanelEntries> gCommandButtons = kInitialButtons;
bool gPanelRolledOut = true;
int32_t gPanelOffset = 0;
bool gPanelPressed = false;
int32_t gPanelPressedIndex = kNoPanelEntry;
uint32_t gPanelPressTick = 0;

void resetCommandPanel() {
    gCommandButtons = kInitialButtons;
    gPanelRolledOut = true;
    gPanelOffset = 0;
    panelEndStroke();
}

bool panelHitTest(int x, int y) {
    for (int i = 0; i < kPanelEntries; ++i) {
        if (!entryContains(i, x, y)) continue;
        gPanelPressed = true;
        gPanelPressedIndex = i;
        gPanelPressTick = platform::tickCount();
        return true;
    }
    return false;
}

bool panelPressed() {
    return gPanelPressed;
}

void panelTrack(int x, int y) {
    if (!gPanelPressed) return;
    if (gPanelPressedIndex == kNoPanelEntry || gPanelPressedIndex == -kNoPanelEntry) {
        gPanelPressed = false;
        return;
    }
    const int entry = entryOfIndex(gPanelPressedIndex);
    if (!validEntry(entry)) return;
    gPanelPressedIndex = entryContains(entry, x, y) ? entry : -1 - entry;
}

bool panelClick() {
    if (!gPanelPressed || !validEntry(gPanelPressedIndex)) return false;
    platform::postMessage(platform::WM_COMMAND, gCommandButtons[gPanelPressedIndex].command,
                          gPanelPressedIndex);
    return true;
}

void panelEndStroke() {
    gPanelPressed = false;
    gPanelPressedIndex = kNoPanelEntry;
    gPanelPressTick = 0;
}

bool drawCommandPanel() {
    if (!backBuffer()) return false;
    const bool sliding = slideAndDrawStrip();
    drawButtons();
    const bool waiting = drawHeldTooltip();
    return sliding || waiting;
}

void togglePanelRollout() {
    gPanelRolledOut = !gPanelRolledOut;
    gSlideTick = platform::tickCount() - kSlideStepMs;  // the first step comes with the next frame
}

bool panelRolledOut() {
    return gPanelRolledOut;
}

void panelSetChecked(int command, bool checked) {
    const int entry = panelIndexOfCommand(command);
    if (entry >= 0) gCommandButtons[entry].state = checked ? 1 : 0;
}

int panelIndexOfCommand(int command) {
    for (int i = 0; i < kPanelEntries; ++i)
        if (gCommandButtons[i].command == command) return i;
    return -1;
}

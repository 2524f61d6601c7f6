// Composes the normal view's frame: the scene when the redraw flag or edge scrolling asks
// for it (or the background and a message when there are no usable maps), the zoom
// rectangle, the command panel, the toolkit's dialogs and keyboard, a step of the animated
// rotation, then presents it; and the credits of the about screen. How each layer draws is its own
// module's business.
#include "shell/frame.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "base/options.h"
#include "base/redraw.h"
#include "platform/loop.h"
#include "raster/back_buffer.h"
#include "raster/draw.h"
#include "raster/font.h"
#include "raster/text_log.h"
#include "shell/commands.h"
#include "shell/startup_screen.h"
#include "texture/map_message.h"
#include "texture/map_set.h"
#include "texture/render_planar.h"
#include "texture/render_sphere.h"
#include "toolkit/command_panel.h"
#include "toolkit/message_box.h"
#include "toolkit/routing.h"
#include "view/animation.h"
#include "view/pan.h"
#include "view/stylus.h"
#include "view/view_state.h"
#include "view/zoom.h"

namespace {

unsigned gFrames = 0;
size_t gSceneTexts = 0;  // the scene's strings in the text log

// The zoom rectangle being dragged out, in green.
void drawZoomRectangle() {
    if (!gZoomSelection || !gPressPoint.valid() || !gCurrentPoint.valid()) return;
    const int x = std::min(gPressPoint.x, gCurrentPoint.x);
    const int y = std::min(gPressPoint.y, gCurrentPoint.y);
    outlineRect(x, y, std::abs(gCurrentPoint.x - gPressPoint.x) + 1,
                std::abs(gCurrentPoint.y - gPressPoint.y) + 1, 0x07E0);
}

// The scene: the view redrawn when the redraw flag is set or the stylus scrolls at an edge.
// True when the stylus is held on the view in plain mode and the scene was drawn, so that
// snapping and scrolling follow it frame by frame.
bool drawScene() {
    const bool scrolled = edgeScrollStep();
    if (!gRedraw && !scrolled) {
        truncateTextLog(gSceneTexts);
        return false;
    }
    clearTextLog();
    if (gView.planar)
        renderPlanar();
    else
        renderSphere();
    drawZoomRectangle();
    gSceneTexts = textLogMark();
    return gCurrentPoint.valid() && !gOptions.panRotate && !gZoomSelection;
}

// No usable maps: the background. The message that leads to the options is the one the
// failed rebuild left pending; opening another whenever none shows would bring it back the
// moment it is closed.
void drawWithoutMaps() {
    clearTextLog();
    fillRect(0, 0, gDisplay.width, gDisplay.height, gOptions.backgroundColor);
    gSceneTexts = textLogMark();
    gRedraw = 0;
}

// A map set the rebuild could not use is reported in the message box, once.
void showPendingMapMessage() {
    MapSetMessage message;
    if (takeMapSetMessage(&message))
        ShowMessage(message.text.c_str(), nullptr, 0,
                    message.openOptionsOnClose ? openOptionsAfterMessage : nullptr);
}

}  // namespace

void composeFrame() {
    ++gFrames;
    showPendingMapMessage();
    showStartupNotice();
    bool more = false;
    if (!mapTexture())
        drawWithoutMaps();
    else
        more = drawScene();
    more = drawCommandPanel() || more;
    paintToolkit();
    if (gView.animating) {
        animationStep();
        gRedraw = 1;
    }
    present(-1);
    if (more) platform::invalidate();
}

void drawAboutCredits() {
    // Centred in the starry band between the splash's title (down to row 56) and its globe
    // (from row 141), so that neither is written over.
    const struct {
        const char16_t* text;
        int y;
        uint16_t colour;
    } lines[] = {
        {u"Version " MUNDORA_VERSION, 74, 0xFFFF},
        {u"City data: GeoNames (CC BY 4.0)", 96, 0xFFFF},
        {u"Maps: NASA Earth images", 108, 0xFFFF},
        {u"Tap to return", 126, 0xC618},
    };
    for (const auto& line : lines) {
        const int width =
            static_cast<int>(std::char_traits<char16_t>::length(line.text)) * kGlyphWidth;
        drawText((gDisplay.width - width) / 2, line.y, line.text, line.colour);
    }
}

unsigned framesComposed() {
    return gFrames;
}

// Composes the normal view's frame: the scene when the redraw flag asks for it (or the
// background when there are no usable maps), the command panel, the toolkit's dialogs and
// keyboard and a step of the animated rotation, then presents it; and the credits of the
// about screen. How each layer draws is its own module's business.
#include "shell/frame.h"

#include <string>

#include "base/options.h"
#include "base/redraw.h"
#include "geo/overlay_pass.h"
#include "platform/loop.h"
#include "raster/back_buffer.h"
#include "raster/draw.h"
#include "raster/font.h"
#include "raster/text_log.h"
#include "routefiles/route_set.h"
#include "shell/commands.h"
#include "shell/startup_screen.h"
#include "texture/map_message.h"
#include "texture/map_set.h"
#include "toolkit/command_panel.h"
#include "toolkit/message_box.h"
#include "toolkit/routing.h"
#include "view/animation.h"
#include "view/view_state.h"

namespace {

unsigned gFrames = 0;
size_t gSceneTexts = 0;  // the scene's strings in the text log

// The scene: the overlay pass over the view, which redraws only when the redraw flag asks.
// A frame that keeps the view keeps the scene's strings in the log too.
void drawScene() {
    truncateTextLog(gSceneTexts);
    const routes::RouteSet& route = routes::gRouteSet;
    geo::drawOverlayPass({&route.places, route.color, route.lineStyle});
    gSceneTexts = textLogMark();
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
    if (!mapTexture())
        drawWithoutMaps();
    else
        drawScene();
    const bool more = drawCommandPanel();
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

// The pending map-set message: recorded by the map code, taken by the shell, which shows it
// in the toolkit's message box. Nothing here draws.

#include "texture/map_message.h"

void showMapSetMessage(const char* text, bool openOptionsOnClose) {
    gMapSetMessage = MapSetMessage{true, text, openOptionsOnClose};
}

bool takeMapSetMessage(MapSetMessage* out) {
    if (!gMapSetMessage.pending) return false;
    *out = gMapSetMessage;
    gMapSetMessage = MapSetMessage{};
    return true;
}

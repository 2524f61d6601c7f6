// The one way the map code tells the user that a map set is unusable: a pending message with
// what closing it does. The shell takes it and shows it in the toolkit's message box.
#pragma once

#include <string>

struct MapSetMessage {
    bool pending = false;             // a message waits to be shown
    std::string text;                 // the text, lines separated by '\n'
    bool openOptionsOnClose = false;  // closing opens the options dialog (else normal mode)
};
inline MapSetMessage gMapSetMessage;

// Records `text` as the pending message; a later call replaces an earlier one that was
// not yet taken. `openOptionsOnClose`: closing it opens the options dialog.
void showMapSetMessage(const char* text, bool openOptionsOnClose);

// Hands the pending message to the message box and clears it; false when none is pending.
bool takeMapSetMessage(MapSetMessage* out);


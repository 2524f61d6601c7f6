// The stylus gesture on the view: where it was pressed and where it is now, in screen
// pixels, (−1, −1) when no gesture is under way. The scene reads them for snapping, edge
// scrolling and the zoom rectangle; the shell's gestures write them.
#pragma once

struct StylusPoint {
    int x = -1, y = -1;  // screen pixels
    bool valid() const { return x >= 0 || y >= 0; }
};

inline StylusPoint gPressPoint;
inline StylusPoint gCurrentPoint;

// The one request for a new frame. Every change of view, option or selection sets it; the
// 50 ms tick turns a set flag into a paint request and the frame clears it.
#pragma once

inline int gRedraw = 0;  // 0 or 1

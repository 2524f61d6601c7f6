// The animated rotation towards a chosen city: a great-circle step per frame, at the
// "Animation Speed" option, until the view centre is within 21 arc minutes of the target.
#pragma once

#include <cstdint>

// Starts turning the view from its current centre to (latMinutes, lonMinutes), arc minutes
// north and east positive.
void startAnimation(int32_t latMinutes, int32_t lonMinutes);

// One frame of the rotation while gView.animating; nothing otherwise. With "Animated rotation
// to City" off, or within 21 arc minutes, the view jumps to the target and the animation ends.
void animationStep();

// What the processor offers beyond the baseline the program is built for. The map texture's
// per-pixel loops have a second copy built for 8-lane vector instructions, chosen at run
// time when the processor has them.
#pragma once

namespace platform {

// True when the wide copies are to run: the processor has AVX2 (x86-64 only) and they are
// allowed.
bool hasWideLanes();
// Allows (the default) or forbids the wide copies, so that checks can compare both.
void allowWideLanes(bool allow);

}  // namespace platform

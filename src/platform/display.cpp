#include "platform/display.h"

#include <SDL2/SDL.h>

#include <cstdio>

namespace platform {
namespace {
Backend* gBackend = nullptr;
}

void setBackend(Backend* b) { gBackend = b; }
Backend* backend() { return gBackend; }

void showMessageBox(const std::string& text) {
    std::fprintf(stderr, "%s\n", text.c_str());
    if (gBackend && gBackend->hasWindowSystem())
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, "Mundora", text.c_str(), nullptr);
}

}  // namespace platform

// The SDL2 window: the 240 × 320 display memory shown scaled by a whole factor, the left
// mouse button as the stylus, keys as the hardware buttons, Ctrl+A and Ctrl+Q as commands,
// typed text as characters. Waits for input in slices so that raise requests are heard.
// SDL2 is loaded when the window is opened, not at program start. What the program does
// with the messages is not decided here.
#include "platform/sdl_backend.h"

#include <SDL2/SDL.h>
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/loop.h"
#include "platform/messages.h"

namespace platform {
namespace {

// The SDL functions the window uses. SDL2 and the dozens of libraries it brings (sound,
// X11, Wayland) are loaded only when a window is opened: a headless run starts without them.
// clang-format off
#define MUNDORA_SDL_FUNCTIONS(F)                                                            \
    F(SetHint) F(Init) F(InitSubSystem) F(GetNumVideoDrivers) F(GetVideoDriver)             \
    F(GetDisplayUsableBounds) F(GetDesktopDisplayMode) F(CreateWindow) F(CreateRenderer)    \
    F(RenderSetLogicalSize) F(RenderSetIntegerScale) F(CreateTexture) F(StartTextInput)     \
    F(ShowWindow) F(HideWindow) F(RaiseWindow) F(DestroyTexture) F(DestroyRenderer)         \
    F(DestroyWindow) F(WasInit) F(Quit) F(WaitEventTimeout) F(PollEvent) F(UpdateTexture)   \
    F(RenderClear) F(RenderCopy) F(RenderPresent) F(ShowSimpleMessageBox)
// clang-format on

// SDL_Name as sdl->Name, with SDL's own declaration as its type.
struct SdlLibrary {
#define MUNDORA_SDL_POINTER(name) decltype(&::SDL_##name) name = nullptr;
    MUNDORA_SDL_FUNCTIONS(MUNDORA_SDL_POINTER)
#undef MUNDORA_SDL_POINTER
};

// Null until loadSdl has found every function.
const SdlLibrary* sdl = nullptr;

// Looks up `name` in the loaded library; false, said on standard error, when it lacks it.
template <typename Function>
bool findFunction(void* library, const char* name, Function* function) {
    *function = reinterpret_cast<Function>(dlsym(library, name));
    if (!*function) std::fprintf(stderr, "mundora: SDL2 has no %s\n", name);
    return *function != nullptr;
}

// Loads SDL2 on the first call; false, with the reason said once on standard error, when it
// cannot be loaded or lacks a function.
bool loadSdl() {
    static const bool loaded = [] {
        static SdlLibrary functions;
        void* library = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
        if (!library) {
            std::fprintf(stderr, "mundora: SDL2 cannot be loaded: %s\n", dlerror());
            return false;
        }
        bool found = true;
#define MUNDORA_SDL_FIND(name) \
    found = found && findFunction(library, "SDL_" #name, &functions.name);
        MUNDORA_SDL_FUNCTIONS(MUNDORA_SDL_FIND)
#undef MUNDORA_SDL_FIND
        if (!found) return false;
        sdl = &functions;
        return true;
    }();
    return loaded;
}

constexpr int kWidth = 240, kHeight = 320;
constexpr intptr_t kStylusDown = 1;  // MK_LBUTTON
// The window also looks for raise requests between events, so waits are cut into slices.
constexpr uint32_t kSliceMs = 100;

int keyCode(SDL_Keycode k) {
    switch (k) {
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return VK_RETURN;
        case SDLK_UP:
            return VK_UP;
        case SDLK_DOWN:
            return VK_DOWN;
        case SDLK_LEFT:
            return VK_LEFT;
        case SDLK_RIGHT:
            return VK_RIGHT;
        case SDLK_ESCAPE:
            return VK_ESCAPE;
        case SDLK_BACKSPACE:
            return VK_BACK;
        case SDLK_TAB:
            return VK_TAB;
        case SDLK_SPACE:
            return VK_SPACE;
        case SDLK_DELETE:
            return VK_DELETE;
        case SDLK_HOME:
            return VK_HOME;
        case SDLK_END:
            return VK_END;
        case SDLK_F1:
            return VK_F1;
        default:
            break;
    }
    if (k >= SDLK_a && k <= SDLK_z) return static_cast<int>(k - SDLK_a) + 'A';
    if (k >= SDLK_0 && k <= SDLK_9) return static_cast<int>(k - SDLK_0) + '0';
    return 0;
}

// Keys whose press also types a control character, as the handheld's keyboard did.
int controlChar(int vk) {
    switch (vk) {
        case VK_RETURN:
            return 13;
        case VK_BACK:
            return 8;
        case VK_TAB:
            return 9;
        case VK_ESCAPE:
            return 27;
        default:
            return 0;
    }
}

// Whether SDL's video driver `name` shows a window to a user here. When no display is there
// SDL falls back to drivers that draw into memory; those count as no window. Window systems
// are tried only when the environment names their display (probing Wayland without one
// prints warnings of its own).
bool showsWindows(const char* name) {
    const std::string n = name;
    if (n == "x11") return std::getenv("DISPLAY") != nullptr;
    if (n == "wayland") return std::getenv("WAYLAND_DISPLAY") != nullptr;
    return n != "offscreen" && n != "dummy" && n != "evdev";
}

// Starts SDL's video on the first driver that shows windows; a driver the user chose with
// SDL_VIDEODRIVER stands as chosen.
bool startVideo() {
    // A click that brings the window forward acts too: no tap of the stylus is lost (SDL
    // drops a click that comes with the focus, as one that arrives during start-up does).
    sdl->SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    if (sdl->Init(SDL_INIT_EVENTS) != 0) return false;
    if (std::getenv("SDL_VIDEODRIVER")) return sdl->InitSubSystem(SDL_INIT_VIDEO) == 0;
    for (int i = 0; i < sdl->GetNumVideoDrivers(); ++i) {
        const char* name = sdl->GetVideoDriver(i);
        if (!showsWindows(name)) continue;
        sdl->SetHint(SDL_HINT_VIDEODRIVER, name);
        if (sdl->InitSubSystem(SDL_INIT_VIDEO) == 0) return true;
    }
    return false;
}

// The largest scale up to `asked` at which the window fits the first display's usable area
// (its whole desktop where that is not known). At a scale too large for the screen the
// window used to open mostly off screen; the smaller scale is said on standard error.
int fittingScale(int asked) {
    SDL_Rect area{0, 0, 0, 0};
    SDL_DisplayMode mode;
    if (sdl->GetDisplayUsableBounds(0, &area) != 0 || area.w <= 0 || area.h <= 0) {
        if (sdl->GetDesktopDisplayMode(0, &mode) != 0) return asked;
        area.w = mode.w;
        area.h = mode.h;
    }
    int scale = asked;
    while (scale > 1 && (kWidth * scale > area.w || kHeight * scale > area.h)) --scale;
    if (scale != asked)
        std::fprintf(stderr,
                     "mundora: the window at scale %d (%d x %d) does not fit the desktop's %d x "
                     "%d; using scale %d\n",
                     asked, kWidth * asked, kHeight * asked, area.w, area.h, scale);
    return scale;
}

class SdlBackend : public Backend {
  public:
    explicit SdlBackend(int scale) : scale_(scale), pixels_(kWidth * kHeight, 0) {}
    ~SdlBackend() override { closeWindow(); }

    bool openWindow(const std::string& title) override {
        if (!loadSdl() || !startVideo()) return false;
        hasVideo_ = true;
        scale_ = fittingScale(scale_);
        window_ = sdl->CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                    kWidth * scale_, kHeight * scale_, SDL_WINDOW_SHOWN);
        if (!window_) return false;
        renderer_ = sdl->CreateRenderer(window_, -1, 0);
        if (!renderer_) renderer_ = sdl->CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
        if (!renderer_) return false;
        sdl->RenderSetLogicalSize(renderer_, kWidth, kHeight);
        sdl->RenderSetIntegerScale(renderer_, SDL_TRUE);
        texture_ = sdl->CreateTexture(renderer_, SDL_PIXELFORMAT_RGB565,
                                      SDL_TEXTUREACCESS_STREAMING, kWidth, kHeight);
        if (!texture_) return false;
        sdl->StartTextInput();
        return true;
    }

    void showWindow(bool visible) override {
        if (!window_) return;
        if (visible)
            sdl->ShowWindow(window_);
        else
            sdl->HideWindow(window_);
    }

    void raiseWindow() override {
        if (window_) sdl->RaiseWindow(window_);
    }

    void closeWindow() override {
        if (texture_) sdl->DestroyTexture(texture_);
        if (renderer_) sdl->DestroyRenderer(renderer_);
        if (window_) sdl->DestroyWindow(window_);
        texture_ = nullptr;
        renderer_ = nullptr;
        window_ = nullptr;
        if (sdl && sdl->WasInit(0)) sdl->Quit();
    }

    bool openDisplay() override { return displayOpen_ = texture_ != nullptr; }
    void closeDisplay() override { displayOpen_ = false; }
    DisplayProperties displayProperties() const override {
        return {kWidth, kHeight, 2, kWidth * 2, 16};
    }

    uint8_t* beginDraw() override {
        if (!displayOpen_ || suspended_) return nullptr;
        return reinterpret_cast<uint8_t*>(pixels_.data());
    }

    void endDraw() override { show(); }
    void suspend() override { suspended_ = true; }
    void resume() override { suspended_ = false; }
    bool hasWindowSystem() const override { return hasVideo_; }

    void waitForInput(uint32_t maxWaitMs) override {
        SDL_Event e;
        uint32_t wait = maxWaitMs < kSliceMs ? maxWaitMs : kSliceMs;
        if (!sdl->WaitEventTimeout(&e, static_cast<int>(wait))) return;
        do translate(e);
        while (sdl->PollEvent(&e));
    }

  private:
    void show() {
        if (!texture_) return;
        sdl->UpdateTexture(texture_, nullptr, pixels_.data(), kWidth * 2);
        sdl->RenderClear(renderer_);
        sdl->RenderCopy(renderer_, texture_, nullptr, nullptr);
        sdl->RenderPresent(renderer_);
    }

    // SDL hands mouse positions in the renderer's logical 240 × 320 coordinates already;
    // a press beside the picture (a window made larger) lands on the nearest edge.
    static intptr_t point(int x, int y) {
        x = x < 0 ? 0 : x >= kWidth ? kWidth - 1 : x;
        y = y < 0 ? 0 : y >= kHeight ? kHeight - 1 : y;
        return pointParam(x, y);
    }

    void translate(const SDL_Event& e) {
        switch (e.type) {
            case SDL_QUIT:
                postMessage(WM_CLOSE);
                break;
            case SDL_MOUSEBUTTONDOWN:
                if (e.button.button != SDL_BUTTON_LEFT) break;
                pressed_ = true;
                postMessage(WM_LBUTTONDOWN, kStylusDown, point(e.button.x, e.button.y));
                break;
            case SDL_MOUSEBUTTONUP:
                if (e.button.button != SDL_BUTTON_LEFT || !pressed_) break;
                pressed_ = false;
                postMessage(WM_LBUTTONUP, 0, point(e.button.x, e.button.y));
                break;
            case SDL_MOUSEMOTION:
                pointer_ = point(e.motion.x, e.motion.y);  // where a wheel turn applies
                // A stylus only moves while it touches the screen.
                if (pressed_) postMessage(WM_MOUSEMOVE, kStylusDown, pointer_);
                break;
            case SDL_MOUSEWHEEL:
                if (int notches =
                        e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y)
                    postMessage(WM_MOUSEWHEEL, notches, pointer_);
                break;
            case SDL_KEYDOWN:
                key(e.key.keysym);
                break;
            case SDL_KEYUP:
                if (int vk = keyCode(e.key.keysym.sym)) postMessage(WM_KEYUP, vk, 0);
                break;
            case SDL_TEXTINPUT:
                text(e.text.text);
                break;
            case SDL_WINDOWEVENT:
                window(e.window.event);
                break;
            default:
                break;
        }
    }

    void key(const SDL_Keysym& k) {
        if (k.mod & KMOD_CTRL) {
            // The accelerator table: Ctrl+A and Ctrl+Q become commands, nothing else.
            if (k.sym == SDLK_a) postMessage(WM_COMMAND, CMD_ACCEL_CTRL_A, 0);
            if (k.sym == SDLK_q) postMessage(WM_COMMAND, CMD_ACCEL_CTRL_Q, 0);
            return;
        }
        int vk = keyCode(k.sym);
        if (!vk) return;
        postMessage(WM_KEYDOWN, vk, 0);
        if (int c = controlChar(vk)) postMessage(WM_CHAR, c, 0);
    }

    void text(const char* utf8) {
        const auto* s = reinterpret_cast<const unsigned char*>(utf8);
        while (*s) {
            int extra = *s >= 0xF0 ? 3 : *s >= 0xE0 ? 2 : *s >= 0xC0 ? 1 : 0;
            int cp = extra ? *s & (0x3F >> extra) : *s;
            ++s;
            for (int i = 0; i < extra && (*s & 0xC0) == 0x80; ++i, ++s)
                cp = (cp << 6) | (*s & 0x3F);
            postMessage(WM_CHAR, cp, 0);
        }
    }

    void window(uint8_t event) {
        switch (event) {
            case SDL_WINDOWEVENT_FOCUS_GAINED:
                postMessage(WM_SETFOCUS);
                break;
            case SDL_WINDOWEVENT_FOCUS_LOST:
                postMessage(WM_KILLFOCUS);
                break;
            case SDL_WINDOWEVENT_EXPOSED:
                show();
                break;
            default:
                break;
        }
    }

    int scale_;
    std::vector<uint16_t> pixels_;  // the display memory, plain rows
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    bool displayOpen_ = false, suspended_ = false, pressed_ = false;
    intptr_t pointer_ = pointParam(kWidth / 2, kHeight / 2);  // the mouse's last screen point
    bool hasVideo_ = false;  // a window system was found, so message boxes can show
};

}  // namespace

void showSdlMessageBox(const std::string& text) {
    if (sdl)
        sdl->ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, "Mundora", text.c_str(), nullptr);
}

std::unique_ptr<Backend> makeSdlBackend(int scale) {
    return std::make_unique<SdlBackend>(scale < 1 ? 1 : scale > 8 ? 8 : scale);
}

}  // namespace platform

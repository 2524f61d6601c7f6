// Entry point, start-up, shutdown and release. Start-up runs before the loop and presents its
// own progress frames; everything afterwards happens in the window procedure.
#include "shell/lifecycle.h"

#include <cstdio>
#include <memory>
#include <string>

#include "base/redraw.h"
#include "platform/display.h"
#include "platform/folders.h"
#include "platform/instance.h"
#include "platform/loop.h"
#include "raster/back_buffer.h"
#include "raster/image_buffer.h"
#include "raster/pictures.h"
#include "shell/startup_screen.h"
#include "shell/window_proc.h"
#include "toolkit/modal.h"
#include "toolkit/soft_keyboard.h"

namespace {

bool gTimerHeld = false;
SoftKeyboard gKeyboard;  // the one on-screen keyboard, shown while a field has the focus
bool gShuttingDown = false;

// Shows the splash: decoded into a temporary picture, copied to the whole back buffer and
// faded in. False when the picture cannot be prepared.
bool showSplash() {
    ImageBuffer splash(kSplashPicture);
    if (!splash.load(nullptr, true) || splash.width() != gDisplay.width ||
        splash.height() != gDisplay.height)
        return false;
    copyOpaque(splash, backBuffer(), 0, 0, gDisplay.width, gDisplay.height, 0, 0, gDisplay.width,
               gDisplay.height);
    fadeIn();
    return true;
}

int32_t failStartup(int32_t result) {
    release();
    return result;
}

}  // namespace

const char* startupMessage(int32_t result) {
    if (result == kStartupNoMemory)
        return "Insufficient memory to continue.\nMundora will now close.";
    if (result == kStartupNoWindow)
        return "No window could be opened (is there an X or Wayland display?); "
               "mundora --headless --script FILE runs without one.";
    return "General error encountered.\nMundora will now close.";
}

int32_t startup() {
    if (!readDisplayProperties()) return kStartupGeneral;
    if (!allocateBackBuffer()) return kStartupNoMemory;
    if (!prepareStartupPictures() || !loadInterfacePictures() || !showSplash())
        return failStartup(kStartupNoMemory);
    gSoftKeyboard = &gKeyboard;
    beginStartupProgress();
    int32_t result = loadProgramData();
    if (result != kStartupOk) return failStartup(result);
    gRedraw = 1;
    return kStartupOk;
}

void shutdown() {
    if (gShuttingDown) return;
    gShuttingDown = true;
    fadeOut();
    if (gTimerHeld) platform::killTimer(kTimerId);
    gTimerHeld = false;
    saveProgramData();
    release();
    windowProc(platform::WM_ACTIVATE, platform::WA_INACTIVE, 0);
    windowProc(platform::WM_CLOSE, 0, 0);
}

bool shuttingDown() {
    return gShuttingDown;
}

void release() {
    closeModalDialog();
    delete gToolDialog;  // clears the pointer as it goes
    gKeyboard.Hide();
    gKeyboardVisible = false;
    gSoftKeyboard = nullptr;
    releaseProgramData();
    releaseInterfacePictures();
    freeBackBuffer();
}

int runProgram(platform::Backend* backend, bool scripted) {
    // The program goes on without what a folder cannot give; the user hears why once.
    for (const std::string& problem : platform::folderProblems())
        std::fprintf(stderr, "mundora: %s\n", problem.c_str());
    platform::setBackend(backend);
    if (platform::claimSingleInstance(platform::stateFolder()) ==
        platform::InstanceClaim::Another) {
        // Bringing the other copy forward is all a window needs; a script has gone undone.
        if (!scripted) return 0;
        std::fprintf(stderr,
                     "mundora: another copy is running with the state folder %s; it was asked to "
                     "come forward and this script did not run\n",
                     platform::stateFolder().c_str());
        return 1;
    }
    platform::setIdleHook([] { platform::serviceRaiseRequests(); });
    int32_t result = kStartupGeneral;
    if (!backend->openWindow("Mundora"))
        result = kStartupNoWindow;
    else if (backend->openDisplay())
        result = startup();
    int exitCode = 0;
    if (result == kStartupOk) {
        platform::setTimer(kTimerId, kTimerPeriod);
        gTimerHeld = true;
        backend->showWindow(true);
        platform::Message m;
        while (platform::getMessage(&m)) windowProc(m.msg, m.wParam, m.lParam);
        exitCode = platform::quitCode();
    }
    release();
    backend->closeDisplay();
    backend->closeWindow();
    platform::releaseSingleInstance();
    if (result != kStartupOk) {
        platform::showMessageBox(startupMessage(result));
        exitCode = 1;
    }
    return exitCode;
}

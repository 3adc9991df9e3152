// Orvanta's entry: the log, the application state and the first puzzle, the framework's
// callbacks, the play screen, the window and device, and the main loop.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>

#include "app_state.h"
#include "device_resources.h"
#include "diagnostic_log.h"
#include "process_state.h"
#include "puzzle.h"
#include "screens.h"
#include "startup.h"
#include "turn_animation.h"

namespace {

// Start-up ran out of memory before the window existed.
constexpr int kOutOfMemoryExitCode = 9;
// The diagnostic log could not be created; nothing else was tried.
constexpr int kLogNotCreatedExitCode = 10;

}  // namespace

int main() {
    logFile = std::fopen("output.txt", "w");
    if (logFile == nullptr) {
        // Worded as the framework words its refusals, so that both read alike.
        std::fprintf(stderr, "Orvanta: cannot create output.txt: %s\n", std::strerror(errno));
        return kLogNotCreatedExitCode;
    }
    appState = new (std::nothrow) AppState();
    if (appState == nullptr) {
        logPrintf("out of memory at start-up\n");
        return kOutOfMemoryExitCode;
    }
    try {
        puzzle = new Puzzle(&appState->getDefinition());
    } catch (const std::bad_alloc&) {
        logPrintf("out of memory at start-up\n");
        return kOutOfMemoryExitCode;
    }
    vertexLimitReached = 0;
    puzzleVertexCount = puzzle->countVertices();
    turnBusy = 0;
    vertexBufferCurrent = 1;

    registerCallbacks();
    DXUTSetCursorSettings(true, true);
    buildGui();
    DXUTInit(true, true, true);
    DXUTCreateWindow(L"Orvanta");
    DXUTCreateDevice(D3DADAPTER_DEFAULT, true, 800, 600, isDeviceAcceptable, modifyDeviceSettings);
    DXUTMainLoop();
    return DXUTGetExitCode();
}

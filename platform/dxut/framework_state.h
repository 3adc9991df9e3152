// The framework's state, shared by its source files (framework.cpp, main_loop.cpp).
// Not for the application: it sees the DXUT* calls only.
#pragma once

#include <SDL.h>

#include <chrono>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "d3d9/gl/gl_context.h"
#include "dxut/command_line.h"
#include "dxut/frame_pacer.h"
#include "dxut/framework.h"
#include "dxut/sdl_messages.h"
#include "dxut/window_size.h"

// SDL's video subsystem, started by DXUTCreateWindow.
class SdlVideo {
  public:
    static std::unique_ptr<SdlVideo> start(std::string& error);
    ~SdlVideo();
    SdlVideo(const SdlVideo&) = delete;
    SdlVideo& operator=(const SdlVideo&) = delete;

  private:
    SdlVideo() = default;
};

struct SdlWindowDeleter {
    void operator()(SDL_Window* window) const { SDL_DestroyWindow(window); }
};

// A callback the application registered, called with the context registered with it.
template <typename Function>
struct RegisteredCallback {
    Function function = nullptr;
    void* userContext = nullptr;

    explicit operator bool() const { return function != nullptr; }
    template <typename... Arguments>
    auto operator()(Arguments... arguments) const {
        return function(arguments..., userContext);
    }
};

struct Framework {
    // Registered by the application.
    RegisteredCallback<LPDXUTCALLBACKDEVICECREATED> deviceCreated;
    RegisteredCallback<LPDXUTCALLBACKDEVICERESET> deviceReset;
    RegisteredCallback<LPDXUTCALLBACKDEVICELOST> deviceLost;
    RegisteredCallback<LPDXUTCALLBACKDEVICEDESTROYED> deviceDestroyed;
    RegisteredCallback<LPDXUTCALLBACKFRAMEMOVE> frameMove;
    RegisteredCallback<LPDXUTCALLBACKFRAMERENDER> frameRender;
    RegisteredCallback<LPDXUTCALLBACKKEYBOARD> keyboard;
    RegisteredCallback<LPDXUTCALLBACKMSGPROC> msgProc;

    bool initialized = false;
    bool handleHotkeys = true;
    bool showMessageBoxes = true;
    bool showCursorWhenFullScreen = true;
    bool clipCursorWhenFullScreen = true;
    FrameworkFlags flags;
    bool recordingDevice = false;  // tests: no SDL, no GL

    // Released in reverse order by shutdown().
    std::unique_ptr<SdlVideo> video;
    std::unique_ptr<SDL_Window, SdlWindowDeleter> window;
    std::unique_ptr<WindowSizeWatch> windowSize;
    bool windowCreated = false;
    std::unique_ptr<GlContext> context;
    RefPtr<IDirect3D9> direct3d;
    IDirect3DDevice9* device = nullptr;  // the framework's reference
    DXUTDeviceSettings settings{};
    D3DSURFACE_DESC backBuffer{};
    bool objectsCreated = false;  // device-created callback succeeded
    bool objectsReset = false;    // device-reset callback succeeded, lost not yet called

    int exitCode = DXUT_EXIT_NORMAL;
    bool quit = false;
    bool fullScreen = false;
    SDL_Rect windowedPlace{};  // where leaving full screen puts the window back
    bool wireframe = false;
    Uint32 buttons = 0;                // SDL mouse buttons held, for capture and MK_* flags
    std::deque<WindowMessage> posted;  // tests: messages as if from the window

    // Time.
    double time = 0.0;
    float elapsed = 0.0f;
    bool timePaused = false;
    bool renderingPaused = false;
    bool minimized = false;
    std::chrono::steady_clock::time_point lastTick;
    int framesRendered = 0;
    FramePacer pacer;  // consulted only when drawing into a window

    // The last frame, kept when a screenshot is asked for.
    std::vector<std::uint8_t> lastFrame;
    UINT lastFrameWidth = 0;
    UINT lastFrameHeight = 0;
};

Framework& framework();

// Reports a failure on stderr and, when allowed and possible, in a message box.
void reportFailure(const std::string& message);
// Reports, records the exit code and ends the loop before it starts or at once.
HRESULT fail(HRESULT result, int exitCode, const std::string& message);
// As fail, for a refusal that the message says in full: the result code would add nothing.
HRESULT refuse(HRESULT result, int exitCode, const std::string& message);
// Gives a message to the application, then (unless it says no further processing) to the
// keyboard callback and the hotkeys.
void dispatchMessage(const WindowMessage& message);
// A new client size: WM_SIZE, device lost, device reset. `force` resets even at the same
// size (a full-screen toggle always resets).
void resizeBackBuffer(UINT width, UINT height, bool force);
// Handles one SDL event of the window.
void handleSdlEvent(const SDL_Event& event);
// One pass of the loop: pending events, then a frame unless paused or minimised. With
// `mayWait`, it first sleeps until the next frame is due or, while nothing is drawn, waits
// a while for an event.
void runLoopIteration(bool mayWait);
// Restarts the clock and the frame pacing, so that a pause or minimise neither counts as
// elapsed time nor leaves frames owed.
void restartTiming();
// Measures anew whether presenting waits for the display the window is on.
void startPacing();
// Device lost and destroyed as far as they are due, then the device is released.
void releaseDevice();
// Lost, destroyed, release; every resource of the run goes. Keeps callbacks and exit code.
void shutdown();

// The framework shell (framework.h); the main loop is in main_loop.cpp.
//
// [SECTION] callbacks, DXUTInit, cursor settings, window
// [SECTION] creation, resize and full-screen toggle
// [SECTION] shutdown
// [SECTION] pause and the DXUTGet* calls

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "d3d9/gl/gl_backend.h"
#include "d3d9/recording/recording_backend.h"
#include "dxut/framework_state.h"
#include "win32/utf8.h"

namespace {

// The window handle the application receives: it only compares and passes it on.
char gWindowTag;

constexpr UINT kDefaultWidth = 640;
constexpr UINT kDefaultHeight = 480;

void shutdownAtExit() {
    shutdown();
}

// Runs at the first framework call, which comes after the application's static objects
// were constructed, so the clean-up runs before their destructors. The framework's own
// state is constructed first, so that it is still there when the clean-up runs.
void registerExitCleanup() {
    static const bool registered = (framework(), std::atexit(shutdownAtExit) == 0);
    (void)registered;
}

bool messageBoxesPossible() {
    const Framework& f = framework();
    if (!f.showMessageBoxes || !f.video) {
        return false;
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver != nullptr && std::strcmp(driver, "offscreen") != 0 &&
           std::strcmp(driver, "dummy") != 0;
}

void applyCursorSettings() {
    Framework& f = framework();
    if (!f.window) {
        return;
    }
    if (f.fullScreen && f.showCursorWhenFullScreen) {
        SDL_ShowCursor(SDL_ENABLE);
    }
    SDL_SetWindowGrab(f.window.get(),
                      f.fullScreen && f.clipCursorWhenFullScreen ? SDL_TRUE : SDL_FALSE);
}

void sendSizeMessage(UINT width, UINT height) {
    // A zero-sized client area (minimised) tells the application nothing.
    if (width > 0 && height > 0) {
        dispatchMessage({WM_SIZE, SIZE_RESTORED, MAKELPARAM(width, height)});
    }
}

// The device-reset callback, with its failure ending the run.
HRESULT resetDeviceObjects() {
    Framework& f = framework();
    f.backBuffer = f.device->backBufferDesc();
    if (f.deviceReset) {
        const HRESULT hr = f.deviceReset(f.device, &f.backBuffer);
        if (FAILED(hr)) {
            // Partly reset objects are released by the application's lost callback.
            if (f.deviceLost) {
                f.deviceLost();
            }
            return fail(hr, DXUT_EXIT_RESETTING_DEVICE_OBJECTS, "the device-reset callback failed");
        }
    }
    f.objectsReset = true;
    return S_OK;
}

}  // namespace

Framework& framework() {
    static Framework instance;
    return instance;
}

std::unique_ptr<SdlVideo> SdlVideo::start(std::string& error) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        error = SDL_GetError();
        return nullptr;
    }
    std::unique_ptr<SdlVideo> video(new SdlVideo());
    // Without a display SDL falls back to drawing offscreen, where a program would run unseen;
    // that is only wanted when asked for.
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* requested = std::getenv("SDL_VIDEODRIVER");
    if (driver != nullptr && std::strcmp(driver, "offscreen") == 0 &&
        (requested == nullptr || std::strcmp(requested, "offscreen") != 0)) {
        error = "no display (set DISPLAY, or SDL_VIDEODRIVER=offscreen to draw without one)";
        return nullptr;
    }
    return video;
}

SdlVideo::~SdlVideo() {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    SDL_Quit();
}

void reportFailure(const std::string& message) {
    std::fprintf(stderr, "Orvanta: %s\n", message.c_str());
    if (messageBoxesPossible()) {
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Orvanta", message.c_str(),
                                 framework().window.get());
    }
}

HRESULT refuse(HRESULT result, int exitCode, const std::string& message) {
    reportFailure(message);
    Framework& f = framework();
    f.exitCode = exitCode;
    f.quit = true;
    return result;
}

HRESULT fail(HRESULT result, int exitCode, const std::string& message) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%08X", unsigned(result));
    return refuse(result, exitCode, message + " (" + code + ")");
}

// [SECTION] callbacks, DXUTInit, cursor settings, window

void DXUTSetCallbackDeviceCreated(LPDXUTCALLBACKDEVICECREATED callback, void* userContext) {
    registerExitCleanup();
    framework().deviceCreated = {callback, userContext};
}
void DXUTSetCallbackDeviceReset(LPDXUTCALLBACKDEVICERESET callback, void* userContext) {
    registerExitCleanup();
    framework().deviceReset = {callback, userContext};
}
void DXUTSetCallbackDeviceLost(LPDXUTCALLBACKDEVICELOST callback, void* userContext) {
    registerExitCleanup();
    framework().deviceLost = {callback, userContext};
}
void DXUTSetCallbackDeviceDestroyed(LPDXUTCALLBACKDEVICEDESTROYED callback, void* userContext) {
    registerExitCleanup();
    framework().deviceDestroyed = {callback, userContext};
}
void DXUTSetCallbackFrameMove(LPDXUTCALLBACKFRAMEMOVE callback, void* userContext) {
    registerExitCleanup();
    framework().frameMove = {callback, userContext};
}
void DXUTSetCallbackFrameRender(LPDXUTCALLBACKFRAMERENDER callback, void* userContext) {
    registerExitCleanup();
    framework().frameRender = {callback, userContext};
}
void DXUTSetCallbackKeyboard(LPDXUTCALLBACKKEYBOARD callback, void* userContext) {
    registerExitCleanup();
    framework().keyboard = {callback, userContext};
}
void DXUTSetCallbackMsgProc(LPDXUTCALLBACKMSGPROC callback, void* userContext) {
    registerExitCleanup();
    framework().msgProc = {callback, userContext};
}

HRESULT DXUTInit(bool parseCommandLine, bool handleDefaultHotkeys, bool showMsgBoxOnError) {
    registerExitCleanup();
    Framework& f = framework();
    f.initialized = true;
    f.exitCode = DXUT_EXIT_NORMAL;
    f.handleHotkeys = handleDefaultHotkeys;
    f.showMessageBoxes = showMsgBoxOnError;
    if (parseCommandLine) {
        f.flags = parseFrameworkFlags(processArguments());
    }
    return S_OK;
}

void DXUTSetCursorSettings(bool showCursorWhenFullScreen, bool clipCursorWhenFullScreen) {
    Framework& f = framework();
    f.showCursorWhenFullScreen = showCursorWhenFullScreen;
    f.clipCursorWhenFullScreen = clipCursorWhenFullScreen;
    applyCursorSettings();
}

HRESULT DXUTCreateWindow(const WCHAR* windowTitle, HINSTANCE, HICON, HMENU, int x, int y) {
    registerExitCleanup();
    Framework& f = framework();
    if (f.windowCreated) {
        return E_FAIL;
    }
    if (!f.recordingDevice) {
        std::string error;
        f.video = SdlVideo::start(error);
        if (!f.video) {
            return refuse(DXUTERR_NOWINDOW, DXUT_EXIT_NO_WINDOW, "cannot open a window: " + error);
        }
        GlContext::prepareWindowAttributes();
        const std::string title = utf8FromWide(windowTitle != nullptr ? windowTitle : L"");
        const int left = x == CW_USEDEFAULT ? int(SDL_WINDOWPOS_UNDEFINED) : x;
        const int top = y == CW_USEDEFAULT ? int(SDL_WINDOWPOS_UNDEFINED) : y;
        f.window.reset(
            SDL_CreateWindow(title.c_str(), left, top, int(kDefaultWidth), int(kDefaultHeight),
                             SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE | SDL_WINDOW_HIDDEN));
        if (!f.window) {
            return refuse(DXUTERR_NOWINDOW, DXUT_EXIT_NO_WINDOW,
                          std::string("cannot open a window: ") + SDL_GetError());
        }
        f.windowSize = std::make_unique<WindowSizeWatch>(f.window.get());
    }
    f.windowCreated = true;
    return S_OK;
}

// [SECTION] creation, resize and full-screen toggle

HRESULT DXUTCreateDevice(UINT adapterOrdinal, bool windowed, int suggestedWidth,
                         int suggestedHeight, LPDXUTCALLBACKISDEVICEACCEPTABLE isDeviceAcceptable,
                         LPDXUTCALLBACKMODIFYDEVICESETTINGS modifyDeviceSettings,
                         void* userContext) {
    Framework& f = framework();
    if (!f.initialized) {
        DXUTInit();
    }
    if (f.device != nullptr) {
        return D3DERR_INVALIDCALL;
    }
    if (!f.windowCreated) {
        // A window that could not be opened has been reported already: one line is enough.
        if (f.exitCode == DXUT_EXIT_NO_WINDOW) {
            return DXUTERR_NOWINDOW;
        }
        return fail(DXUTERR_NOWINDOW, DXUT_EXIT_NO_WINDOW,
                    "DXUTCreateDevice needs the window of DXUTCreateWindow");
    }
    f.direct3d = RefPtr<IDirect3D9>(new IDirect3D9());

    const UINT width =
        UINT(f.flags.width.value_or(suggestedWidth > 0 ? suggestedWidth : int(kDefaultWidth)));
    const UINT height =
        UINT(f.flags.height.value_or(suggestedHeight > 0 ? suggestedHeight : int(kDefaultHeight)));
    windowed = f.flags.windowed.value_or(windowed);

    DXUTDeviceSettings settings{};
    settings.AdapterOrdinal = adapterOrdinal;
    settings.DeviceType = D3DDEVTYPE_HAL;
    settings.AdapterFormat = D3DFMT_X8R8G8B8;
    settings.BehaviorFlags = D3DCREATE_HARDWARE_VERTEXPROCESSING;
    settings.pp.BackBufferWidth = width;
    settings.pp.BackBufferHeight = height;
    settings.pp.BackBufferCount = 1;
    settings.pp.SwapEffect = D3DSWAPEFFECT_DISCARD;
    settings.pp.hDeviceWindow = DXUTGetHWND();
    settings.pp.Windowed = windowed ? TRUE : FALSE;
    settings.pp.EnableAutoDepthStencil = TRUE;
    settings.pp.AutoDepthStencilFormat = D3DFMT_D24S8;

    // Candidates: each back-buffer format the adapter offers, the first accepted wins.
    D3DCAPS9 caps{};
    bool accepted = false;
    if (SUCCEEDED(f.direct3d->GetDeviceCaps(adapterOrdinal, D3DDEVTYPE_HAL, &caps))) {
        for (D3DFORMAT format : {D3DFMT_X8R8G8B8, D3DFMT_A8R8G8B8}) {
            if (isDeviceAcceptable == nullptr ||
                isDeviceAcceptable(&caps, settings.AdapterFormat, format, windowed, userContext)) {
                settings.pp.BackBufferFormat = format;
                accepted = true;
                break;
            }
        }
    }
    if (!accepted) {
        return fail(DXUTERR_NOCOMPATIBLEDEVICES, DXUT_EXIT_NO_COMPATIBLE_DEVICE,
                    "no device with the capabilities this program needs");
    }
    if (modifyDeviceSettings != nullptr) {
        modifyDeviceSettings(&settings, &caps, userContext);
    }

    std::unique_ptr<DeviceBackend> backend;
    if (f.recordingDevice) {
        backend = std::make_unique<RecordingBackend>();
    } else {
        SDL_SetWindowSize(f.window.get(), int(width), int(height));
        f.windowedPlace = SDL_Rect{int(SDL_WINDOWPOS_CENTERED), int(SDL_WINDOWPOS_CENTERED),
                                   int(width), int(height)};
        if (!windowed) {
            SDL_SetWindowFullscreen(f.window.get(), SDL_WINDOW_FULLSCREEN_DESKTOP);
        }
        std::string error;
        f.context = GlContext::create(f.window.get(), error);
        std::unique_ptr<GlBackend> gl = f.context ? GlBackend::create(*f.context, error) : nullptr;
        if (!gl) {
            return fail(DXUTERR_CREATINGDEVICE, DXUT_EXIT_CREATING_DEVICE, error);
        }
        const ClientSize size = f.windowSize->current();
        settings.pp.BackBufferWidth = size.width;
        settings.pp.BackBufferHeight = size.height;
        backend = std::move(gl);
    }
    f.fullScreen = !windowed;
    f.settings = settings;
    f.device = IDirect3DDevice9::create(std::move(backend), settings.pp, settings.BehaviorFlags);
    if (f.device == nullptr) {
        return fail(DXUTERR_CREATINGDEVICE, DXUT_EXIT_CREATING_DEVICE, "the device has no size");
    }
    f.backBuffer = f.device->backBufferDesc();

    if (f.deviceCreated) {
        const HRESULT hr = f.deviceCreated(f.device, &f.backBuffer);
        if (FAILED(hr)) {
            // The destroyed callback releases what the created callback made before failing.
            if (f.deviceDestroyed) {
                f.deviceDestroyed();
            }
            releaseDevice();
            return hr == DXUTERR_MEDIANOTFOUND
                       ? fail(hr, DXUT_EXIT_MEDIA_NOT_FOUND, "a media file was not found")
                       : fail(hr, DXUT_EXIT_CREATING_DEVICE_OBJECTS,
                              "the device-created callback failed");
        }
    }
    f.objectsCreated = true;
    if (const HRESULT hr = resetDeviceObjects(); FAILED(hr)) {
        releaseDevice();
        return hr;
    }
    f.time = 0.0;
    f.elapsed = 0.0f;
    f.framesRendered = 0;
    startPacing();
    restartTiming();
    if (f.window) {
        SDL_ShowWindow(f.window.get());
    }
    applyCursorSettings();
    sendSizeMessage(f.backBuffer.Width, f.backBuffer.Height);
    return S_OK;
}

void resizeBackBuffer(UINT width, UINT height, bool force) {
    Framework& f = framework();
    if (f.device == nullptr || width == 0 || height == 0 || f.quit) {
        return;
    }
    if (!force && width == f.settings.pp.BackBufferWidth &&
        height == f.settings.pp.BackBufferHeight) {
        return;
    }
    sendSizeMessage(width, height);
    if (f.objectsReset) {
        f.objectsReset = false;
        if (f.deviceLost) {
            f.deviceLost();
        }
    }
    f.settings.pp.BackBufferWidth = width;
    f.settings.pp.BackBufferHeight = height;
    f.settings.pp.Windowed = f.fullScreen ? FALSE : TRUE;
    if (const HRESULT hr = f.device->Reset(&f.settings.pp); FAILED(hr)) {
        fail(hr, DXUT_EXIT_RESETTING_DEVICE_OBJECTS, "the device could not be reset");
        return;
    }
    resetDeviceObjects();
}

HRESULT DXUTToggleFullScreen() {
    Framework& f = framework();
    if (f.device == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    f.fullScreen = !f.fullScreen;
    if (f.window) {
        SDL_Window* window = f.window.get();
        if (f.fullScreen) {
            SDL_GetWindowPosition(window, &f.windowedPlace.x, &f.windowedPlace.y);
            f.windowedPlace.w = int(f.settings.pp.BackBufferWidth);
            f.windowedPlace.h = int(f.settings.pp.BackBufferHeight);
            SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP);
        } else {
            // Where full screen was not carried out, SDL still takes the screen's size for
            // the window's: asking for the old size and place sets it right either way.
            SDL_SetWindowFullscreen(window, 0);
            SDL_SetWindowSize(window, f.windowedPlace.w, f.windowedPlace.h);
            SDL_SetWindowPosition(window, f.windowedPlace.x, f.windowedPlace.y);
        }
        startPacing();
    }
    applyCursorSettings();
    // The device is reset for the new mode at the size the window has until the window
    // system says otherwise; its word on a new size resets the device again.
    resizeBackBuffer(f.settings.pp.BackBufferWidth, f.settings.pp.BackBufferHeight, true);
    return S_OK;
}

// [SECTION] shutdown

void releaseDevice() {
    Framework& f = framework();
    if (f.device == nullptr) {
        return;
    }
    if (f.objectsReset && f.deviceLost) {
        f.deviceLost();
    }
    if (f.objectsCreated && f.deviceDestroyed) {
        f.deviceDestroyed();
    }
    f.objectsReset = false;
    f.objectsCreated = false;
    if (const ULONG left = f.device->Release(); left != 0) {
        std::fprintf(stderr, "Orvanta: %u references to the device were never released\n",
                     unsigned(left));
    }
    f.device = nullptr;
}

void shutdown() {
    Framework& f = framework();
    releaseDevice();
    f.context.reset();
    if (f.window) {
        SDL_SetWindowGrab(f.window.get(), SDL_FALSE);
    }
    f.windowSize.reset();
    f.window.reset();
    f.video.reset();
    f.direct3d = RefPtr<IDirect3D9>();
    f.windowCreated = false;
    f.quit = false;
    f.posted.clear();
    f.lastFrame.clear();
    f.buttons = 0;
    f.fullScreen = false;
    f.wireframe = false;
    f.minimized = false;
    f.timePaused = false;
    f.renderingPaused = false;
}

void DXUTShutdown(int exitCode) {
    framework().exitCode = exitCode;
    shutdown();
}

// [SECTION] pause and the DXUTGet* calls

void DXUTPause(bool pauseTime, bool pauseRendering) {
    Framework& f = framework();
    const bool wasPaused = f.timePaused || f.renderingPaused;
    f.timePaused = pauseTime;
    f.renderingPaused = pauseRendering;
    if (wasPaused && !pauseTime) {
        restartTiming();
    }
}

bool DXUTIsTimePaused() {
    return framework().timePaused;
}
bool DXUTIsRenderingPaused() {
    return framework().renderingPaused;
}
bool DXUTIsWindowed() {
    return !framework().fullScreen;
}
int DXUTGetExitCode() {
    return framework().exitCode;
}
IDirect3D9* DXUTGetD3DObject() {
    return framework().direct3d.get();
}
IDirect3DDevice9* DXUTGetD3DDevice() {
    return framework().device;
}
const D3DSURFACE_DESC* DXUTGetBackBufferSurfaceDesc() {
    return &framework().backBuffer;
}
HWND DXUTGetHWND() {
    return framework().windowCreated ? reinterpret_cast<HWND>(&gWindowTag) : nullptr;
}
double DXUTGetTime() {
    return framework().time;
}
float DXUTGetElapsedTime() {
    return framework().elapsed;
}

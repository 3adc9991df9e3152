// The framework shell: window, device lifecycle, main loop, timing, hotkeys, media search.
//
// Order of a run: register callbacks, DXUTInit, DXUTCreateWindow, DXUTCreateDevice,
// DXUTMainLoop, then DXUTGetExitCode. DXUTCreateDevice asks the acceptable callback about
// the candidate settings, lets the modify callback change them, calls device created and
// device reset with the back buffer's size, then sends the message callback a WM_SIZE with
// the client size. A resize sends WM_SIZE, then device lost, then device reset with the new
// size; the size is the one the window system reports, not the one asked for. A full-screen
// toggle does the same at once with the size the window has, and again when the window
// system reports a new one (where it does not honour full screen, it reports none); leaving
// full screen puts the window back at its windowed size and place. When the loop ends:
// device lost, device destroyed, the device and window are released (all before static
// objects of the application die).
//
// Frames are presented with the display's refresh; where presenting does not wait for it
// (software drawing, a virtual X server), the loop sleeps so as to draw 60 frames a second.
// Time and elapsed time are real time either way (or constant, with -constantframetime).
//
// Hotkeys (unless the message callback sets *pbNoFurtherProcessing): Esc quits, Pause
// freezes time and rendering, Alt+Enter toggles full screen, F8 toggles wireframe.
//
// Command-line flags (read by DXUTInit(true, ...); unknown flags are ignored):
//   -width:N -height:N -windowed -fullscreen
//   -quitafterframe:N      end the loop after N frames
//   -constantframetime:S   every frame advances time by S seconds
//   -screenshot:FILE       write the last frame as PNG when the loop ends
#pragma once

#include "d3d9/d3d9.h"
#include "win32/win32.h"

// The settings a device is created with; the modify callback may change them.
struct DXUTDeviceSettings {
    UINT AdapterOrdinal;
    D3DDEVTYPE DeviceType;
    D3DFORMAT AdapterFormat;
    DWORD BehaviorFlags;
    D3DPRESENT_PARAMETERS pp;
};

// Every callback's last argument is the context given when it was registered (or to
// DXUTCreateDevice, for the first two).
using LPDXUTCALLBACKISDEVICEACCEPTABLE = bool (*)(D3DCAPS9* caps, D3DFORMAT adapterFormat,
                                                  D3DFORMAT backBufferFormat, bool windowed,
                                                  void* userContext);
using LPDXUTCALLBACKMODIFYDEVICESETTINGS = void (*)(DXUTDeviceSettings* settings,
                                                    const D3DCAPS9* caps, void* userContext);
using LPDXUTCALLBACKDEVICECREATED = HRESULT (*)(IDirect3DDevice9* device,
                                                const D3DSURFACE_DESC* backBuffer,
                                                void* userContext);
using LPDXUTCALLBACKDEVICERESET = HRESULT (*)(IDirect3DDevice9* device,
                                              const D3DSURFACE_DESC* backBuffer, void* userContext);
using LPDXUTCALLBACKDEVICELOST = void (*)(void* userContext);
using LPDXUTCALLBACKDEVICEDESTROYED = void (*)(void* userContext);
using LPDXUTCALLBACKFRAMEMOVE = void (*)(IDirect3DDevice9* device, double time, float elapsed,
                                         void* userContext);
using LPDXUTCALLBACKFRAMERENDER = void (*)(IDirect3DDevice9* device, double time, float elapsed,
                                           void* userContext);
using LPDXUTCALLBACKKEYBOARD = void (*)(UINT key, bool keyDown, bool altDown, void* userContext);
using LPDXUTCALLBACKMSGPROC = LRESULT (*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                          bool* noFurtherProcessing, void* userContext);

void DXUTSetCallbackDeviceCreated(LPDXUTCALLBACKDEVICECREATED callback,
                                  void* userContext = nullptr);
void DXUTSetCallbackDeviceReset(LPDXUTCALLBACKDEVICERESET callback, void* userContext = nullptr);
void DXUTSetCallbackDeviceLost(LPDXUTCALLBACKDEVICELOST callback, void* userContext = nullptr);
void DXUTSetCallbackDeviceDestroyed(LPDXUTCALLBACKDEVICEDESTROYED callback,
                                    void* userContext = nullptr);
void DXUTSetCallbackFrameMove(LPDXUTCALLBACKFRAMEMOVE callback, void* userContext = nullptr);
void DXUTSetCallbackFrameRender(LPDXUTCALLBACKFRAMERENDER callback, void* userContext = nullptr);
void DXUTSetCallbackKeyboard(LPDXUTCALLBACKKEYBOARD callback, void* userContext = nullptr);
void DXUTSetCallbackMsgProc(LPDXUTCALLBACKMSGPROC callback, void* userContext = nullptr);

HRESULT DXUTInit(bool parseCommandLine = true, bool handleDefaultHotkeys = true,
                 bool showMsgBoxOnError = true);
// In full screen: show the cursor, keep it inside the window.
void DXUTSetCursorSettings(bool showCursorWhenFullScreen, bool clipCursorWhenFullScreen);
HRESULT DXUTCreateWindow(const WCHAR* windowTitle = L"Orvanta", HINSTANCE instance = nullptr,
                         HICON icon = nullptr, HMENU menu = nullptr, int x = CW_USEDEFAULT,
                         int y = CW_USEDEFAULT);
HRESULT DXUTCreateDevice(UINT adapterOrdinal = D3DADAPTER_DEFAULT, bool windowed = true,
                         int suggestedWidth = 0, int suggestedHeight = 0,
                         LPDXUTCALLBACKISDEVICEACCEPTABLE isDeviceAcceptable = nullptr,
                         LPDXUTCALLBACKMODIFYDEVICESETTINGS modifyDeviceSettings = nullptr,
                         void* userContext = nullptr);
HRESULT DXUTMainLoop(HACCEL accelerators = nullptr);
// Ends the run now (as the end of the loop does) with the given exit code.
void DXUTShutdown(int exitCode = 0);

HRESULT DXUTToggleFullScreen();
void DXUTPause(bool pauseTime, bool pauseRendering);
bool DXUTIsTimePaused();
bool DXUTIsRenderingPaused();
bool DXUTIsWindowed();

int DXUTGetExitCode();
IDirect3D9* DXUTGetD3DObject();
IDirect3DDevice9* DXUTGetD3DDevice();
const D3DSURFACE_DESC* DXUTGetBackBufferSurfaceDesc();
HWND DXUTGetHWND();
double DXUTGetTime();
float DXUTGetElapsedTime();

// Exit codes (DXUTGetExitCode).
inline constexpr int DXUT_EXIT_NORMAL = 0;
inline constexpr int DXUT_EXIT_NO_DEVICE_CREATED = 1;  // the loop ran without a device
inline constexpr int DXUT_EXIT_NO_WINDOW = 2;
inline constexpr int DXUT_EXIT_NO_COMPATIBLE_DEVICE = 3;
inline constexpr int DXUT_EXIT_CREATING_DEVICE = 4;
inline constexpr int DXUT_EXIT_MEDIA_NOT_FOUND = 5;
inline constexpr int DXUT_EXIT_CREATING_DEVICE_OBJECTS = 6;
inline constexpr int DXUT_EXIT_RESETTING_DEVICE_OBJECTS = 7;
inline constexpr int DXUT_EXIT_SCREENSHOT = 8;

inline constexpr HRESULT DXUTERR_NOWINDOW = MAKE_HRESULT(1, 0x901, 1);
inline constexpr HRESULT DXUTERR_NOCOMPATIBLEDEVICES = MAKE_HRESULT(1, 0x901, 2);
inline constexpr HRESULT DXUTERR_CREATINGDEVICE = MAKE_HRESULT(1, 0x901, 3);
inline constexpr HRESULT DXUTERR_MEDIANOTFOUND = MAKE_HRESULT(1, 0x901, 4);

// Returns the first failing code from the enclosing function.
#define V_RETURN(expression)                  \
    do {                                      \
        const HRESULT v_return_ = expression; \
        if (FAILED(v_return_)) {              \
            return v_return_;                 \
        }                                     \
    } while (false)

template <typename T>
void SAFE_RELEASE(T*& object) {
    if (object != nullptr) {
        object->Release();
        object = nullptr;
    }
}

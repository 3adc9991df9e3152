#include <thread>

#include "dxut/framework_state.h"
#include "dxut/png_file.h"
#include "win32/utf8.h"

namespace {

// While nothing is drawn (paused, minimised), the loop sleeps this long waiting for events.
constexpr int kIdleWaitMilliseconds = 100;

bool isKeyMessage(UINT message) {
    return message == WM_KEYDOWN || message == WM_SYSKEYDOWN || message == WM_KEYUP ||
           message == WM_SYSKEYUP;
}

void applyHotkeys(const WindowMessage& message) {
    Framework& f = framework();
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) {
        return;
    }
    const bool repeat = (message.lParam & kKeyRepeat) != 0;
    const bool alt = (message.lParam & kKeyAltDown) != 0;
    switch (message.wParam) {
        case VK_ESCAPE:
            if (!alt) {
                f.quit = true;
            }
            break;
        case VK_PAUSE:
            if (!repeat) {
                const bool paused = f.timePaused || f.renderingPaused;
                DXUTPause(!paused, !paused);
            }
            break;
        case VK_RETURN:
            if (alt && !repeat) {
                DXUTToggleFullScreen();
            }
            break;
        case VK_F8:
            if (!repeat && f.device != nullptr) {
                f.wireframe = !f.wireframe;
                f.device->setWireframe(f.wireframe);
            }
            break;
        default:
            break;
    }
}

void captureMouse(Uint32 buttonsBefore) {
    Framework& f = framework();
    // Keep receiving the pointer while a button is held, also outside the window.
    if ((buttonsBefore == 0) != (f.buttons == 0)) {
        SDL_CaptureMouse(f.buttons != 0 ? SDL_TRUE : SDL_FALSE);
    }
}

void handleWindowEvent(const SDL_WindowEvent& event) {
    Framework& f = framework();
    switch (event.event) {
        case SDL_WINDOWEVENT_DISPLAY_CHANGED:
            startPacing();
            break;
        case SDL_WINDOWEVENT_MINIMIZED:
            f.minimized = true;
            break;
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_MAXIMIZED:
            if (f.minimized) {
                f.minimized = false;
                restartTiming();
            }
            break;
        default:
            break;
    }
}

void writeScreenshot() {
    Framework& f = framework();
    const std::string path = utf8FromWide(f.flags.screenshot);
    std::string error;
    if (f.lastFrame.empty()) {
        error = "no frame was drawn";
    } else if (writePng(path, f.lastFrame, f.lastFrameWidth, f.lastFrameHeight, error)) {
        return;
    }
    reportFailure("screenshot " + path + ": " + error);
    if (f.exitCode == DXUT_EXIT_NORMAL) {
        f.exitCode = DXUT_EXIT_SCREENSHOT;
    }
}

}  // namespace

void dispatchMessage(const WindowMessage& message) {
    Framework& f = framework();
    bool noFurtherProcessing = false;
    if (f.msgProc) {
        f.msgProc(DXUTGetHWND(), message.message, message.wParam, message.lParam,
                  &noFurtherProcessing);
    }
    if (noFurtherProcessing || !isKeyMessage(message.message)) {
        return;
    }
    if (f.keyboard) {
        const bool down = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
        f.keyboard(UINT(message.wParam), down, (message.lParam & kKeyAltDown) != 0);
    }
    if (f.handleHotkeys) {
        applyHotkeys(message);
    }
}

void handleSdlEvent(const SDL_Event& event) {
    Framework& f = framework();
    switch (event.type) {
        case SDL_QUIT:
            dispatchMessage({WM_CLOSE, 0, 0});
            f.quit = true;
            return;
        case SDL_WINDOWEVENT:
        case SDL_SYSWMEVENT:
            if (f.windowSize) {
                if (const std::optional<ClientSize> size = f.windowSize->changeIn(event)) {
                    resizeBackBuffer(size->width, size->height, false);
                }
            }
            if (event.type == SDL_WINDOWEVENT) {
                handleWindowEvent(event.window);
            }
            return;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            const Uint32 before = f.buttons;
            const Uint32 mask = SDL_BUTTON(event.button.button);
            f.buttons =
                event.type == SDL_MOUSEBUTTONDOWN ? (f.buttons | mask) : (f.buttons & ~mask);
            captureMouse(before);
            break;
        }
        default:
            break;
    }
    if (event.type == SDL_KEYDOWN || event.type == SDL_KEYUP) {
        // SDL's modifier state is that of the newest queued event; controls read it while this
        // one is handled, so a quick Ctrl+A must not arrive as a plain "a".
        SDL_SetModState(static_cast<SDL_Keymod>(event.key.keysym.mod));
    }
    for (const WindowMessage& message :
         translateInputEvent(event, f.buttons, Uint16(SDL_GetModState()))) {
        dispatchMessage(message);
    }
}

void restartTiming() {
    Framework& f = framework();
    f.lastTick = std::chrono::steady_clock::now();
    f.pacer.restart();
}

void startPacing() {
    Framework& f = framework();
    SDL_DisplayMode mode{};
    const int refreshRate =
        f.window && SDL_GetWindowDisplayMode(f.window.get(), &mode) == 0 ? mode.refresh_rate : 0;
    f.pacer.start(refreshRate, f.context && f.context->swapIntervalSet());
}

void runLoopIteration(bool mayWait) {
    Framework& f = framework();
    const bool idle = f.minimized || f.renderingPaused;
    if (f.window && mayWait && !idle) {
        // Input that comes meanwhile is handled below, before the frame that shows it.
        std::this_thread::sleep_until(f.pacer.due());
    }
    const auto began = std::chrono::steady_clock::now();
    if (f.window) {
        SDL_Event event;
        if (idle && mayWait && SDL_WaitEventTimeout(&event, kIdleWaitMilliseconds) == 1) {
            handleSdlEvent(event);
        }
        while (!f.quit && SDL_PollEvent(&event) == 1) {
            handleSdlEvent(event);
        }
    }
    while (!f.quit && !f.posted.empty()) {
        const WindowMessage message = f.posted.front();
        f.posted.pop_front();
        dispatchMessage(message);
    }
    if (f.quit || f.device == nullptr || f.minimized || f.renderingPaused) {
        return;
    }

    const auto now = std::chrono::steady_clock::now();
    if (f.flags.constantFrameTime) {
        f.elapsed = float(*f.flags.constantFrameTime);
    } else {
        f.elapsed = std::chrono::duration<float>(now - f.lastTick).count();
    }
    f.lastTick = now;
    if (f.timePaused) {
        f.elapsed = 0.0f;
    }
    f.time += f.elapsed;

    if (f.frameMove) {
        f.frameMove(f.device, f.time, f.elapsed);
    }
    if (f.frameRender) {
        f.frameRender(f.device, f.time, f.elapsed);
    }
    if (!f.flags.screenshot.empty()) {
        f.device->backend().readPixels(f.lastFrame, f.lastFrameWidth, f.lastFrameHeight);
    }
    f.device->present();
    if (f.window) {
        f.pacer.framePresented(began, std::chrono::steady_clock::now());
    }
    ++f.framesRendered;
    if (f.flags.quitAfterFrame > 0 && f.framesRendered >= f.flags.quitAfterFrame) {
        f.quit = true;
    }
}

HRESULT DXUTMainLoop(HACCEL) {
    Framework& f = framework();
    if (f.device == nullptr) {
        if (f.exitCode == DXUT_EXIT_NORMAL) {
            f.exitCode = DXUT_EXIT_NO_DEVICE_CREATED;
        }
        shutdown();
        return E_FAIL;
    }
    // Time runs from the start of the loop: device creation does not count as a frame.
    restartTiming();
    while (!f.quit) {
        runLoopIteration(true);
    }
    if (!f.flags.screenshot.empty() && f.exitCode == DXUT_EXIT_NORMAL) {
        writeScreenshot();
    }
    shutdown();
    return S_OK;
}

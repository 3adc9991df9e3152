#include "dxut/window_size.h"

#include <SDL_syswm.h>

#include <algorithm>

namespace {

ClientSize drawableSize(SDL_Window* window) {
    int width = 0;
    int height = 0;
    SDL_GL_GetDrawableSize(window, &width, &height);
    return ClientSize{unsigned(std::max(width, 0)), unsigned(std::max(height, 0))};
}

}  // namespace

WindowSizeWatch::WindowSizeWatch(SDL_Window* window) : window_(window) {
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(window, &info) == SDL_TRUE && info.subsystem == SDL_SYSWM_X11) {
        display_ = info.info.x11.display;
        xWindow_ = info.info.x11.window;
        SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
    }
#endif
}

ClientSize WindowSizeWatch::current() const {
#if defined(SDL_VIDEO_DRIVER_X11)
    if (display_ != nullptr) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(static_cast<Display*>(display_), Window(xWindow_), &attributes) !=
            0) {
            return ClientSize{unsigned(attributes.width), unsigned(attributes.height)};
        }
    }
#endif
    return drawableSize(window_);
}

std::optional<ClientSize> WindowSizeWatch::changeIn(const SDL_Event& event) const {
#if defined(SDL_VIDEO_DRIVER_X11)
    if (display_ != nullptr) {
        if (event.type != SDL_SYSWMEVENT || event.syswm.msg->subsystem != SDL_SYSWM_X11) {
            return std::nullopt;
        }
        const XEvent& x = event.syswm.msg->msg.x11.event;
        if (x.type != ConfigureNotify || x.xconfigure.window != Window(xWindow_)) {
            return std::nullopt;
        }
        return ClientSize{unsigned(x.xconfigure.width), unsigned(x.xconfigure.height)};
    }
#endif
    if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
        return drawableSize(window_);
    }
    return std::nullopt;
}

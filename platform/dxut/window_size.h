// The size of the window's client area, as the window system has it.
//
// SDL takes a size it asks for as the window's size at once. On X11 a full-screen switch
// that no window manager carries out (an X server without one, as in CI) would then read
// as the screen's size while the window keeps its own, and the back buffer would be drawn
// for a window that is not there. So on X11 the size comes from the server: asked of it,
// and from its configure events; other window systems report the size they give.
#pragma once

#include <SDL.h>

#include <optional>

struct ClientSize {
    unsigned width = 0;
    unsigned height = 0;
};

class WindowSizeWatch {
  public:
    // From now on the events of `window` tell its size changes; call right after creating it.
    explicit WindowSizeWatch(SDL_Window* window);
    WindowSizeWatch(const WindowSizeWatch&) = delete;
    WindowSizeWatch& operator=(const WindowSizeWatch&) = delete;

    // The client size now, asked of the window system.
    ClientSize current() const;
    // The new client size when `event` is the window system's word that it changed.
    std::optional<ClientSize> changeIn(const SDL_Event& event) const;

  private:
    SDL_Window* window_;
    void* display_ = nullptr;    // the X server's Display*, null off X11
    unsigned long xWindow_ = 0;  // the X window
};

// The OpenGL 3.3 core context of the window, and the RAII owner of every GL name.
//
// GL names die with their context. Device objects may outlive it (an application that
// leaks one, a font kept by a static dialog), so each name holds the context's life flag
// and is deleted only while the context is still alive.
#pragma once

#include <epoxy/gl.h>

#include <memory>
#include <string>

struct SDL_Window;
using SDL_GLContext = void*;

struct GlContextLife {
    bool alive = true;
};

class GlContext {
  public:
    // Sets the window attributes the context needs; call before the window is created.
    static void prepareWindowAttributes();
    // Null, with the reason in `error`, when the window offers no GL 3.3 core context
    // with depth and stencil.
    static std::unique_ptr<GlContext> create(SDL_Window* window, std::string& error);
    ~GlContext();
    GlContext(const GlContext&) = delete;
    GlContext& operator=(const GlContext&) = delete;

    SDL_Window* window() const { return window_; }
    // The driver took a swap interval, so presenting may wait for the display's refresh.
    bool swapIntervalSet() const { return swapIntervalSet_; }
    std::shared_ptr<const GlContextLife> life() const { return life_; }

  private:
    GlContext(SDL_Window* window, SDL_GLContext context)
        : window_(window), context_(context), life_(std::make_shared<GlContextLife>()) {}

    SDL_Window* window_;
    SDL_GLContext context_;
    std::shared_ptr<GlContextLife> life_;
    bool swapIntervalSet_ = false;
};

enum class GlKind { buffer, vertexArray, texture, program, shader };

// One GL name of one kind, deleted with its owner while the context lives.
class GlName {
  public:
    GlName() = default;
    GlName(GlKind kind, GLuint name, std::shared_ptr<const GlContextLife> life)
        : kind_(kind), name_(name), life_(std::move(life)) {}
    GlName(GlName&& other) noexcept { *this = std::move(other); }
    GlName& operator=(GlName&& other) noexcept;
    ~GlName() { reset(); }

    // Creates a name of the kind in the current context.
    static GlName make(GlKind kind, std::shared_ptr<const GlContextLife> life);

    GLuint get() const { return name_; }
    void reset();

  private:
    GlKind kind_ = GlKind::buffer;
    GLuint name_ = 0;
    std::shared_ptr<const GlContextLife> life_;
};

#include "d3d9/gl/gl_context.h"

#include <SDL.h>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ORVANTA_ADDRESS_SANITIZER 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define ORVANTA_ADDRESS_SANITIZER 1
#endif

#if ORVANTA_ADDRESS_SANITIZER
#include <dlfcn.h>
#include <link.h>

#include <cstring>
#endif

namespace {

#if ORVANTA_ADDRESS_SANITIZER
// Mesa unloads its DRI driver when the context goes, before LeakSanitizer reports at exit;
// the driver's own never-freed allocations then come from an unknown module that no
// suppression can name. Under the sanitizer only, keep the driver loaded to the end.
void keepGlDriverLoaded() {
    dl_iterate_phdr(
        [](dl_phdr_info* info, std::size_t, void*) {
            if (info->dlpi_name != nullptr && std::strstr(info->dlpi_name, "_dri.so") != nullptr) {
                dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
            }
            return 0;
        },
        nullptr);
}
#else
void keepGlDriverLoaded() {}
#endif

}  // namespace

void GlContext::prepareWindowAttributes() {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
}

std::unique_ptr<GlContext> GlContext::create(SDL_Window* window, std::string& error) {
    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (context == nullptr) {
        error = std::string("no OpenGL 3.3 core context: ") + SDL_GetError();
        return nullptr;
    }
    std::unique_ptr<GlContext> owner(new GlContext(window, context));
    keepGlDriverLoaded();
    int depth = 0;
    int stencil = 0;
    SDL_GL_GetAttribute(SDL_GL_DEPTH_SIZE, &depth);
    SDL_GL_GetAttribute(SDL_GL_STENCIL_SIZE, &stencil);
    if (epoxy_gl_version() < 33 || depth < 24 || stencil < 8) {
        error = "the OpenGL context lacks version 3.3, a 24-bit depth or an 8-bit stencil buffer";
        return nullptr;
    }
    // Present with the display's refresh: adaptive where offered (a late frame is shown at
    // once rather than a whole refresh later), else plain vertical sync. A driver may refuse
    // both; the main loop then paces itself.
    owner->swapIntervalSet_ = SDL_GL_SetSwapInterval(-1) == 0 || SDL_GL_SetSwapInterval(1) == 0;
    return owner;
}

GlContext::~GlContext() {
    life_->alive = false;
    SDL_GL_DeleteContext(context_);
}

GlName& GlName::operator=(GlName&& other) noexcept {
    if (this != &other) {
        reset();
        kind_ = other.kind_;
        name_ = other.name_;
        life_ = std::move(other.life_);
        other.name_ = 0;
    }
    return *this;
}

GlName GlName::make(GlKind kind, std::shared_ptr<const GlContextLife> life) {
    GLuint name = 0;
    switch (kind) {
        case GlKind::buffer:
            glGenBuffers(1, &name);
            break;
        case GlKind::vertexArray:
            glGenVertexArrays(1, &name);
            break;
        case GlKind::texture:
            glGenTextures(1, &name);
            break;
        case GlKind::program:
            name = glCreateProgram();
            break;
        case GlKind::shader:
            // Shaders are made with their stage by glCreateShader; see the effect compiler.
            break;
    }
    return GlName(kind, name, std::move(life));
}

void GlName::reset() {
    if (name_ != 0 && life_ && life_->alive) {
        switch (kind_) {
            case GlKind::buffer:
                glDeleteBuffers(1, &name_);
                break;
            case GlKind::vertexArray:
                glDeleteVertexArrays(1, &name_);
                break;
            case GlKind::texture:
                glDeleteTextures(1, &name_);
                break;
            case GlKind::program:
                glDeleteProgram(name_);
                break;
            case GlKind::shader:
                glDeleteShader(name_);
                break;
        }
    }
    name_ = 0;
    life_.reset();
}

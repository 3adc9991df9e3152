// The OpenGL backend of the device (gl_backend.h).
//
// [SECTION] shader building, buffers and programs
// [SECTION] the canvas shader
// [SECTION] the state shadow
// [SECTION] clear and triangles
// [SECTION] rectangles and glyphs
// [SECTION] present and read-back

#include "d3d9/gl/gl_backend.h"

#include <SDL.h>

#include <algorithm>
#include <unordered_map>

#include "d3d9/canvas2d.h"

namespace {

// [SECTION] shader building, buffers and programs

GLuint compileShader(GLenum stage, const std::string& source, std::string& log) {
    const GLuint shader = glCreateShader(stage);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok != GL_TRUE) {
        GLint length = 0;
        glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
        std::string message(std::size_t(std::max(length, 1)), '\0');
        glGetShaderInfoLog(shader, length, nullptr, message.data());
        log += (stage == GL_VERTEX_SHADER ? "vertex shader: " : "fragment shader: ") +
               std::string(message.c_str());
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

GlName linkProgram(const std::string& vertexSource, const std::string& fragmentSource,
                   std::shared_ptr<const GlContextLife> life, std::string& log) {
    GlName vertex(GlKind::shader, compileShader(GL_VERTEX_SHADER, vertexSource, log), life);
    GlName fragment(GlKind::shader, compileShader(GL_FRAGMENT_SHADER, fragmentSource, log), life);
    if (vertex.get() == 0 || fragment.get() == 0) {
        return GlName();
    }
    GlName program = GlName::make(GlKind::program, life);
    glAttachShader(program.get(), vertex.get());
    glAttachShader(program.get(), fragment.get());
    glLinkProgram(program.get());
    GLint ok = GL_FALSE;
    glGetProgramiv(program.get(), GL_LINK_STATUS, &ok);
    if (ok != GL_TRUE) {
        GLint length = 0;
        glGetProgramiv(program.get(), GL_INFO_LOG_LENGTH, &length);
        std::string message(std::size_t(std::max(length, 1)), '\0');
        glGetProgramInfoLog(program.get(), length, nullptr, message.data());
        log += "link: " + std::string(message.c_str());
        return GlName();
    }
    return program;
}

class GlBuffer final : public BackendBuffer {
  public:
    GlBuffer(UINT length, std::shared_ptr<const GlContextLife> life)
        : name_(GlName::make(GlKind::buffer, std::move(life))) {
        glBindBuffer(GL_ARRAY_BUFFER, name_.get());
        glBufferData(GL_ARRAY_BUFFER, length, nullptr, GL_STATIC_DRAW);
    }
    void upload(UINT offset, const void* data, UINT size) override {
        glBindBuffer(GL_ARRAY_BUFFER, name_.get());
        glBufferSubData(GL_ARRAY_BUFFER, offset, size, data);
    }
    GLuint name() const { return name_.get(); }

  private:
    GlName name_;
};

class GlProgram final : public BackendProgram {
  public:
    GlProgram(GlBackend& backend, GlName program)
        : backend_(backend), program_(std::move(program)) {}
    void setMatrix(const std::string& name, const float values[16]) override {
        auto found = locations_.find(name);
        if (found == locations_.end()) {
            found =
                locations_.emplace(name, glGetUniformLocation(program_.get(), name.c_str())).first;
        }
        backend_.useProgram(program_.get());
        // Row-major rows for row vectors are the columns GLSL expects for M * v.
        glUniformMatrix4fv(found->second, 1, GL_FALSE, values);
    }
    GLuint name() const { return program_.get(); }

  private:
    GlBackend& backend_;
    GlName program_;
    std::unordered_map<std::string, GLint> locations_;
};

// [SECTION] the canvas shader

const char* const kFlatVertexShader = R"(#version 330 core
layout(location = 0) in vec2 position;
layout(location = 1) in vec4 color;
layout(location = 2) in vec2 texcoord;
uniform vec2 viewport;
out vec4 vColor;
out vec2 vTexcoord;
void main() {
    gl_Position = vec4(position.x / viewport.x * 2.0 - 1.0, 1.0 - position.y / viewport.y * 2.0,
                       0.0, 1.0);
    vColor = color;
    vTexcoord = texcoord;
}
)";

const char* const kFlatFragmentShader = R"(#version 330 core
in vec4 vColor;
in vec2 vTexcoord;
uniform sampler2D glyphs;
uniform bool textured;
out vec4 fragColor;
void main() {
    float coverage = textured ? texture(glyphs, vTexcoord).r : 1.0;
    fragColor = vec4(vColor.rgb, vColor.a * coverage);
}
)";

GLenum glCompare(CompareFunction f) {
    switch (f) {
        case CompareFunction::never:
            return GL_NEVER;
        case CompareFunction::less:
            return GL_LESS;
        case CompareFunction::equal:
            return GL_EQUAL;
        case CompareFunction::lessEqual:
            return GL_LEQUAL;
        case CompareFunction::greater:
            return GL_GREATER;
        case CompareFunction::notEqual:
            return GL_NOTEQUAL;
        case CompareFunction::greaterEqual:
            return GL_GEQUAL;
        case CompareFunction::always:
            return GL_ALWAYS;
    }
    return GL_LEQUAL;
}

GLenum glBlend(BlendFactor f) {
    switch (f) {
        case BlendFactor::zero:
            return GL_ZERO;
        case BlendFactor::one:
            return GL_ONE;
        case BlendFactor::sourceAlpha:
            return GL_SRC_ALPHA;
        case BlendFactor::inverseSourceAlpha:
            return GL_ONE_MINUS_SRC_ALPHA;
        case BlendFactor::sourceColor:
            return GL_SRC_COLOR;
        case BlendFactor::inverseSourceColor:
            return GL_ONE_MINUS_SRC_COLOR;
    }
    return GL_ONE;
}

// Direct3D's winding is the one the viewer sees, and so is GL's in window space (y up), so
// with counter-clockwise front faces Direct3D's "counter-clockwise" culls GL's front.
GLenum glCull(CullMode mode) {
    switch (mode) {
        case CullMode::none:
            return GL_NONE;
        case CullMode::clockwise:
            return GL_BACK;
        case CullMode::counterClockwise:
            return GL_FRONT;
    }
    return GL_NONE;
}

}  // namespace

std::unique_ptr<GlBackend> GlBackend::create(GlContext& context, std::string& error) {
    std::string log;
    GlName flat = linkProgram(kFlatVertexShader, kFlatFragmentShader, context.life(), log);
    if (flat.get() == 0) {
        error = "the canvas shader does not build: " + log;
        return nullptr;
    }
    return std::unique_ptr<GlBackend>(new GlBackend(context, std::move(flat)));
}

GlBackend::GlBackend(GlContext& context, GlName flatProgram)
    : context_(context),
      vertexArray_(GlName::make(GlKind::vertexArray, context.life())),
      flatProgram_(std::move(flatProgram)),
      flatBuffer_(GlName::make(GlKind::buffer, context.life())) {
    flatViewport_ = glGetUniformLocation(flatProgram_.get(), "viewport");
    flatTextured_ = glGetUniformLocation(flatProgram_.get(), "textured");
    glUseProgram(flatProgram_.get());
    glUniform1i(glGetUniformLocation(flatProgram_.get(), "glyphs"), 0);
    glBindVertexArray(vertexArray_.get());
    glFrontFace(GL_CCW);
    glDisable(GL_SCISSOR_TEST);
    apply(current_, true);
}

// [SECTION] the state shadow

void GlBackend::apply(const States& target, bool force) {
    auto toggle = [](GLenum cap, bool on) { on ? glEnable(cap) : glDisable(cap); };
    if (force || target.depthTest != current_.depthTest) {
        toggle(GL_DEPTH_TEST, target.depthTest);
    }
    if (force || target.depthFunction != current_.depthFunction) {
        glDepthFunc(target.depthFunction);
    }
    if (force || target.depthWrite != current_.depthWrite) {
        glDepthMask(target.depthWrite ? GL_TRUE : GL_FALSE);
    }
    if (force || target.cullFace != current_.cullFace) {
        toggle(GL_CULL_FACE, target.cullFace != GL_NONE);
        if (target.cullFace != GL_NONE) {
            glCullFace(target.cullFace);
        }
    }
    if (force || target.blend != current_.blend) {
        toggle(GL_BLEND, target.blend);
    }
    if (force || target.sourceBlend != current_.sourceBlend ||
        target.destinationBlend != current_.destinationBlend) {
        glBlendFunc(target.sourceBlend, target.destinationBlend);
    }
    if (force || target.wireframe != current_.wireframe) {
        glPolygonMode(GL_FRONT_AND_BACK, target.wireframe ? GL_LINE : GL_FILL);
    }
    if (force || target.program != current_.program) {
        glUseProgram(target.program);
    }
    current_ = target;
}

void GlBackend::useProgram(GLuint program) {
    States target = current_;
    target.program = program;
    apply(target);
}

// [SECTION] clear and triangles

void GlBackend::resize(UINT width, UINT height) {
    width_ = width;
    height_ = height;
    glViewport(0, 0, GLsizei(width), GLsizei(height));
}

void GlBackend::clear(std::span<const RECT> rects, DWORD flags, D3DCOLOR color, float z,
                      DWORD stencil) {
    GLbitfield mask = 0;
    if (flags & D3DCLEAR_TARGET) {
        glClearColor(float((color >> 16) & 0xFF) / 255.0f, float((color >> 8) & 0xFF) / 255.0f,
                     float(color & 0xFF) / 255.0f, float(color >> 24) / 255.0f);
        mask |= GL_COLOR_BUFFER_BIT;
    }
    if (flags & D3DCLEAR_ZBUFFER) {
        glClearDepth(z);
        mask |= GL_DEPTH_BUFFER_BIT;
    }
    if (flags & D3DCLEAR_STENCIL) {
        glClearStencil(GLint(stencil));
        mask |= GL_STENCIL_BUFFER_BIT;
    }
    // GL's clear obeys the depth mask; Direct3D's does not.
    if (!current_.depthWrite) {
        glDepthMask(GL_TRUE);
    }
    if (rects.empty()) {
        glClear(mask);
    } else {
        glEnable(GL_SCISSOR_TEST);
        for (const RECT& r : rects) {
            glScissor(r.left, GLint(height_) - r.bottom, std::max(0, r.right - r.left),
                      std::max(0, r.bottom - r.top));
            glClear(mask);
        }
        glDisable(GL_SCISSOR_TEST);
    }
    if (!current_.depthWrite) {
        glDepthMask(GL_FALSE);
    }
}

std::unique_ptr<BackendBuffer> GlBackend::createBuffer(UINT length) {
    return std::make_unique<GlBuffer>(length, context_.life());
}

std::unique_ptr<BackendProgram> GlBackend::compileProgram(const std::string& vertexSource,
                                                          const std::string& fragmentSource,
                                                          std::string& log) {
    GlName program = linkProgram(vertexSource, fragmentSource, context_.life(), log);
    if (program.get() == 0) {
        return nullptr;
    }
    return std::make_unique<GlProgram>(*this, std::move(program));
}

void GlBackend::applyPass(BackendProgram& program, const PassStates& states) {
    States target;
    target.depthTest = states.depthTest;
    target.depthFunction = glCompare(states.depthFunction);
    target.depthWrite = states.depthWrite;
    target.cullFace = glCull(states.cull);
    target.blend = states.blend;
    target.sourceBlend = glBlend(states.sourceBlend);
    target.destinationBlend = glBlend(states.destinationBlend);
    target.wireframe = states.wireframe.value_or(deviceWireframe_);
    target.program = static_cast<GlProgram&>(program).name();
    apply(target);
}

void GlBackend::drawTriangles(BackendBuffer& buffer, UINT streamOffset, UINT stride,
                              const std::vector<VertexAttribute>& attributes, UINT firstVertex,
                              UINT vertexCount) {
    glBindVertexArray(vertexArray_.get());
    glBindBuffer(GL_ARRAY_BUFFER, static_cast<GlBuffer&>(buffer).name());
    glDisableVertexAttribArray(0);
    glDisableVertexAttribArray(1);
    glDisableVertexAttribArray(2);
    for (const VertexAttribute& a : attributes) {
        const auto offset = reinterpret_cast<const void*>(std::uintptr_t(streamOffset + a.offset));
        glEnableVertexAttribArray(a.location);
        if (a.bgraBytes) {
            // GL_BGRA as the size reads the bytes of 0xAARRGGBB (B, G, R, A in memory) as RGBA.
            glVertexAttribPointer(a.location, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, GLsizei(stride),
                                  offset);
        } else {
            glVertexAttribPointer(a.location, GLint(a.components), GL_FLOAT, GL_FALSE,
                                  GLsizei(stride), offset);
        }
    }
    glDrawArrays(GL_TRIANGLES, GLint(firstVertex), GLsizei(vertexCount));
}

// [SECTION] rectangles and glyphs

void GlBackend::drawFlat(const std::vector<FlatVertex>& vertices, bool textured,
                         const std::optional<RECT>& scissor) {
    if (vertices.empty()) {
        return;
    }
    const States before = current_;
    States flat;
    flat.depthTest = false;
    flat.depthWrite = false;
    flat.cullFace = GL_NONE;
    flat.blend = true;
    flat.sourceBlend = GL_SRC_ALPHA;
    flat.destinationBlend = GL_ONE_MINUS_SRC_ALPHA;
    flat.wireframe = false;
    flat.program = flatProgram_.get();
    apply(flat);
    glUniform2f(flatViewport_, float(width_), float(height_));
    glUniform1i(flatTextured_, textured ? 1 : 0);
    if (textured) {
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, atlas_->texture());
    }
    if (scissor) {
        glEnable(GL_SCISSOR_TEST);
        glScissor(scissor->left, GLint(height_) - scissor->bottom,
                  std::max(0, scissor->right - scissor->left),
                  std::max(0, scissor->bottom - scissor->top));
    }
    glBindVertexArray(vertexArray_.get());
    glBindBuffer(GL_ARRAY_BUFFER, flatBuffer_.get());
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(vertices.size() * sizeof(FlatVertex)), vertices.data(),
                 GL_STREAM_DRAW);
    const GLsizei stride = sizeof(FlatVertex);
    glEnableVertexAttribArray(0);
    glEnableVertexAttribArray(1);
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(offsetof(FlatVertex, x)));
    glVertexAttribPointer(1, 4, GL_UNSIGNED_BYTE, GL_TRUE, stride,
                          reinterpret_cast<const void*>(offsetof(FlatVertex, r)));
    glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(offsetof(FlatVertex, u)));
    glDrawArrays(GL_TRIANGLES, 0, GLsizei(vertices.size()));
    glDisableVertexAttribArray(2);
    if (scissor) {
        glDisable(GL_SCISSOR_TEST);
    }
    apply(before);
}

void GlBackend::appendQuad(std::vector<FlatVertex>& out, float x0, float y0, float x1, float y1,
                           D3DCOLOR color, float u0, float v0, float u1, float v1) {
    const auto r = std::uint8_t(color >> 16), g = std::uint8_t(color >> 8), b = std::uint8_t(color),
               a = std::uint8_t(color >> 24);
    const FlatVertex corners[4] = {{x0, y0, r, g, b, a, u0, v0},
                                   {x1, y0, r, g, b, a, u1, v0},
                                   {x1, y1, r, g, b, a, u1, v1},
                                   {x0, y1, r, g, b, a, u0, v1}};
    for (int i : {0, 1, 2, 0, 2, 3}) {
        out.push_back(corners[i]);
    }
}

void GlBackend::fillRects(std::span<const ColoredRect> rects, const std::optional<RECT>& scissor) {
    std::vector<FlatVertex>& vertices = flatVertices_;
    vertices.clear();
    for (const ColoredRect& r : rects) {
        if (r.rect.right > r.rect.left && r.rect.bottom > r.rect.top) {
            appendQuad(vertices, float(r.rect.left), float(r.rect.top), float(r.rect.right),
                       float(r.rect.bottom), r.color);
        }
    }
    drawFlat(vertices, false, scissor);
}

void GlBackend::drawGlyphs(std::span<const PlacedGlyph> glyphs, D3DCOLOR color,
                           const std::optional<RECT>& clip) {
    if (!atlas_) {
        atlas_ = std::make_unique<GlyphAtlas>(context_.life());
    }
    constexpr float kTexel = 1.0f / GlyphAtlas::kSize;
    std::vector<FlatVertex>& vertices = flatVertices_;
    vertices.clear();
    for (const PlacedGlyph& g : glyphs) {
        RECT box{g.x, g.y, g.x + g.image->width, g.y + g.image->height};
        if (clip) {
            box = intersectRects(box, *clip);
        }
        if (box.right <= box.left || box.bottom <= box.top) {
            continue;
        }
        std::optional<GlyphAtlas::Slot> slot = atlas_->place(*g.image);
        if (!slot && !atlas_->empty()) {
            // Full: draw what is placed so far, then start the atlas over.
            drawFlat(vertices, true, std::nullopt);
            vertices.clear();
            atlas_->reset();
            slot = atlas_->place(*g.image);
        }
        if (!slot) {
            continue;
        }
        // The clipped part of the quad samples the matching part of the bitmap.
        const float u0 = float(slot->x + (box.left - g.x)) * kTexel;
        const float v0 = float(slot->y + (box.top - g.y)) * kTexel;
        const float u1 = float(slot->x + (box.right - g.x)) * kTexel;
        const float v1 = float(slot->y + (box.bottom - g.y)) * kTexel;
        appendQuad(vertices, float(box.left), float(box.top), float(box.right), float(box.bottom),
                   color, u0, v0, u1, v1);
    }
    drawFlat(vertices, true, std::nullopt);
}

// [SECTION] present and read-back

HRESULT GlBackend::present() {
    SDL_GL_SwapWindow(context_.window());
    return S_OK;
}

bool GlBackend::readPixels(std::vector<std::uint8_t>& rgba, UINT& width, UINT& height) {
    width = width_;
    height = height_;
    const std::size_t row = std::size_t(width) * 4;
    std::vector<std::uint8_t> bottomUp(row * height);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, GLsizei(width), GLsizei(height), GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    rgba.resize(bottomUp.size());
    for (UINT y = 0; y < height; ++y) {
        std::copy_n(bottomUp.data() + (height - 1 - y) * row, row, rgba.data() + y * row);
    }
    return true;
}

// The OpenGL backend: draws through the window's GL 3.3 core context.
//
// GL state is changed only through a shadow of the states effects and the canvas use, so
// saving and restoring them costs no glGet. The scissor test is on only while the canvas
// draws or a rectangle is cleared.
#pragma once

#include <memory>
#include <span>
#include <vector>

#include "d3d9/device_backend.h"
#include "d3d9/gl/gl_context.h"
#include "d3d9/gl/glyph_atlas.h"

class GlBackend final : public DeviceBackend {
  public:
    // Null when the flat shader of the canvas does not build (a broken driver).
    static std::unique_ptr<GlBackend> create(GlContext& context, std::string& error);

    void resize(UINT width, UINT height) override;
    void clear(std::span<const RECT> rects, DWORD flags, D3DCOLOR color, float z,
               DWORD stencil) override;
    std::unique_ptr<BackendBuffer> createBuffer(UINT length) override;
    std::unique_ptr<BackendProgram> compileProgram(const std::string& vertexSource,
                                                   const std::string& fragmentSource,
                                                   std::string& log) override;
    void saveStates() override { saved_ = current_; }
    void restoreStates() override { apply(saved_); }
    void applyPass(BackendProgram& program, const PassStates& states) override;
    void setWireframe(bool wireframe) override { deviceWireframe_ = wireframe; }
    void drawTriangles(BackendBuffer& buffer, UINT streamOffset, UINT stride,
                       const std::vector<VertexAttribute>& attributes, UINT firstVertex,
                       UINT vertexCount) override;
    void fillRects(std::span<const ColoredRect> rects, const std::optional<RECT>& scissor) override;
    void drawGlyphs(std::span<const PlacedGlyph> glyphs, D3DCOLOR color,
                    const std::optional<RECT>& clip) override;
    HRESULT present() override;
    bool readPixels(std::vector<std::uint8_t>& rgba, UINT& width, UINT& height) override;

    // Makes `program` current through the shadow.
    void useProgram(GLuint program);

  private:
    struct States {
        bool depthTest = false;
        GLenum depthFunction = GL_LESS;
        bool depthWrite = true;
        GLenum cullFace = GL_NONE;  // GL_NONE: no culling
        bool blend = false;
        GLenum sourceBlend = GL_ONE;
        GLenum destinationBlend = GL_ZERO;
        bool wireframe = false;
        GLuint program = 0;
    };
    struct FlatVertex {
        float x, y;
        std::uint8_t r, g, b, a;
        float u, v;
    };

    GlBackend(GlContext& context, GlName flatProgram);
    static void appendQuad(std::vector<FlatVertex>& out, float x0, float y0, float x1, float y1,
                           D3DCOLOR color, float u0 = 0, float v0 = 0, float u1 = 0, float v1 = 0);
    void apply(const States& target, bool force = false);
    // Draws flat vertices (two triangles per rectangle) with the canvas states.
    void drawFlat(const std::vector<FlatVertex>& vertices, bool textured,
                  const std::optional<RECT>& scissor);

    GlContext& context_;
    UINT width_ = 0;
    UINT height_ = 0;
    States current_;
    States saved_;
    bool deviceWireframe_ = false;
    GlName vertexArray_;
    GlName flatProgram_;
    GlName flatBuffer_;
    // The 2D drawing's vertices, kept so that a frame's drawing allocates nothing.
    std::vector<FlatVertex> flatVertices_;
    GLint flatViewport_ = -1;
    GLint flatTextured_ = -1;
    std::unique_ptr<GlyphAtlas> atlas_;  // made on the first text drawn
};

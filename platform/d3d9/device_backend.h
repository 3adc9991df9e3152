// The part of a device that really draws: OpenGL (gl/) or nothing at all (recording/).
// IDirect3DDevice9 and the D3DX objects check every call and keep the state the
// application sees; a backend only carries out calls that have already been checked.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "d3d9/types.h"

class Recording;

enum class CompareFunction {
    never,
    less,
    equal,
    lessEqual,
    greater,
    notEqual,
    greaterEqual,
    always
};
// As in Direct3D: "clockwise" culls the triangles that run clockwise on screen.
enum class CullMode { none, clockwise, counterClockwise };
enum class BlendFactor {
    zero,
    one,
    sourceAlpha,
    inverseSourceAlpha,
    sourceColor,
    inverseSourceColor
};

// The render states an effect pass sets. Unset fill mode follows the device (the
// framework's wireframe toggle).
struct PassStates {
    bool depthTest = true;
    CompareFunction depthFunction = CompareFunction::lessEqual;
    bool depthWrite = true;
    CullMode cull = CullMode::counterClockwise;
    bool blend = false;
    BlendFactor sourceBlend = BlendFactor::one;
    BlendFactor destinationBlend = BlendFactor::zero;
    std::optional<bool> wireframe;
};

// One vertex attribute as the shaders see it: location 0 is the position, 1 the colour.
struct VertexAttribute {
    unsigned location;
    unsigned components;
    bool bgraBytes;  // a D3DCOLOR: four normalised bytes in B, G, R, A order
    unsigned offset;
};

// A window-pixel rectangle (origin top-left) in one colour.
struct ColoredRect {
    RECT rect;
    D3DCOLOR color;
};

// A glyph's coverage bitmap, one byte per pixel. The key names it uniquely for the life
// of the process so that a backend may keep it in an atlas.
struct GlyphImage {
    std::uint64_t key;
    int width;
    int height;
    const std::uint8_t* coverage;
};

// A glyph placed with its bitmap's top-left corner at (x, y) in window pixels.
struct PlacedGlyph {
    const GlyphImage* image;
    int x;
    int y;
};

class BackendBuffer {
  public:
    virtual ~BackendBuffer() = default;
    virtual void upload(UINT offset, const void* data, UINT size) = 0;
};

class BackendProgram {
  public:
    virtual ~BackendProgram() = default;
    // A 4x4 matrix for the named mat4 uniform, 16 floats as given (no transposition).
    virtual void setMatrix(const std::string& name, const float values[16]) = 0;
};

class DeviceBackend {
  public:
    virtual ~DeviceBackend() = default;

    // Non-null for the recording backend: the device objects log into it.
    virtual Recording* recording() { return nullptr; }

    virtual void resize(UINT width, UINT height) = 0;
    // Clears the given rectangles (all of the target when empty), whatever states are set.
    virtual void clear(std::span<const RECT> rects, DWORD flags, D3DCOLOR color, float z,
                       DWORD stencil) = 0;
    virtual std::unique_ptr<BackendBuffer> createBuffer(UINT length) = 0;
    // Null with the compiler's log in `log` when the sources do not compile and link.
    virtual std::unique_ptr<BackendProgram> compileProgram(const std::string& vertexSource,
                                                           const std::string& fragmentSource,
                                                           std::string& log) = 0;
    // Effect Begin/End: the states passes may change are saved and restored around them.
    virtual void saveStates() = 0;
    virtual void restoreStates() = 0;
    virtual void applyPass(BackendProgram& program, const PassStates& states) = 0;
    virtual void setWireframe(bool wireframe) = 0;
    virtual void drawTriangles(BackendBuffer& buffer, UINT streamOffset, UINT stride,
                               const std::vector<VertexAttribute>& attributes, UINT firstVertex,
                               UINT vertexCount) = 0;
    // 2D drawing with alpha blending, no depth test, clipped to `scissor` when given.
    virtual void fillRects(std::span<const ColoredRect> rects,
                           const std::optional<RECT>& scissor) = 0;
    virtual void drawGlyphs(std::span<const PlacedGlyph> glyphs, D3DCOLOR color,
                            const std::optional<RECT>& clip) = 0;
    virtual HRESULT present() = 0;
    // The back buffer as RGBA rows from the top, or false when there are no pixels.
    virtual bool readPixels(std::vector<std::uint8_t>& rgba, UINT& width, UINT& height) = 0;
};

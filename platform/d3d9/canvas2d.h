// Canvas2D: flat 2D drawing on a device, for the dialogs and their controls.
//
// What it offers:
//   - canvasOf(device) gives the canvas of a device (null for a null device); it lives as
//     long as the device and needs no set-up.
//   - Coordinates are window pixels, origin at the top-left corner, x to the right, y down;
//     a RECT covers the pixels left <= x < right, top <= y < bottom.
//   - fillRect fills with a D3DCOLOR (0xAARRGGBB), blended by its alpha over what is there;
//     frameRect draws an outline of the given thickness inside the rectangle.
//   - setScissor clips every later canvas drawing (rectangles and text) to a rectangle until
//     clearScissor; it affects canvas drawing only, never the 3D drawing of the effect.
//   - Drawing ignores depth, culling and wireframe, and leaves the device's 3D states as
//     they were. It may be called inside or outside BeginScene/EndScene.
//   - Text is drawn with ID3DXFont::DrawTextW (d3dx9/font.h), which honours the scissor.
//   - On a recording device every call is recorded ("Canvas2D::fillRect" with left, top,
//     right, bottom, colour; "Canvas2D::frameRect" with the same and the thickness;
//     "Canvas2D::setScissor" with the rectangle; "Canvas2D::clearScissor") and succeeds.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "d3d9/device_backend.h"
#include "d3d9/types.h"

class IDirect3DDevice9;
struct PlacedGlyph;

class Canvas2D {
  public:
    explicit Canvas2D(IDirect3DDevice9& device) : device_(device) {}

    HRESULT fillRect(const RECT& rect, D3DCOLOR color);
    // As fillRect on each, in order, drawn at once: a software renderer spends far more on
    // each drawing call than on the pixels of a small rectangle. Recorded as fillRect calls.
    HRESULT fillRects(std::span<const RECT> rects, D3DCOLOR color);
    HRESULT frameRect(const RECT& rect, D3DCOLOR color, int thickness = 1);
    void setScissor(const RECT& rect);
    void clearScissor();
    std::optional<RECT> scissor() const { return scissor_; }

    // Size of the back buffer in pixels.
    UINT width() const;
    UINT height() const;

    // For fonts: glyph bitmaps in `color`, clipped to `clip` (when given) and the scissor.
    void drawGlyphs(std::span<const PlacedGlyph> glyphs, D3DCOLOR color,
                    const std::optional<RECT>& clip);

  private:
    IDirect3DDevice9& device_;
    std::optional<RECT> scissor_;
    // fillRects' list, kept so that a frame allocates nothing.
    std::vector<ColoredRect> colored_;
};

Canvas2D* canvasOf(IDirect3DDevice9* device);

// The overlap of two rectangles; empty (right <= left or bottom <= top) when apart.
RECT intersectRects(const RECT& a, const RECT& b);

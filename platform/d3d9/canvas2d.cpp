#include "d3d9/canvas2d.h"

#include <algorithm>
#include <array>

#include "d3d9/device.h"

RECT intersectRects(const RECT& a, const RECT& b) {
    return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
}

Canvas2D* canvasOf(IDirect3DDevice9* device) {
    return device != nullptr ? &device->canvas() : nullptr;
}

UINT Canvas2D::width() const {
    return device_.presentParameters().BackBufferWidth;
}
UINT Canvas2D::height() const {
    return device_.presentParameters().BackBufferHeight;
}

HRESULT Canvas2D::fillRect(const RECT& rect, D3DCOLOR color) {
    const ColoredRect filled{rect, color};
    device_.backend().fillRects(std::span<const ColoredRect>(&filled, 1), scissor_);
    return device_.record("Canvas2D::fillRect",
                          {double(rect.left), double(rect.top), double(rect.right),
                           double(rect.bottom), double(color)},
                          S_OK);
}

HRESULT Canvas2D::fillRects(std::span<const RECT> rects, D3DCOLOR color) {
    std::vector<ColoredRect>& colored = colored_;
    colored.clear();
    for (const RECT& rect : rects) {
        colored.push_back(ColoredRect{rect, color});
        device_.record("Canvas2D::fillRect",
                       {double(rect.left), double(rect.top), double(rect.right),
                        double(rect.bottom), double(color)},
                       S_OK);
    }
    device_.backend().fillRects(colored, scissor_);
    return S_OK;
}

HRESULT Canvas2D::frameRect(const RECT& rect, D3DCOLOR color, int thickness) {
    const std::initializer_list<double> numbers = {double(rect.left),  double(rect.top),
                                                   double(rect.right), double(rect.bottom),
                                                   double(color),      double(thickness)};
    if (thickness < 1) {
        return device_.record("Canvas2D::frameRect", numbers, D3DERR_INVALIDCALL);
    }
    // Four bands inside the rectangle that do not overlap, so translucent outlines
    // stay even at the corners.
    const LONG t = thickness;
    const LONG innerTop = std::min(rect.top + t, rect.bottom);
    const LONG innerBottom = std::max(rect.bottom - t, innerTop);
    const LONG innerLeft = std::min(rect.left + t, rect.right);
    const LONG innerRight = std::max(rect.right - t, innerLeft);
    const std::array<ColoredRect, 4> bands = {{
        {RECT{rect.left, rect.top, rect.right, innerTop}, color},
        {RECT{rect.left, innerBottom, rect.right, rect.bottom}, color},
        {RECT{rect.left, innerTop, innerLeft, innerBottom}, color},
        {RECT{innerRight, innerTop, rect.right, innerBottom}, color},
    }};
    device_.backend().fillRects(bands, scissor_);
    return device_.record("Canvas2D::frameRect", numbers, S_OK);
}

void Canvas2D::setScissor(const RECT& rect) {
    scissor_ = rect;
    device_.record("Canvas2D::setScissor",
                   {double(rect.left), double(rect.top), double(rect.right), double(rect.bottom)},
                   S_OK);
}

void Canvas2D::clearScissor() {
    scissor_.reset();
    device_.record("Canvas2D::clearScissor", {}, S_OK);
}

void Canvas2D::drawGlyphs(std::span<const PlacedGlyph> glyphs, D3DCOLOR color,
                          const std::optional<RECT>& clip) {
    std::optional<RECT> limit = clip;
    if (scissor_) {
        limit = limit ? intersectRects(*limit, *scissor_) : *scissor_;
    }
    device_.backend().drawGlyphs(glyphs, color, limit);
}

// The shapes of the flat look, built from filled rectangles.
#include "dxut/dialog_painter.h"

#include <algorithm>
#include <array>
#include <cmath>

void DialogPainter::Outline(const RECT& r, D3DCOLOR color, int t) {
    const std::array<RECT, 4> bands = {RECT{r.left, r.top, r.right, r.top + t},
                                       RECT{r.left, r.bottom - t, r.right, r.bottom},
                                       RECT{r.left, r.top + t, r.left + t, r.bottom - t},
                                       RECT{r.right - t, r.top + t, r.right, r.bottom - t}};
    FillAll(bands, color);
}

void DialogPainter::Disc(const RECT& square, D3DCOLOR color) {
    // One span per pixel row, as wide as the circle's chord through the row's centre.
    int size = std::min(square.right - square.left, square.bottom - square.top);
    if (size <= 0)
        return;
    double radius = size / 2.0;
    double centreX = square.left + radius;
    RectList spans;
    for (int row = 0; row < size; ++row) {
        double dy = row + 0.5 - radius;
        double half = std::sqrt(std::max(0.0, radius * radius - dy * dy));
        auto left = static_cast<LONG>(std::lround(centreX - half));
        auto right = static_cast<LONG>(std::lround(centreX + half));
        if (right > left)
            spans.push(RECT{left, square.top + row, right, square.top + row + 1});
    }
    FillAll(spans.rects(), color);
}

void DialogPainter::Tick(const RECT& square, D3DCOLOR color) {
    // Two strokes of square dots: down from the left third to the bottom, then up to the right.
    int size = std::min(square.right - square.left, square.bottom - square.top);
    if (size < 4)
        return;
    int dot = std::max(2, size / 5);
    RectList dots;
    auto stroke = [&](double x0, double y0, double x1, double y1) {
        int steps = size;
        for (int i = 0; i <= steps; ++i) {
            double t = static_cast<double>(i) / steps;
            auto x = static_cast<LONG>(square.left + (x0 + (x1 - x0) * t) * (size - dot));
            auto y = static_cast<LONG>(square.top + (y0 + (y1 - y0) * t) * (size - dot));
            dots.push(RECT{x, y, x + dot, y + dot});
        }
    };
    stroke(0.0, 0.55, 0.35, 0.9);
    stroke(0.35, 0.9, 1.0, 0.1);
    FillAll(dots.rects(), color);
}

void DialogPainter::Arrow(const RECT& r, bool down, D3DCOLOR color) {
    int width = std::min(r.right - r.left, r.bottom - r.top) / 2;
    width -= width % 2;  // even, so the rows shrink by one pixel on each side
    if (width < 2)
        return;
    int rows = width / 2;
    int left = r.left + (r.right - r.left - width) / 2;
    int top = r.top + (r.bottom - r.top - rows) / 2;
    RectList spans;
    for (int i = 0; i < rows; ++i) {
        int row = down ? i : rows - 1 - i;
        spans.push(RECT{left + i, top + row, left + width - i, top + row + 1});
    }
    FillAll(spans.rects(), color);
}

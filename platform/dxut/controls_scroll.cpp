// The vertical scroll bar of list boxes and drop-downs.
#include "dxut/controls_scroll.h"

#include <algorithm>

#include "dxut/dialog_look.h"
#include "dxut/dialog_painter.h"

using namespace dialog_look;

namespace {

// The thumb never gets smaller than this, so that it can be grabbed in long lists.
constexpr int kMinThumb = 8;

bool inside(const RECT& r, POINT pt) {
    return pt.x >= r.left && pt.x < r.right && pt.y >= r.top && pt.y < r.bottom;
}

}  // namespace

void ControlScrollBar::SetRange(int rows, int pageRows) {
    m_rows = std::max(0, rows);
    m_pageRows = std::max(1, pageRows);
    SetFirstRow(m_first);
}

void ControlScrollBar::SetFirstRow(int first) {
    m_first = std::clamp(first, 0, std::max(0, m_rows - m_pageRows));
}

void ControlScrollBar::ShowRow(int row) {
    if (row < m_first)
        SetFirstRow(row);
    else if (row >= m_first + m_pageRows)
        SetFirstRow(row - m_pageRows + 1);
}

bool ControlScrollBar::Contains(POINT pt) const {
    return IsShown() && inside(m_rect, pt);
}

int ControlScrollBar::ArrowHeight() const {
    // Short bars give each arrow a third of their height.
    return std::min<int>(m_rect.right - m_rect.left, (m_rect.bottom - m_rect.top) / 3);
}

RECT ControlScrollBar::UpArrowRect() const {
    return RECT{m_rect.left, m_rect.top, m_rect.right, m_rect.top + ArrowHeight()};
}

RECT ControlScrollBar::DownArrowRect() const {
    return RECT{m_rect.left, m_rect.bottom - ArrowHeight(), m_rect.right, m_rect.bottom};
}

RECT ControlScrollBar::ThumbRect() const {
    int track = TrackHeight();
    if (m_rows <= m_pageRows || track <= 0)
        return RECT{m_rect.left, TrackTop(), m_rect.right, TrackTop() + track};
    int size = std::min(track, std::max(kMinThumb, track * m_pageRows / m_rows));
    int range = m_rows - m_pageRows;
    int top = TrackTop() + (track - size) * m_first / range;
    return RECT{m_rect.left, top, m_rect.right, top + size};
}

void ControlScrollBar::Press(POINT pt) {
    if (!Contains(pt))
        return;
    RECT thumb = ThumbRect();
    if (inside(UpArrowRect(), pt)) {
        Scroll(-1);
    } else if (inside(DownArrowRect(), pt)) {
        Scroll(1);
    } else if (inside(thumb, pt)) {
        m_dragging = true;
        m_grabOffset = pt.y - thumb.top;
    } else {
        Scroll(pt.y < thumb.top ? -m_pageRows : m_pageRows);
    }
}

void ControlScrollBar::Drag(POINT pt) {
    if (!m_dragging)
        return;
    RECT thumb = ThumbRect();
    int freeTrack = TrackHeight() - (thumb.bottom - thumb.top);
    if (freeTrack <= 0)
        return;
    int range = m_rows - m_pageRows;
    int top = pt.y - m_grabOffset - TrackTop();
    // Rounded to the nearest row, so the thumb follows the mouse evenly in both directions.
    SetFirstRow((top * range + freeTrack / 2) / freeTrack);
}

void ControlScrollBar::Render(DialogPainter& painter, bool enabled) const {
    if (!IsShown())
        return;
    painter.Fill(m_rect, kTrack);
    D3DCOLOR arrowColor = enabled ? kMark : kAccentDisabled;
    painter.Fill(UpArrowRect(), kFace);
    painter.Arrow(UpArrowRect(), false, arrowColor);
    painter.Fill(DownArrowRect(), kFace);
    painter.Arrow(DownArrowRect(), true, arrowColor);
    RECT thumb = ThumbRect();
    painter.Fill(RECT{thumb.left + 2, thumb.top + 1, thumb.right - 2, thumb.bottom - 1},
                 enabled ? (m_dragging ? kFocus : kThumb) : kFaceDisabled);
}

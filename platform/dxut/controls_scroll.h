// The vertical scroll bar of a list box and of a combo box's drop-down: an up arrow, a track
// with a thumb, a down arrow. Not a control of its own: its owner places it, forwards the
// mouse to it and asks it which rows to show.
#pragma once
#include "win32/types.h"

class DialogPainter;

class ControlScrollBar {
  public:
    // rows: all rows; pageRows: rows that fit; the bar is shown only when rows > pageRows.
    void SetRange(int rows, int pageRows);
    void SetRect(const RECT& rect) { m_rect = rect; }
    bool IsShown() const { return m_rows > m_pageRows; }
    int GetFirstRow() const { return m_first; }
    void Scroll(int deltaRows) { SetFirstRow(m_first + deltaRows); }
    void SetFirstRow(int first);
    // Scrolls the least so that the row is shown.
    void ShowRow(int row);

    bool Contains(POINT pt) const;
    // A press on the bar: arrows scroll by one row, the track by a page, the thumb starts a drag.
    void Press(POINT pt);
    // A move while the press lasts: drags the thumb.
    void Drag(POINT pt);
    void Release() { m_dragging = false; }
    bool IsDragging() const { return m_dragging; }

    void Render(DialogPainter& painter, bool enabled) const;

    // The parts, exposed so that tests and rendering agree on where they are.
    RECT UpArrowRect() const;
    RECT DownArrowRect() const;
    RECT ThumbRect() const;

  private:
    int ArrowHeight() const;
    int TrackTop() const { return UpArrowRect().bottom; }
    int TrackHeight() const { return DownArrowRect().top - TrackTop(); }

    RECT m_rect{};
    int m_rows = 0;
    int m_pageRows = 0;
    int m_first = 0;
    // Thumb drag: where in the thumb it was grabbed, so the thumb does not jump to the mouse.
    bool m_dragging = false;
    int m_grabOffset = 0;
};

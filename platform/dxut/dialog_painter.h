// What the controls draw with: filled and outlined rectangles, a few shapes built from them,
// clipping and text, all in dialog coordinates. OnRender makes one per frame on the device's
// 2D canvas and the dialog's fonts.
#pragma once
#include <string>
#include <vector>

#include "dxut/dialog_element.h"

class CDXUTDialog;

class DialogPainter {
  public:
    virtual ~DialogPainter() = default;

    virtual void Fill(const RECT& rect, D3DCOLOR color) = 0;
    // Fill of each, in order; a painter may draw them at once.
    virtual void FillAll(const std::vector<RECT>& rects, D3DCOLOR color) {
        for (const RECT& rect : rects)
            Fill(rect, color);
    }
    // Text with a DT_* format in the font of the dialog's font index.
    virtual void Text(UINT font, const std::wstring& text, const RECT& rect, DWORD format,
                      D3DCOLOR color) = 0;
    // Width in pixels of the first `count` characters drawn in that font.
    virtual int TextWidth(UINT font, const std::wstring& text, int count) = 0;
    // Drawing is clipped to the intersection of the pushed rectangles.
    virtual void PushClip(const RECT& rect) = 0;
    virtual void PopClip() = 0;
    // Whether a blinking caret is shown in this frame.
    virtual bool CaretShown() const = 0;

    // Shapes on FillAll, one call each.
    void Outline(const RECT& rect, D3DCOLOR color, int thickness = 1);
    // The disc inscribed in a square.
    void Disc(const RECT& square, D3DCOLOR color);
    // A tick mark filling most of a square.
    void Tick(const RECT& square, D3DCOLOR color);
    // A triangle pointing down (or up) centred in the rectangle.
    void Arrow(const RECT& rect, bool down, D3DCOLOR color);
    // Text of an element in the colour of a control state.
    void ElementText(const CDXUTElement& element, DXUT_CONTROL_STATE state,
                     const std::wstring& text, const RECT& rect) {
        Text(element.iFont, text, rect, element.dwTextFormat, element.FontColor.States[state]);
    }
};

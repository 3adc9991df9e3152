// What the controls draw with: filled and outlined rectangles, a few shapes built from them,
// clipping and text, all in dialog coordinates. OnRender makes one per frame on the device's
// 2D canvas and the dialog's fonts.
#pragma once
#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "dxut/dialog_element.h"

class CDXUTDialog;

// The rectangles of one shape or one batch: kept on the stack up to a few dozen, so that
// drawing a control allocates nothing.
class RectList {
  public:
    void push(const RECT& rect) {
        if (count_ < kInline) {
            inline_[count_] = rect;
        } else {
            if (more_.empty()) {
                more_.assign(inline_.begin(), inline_.end());
            }
            more_.push_back(rect);
        }
        ++count_;
    }
    std::span<const RECT> rects() const {
        return count_ <= kInline ? std::span<const RECT>(inline_.data(), count_)
                                 : std::span<const RECT>(more_);
    }

  private:
    static constexpr std::size_t kInline = 64;
    std::array<RECT, kInline> inline_;
    std::vector<RECT> more_;
    std::size_t count_ = 0;
};

class DialogPainter {
  public:
    virtual ~DialogPainter() = default;

    virtual void Fill(const RECT& rect, D3DCOLOR color) = 0;
    // Fill of each, in order; a painter may draw them at once.
    virtual void FillAll(std::span<const RECT> rects, D3DCOLOR color) {
        for (const RECT& rect : rects)
            Fill(rect, color);
    }
    // Text with a DT_* format in the font of the dialog's font index.
    // The text is a view: a control's own text is drawn without a copy.
    virtual void Text(UINT font, std::wstring_view text, const RECT& rect, DWORD format,
                      D3DCOLOR color) = 0;
    // Width in pixels of the first `count` characters drawn in that font.
    virtual int TextWidth(UINT font, std::wstring_view text, int count) = 0;
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
    void ElementText(const CDXUTElement& element, DXUT_CONTROL_STATE state, std::wstring_view text,
                     const RECT& rect) {
        Text(element.iFont, text, rect, element.dwTextFormat, element.FontColor.States[state]);
    }
};

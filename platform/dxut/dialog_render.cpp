// CDXUTDialog: drawing, on the 2D canvas of the device whose scene is open.
#include <cmath>

#include "d3d9/device.h"
#include "dxut/dialog.h"
#include "dxut/dialog_look.h"

namespace {

RECT offsetRect(const RECT& r, int dx, int dy) {
    return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

}  // namespace

// Draws in dialog coordinates on a canvas: moves everything by the dialog's origin, keeps a
// stack of clip rectangles on the canvas scissor and restores the scissor it found.
class CanvasPainter : public DialogPainter {
  public:
    CanvasPainter(CDXUTDialog& dialog, Canvas2D& canvas)
        : m_dialog(dialog),
          m_canvas(canvas),
          m_outerScissor(canvas.scissor()),
          m_clips(dialog.m_clipStack) {
        m_clips.clear();
    }
    ~CanvasPainter() override {
        if (m_outerScissor)
            m_canvas.setScissor(*m_outerScissor);
        else
            m_canvas.clearScissor();
    }
    CanvasPainter(const CanvasPainter&) = delete;
    CanvasPainter& operator=(const CanvasPainter&) = delete;

    void Fill(const RECT& rect, D3DCOLOR color) override {
        if (rect.right <= rect.left || rect.bottom <= rect.top)
            return;
        if (FAILED(m_canvas.fillRect(ToWindow(rect), color)))
            m_failed = true;
    }

    void FillAll(std::span<const RECT> rects, D3DCOLOR color) override {
        RectList window;
        for (const RECT& rect : rects)
            if (rect.right > rect.left && rect.bottom > rect.top)
                window.push(ToWindow(rect));
        if (!window.rects().empty() && FAILED(m_canvas.fillRects(window.rects(), color)))
            m_failed = true;
    }

    void Text(UINT font, std::wstring_view text, const RECT& rect, DWORD format,
              D3DCOLOR color) override {
        if (text.empty())
            return;
        ID3DXFont* object = m_dialog.FontObject(font);
        if (!object) {
            m_failed = true;
            return;
        }
        RECT window = ToWindow(rect);
        object->DrawTextW(nullptr, text.data(), static_cast<INT>(text.size()), &window, format,
                          color);
    }

    int TextWidth(UINT font, std::wstring_view text, int count) override {
        ID3DXFont* object = m_dialog.FontObject(font);
        return object && count > 0 ? object->measureTextWidth(text.data(), count) : 0;
    }

    void PushClip(const RECT& rect) override {
        RECT window = ToWindow(rect);
        if (!m_clips.empty())
            window = intersectRects(window, m_clips.back());
        else if (m_outerScissor)
            window = intersectRects(window, *m_outerScissor);
        m_clips.push_back(window);
        m_canvas.setScissor(window);
    }

    void PopClip() override {
        m_clips.pop_back();
        if (!m_clips.empty())
            m_canvas.setScissor(m_clips.back());
        else if (m_outerScissor)
            m_canvas.setScissor(*m_outerScissor);
        else
            m_canvas.clearScissor();
    }

    bool CaretShown() const override {
        float period = 2 * dialog_look::kCaretBlinkSeconds;
        return std::fmod(m_dialog.CaretTime(), period) < dialog_look::kCaretBlinkSeconds;
    }

    bool Failed() const { return m_failed; }

  private:
    RECT ToWindow(const RECT& rect) const {
        return offsetRect(rect, m_dialog.GetX(), m_dialog.GetY());
    }

    CDXUTDialog& m_dialog;
    Canvas2D& m_canvas;
    std::optional<RECT> m_outerScissor;
    std::vector<RECT>& m_clips;  // the dialog's, so that painting allocates nothing
    bool m_failed = false;
};

void CDXUTDialog::Render(DialogPainter& painter) {
    for (auto& control : m_Controls)
        if (control->GetVisible())
            control->Render(painter);
    if (m_pFocus && m_pFocus->GetType() == DXUT_CONTROL_COMBOBOX && m_pFocus->GetVisible())
        static_cast<CDXUTComboBox*>(m_pFocus)->RenderDropDown(painter);
}

HRESULT CDXUTDialog::OnRender(float fElapsedTime) {
    m_fCaretTime += fElapsedTime;
    IDirect3DDevice9* device = IDirect3DDevice9::deviceInScene();
    if (!device)
        return E_FAIL;  // drawing needs an open scene, as every device drawing does
    CanvasPainter painter(*this, device->canvas());
    Render(painter);
    return painter.Failed() ? E_FAIL : S_OK;
}

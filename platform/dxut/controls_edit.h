// Edit box: one line of text with a caret and a selection.
#pragma once
#include <string>
#include <vector>

#include "dxut/controls.h"

// While focused it takes every character message and the editing keys: Backspace, Delete,
// Left, Right, Home, End (Shift extends the selection). Ctrl+A selects all, Ctrl+C copies and
// Ctrl+V pastes through the system clipboard; they arrive as the control characters they type.
// Each change of the text raises EVENT_EDITBOX_CHANGE; Enter raises EVENT_EDITBOX_STRING.
// SetText raises nothing.
class CDXUTEditBox : public CDXUTControl {
  public:
    // With selectAll the whole new text is selected; the caret goes to its end either way.
    void SetText(LPCWSTR text, bool selectAll = false);
    LPCWSTR GetText() const { return m_strText.c_str(); }
    int GetTextLength() const { return static_cast<int>(m_strText.size()); }
    void ClearText() { SetText(L""); }

    // Caret and selection as character indices; the selection runs between the anchor and the
    // caret (equal: nothing selected).
    int GetCaret() const { return m_nCaret; }
    int GetSelectionAnchor() const { return m_nAnchor; }

  protected:
    friend class CDXUTDialog;
    CDXUTEditBox(CDXUTDialog* dialog, int id, LPCWSTR text, int x, int y, int width, int height);
    bool CanHaveFocus() const override { return true; }
    bool HandleMouse(UINT msg, POINT pt) override;
    bool HandleKeyboard(UINT msg, WPARAM wParam) override;
    void Render(DialogPainter& painter) override;

  private:
    RECT TextRect() const;
    // The character boundary nearest to x, by the offsets of the last drawing.
    int IndexAt(int x) const;
    void MoveCaret(int index, bool extend);
    bool DeleteSelection();
    void Insert(const std::wstring& text);
    void CopySelection() const;
    void Paste();
    // Scrolls the least so that the caret lies inside the text area.
    void KeepCaretInView(int textWidth);

    std::wstring m_strText;
    int m_nCaret = 0;
    int m_nAnchor = 0;
    int m_nScroll = 0;  // pixels of text scrolled out at the left, so the caret stays in view
    // Pixel offset of each character boundary, measured when last drawn (the user clicks on
    // what was drawn); empty before the first drawing.
    std::vector<int> m_Offsets;
};

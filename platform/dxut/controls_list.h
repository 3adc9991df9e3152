// List box: rows of text with data, one selected, with a scroll bar when they do not fit.
#pragma once
#include <memory>
#include <vector>

#include "dxut/controls.h"
#include "dxut/controls_scroll.h"

struct DXUTListBoxItem {
    WCHAR strText[256];
    void* pData;
};

// Single selection. A click on a row selects it and raises EVENT_LISTBOX_SELECTION (also when
// it was selected already); a double click then raises EVENT_LISTBOX_ITEM_DBLCLK. While
// focused, Up, Down, Home, End, Page Up and Page Down move the selection and raise the
// selection event. SelectItem raises it too; AddItem and RemoveAllItems raise nothing.
class CDXUTListBox : public CDXUTControl {
  public:
    // Texts longer than 255 characters are cut.
    HRESULT AddItem(LPCWSTR text, void* data);
    // Removes every row but keeps the selected index, so that refilled rows keep the selection.
    void RemoveAllItems();
    int GetSize() const { return static_cast<int>(m_Items.size()); }
    // Null when the index is outside the rows.
    DXUTListBoxItem* GetItem(int index);
    // The selected index (-1 for none); may lie past the rows after RemoveAllItems. The
    // argument exists for multiple selection, which is not provided: it must be -1.
    int GetSelectedIndex(int previousSelected = -1) const;
    // Selects the row (clamped to the rows), scrolls it into view and raises
    // EVENT_LISTBOX_SELECTION before it returns. Does nothing when there are no rows.
    void SelectItem(int newIndex);
    DWORD GetStyle() const { return m_dwStyle; }

    // Where row `index` is drawn; empty when scrolled out of view.
    RECT ItemRect(int index) const;

  protected:
    friend class CDXUTDialog;
    CDXUTListBox(CDXUTDialog* dialog, int id, int x, int y, int width, int height, DWORD style);
    bool CanHaveFocus() const override { return true; }
    bool HandleMouse(UINT msg, POINT pt) override;
    bool HandleWheel(int notches) override;
    bool HandleKeyboard(UINT msg, WPARAM wParam) override;
    void Render(DialogPainter& painter) override;

  private:
    int RowHeight() const;
    int PageRows() const;
    RECT RowsRect() const;
    int ItemAt(POINT pt) const;
    void LayOutScrollBar();

    std::vector<std::unique_ptr<DXUTListBoxItem>> m_Items;
    int m_nSelected = -1;
    DWORD m_dwStyle;
    ControlScrollBar m_ScrollBar;
};

// Combo box: a button that shows the selected item and opens a drop-down list of items.
#pragma once
#include <memory>
#include <vector>

#include "dxut/controls.h"
#include "dxut/controls_scroll.h"

struct DXUTComboBoxItem {
    WCHAR strText[256];
    void* pData;
};

// The first item added becomes the selected one. Program changes (AddItem, SetSelectedByText,
// RemoveAllItems) raise no event. Choosing an item in the drop-down raises
// EVENT_COMBOBOX_SELECTION_CHANGED, also when it is the item already shown.
//
// Keys while focused: Enter or Space opens the drop-down; while it is open, Up and Down move
// the highlight, Enter chooses the highlighted item, Escape closes. Arrow keys on a closed
// combo box are left to the application.
class CDXUTComboBox : public CDXUTButton {
  public:
    // Texts longer than 255 characters are cut.
    HRESULT AddItem(LPCWSTR text, void* data);
    void RemoveAllItems();
    UINT GetNumItems() const { return static_cast<UINT>(m_Items.size()); }
    DXUTComboBoxItem* GetItem(UINT index);
    // Null when nothing is selected.
    DXUTComboBoxItem* GetSelectedItem();
    int GetSelectedIndex() const { return m_iSelected; }
    // Selects the first item with exactly this text; E_FAIL (selection kept) when none has it.
    HRESULT SetSelectedByText(LPCWSTR text);
    HRESULT SetSelectedByIndex(UINT index);
    // Height in pixels of the open drop-down; a scroll bar appears when the items need more.
    void SetDropHeight(UINT height) { m_nDropHeight = height; }
    bool IsOpened() const { return m_bOpened; }

    // Where the drop-down lies when open (dialog coordinates).
    RECT DropDownRect() const;
    // Where item `index` is drawn in the open drop-down; empty when scrolled out of view.
    RECT ItemRect(int index) const;

  protected:
    friend class CDXUTDialog;
    CDXUTComboBox(CDXUTDialog* dialog, int id, int x, int y, int width, int height);
    bool ContainsPoint(POINT pt) const override;
    bool HandleMouse(UINT msg, POINT pt) override;
    bool HandleWheel(int notches) override;
    bool HandleKeyboard(UINT msg, WPARAM wParam) override;
    void OnFocusOut() override { Close(); }
    void Render(DialogPainter& painter) override;
    // Drawn after every other control, so that the open drop-down lies on top.
    void RenderDropDown(DialogPainter& painter);

  private:
    void Open();
    void Close();
    void Choose(int index);
    int RowHeight() const;
    int ItemAt(POINT pt) const;
    RECT RowsRect() const;
    void LayOutScrollBar();

    // Drop-down states: closed; open, the highlighted item following the mouse and the keys. A
    // press on an item chooses it and closes; a press on the scroll bar scrolls or drags it.
    std::vector<std::unique_ptr<DXUTComboBoxItem>> m_Items;
    int m_iSelected = -1;
    int m_iHighlighted = -1;
    bool m_bOpened = false;
    UINT m_nDropHeight = 100;
    ControlScrollBar m_ScrollBar;
};

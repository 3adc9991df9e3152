// List box: rows, selection by mouse, keys and program, scrolling.
//
// [SECTION] geometry
// [SECTION] input
// [SECTION] drawing

#include "dxut/controls_list.h"

#include <algorithm>
#include <cwchar>

#include "dxut/dialog.h"
#include "dxut/dialog_look.h"

using namespace dialog_look;

namespace {

template <class Item>
std::unique_ptr<Item> makeItem(LPCWSTR text, void* data) {
    auto item = std::make_unique<Item>();
    std::wcsncpy(item->strText, text ? text : L"", 255);
    item->strText[255] = L'\0';
    item->pData = data;
    return item;
}

}  // namespace

CDXUTListBox::CDXUTListBox(CDXUTDialog* dialog, int id, int x, int y, int width, int height,
                           DWORD style)
    : CDXUTControl(dialog, DXUT_CONTROL_LISTBOX, id, x, y, width, height), m_dwStyle(style) {}

HRESULT CDXUTListBox::AddItem(LPCWSTR text, void* data) {
    m_Items.push_back(makeItem<DXUTListBoxItem>(text, data));
    LayOutScrollBar();
    return S_OK;
}

void CDXUTListBox::RemoveAllItems() {
    m_Items.clear();
    LayOutScrollBar();
}

DXUTListBoxItem* CDXUTListBox::GetItem(int index) {
    if (index < 0 || index >= GetSize())
        return nullptr;
    return m_Items[index].get();
}

int CDXUTListBox::GetSelectedIndex(int previousSelected) const {
    return previousSelected == -1 ? m_nSelected : -1;
}

void CDXUTListBox::SelectItem(int newIndex) {
    if (m_Items.empty())
        return;
    m_nSelected = std::clamp(newIndex, 0, GetSize() - 1);
    LayOutScrollBar();
    m_ScrollBar.ShowRow(m_nSelected);
    // Last: the handler may remove this list box (it is destroyed when dispatch returns).
    RaiseEvent(EVENT_LISTBOX_SELECTION);
}

// [SECTION] geometry

int CDXUTListBox::RowHeight() const {
    return FontHeight() + kRowPadding;
}

RECT CDXUTListBox::RowsRect() const {
    RECT rows = BoxRect();
    rows.left += kFieldMargin, rows.top += kFieldMargin;
    rows.right -= kFieldMargin, rows.bottom -= kFieldMargin;
    if (m_ScrollBar.IsShown())
        rows.right -= kScrollBarWidth;
    return rows;
}

int CDXUTListBox::PageRows() const {
    RECT box = BoxRect();
    return std::max(1, (box.bottom - box.top - 2 * kFieldMargin) / RowHeight());
}

void CDXUTListBox::LayOutScrollBar() {
    RECT box = BoxRect();
    m_ScrollBar.SetRect(RECT{box.right - kFieldMargin - kScrollBarWidth, box.top + kFieldMargin,
                             box.right - kFieldMargin, box.bottom - kFieldMargin});
    m_ScrollBar.SetRange(GetSize(), PageRows());
}

RECT CDXUTListBox::ItemRect(int index) const {
    int row = index - m_ScrollBar.GetFirstRow();
    if (index < 0 || index >= GetSize() || row < 0 || row >= PageRows())
        return RECT{0, 0, 0, 0};
    RECT rows = RowsRect();
    int top = rows.top + row * RowHeight();
    return RECT{rows.left, top, rows.right, top + RowHeight()};
}

int CDXUTListBox::ItemAt(POINT pt) const {
    RECT rows = RowsRect();
    if (pt.x < rows.left || pt.x >= rows.right || pt.y < rows.top)
        return -1;
    int row = (pt.y - rows.top) / RowHeight();
    int index = m_ScrollBar.GetFirstRow() + row;
    if (row >= PageRows() || index >= GetSize())
        return -1;
    return index;
}

// [SECTION] input

bool CDXUTListBox::HandleMouse(UINT msg, POINT pt) {
    LayOutScrollBar();
    switch (msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            if (m_ScrollBar.Contains(pt)) {
                m_ScrollBar.Press(pt);
                return true;
            }
            int index = ItemAt(pt);
            if (index < 0)
                return true;
            m_nSelected = index;
            RaiseEvent(EVENT_LISTBOX_SELECTION);
            // Raises nothing when the first handler removed the list box.
            if (msg == WM_LBUTTONDBLCLK)
                RaiseEvent(EVENT_LISTBOX_ITEM_DBLCLK);
            return true;
        }
        case WM_MOUSEMOVE:
            m_ScrollBar.Drag(pt);
            return true;
        case WM_LBUTTONUP:
            m_ScrollBar.Release();
            return true;
        default:
            return false;
    }
}

bool CDXUTListBox::HandleWheel(int notches) {
    LayOutScrollBar();
    m_ScrollBar.Scroll(-notches);  // away from the user shows earlier rows
    return true;
}

bool CDXUTListBox::HandleKeyboard(UINT msg, WPARAM wParam) {
    if (msg != WM_KEYDOWN || m_Items.empty())
        return false;
    int last = GetSize() - 1;
    int target;
    switch (wParam) {
        case VK_UP:
            target = m_nSelected - 1;
            break;
        case VK_DOWN:
            target = m_nSelected + 1;
            break;
        case VK_PRIOR:
            target = m_nSelected - (PageRows() - 1);
            break;
        case VK_NEXT:
            target = m_nSelected + (PageRows() - 1);
            break;
        case VK_HOME:
            target = 0;
            break;
        case VK_END:
            target = last;
            break;
        default:
            return false;
    }
    target = std::clamp(target, 0, last);
    if (target == m_nSelected)
        return true;
    SelectItem(target);
    return true;
}

// [SECTION] drawing

void CDXUTListBox::Render(DialogPainter& painter) {
    LayOutScrollBar();
    RECT box = BoxRect();
    painter.Fill(box, kField);
    painter.Outline(box, IsFocused() ? kFocus : kBorder);
    RECT rows = RowsRect();
    painter.PushClip(rows);
    for (int i = m_ScrollBar.GetFirstRow(); i < GetSize(); ++i) {
        RECT row = ItemRect(i);
        if (row.bottom <= row.top)
            break;
        DXUT_CONTROL_STATE state = GetEnabled() ? DXUT_STATE_NORMAL : DXUT_STATE_DISABLED;
        if (i == m_nSelected)
            painter.Fill(row, GetEnabled() ? kAccent : kAccentDisabled);
        RECT text{row.left + kTextInset, row.top, row.right - kTextInset, row.bottom};
        painter.ElementText(m_Element, state, m_Items[i]->strText, text);
    }
    painter.PopClip();
    m_ScrollBar.Render(painter, GetEnabled());
}

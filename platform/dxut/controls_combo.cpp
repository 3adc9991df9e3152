// Combo box: items, the drop-down, choosing by mouse and keys.
//
// [SECTION] items
// [SECTION] geometry
// [SECTION] opening and choosing
// [SECTION] drawing

#include "dxut/controls_combo.h"

#include <algorithm>
#include <cwchar>

#include "dxut/dialog.h"
#include "dxut/dialog_look.h"

using namespace dialog_look;

namespace {

bool inside(const RECT& r, POINT pt) {
    return pt.x >= r.left && pt.x < r.right && pt.y >= r.top && pt.y < r.bottom;
}

}  // namespace

CDXUTComboBox::CDXUTComboBox(CDXUTDialog* dialog, int id, int x, int y, int width, int height)
    : CDXUTButton(dialog, DXUT_CONTROL_COMBOBOX, id, L"", x, y, width, height) {}

// [SECTION] items

HRESULT CDXUTComboBox::AddItem(LPCWSTR text, void* data) {
    auto item = std::make_unique<DXUTComboBoxItem>();
    std::wcsncpy(item->strText, text ? text : L"", 255);
    item->strText[255] = L'\0';
    item->pData = data;
    m_Items.push_back(std::move(item));
    if (m_iSelected < 0)
        m_iSelected = 0;
    return S_OK;
}

void CDXUTComboBox::RemoveAllItems() {
    Close();
    m_Items.clear();
    m_iSelected = -1;
}

DXUTComboBoxItem* CDXUTComboBox::GetItem(UINT index) {
    return index < m_Items.size() ? m_Items[index].get() : nullptr;
}

DXUTComboBoxItem* CDXUTComboBox::GetSelectedItem() {
    return m_iSelected < 0 ? nullptr : m_Items[m_iSelected].get();
}

HRESULT CDXUTComboBox::SetSelectedByText(LPCWSTR text) {
    if (!text)
        return E_INVALIDARG;
    for (size_t i = 0; i < m_Items.size(); ++i) {
        if (std::wcscmp(m_Items[i]->strText, text) == 0) {
            m_iSelected = static_cast<int>(i);
            return S_OK;
        }
    }
    return E_FAIL;
}

HRESULT CDXUTComboBox::SetSelectedByIndex(UINT index) {
    if (index >= m_Items.size())
        return E_INVALIDARG;
    m_iSelected = static_cast<int>(index);
    return S_OK;
}

// [SECTION] geometry

int CDXUTComboBox::RowHeight() const {
    return FontHeight() + kRowPadding;
}

RECT CDXUTComboBox::DropDownRect() const {
    // Never taller than the drop height; shorter when the items need less.
    int needed = static_cast<int>(m_Items.size()) * RowHeight() + 2 * kFieldMargin;
    int height = std::min(static_cast<int>(m_nDropHeight), needed);
    RECT box = BoxRect();
    return RECT{box.left, box.bottom, box.right, box.bottom + height};
}

void CDXUTComboBox::LayOutScrollBar() {
    RECT drop = DropDownRect();
    m_ScrollBar.SetRect(RECT{drop.right - kFieldMargin - kScrollBarWidth, drop.top + kFieldMargin,
                             drop.right - kFieldMargin, drop.bottom - kFieldMargin});
    int pageRows = std::max(1, (drop.bottom - drop.top - 2 * kFieldMargin) / RowHeight());
    m_ScrollBar.SetRange(static_cast<int>(m_Items.size()), pageRows);
}

RECT CDXUTComboBox::RowsRect() const {
    RECT drop = DropDownRect();
    RECT rows{drop.left + kFieldMargin, drop.top + kFieldMargin, drop.right - kFieldMargin,
              drop.bottom - kFieldMargin};
    if (m_ScrollBar.IsShown())
        rows.right -= kScrollBarWidth;
    return rows;
}

RECT CDXUTComboBox::ItemRect(int index) const {
    RECT rows = RowsRect();
    int row = index - m_ScrollBar.GetFirstRow();
    int top = rows.top + row * RowHeight();
    if (index < 0 || index >= static_cast<int>(m_Items.size()) || row < 0 ||
        top + RowHeight() > rows.bottom)
        return RECT{0, 0, 0, 0};
    return RECT{rows.left, top, rows.right, top + RowHeight()};
}

int CDXUTComboBox::ItemAt(POINT pt) const {
    RECT rows = RowsRect();
    if (!inside(rows, pt))
        return -1;
    int index = m_ScrollBar.GetFirstRow() + (pt.y - rows.top) / RowHeight();
    RECT row = ItemRect(index);
    return inside(row, pt) ? index : -1;
}

bool CDXUTComboBox::ContainsPoint(POINT pt) const {
    return CDXUTControl::ContainsPoint(pt) || (m_bOpened && inside(DropDownRect(), pt));
}

// [SECTION] opening and choosing

void CDXUTComboBox::Open() {
    if (m_Items.empty())
        return;
    m_bOpened = true;
    m_iHighlighted = m_iSelected;
    LayOutScrollBar();
    m_ScrollBar.ShowRow(std::max(0, m_iSelected));
}

void CDXUTComboBox::Close() {
    m_bOpened = false;
    m_ScrollBar.Release();
}

void CDXUTComboBox::Choose(int index) {
    m_iSelected = index;
    Close();
    // Also when the item was already shown. Last: the handler may remove the combo box.
    RaiseEvent(EVENT_COMBOBOX_SELECTION_CHANGED);
}

bool CDXUTComboBox::HandleMouse(UINT msg, POINT pt) {
    switch (msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (CDXUTControl::ContainsPoint(pt)) {
                if (m_bOpened)
                    Close();
                else
                    Open();
            } else if (m_bOpened) {
                LayOutScrollBar();
                if (m_ScrollBar.Contains(pt)) {
                    m_ScrollBar.Press(pt);
                } else if (int index = ItemAt(pt); index >= 0) {
                    Choose(index);
                }
            }
            return true;
        case WM_MOUSEMOVE:
            if (m_bOpened) {
                m_ScrollBar.Drag(pt);
                if (int index = ItemAt(pt); index >= 0)
                    m_iHighlighted = index;
            }
            return true;
        case WM_LBUTTONUP:
            m_ScrollBar.Release();
            return true;
        default:
            return false;
    }
}

bool CDXUTComboBox::HandleWheel(int notches) {
    if (!m_bOpened)
        return false;  // a closed combo box leaves the wheel to the application
    LayOutScrollBar();
    m_ScrollBar.Scroll(-notches);
    return true;
}

bool CDXUTComboBox::HandleKeyboard(UINT msg, WPARAM wParam) {
    if (msg != WM_KEYDOWN)
        return false;
    if (!m_bOpened) {
        if (wParam != VK_RETURN && wParam != VK_SPACE)
            return false;
        Open();
        return true;
    }
    int last = static_cast<int>(m_Items.size()) - 1;
    switch (wParam) {
        case VK_UP:
        case VK_DOWN:
            m_iHighlighted = std::clamp(m_iHighlighted + (wParam == VK_UP ? -1 : 1), 0, last);
            LayOutScrollBar();
            m_ScrollBar.ShowRow(m_iHighlighted);
            return true;
        case VK_RETURN:
            if (m_iHighlighted >= 0)
                Choose(m_iHighlighted);
            else
                Close();
            return true;
        case VK_ESCAPE:
            Close();
            return true;
        default:
            return false;
    }
}

// [SECTION] drawing

void CDXUTComboBox::Render(DialogPainter& painter) {
    RECT box = BoxRect();
    bool hovered = IsHovered() && !m_bOpened;
    painter.Fill(box, !GetEnabled() ? kFaceDisabled : hovered ? kFaceHover : kFace);
    painter.Outline(box,
                    IsFocused() ? kFocus
                    : hovered   ? kBorderHover
                                : kBorder,
                    IsFocused() ? 2 : 1);
    int arrowWidth = std::min<int>(box.bottom - box.top, 20);
    RECT arrow{box.right - arrowWidth, box.top, box.right, box.bottom};
    painter.Arrow(arrow, !m_bOpened, GetEnabled() ? kMark : kAccentDisabled);
    if (m_iSelected >= 0) {
        RECT text{box.left + kTextInset, box.top, arrow.left, box.bottom};
        painter.PushClip(text);
        painter.ElementText(m_Element, TextState(), m_Items[m_iSelected]->strText, text);
        painter.PopClip();
    }
}

void CDXUTComboBox::RenderDropDown(DialogPainter& painter) {
    if (!m_bOpened)
        return;
    LayOutScrollBar();
    RECT drop = DropDownRect();
    painter.Fill(drop, kField);
    painter.Outline(drop, kFocus);
    RECT rows = RowsRect();
    painter.PushClip(rows);
    for (int i = m_ScrollBar.GetFirstRow(); i < static_cast<int>(m_Items.size()); ++i) {
        RECT row = ItemRect(i);
        if (row.bottom <= row.top)
            break;
        if (i == m_iHighlighted)
            painter.Fill(row, kAccent);
        else if (i == m_iSelected)
            painter.Fill(row, kRowHover);
        RECT text{row.left + kTextInset, row.top, row.right - kTextInset, row.bottom};
        painter.ElementText(m_Element, DXUT_STATE_NORMAL, m_Items[i]->strText, text);
    }
    painter.PopClip();
    m_ScrollBar.Render(painter, true);
}

// The control base, static text, button, check box and radio button.
//
// [SECTION] base
// [SECTION] static
// [SECTION] button
// [SECTION] check box
// [SECTION] radio button

#include "dxut/controls.h"

#include <algorithm>

#include "dxut/dialog.h"
#include "dxut/dialog_look.h"

using namespace dialog_look;

// [SECTION] base

CDXUTControl::CDXUTControl(CDXUTDialog* dialog, DXUT_CONTROL_TYPE type, int id, int x, int y,
                           int width, int height)
    : m_pDialog(dialog), m_Type(type), m_ID(id), m_x(x), m_y(y), m_width(width), m_height(height) {}

void CDXUTControl::SetEnabled(bool enabled) {
    m_bEnabled = enabled;
    if (!enabled && m_bAttached)
        m_pDialog->DropPointersTo(this);
}

void CDXUTControl::SetVisible(bool visible) {
    m_bVisible = visible;
    if (!visible && m_bAttached)
        m_pDialog->DropPointersTo(this);
}

void CDXUTControl::SetTextColor(D3DCOLOR color) {
    m_Element.FontColor.States[DXUT_STATE_NORMAL] = color;
}

bool CDXUTControl::ContainsPoint(POINT pt) const {
    return pt.x >= m_x && pt.x < m_x + m_width && pt.y >= m_y && pt.y < m_y + m_height;
}

void CDXUTControl::RaiseEvent(UINT event) {
    if (m_bAttached)
        m_pDialog->SendEvent(event, this);
}

bool CDXUTControl::IsFocused() const {
    return m_bAttached && m_pDialog->m_pFocus == this;
}
bool CDXUTControl::IsHovered() const {
    return m_bAttached && m_pDialog->m_pHover == this;
}
bool CDXUTControl::IsPressed() const {
    return m_bAttached && m_pDialog->m_pPressed == this;
}

void CDXUTControl::RestartCaretBlink() {
    if (m_bAttached)
        m_pDialog->m_fCaretTime = 0;
}

int CDXUTControl::FontHeight() const {
    return m_pDialog->FontHeight(m_Element.iFont);
}

DXUT_CONTROL_STATE CDXUTControl::TextState() const {
    if (!m_bEnabled)
        return DXUT_STATE_DISABLED;
    if (IsPressed() && IsHovered())
        return DXUT_STATE_PRESSED;
    if (IsHovered())
        return DXUT_STATE_MOUSEOVER;
    if (IsFocused())
        return DXUT_STATE_FOCUS;
    return DXUT_STATE_NORMAL;
}

// [SECTION] static

CDXUTStatic::CDXUTStatic(CDXUTDialog* dialog, DXUT_CONTROL_TYPE type, int id, LPCWSTR text, int x,
                         int y, int width, int height)
    : CDXUTControl(dialog, type, id, x, y, width, height), m_strText(text ? text : L"") {}

HRESULT CDXUTStatic::SetText(LPCWSTR text) {
    m_strText = text ? text : L"";
    return S_OK;
}

void CDXUTStatic::Render(DialogPainter& painter) {
    painter.Text(m_Element.iFont, m_strText, BoxRect(), m_Element.dwTextFormat | DT_NOCLIP,
                 m_Element.FontColor.States[TextState()]);
}

// [SECTION] button

bool CDXUTButton::HandleMouse(UINT msg, POINT pt) {
    // Clicked when the press that started here is released over the control.
    if (msg == WM_LBUTTONUP && ContainsPoint(pt))
        OnClicked();
    return true;
}

namespace {

D3DCOLOR faceColor(bool enabled, bool pressed, bool hovered) {
    if (!enabled)
        return kFaceDisabled;
    if (pressed && hovered)
        return kFacePressed;
    return hovered ? kFaceHover : kFace;
}

RECT inset(RECT r, int by) {
    return RECT{r.left + by, r.top + by, r.right - by, r.bottom - by};
}

}  // namespace

void CDXUTButton::Render(DialogPainter& painter) {
    RECT box = BoxRect();
    bool pressed = IsPressed() && IsHovered();
    painter.Fill(box, faceColor(GetEnabled(), IsPressed(), IsHovered()));
    if (IsFocused())
        painter.Outline(box, kFocus, 2);
    else
        painter.Outline(box, IsHovered() ? kBorderHover : kBorder);
    RECT text = inset(box, 2);
    if (pressed) {  // the label sinks with the face
        ++text.left, ++text.right, ++text.top, ++text.bottom;
    }
    painter.ElementText(m_Element, TextState(), m_strText, text);
}

// [SECTION] check box

void CDXUTCheckBox::OnClicked() {
    m_bChecked = !m_bChecked;
    RaiseEvent(EVENT_CHECKBOX_CHANGED);
}

RECT CDXUTCheckBox::MarkRect() const {
    RECT box = BoxRect();
    int side = std::max(4, std::min(kMarkSize, GetHeight() - 4));
    int top = box.top + (GetHeight() - side) / 2;
    return RECT{box.left, top, box.left + side, top + side};
}

void CDXUTCheckBox::Render(DialogPainter& painter) {
    RECT mark = MarkRect();
    if (m_bChecked) {
        painter.Fill(mark, GetEnabled() ? kAccent : kAccentDisabled);
        painter.Tick(inset(mark, 2), kMark);
    } else {
        painter.Fill(mark, faceColor(GetEnabled(), IsPressed(), IsHovered()));
    }
    painter.Outline(mark, IsHovered() ? kBorderHover : kBorder);
    if (IsFocused())
        painter.Outline(inset(mark, -2), kFocus);
    RECT text = BoxRect();
    text.left = mark.right + kMarkGap;
    painter.ElementText(m_Element, TextState(), m_strText, text);
}

// [SECTION] radio button

CDXUTRadioButton::CDXUTRadioButton(CDXUTDialog* dialog, int id, UINT group, LPCWSTR text, int x,
                                   int y, int width, int height)
    : CDXUTCheckBox(dialog, DXUT_CONTROL_RADIOBUTTON, id, text, x, y, width, height),
      m_nButtonGroup(group) {}

void CDXUTRadioButton::SetChecked(bool checked, bool clearGroup) {
    if (checked && clearGroup)
        m_pDialog->ClearRadioButtonGroup(m_nButtonGroup);
    m_bChecked = checked;
}

void CDXUTRadioButton::OnClicked() {
    if (m_bChecked)
        return;
    SetChecked(true, true);
    RaiseEvent(EVENT_RADIOBUTTON_CHANGED);
}

void CDXUTRadioButton::Render(DialogPainter& painter) {
    RECT mark = MarkRect();
    if (IsFocused())
        painter.Disc(inset(mark, -2), kFocus);
    painter.Disc(mark, IsHovered() ? kBorderHover : kBorder);
    painter.Disc(inset(mark, 1), m_bChecked ? (GetEnabled() ? kAccent : kAccentDisabled)
                                            : faceColor(GetEnabled(), IsPressed(), IsHovered()));
    if (m_bChecked)
        painter.Disc(inset(mark, (mark.right - mark.left) * 3 / 10), kMark);
    RECT text = BoxRect();
    text.left = mark.right + kMarkGap;
    painter.ElementText(m_Element, TextState(), m_strText, text);
}

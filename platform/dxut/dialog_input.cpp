// CDXUTDialog: routing window messages to the controls.
//
// What MsgProc consumes (returns true for):
//   left press or double click  on an enabled, visible control that is not a static; it
//                               becomes the pressed control and, taking keys, the focus. Any
//                               other left press consumes nothing and clears the focus.
//   move, left release          only while a control holds the press (plain moves are not)
//   wheel                       when over a list box or an open combo box's drop-down
//   key and character messages  when the focused control acts on them
// Positions are in dialog coordinates and are not clipped to the dialog's rectangle.
#include "dxut/dialog.h"

bool CDXUTDialog::MsgProc(HWND, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    DispatchScope scope(*this);
    switch (uMsg) {
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_LBUTTONUP:
        case WM_MOUSEWHEEL: {
            // Signed, so that positions left of or above the window stay continuous.
            POINT pt{GET_X_LPARAM(lParam) - m_x, GET_Y_LPARAM(lParam) - m_y};
            return HandleMouse(uMsg, wParam, pt);
        }
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_CHAR:
            return HandleKeyboard(uMsg, wParam);
        default:
            return false;
    }
}

CDXUTControl* CDXUTDialog::ControlAt(POINT pt) const {
    auto takesMouse = [&](const CDXUTControl* c) {
        return c->GetVisible() && c->GetEnabled() && c->GetType() != DXUT_CONTROL_STATIC &&
               c->ContainsPoint(pt);
    };
    // The focused control lies on top: an open drop-down covers the controls below it.
    if (m_pFocus && takesMouse(m_pFocus))
        return m_pFocus;
    for (auto it = m_Controls.rbegin(); it != m_Controls.rend(); ++it)
        if (takesMouse(it->get()))
            return it->get();
    return nullptr;
}

void CDXUTDialog::SetFocus(CDXUTControl* control) {
    if (m_pFocus == control)
        return;
    CDXUTControl* previous = m_pFocus;
    m_pFocus = control;
    m_fCaretTime = 0;
    if (previous)
        previous->OnFocusOut();
}

bool CDXUTDialog::HandleMouse(UINT uMsg, WPARAM wParam, POINT pt) {
    if (uMsg == WM_MOUSEWHEEL) {
        int delta = GET_WHEEL_DELTA_WPARAM(wParam);
        int notches = delta / WHEEL_DELTA;
        if (notches == 0 && delta != 0)
            notches = delta > 0 ? 1 : -1;
        CDXUTControl* target = ControlAt(m_LastMouse);
        return target && target->HandleWheel(notches);
    }

    m_LastMouse = pt;
    if (m_pPressed) {
        CDXUTControl* pressed = m_pPressed;
        if (uMsg == WM_MOUSEMOVE) {
            m_pHover = ControlAt(pt);
            pressed->HandleMouse(uMsg, pt);
            return true;
        }
        m_pPressed = nullptr;
        if (uMsg == WM_LBUTTONUP) {
            // May raise an event whose handler removes the control: it is kept until we return.
            pressed->HandleMouse(uMsg, pt);
            return true;
        }
        // A second press without a release in between: the first press is over.
    }

    CDXUTControl* target = ControlAt(pt);
    switch (uMsg) {
        case WM_MOUSEMOVE:
            m_pHover = target;
            if (m_pFocus)
                m_pFocus->HandleMouse(uMsg, pt);  // an open drop-down follows the mouse
            return false;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (!target) {
                SetFocus(nullptr);
                return false;
            }
            SetFocus(target->CanHaveFocus() ? target : nullptr);
            m_pPressed = target;
            m_pHover = target;
            target->HandleMouse(uMsg, pt);
            return true;
        default:
            return false;
    }
}

bool CDXUTDialog::HandleKeyboard(UINT uMsg, WPARAM wParam) {
    if (!m_pFocus)
        return false;
    return m_pFocus->HandleKeyboard(uMsg, wParam);
}

// Edit box: caret, selection, typing, editing keys, clipboard and drawing.
//
// [SECTION] editing
// [SECTION] input
// [SECTION] drawing

#include "dxut/controls_edit.h"

#include <SDL.h>

#include <algorithm>

#include "dxut/dialog.h"
#include "dxut/dialog_look.h"
#include "win32/utf8.h"

using namespace dialog_look;

namespace {

// Keys whose character message follows: the edit box takes both so that the application does
// not act on a letter typed into a field.
bool isTypingKey(WPARAM key) {
    return key == VK_SPACE || (key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z') ||
           (key >= 0x60 && key <= 0x6F) ||                                // numeric keypad
           (key >= 0xBA && key <= 0xC0) || (key >= 0xDB && key <= 0xDF);  // punctuation
}

constexpr WPARAM kCtrlA = 0x01, kCtrlC = 0x03, kCtrlV = 0x16;

}  // namespace

CDXUTEditBox::CDXUTEditBox(CDXUTDialog* dialog, int id, LPCWSTR text, int x, int y, int width,
                           int height)
    : CDXUTControl(dialog, DXUT_CONTROL_EDITBOX, id, x, y, width, height) {
    SetText(text);
}

void CDXUTEditBox::SetText(LPCWSTR text, bool selectAll) {
    m_strText = text ? text : L"";
    m_nCaret = GetTextLength();
    m_nAnchor = selectAll ? 0 : m_nCaret;
}

// [SECTION] editing

void CDXUTEditBox::MoveCaret(int index, bool extend) {
    m_nCaret = std::clamp(index, 0, GetTextLength());
    if (!extend)
        m_nAnchor = m_nCaret;
    RestartCaretBlink();
}

bool CDXUTEditBox::DeleteSelection() {
    if (m_nAnchor == m_nCaret)
        return false;
    int from = std::min(m_nAnchor, m_nCaret);
    m_strText.erase(from, std::abs(m_nAnchor - m_nCaret));
    MoveCaret(from, false);
    return true;
}

void CDXUTEditBox::Insert(const std::wstring& text) {
    DeleteSelection();
    m_strText.insert(m_nCaret, text);
    MoveCaret(m_nCaret + static_cast<int>(text.size()), false);
}

void CDXUTEditBox::CopySelection() const {
    if (m_nAnchor == m_nCaret)
        return;
    int from = std::min(m_nAnchor, m_nCaret);
    std::string utf8 = utf8FromWide(m_strText.substr(from, std::abs(m_nAnchor - m_nCaret)));
    if (SDL_SetClipboardText(utf8.c_str()) != 0)
        SDL_Log("edit box: cannot copy to the clipboard: %s", SDL_GetError());
}

void CDXUTEditBox::Paste() {
    char* clip = SDL_GetClipboardText();  // empty, never null, when there is nothing
    std::wstring text = wideFromUtf8(clip ? clip : "");
    SDL_free(clip);
    // One line: the first line of the clipboard, without control characters.
    text = text.substr(0, text.find_first_of(L"\r\n"));
    std::erase_if(text, [](wchar_t c) { return c < 0x20 || c == 0x7F; });
    if (text.empty() && m_nAnchor == m_nCaret)
        return;
    Insert(text);
    RaiseEvent(EVENT_EDITBOX_CHANGE);
}

// [SECTION] input

bool CDXUTEditBox::HandleMouse(UINT msg, POINT pt) {
    if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK)
        MoveCaret(IndexAt(pt.x), false);
    return true;
}

bool CDXUTEditBox::HandleKeyboard(UINT msg, WPARAM wParam) {
    if (msg == WM_CHAR) {
        // Ctrl+A, Ctrl+C and Ctrl+V arrive as the control characters they type.
        switch (wParam) {
            case kCtrlA:
                m_nAnchor = 0;
                MoveCaret(GetTextLength(), true);
                return true;
            case kCtrlC:
                CopySelection();
                return true;
            case kCtrlV:
                Paste();
                return true;
            default:
                break;
        }
        auto c = static_cast<wchar_t>(wParam);
        if (c >= 0x20 && c != 0x7F) {
            Insert(std::wstring(1, c));
            RaiseEvent(EVENT_EDITBOX_CHANGE);
        }
        return true;  // other control characters come with their key messages, handled below
    }
    if (msg != WM_KEYDOWN)
        return false;

    bool shift = (SDL_GetModState() & KMOD_SHIFT) != 0;
    int selectionStart = std::min(m_nAnchor, m_nCaret);
    int selectionEnd = std::max(m_nAnchor, m_nCaret);
    switch (wParam) {
        case VK_RETURN:
            RaiseEvent(EVENT_EDITBOX_STRING);
            return true;
        case VK_BACK:
        case VK_DELETE:
            if (selectionStart ==
                selectionEnd) {  // no selection: the character before (after) the caret
                int other = m_nCaret + (wParam == VK_BACK ? -1 : 1);
                if (other < 0 || other > GetTextLength())
                    return true;
                MoveCaret(other, true);
            }
            DeleteSelection();
            RaiseEvent(EVENT_EDITBOX_CHANGE);
            return true;
        case VK_LEFT:
            // Without Shift, a selection collapses to its start rather than moving past it.
            MoveCaret(!shift && selectionStart != selectionEnd ? selectionStart : m_nCaret - 1,
                      shift);
            return true;
        case VK_RIGHT:
            MoveCaret(!shift && selectionStart != selectionEnd ? selectionEnd : m_nCaret + 1,
                      shift);
            return true;
        case VK_HOME:
            MoveCaret(0, shift);
            return true;
        case VK_END:
            MoveCaret(GetTextLength(), shift);
            return true;
        default:
            break;
    }
    return isTypingKey(wParam);
}

// [SECTION] drawing

RECT CDXUTEditBox::TextRect() const {
    RECT box = BoxRect();
    return RECT{box.left + kTextInset, box.top + 2, box.right - kTextInset, box.bottom - 2};
}

int CDXUTEditBox::IndexAt(int x) const {
    if (m_Offsets.size() != m_strText.size() + 1)
        return GetTextLength();
    int local = x - TextRect().left + m_nScroll;
    int best = 0;
    for (int i = 1; i < static_cast<int>(m_Offsets.size()); ++i)
        if (std::abs(m_Offsets[i] - local) < std::abs(m_Offsets[best] - local))
            best = i;
    return best;
}

void CDXUTEditBox::KeepCaretInView(int textWidth) {
    int caret = m_Offsets[m_nCaret];
    if (caret - m_nScroll > textWidth - 1)
        m_nScroll = caret - textWidth + 1;
    if (caret < m_nScroll)
        m_nScroll = caret;
    // No empty space at the right while text lies scrolled out at the left.
    m_nScroll = std::max(0, std::min(m_nScroll, m_Offsets.back() - textWidth + 1));
}

void CDXUTEditBox::Render(DialogPainter& painter) {
    RECT box = BoxRect();
    bool focused = IsFocused();
    painter.Fill(box, GetEnabled() ? kField : kFaceDisabled);
    if (focused)
        painter.Outline(box, kFocus, 2);
    else
        painter.Outline(box, IsHovered() ? kBorderHover : kBorder);

    RECT area = TextRect();
    m_Offsets.resize(m_strText.size() + 1);
    for (size_t i = 0; i <= m_strText.size(); ++i)
        m_Offsets[i] = painter.TextWidth(m_Element.iFont, m_strText, static_cast<int>(i));
    KeepCaretInView(area.right - area.left);

    int left = area.left - m_nScroll;
    int lineHeight = std::min<int>(FontHeight(), area.bottom - area.top);
    int lineTop = area.top + (area.bottom - area.top - lineHeight) / 2;
    painter.PushClip(area);
    if (focused && m_nAnchor != m_nCaret) {
        int from = std::min(m_nAnchor, m_nCaret), to = std::max(m_nAnchor, m_nCaret);
        painter.Fill(
            RECT{left + m_Offsets[from], lineTop, left + m_Offsets[to], lineTop + lineHeight},
            kAccent);
    }
    // One line, always from the left edge of the scrolled text.
    DWORD format = (m_Element.dwTextFormat & ~(DT_CENTER | DT_RIGHT | DT_WORDBREAK)) | DT_LEFT;
    RECT text{left, area.top, left + m_Offsets.back() + FontHeight(), area.bottom};
    painter.Text(m_Element.iFont, m_strText, text, format, m_Element.FontColor.States[TextState()]);
    if (focused && painter.CaretShown()) {
        int x = left + m_Offsets[m_nCaret];
        painter.Fill(RECT{x, lineTop, x + 2, lineTop + lineHeight}, kMark);
    }
    painter.PopClip();
}

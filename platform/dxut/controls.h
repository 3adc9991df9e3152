// The controls of a dialog: the common base, static text, button, check box and radio button.
// Combo box, list box and edit box have their own headers. Controls are made only by
// CDXUTDialog::Add*, which owns them; they hold no device object.
#pragma once
#include <string>

#include "dxut/dialog_element.h"

class CDXUTDialog;
class DialogPainter;

enum DXUT_CONTROL_TYPE {
    DXUT_CONTROL_BUTTON = 0,
    DXUT_CONTROL_STATIC,
    DXUT_CONTROL_CHECKBOX,
    DXUT_CONTROL_RADIOBUTTON,
    DXUT_CONTROL_COMBOBOX,
    DXUT_CONTROL_EDITBOX,
    DXUT_CONTROL_LISTBOX,
};
constexpr int kDialogControlKinds = 7;

// Event codes passed to the dialog's callback; only the user's actions (and
// CDXUTListBox::SelectItem) raise them.
constexpr UINT EVENT_BUTTON_CLICKED = 0x0101;
constexpr UINT EVENT_COMBOBOX_SELECTION_CHANGED = 0x0201;
constexpr UINT EVENT_RADIOBUTTON_CHANGED = 0x0301;
constexpr UINT EVENT_CHECKBOX_CHANGED = 0x0401;
constexpr UINT EVENT_EDITBOX_STRING = 0x0601;  // Enter pressed
constexpr UINT EVENT_EDITBOX_CHANGE = 0x0602;  // the text was edited
constexpr UINT EVENT_LISTBOX_ITEM_DBLCLK = 0x0701;
constexpr UINT EVENT_LISTBOX_SELECTION = 0x0702;

// A control: id, kind, box relative to its dialog, flags and element 0.
class CDXUTControl {
  public:
    virtual ~CDXUTControl() = default;
    CDXUTControl(const CDXUTControl&) = delete;
    CDXUTControl& operator=(const CDXUTControl&) = delete;

    int GetID() const { return m_ID; }
    UINT GetType() const { return m_Type; }

    // Disabling or hiding a control takes away its focus, hover and press.
    void SetEnabled(bool enabled);
    bool GetEnabled() const { return m_bEnabled; }
    void SetVisible(bool visible);
    bool GetVisible() const { return m_bVisible; }

    void SetLocation(int x, int y) {
        m_x = x;
        m_y = y;
    }
    void SetSize(int width, int height) {
        m_width = width;
        m_height = height;
    }
    int GetX() const { return m_x; }
    int GetY() const { return m_y; }
    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }

    // Sets the text colour of the normal state of element 0.
    void SetTextColor(D3DCOLOR color);
    // Element 0; null for any other index.
    CDXUTElement* GetElement(UINT iElement) { return iElement == 0 ? &m_Element : nullptr; }

  protected:
    CDXUTControl(CDXUTDialog* dialog, DXUT_CONTROL_TYPE type, int id, int x, int y, int width,
                 int height);

    // What the dialog asks of a control. Points are in dialog coordinates.
    virtual bool CanHaveFocus() const { return false; }
    virtual bool ContainsPoint(POINT pt) const;
    // Called for the left press (and double click) the dialog routed here, and for moves and
    // the release while this control holds the press. Returns whether it was consumed.
    virtual bool HandleMouse(UINT msg, POINT pt) {
        (void)msg;
        (void)pt;
        return false;
    }
    // Called with wheel notches (+1 away from the user) when the wheel is over this control.
    virtual bool HandleWheel(int notches) {
        (void)notches;
        return false;
    }
    // Called for key and character messages while this control has the focus.
    virtual bool HandleKeyboard(UINT msg, WPARAM wParam) {
        (void)msg;
        (void)wParam;
        return false;
    }
    virtual void OnFocusOut() {}
    virtual void Render(DialogPainter& painter) = 0;

    // Sends a user event, unless this control has been removed from its dialog.
    void RaiseEvent(UINT event);
    bool IsFocused() const;
    bool IsHovered() const;
    bool IsPressed() const;
    // Makes the caret visible right away (after an edit or a caret move).
    void RestartCaretBlink();
    // Height of the font of element 0 in pixels.
    int FontHeight() const;
    // The state whose font colour the text is drawn in.
    DXUT_CONTROL_STATE TextState() const;
    RECT BoxRect() const { return RECT{m_x, m_y, m_x + m_width, m_y + m_height}; }

    CDXUTDialog* m_pDialog;
    CDXUTElement m_Element;

  private:
    friend class CDXUTDialog;
    UINT m_Type;
    int m_ID;
    int m_x, m_y, m_width, m_height;
    bool m_bEnabled = true;
    bool m_bVisible = true;
    bool m_bAttached = true;  // false once removed from the dialog (kept until dispatch returns)
};

// Text that cannot be used; it never takes the mouse. Its text is not clipped to its box: the
// application's labels may run past their boxes.
class CDXUTStatic : public CDXUTControl {
  public:
    HRESULT SetText(LPCWSTR text);
    LPCWSTR GetText() const { return m_strText.c_str(); }

  protected:
    friend class CDXUTDialog;
    CDXUTStatic(CDXUTDialog* dialog, DXUT_CONTROL_TYPE type, int id, LPCWSTR text, int x, int y,
                int width, int height);
    void Render(DialogPainter& painter) override;

    std::wstring m_strText;
};

// Raises EVENT_BUTTON_CLICKED when released over itself after a press on it.
class CDXUTButton : public CDXUTStatic {
  protected:
    friend class CDXUTDialog;
    using CDXUTStatic::CDXUTStatic;
    bool CanHaveFocus() const override { return true; }
    bool HandleMouse(UINT msg, POINT pt) override;
    void Render(DialogPainter& painter) override;
    // Called when a press is released over the control.
    virtual void OnClicked() { RaiseEvent(EVENT_BUTTON_CLICKED); }
};

// Toggles on each click and raises EVENT_CHECKBOX_CHANGED; SetChecked raises nothing.
class CDXUTCheckBox : public CDXUTButton {
  public:
    void SetChecked(bool checked) { m_bChecked = checked; }
    bool GetChecked() const { return m_bChecked; }

  protected:
    friend class CDXUTDialog;
    using CDXUTButton::CDXUTButton;
    void OnClicked() override;
    void Render(DialogPainter& painter) override;
    // Box and text areas; the box is a square at the left, as high as the control allows.
    RECT MarkRect() const;

    bool m_bChecked = false;
};

// One of a group in which at most one is checked. A click on an unchecked button checks it,
// clears the rest of its group and raises EVENT_RADIOBUTTON_CHANGED; a click on a checked one
// changes nothing and raises nothing.
class CDXUTRadioButton : public CDXUTCheckBox {
  public:
    // With clearGroup, checking also unchecks the others of the group. Raises no event.
    void SetChecked(bool checked, bool clearGroup = true);
    UINT GetButtonGroup() const { return m_nButtonGroup; }

  protected:
    friend class CDXUTDialog;
    CDXUTRadioButton(CDXUTDialog* dialog, int id, UINT group, LPCWSTR text, int x, int y, int width,
                     int height);
    void OnClicked() override;
    void Render(DialogPainter& painter) override;

    UINT m_nButtonGroup;
};

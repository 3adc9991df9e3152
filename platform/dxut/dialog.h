// CDXUTDialog: a set of controls in the order added, their fonts and default elements, the
// routing of window messages to them and the events they raise. It needs no device: dialogs
// are built before the window exists and draw themselves in OnRender once a device does.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "d3d9/ref_counted.h"
#include "d3dx9/font.h"
#include "dxut/controls.h"
#include "dxut/controls_combo.h"
#include "dxut/controls_edit.h"
#include "dxut/controls_list.h"
#include "dxut/dialog_painter.h"

// The application's event callback: event code, the control's id, the control, and the
// context given with the callback.
typedef void(CALLBACK* PCALLBACKDXUTGUIEVENT)(UINT nEvent, int nControlID, CDXUTControl* pControl,
                                              void* pUserContext);

// A font a dialog's elements refer to by index: face name, height in pixels (ascent plus
// descent), weight (400 normal, 700 bold). The font object is made on first use, without a
// device (it holds no GL object, so it may outlive the device).
struct DXUTFontNode {
    std::wstring strFace;
    LONG nHeight = 0;
    LONG nWeight = 0;
    RefPtr<ID3DXFont> pFont;
};

class CDXUTDialog {
  public:
    // Sets font 0 to Arial 14 normal and the default elements of every control kind.
    CDXUTDialog();
    ~CDXUTDialog();
    CDXUTDialog(const CDXUTDialog&) = delete;
    CDXUTDialog& operator=(const CDXUTDialog&) = delete;

    // Adding: the control gets a copy of its kind's default element. Ids need not be unique;
    // lookups find the first. Hotkeys and default controls are not provided: a non-zero hotkey
    // or isDefault fails with E_INVALIDARG and adds nothing.
    HRESULT AddStatic(int ID, LPCWSTR strText, int x, int y, int width, int height,
                      bool bIsDefault = false, CDXUTStatic** ppCreated = nullptr);
    HRESULT AddButton(int ID, LPCWSTR strText, int x, int y, int width, int height,
                      UINT nHotkey = 0, bool bIsDefault = false, CDXUTButton** ppCreated = nullptr);
    HRESULT AddCheckBox(int ID, LPCWSTR strText, int x, int y, int width, int height,
                        bool bChecked = false, UINT nHotkey = 0, bool bIsDefault = false,
                        CDXUTCheckBox** ppCreated = nullptr);
    // Adding a checked radio button unchecks the rest of its group.
    HRESULT AddRadioButton(int ID, UINT nButtonGroup, LPCWSTR strText, int x, int y, int width,
                           int height, bool bChecked = false, UINT nHotkey = 0,
                           bool bIsDefault = false, CDXUTRadioButton** ppCreated = nullptr);
    HRESULT AddComboBox(int ID, int x, int y, int width, int height, UINT nHotkey = 0,
                        bool bIsDefault = false, CDXUTComboBox** ppCreated = nullptr);
    // Only style 0 (single selection) is provided; another style fails with E_INVALIDARG.
    HRESULT AddListBox(int ID, int x, int y, int width, int height, DWORD dwStyle = 0,
                       CDXUTListBox** ppCreated = nullptr);
    HRESULT AddEditBox(int ID, LPCWSTR strText, int x, int y, int width, int height,
                       bool bIsDefault = false, CDXUTEditBox** ppCreated = nullptr);

    // Lookups: null when no control has the id (or none of that kind).
    CDXUTControl* GetControl(int ID);
    CDXUTControl* GetControl(int ID, UINT nControlType);
    CDXUTStatic* GetStatic(int ID);
    CDXUTButton* GetButton(int ID);
    CDXUTCheckBox* GetCheckBox(int ID);
    CDXUTRadioButton* GetRadioButton(int ID);
    CDXUTComboBox* GetComboBox(int ID);
    CDXUTListBox* GetListBox(int ID);
    CDXUTEditBox* GetEditBox(int ID);
    CDXUTControl* GetFocusedControl() const { return m_pFocus; }

    // Removes every control with the id; none is no error. Safe inside an event handler, also
    // for the control whose event it is: the control leaves the dialog at once (lookups no
    // longer find it, it gets no input and is not drawn) and is destroyed when dispatch returns.
    void RemoveControl(int ID);
    void RemoveAllControls();
    // Unchecks every radio button of the group; raises nothing.
    void ClearRadioButtonGroup(UINT nButtonGroup);

    // Fonts by index (at most kMaxFonts); a height or weight below 1 fails with E_INVALIDARG.
    // Elements whose font index has no font draw with font 0.
    static constexpr UINT kMaxFonts = 16;
    HRESULT SetFont(UINT index, LPCWSTR strFaceName, LONG height, LONG weight);
    DXUTFontNode* GetFont(UINT index);
    // The element copied into controls of that kind added from now on; null for a kind or an
    // element index that does not exist (only element 0 does).
    CDXUTElement* GetDefaultElement(UINT nControlType, UINT iElement);

    void SetCallback(PCALLBACKDXUTGUIEVENT pCallback, void* pUserContext = nullptr) {
        m_pCallback = pCallback;
        m_pCallbackUserContext = pUserContext;
    }
    // The dialog's origin in the window; controls are placed relative to it.
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

    // Routes a window message to the controls; true when a control consumed it (the rules open
    // dialog_input.cpp).
    bool MsgProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    // Draws the visible controls through the current device; fails when there is none.
    HRESULT OnRender(float fElapsedTime);
    // What OnRender draws, on any painter (tests use their own).
    void Render(DialogPainter& painter);
    // Seconds since the focus last changed, for the caret's blinking; OnRender advances it.
    float CaretTime() const { return m_fCaretTime; }

  private:
    friend class CDXUTControl;
    friend class CanvasPainter;

    // Counts nested message handling and event dispatch; removed controls wait in m_Removed
    // until the count is back to zero.
    class DispatchScope {
      public:
        explicit DispatchScope(CDXUTDialog& dialog) : m_dialog(dialog) {
            ++m_dialog.m_nDispatchDepth;
        }
        ~DispatchScope();
        DispatchScope(const DispatchScope&) = delete;
        DispatchScope& operator=(const DispatchScope&) = delete;

      private:
        CDXUTDialog& m_dialog;
    };

    template <class T>
    HRESULT AddControl(std::unique_ptr<T> control, T** ppCreated);
    template <class T>
    T* FindTyped(int ID, UINT type);
    void Detach(std::vector<std::unique_ptr<CDXUTControl>>::iterator it);
    void DropPointersTo(const CDXUTControl* control);
    void SendEvent(UINT nEvent, CDXUTControl* control);
    void SetFocus(CDXUTControl* control);
    CDXUTControl* ControlAt(POINT pt) const;
    bool HandleMouse(UINT uMsg, WPARAM wParam, POINT pt);
    bool HandleKeyboard(UINT uMsg, WPARAM wParam);
    // The font height of an element's font (font 0 when its index has none).
    LONG FontHeight(UINT fontIndex) const;
    // The font object of an element's font index (font 0 when the index has none); null when
    // it cannot be made.
    ID3DXFont* FontObject(UINT fontIndex);

    std::vector<std::unique_ptr<CDXUTControl>> m_Controls;
    std::vector<std::unique_ptr<CDXUTControl>> m_Removed;
    int m_nDispatchDepth = 0;
    std::vector<DXUTFontNode> m_Fonts;
    CDXUTElement m_DefaultElements[kDialogControlKinds];
    PCALLBACKDXUTGUIEVENT m_pCallback = nullptr;
    void* m_pCallbackUserContext = nullptr;
    int m_x = 0, m_y = 0, m_width = 0, m_height = 0;

    // Interaction state, each pointer null or a control that is in m_Controls:
    //   state    | held by                                  | ends with
    //   focus    | the last control pressed that takes keys | a press elsewhere, or on a static,
    //            | (the open combo box is always focused)   | disabled control or empty space
    //   hover    | the enabled non-static control under the | the next move
    //            | mouse, for drawing                       |
    //   pressed  | the control a left press went to; it     | the left release
    //            | gets the moves and the release           |
    // Disabling, hiding or removing a control drops it from all three.
    CDXUTControl* m_pFocus = nullptr;
    CDXUTControl* m_pHover = nullptr;
    CDXUTControl* m_pPressed = nullptr;
    POINT m_LastMouse{-100000, -100000};  // dialog coordinates; wheel messages go by it
    float m_fCaretTime = 0;               // seconds, for the edit box caret's blinking
    std::vector<RECT> m_clipStack;        // the painter's clip rectangles, kept between frames
};

// CDXUTDialog: construction, adding, looking up and removing controls, fonts, default
// elements and event dispatch. Message routing is in dialog_input.cpp, drawing in
// dialog_render.cpp.
//
// [SECTION] adding
// [SECTION] lookups
// [SECTION] removal
// [SECTION] fonts and elements
// [SECTION] events

#include "dxut/dialog.h"

#include <algorithm>

namespace {

// Text colours of the flat look: white on the dark control faces and on the grey background.
constexpr D3DCOLOR kTextColor = D3DCOLOR_ARGB(255, 255, 255, 255);
constexpr D3DCOLOR kDisabledTextColor = D3DCOLOR_ARGB(200, 160, 160, 160);

CDXUTElement makeElement(DWORD format) {
    CDXUTElement element;
    element.iFont = 0;
    element.dwTextFormat = format;
    element.FontColor.Init(kTextColor, kDisabledTextColor);
    return element;
}

}  // namespace

void DXUTBlendColor::Init(D3DCOLOR defaultColor, D3DCOLOR disabledColor, D3DCOLOR hiddenColor) {
    for (D3DCOLOR& state : States)
        state = defaultColor;
    States[DXUT_STATE_DISABLED] = disabledColor;
    States[DXUT_STATE_HIDDEN] = hiddenColor;
}

CDXUTDialog::CDXUTDialog() {
    m_Fonts.push_back(DXUTFontNode{L"Arial", 14, 400, {}});
    m_DefaultElements[DXUT_CONTROL_STATIC] = makeElement(DT_LEFT | DT_VCENTER);
    m_DefaultElements[DXUT_CONTROL_BUTTON] = makeElement(DT_CENTER | DT_VCENTER);
    m_DefaultElements[DXUT_CONTROL_CHECKBOX] = makeElement(DT_LEFT | DT_VCENTER);
    m_DefaultElements[DXUT_CONTROL_RADIOBUTTON] = makeElement(DT_LEFT | DT_VCENTER);
    m_DefaultElements[DXUT_CONTROL_COMBOBOX] = makeElement(DT_LEFT | DT_VCENTER);
    m_DefaultElements[DXUT_CONTROL_LISTBOX] = makeElement(DT_LEFT | DT_VCENTER);
    m_DefaultElements[DXUT_CONTROL_EDITBOX] = makeElement(DT_LEFT | DT_VCENTER);
}

CDXUTDialog::~CDXUTDialog() = default;

CDXUTDialog::DispatchScope::~DispatchScope() {
    if (--m_dialog.m_nDispatchDepth == 0)
        m_dialog.m_Removed.clear();
}

// [SECTION] adding

template <class T>
HRESULT CDXUTDialog::AddControl(std::unique_ptr<T> control, T** ppCreated) {
    control->m_Element = m_DefaultElements[control->GetType()];
    T* raw = control.get();
    m_Controls.push_back(std::move(control));
    if (ppCreated)
        *ppCreated = raw;
    return S_OK;
}

HRESULT CDXUTDialog::AddStatic(int ID, LPCWSTR strText, int x, int y, int width, int height,
                               bool bIsDefault, CDXUTStatic** ppCreated) {
    if (bIsDefault)
        return E_INVALIDARG;
    return AddControl(std::unique_ptr<CDXUTStatic>(new CDXUTStatic(this, DXUT_CONTROL_STATIC, ID,
                                                                   strText, x, y, width, height)),
                      ppCreated);
}

HRESULT CDXUTDialog::AddButton(int ID, LPCWSTR strText, int x, int y, int width, int height,
                               UINT nHotkey, bool bIsDefault, CDXUTButton** ppCreated) {
    if (nHotkey != 0 || bIsDefault)
        return E_INVALIDARG;
    return AddControl(std::unique_ptr<CDXUTButton>(new CDXUTButton(this, DXUT_CONTROL_BUTTON, ID,
                                                                   strText, x, y, width, height)),
                      ppCreated);
}

HRESULT CDXUTDialog::AddCheckBox(int ID, LPCWSTR strText, int x, int y, int width, int height,
                                 bool bChecked, UINT nHotkey, bool bIsDefault,
                                 CDXUTCheckBox** ppCreated) {
    if (nHotkey != 0 || bIsDefault)
        return E_INVALIDARG;
    std::unique_ptr<CDXUTCheckBox> box(
        new CDXUTCheckBox(this, DXUT_CONTROL_CHECKBOX, ID, strText, x, y, width, height));
    box->SetChecked(bChecked);
    return AddControl(std::move(box), ppCreated);
}

HRESULT CDXUTDialog::AddRadioButton(int ID, UINT nButtonGroup, LPCWSTR strText, int x, int y,
                                    int width, int height, bool bChecked, UINT nHotkey,
                                    bool bIsDefault, CDXUTRadioButton** ppCreated) {
    if (nHotkey != 0 || bIsDefault)
        return E_INVALIDARG;
    CDXUTRadioButton* radio = nullptr;
    HRESULT hr = AddControl(std::unique_ptr<CDXUTRadioButton>(new CDXUTRadioButton(
                                this, ID, nButtonGroup, strText, x, y, width, height)),
                            &radio);
    if (bChecked)
        radio->SetChecked(true, true);
    if (ppCreated)
        *ppCreated = radio;
    return hr;
}

HRESULT CDXUTDialog::AddComboBox(int ID, int x, int y, int width, int height, UINT nHotkey,
                                 bool bIsDefault, CDXUTComboBox** ppCreated) {
    if (nHotkey != 0 || bIsDefault)
        return E_INVALIDARG;
    return AddControl(
        std::unique_ptr<CDXUTComboBox>(new CDXUTComboBox(this, ID, x, y, width, height)),
        ppCreated);
}

HRESULT CDXUTDialog::AddListBox(int ID, int x, int y, int width, int height, DWORD dwStyle,
                                CDXUTListBox** ppCreated) {
    if (dwStyle != 0)
        return E_INVALIDARG;
    return AddControl(
        std::unique_ptr<CDXUTListBox>(new CDXUTListBox(this, ID, x, y, width, height, dwStyle)),
        ppCreated);
}

HRESULT CDXUTDialog::AddEditBox(int ID, LPCWSTR strText, int x, int y, int width, int height,
                                bool bIsDefault, CDXUTEditBox** ppCreated) {
    if (bIsDefault)
        return E_INVALIDARG;
    return AddControl(
        std::unique_ptr<CDXUTEditBox>(new CDXUTEditBox(this, ID, strText, x, y, width, height)),
        ppCreated);
}

// [SECTION] lookups

CDXUTControl* CDXUTDialog::GetControl(int ID) {
    for (auto& control : m_Controls)
        if (control->GetID() == ID)
            return control.get();
    return nullptr;
}

CDXUTControl* CDXUTDialog::GetControl(int ID, UINT nControlType) {
    for (auto& control : m_Controls)
        if (control->GetID() == ID && control->GetType() == nControlType)
            return control.get();
    return nullptr;
}

template <class T>
T* CDXUTDialog::FindTyped(int ID, UINT type) {
    return static_cast<T*>(GetControl(ID, type));
}

CDXUTStatic* CDXUTDialog::GetStatic(int ID) {
    return FindTyped<CDXUTStatic>(ID, DXUT_CONTROL_STATIC);
}
CDXUTButton* CDXUTDialog::GetButton(int ID) {
    return FindTyped<CDXUTButton>(ID, DXUT_CONTROL_BUTTON);
}
CDXUTCheckBox* CDXUTDialog::GetCheckBox(int ID) {
    return FindTyped<CDXUTCheckBox>(ID, DXUT_CONTROL_CHECKBOX);
}
CDXUTRadioButton* CDXUTDialog::GetRadioButton(int ID) {
    return FindTyped<CDXUTRadioButton>(ID, DXUT_CONTROL_RADIOBUTTON);
}
CDXUTComboBox* CDXUTDialog::GetComboBox(int ID) {
    return FindTyped<CDXUTComboBox>(ID, DXUT_CONTROL_COMBOBOX);
}
CDXUTListBox* CDXUTDialog::GetListBox(int ID) {
    return FindTyped<CDXUTListBox>(ID, DXUT_CONTROL_LISTBOX);
}
CDXUTEditBox* CDXUTDialog::GetEditBox(int ID) {
    return FindTyped<CDXUTEditBox>(ID, DXUT_CONTROL_EDITBOX);
}

// [SECTION] removal

void CDXUTDialog::DropPointersTo(const CDXUTControl* control) {
    if (m_pFocus == control) {
        m_pFocus = nullptr;
        // The control may be mid-handling; OnFocusOut only resets its own state.
        const_cast<CDXUTControl*>(control)->OnFocusOut();
    }
    if (m_pHover == control)
        m_pHover = nullptr;
    if (m_pPressed == control)
        m_pPressed = nullptr;
}

void CDXUTDialog::Detach(std::vector<std::unique_ptr<CDXUTControl>>::iterator it) {
    DropPointersTo(it->get());
    (*it)->m_bAttached = false;
    if (m_nDispatchDepth > 0)
        m_Removed.push_back(std::move(*it));
    m_Controls.erase(it);
}

void CDXUTDialog::RemoveControl(int ID) {
    for (auto it = m_Controls.begin(); it != m_Controls.end();) {
        if ((*it)->GetID() == ID) {
            auto index = it - m_Controls.begin();
            Detach(it);
            it = m_Controls.begin() + index;
        } else {
            ++it;
        }
    }
}

void CDXUTDialog::RemoveAllControls() {
    while (!m_Controls.empty())
        Detach(m_Controls.end() - 1);
}

void CDXUTDialog::ClearRadioButtonGroup(UINT nButtonGroup) {
    for (auto& control : m_Controls) {
        if (control->GetType() != DXUT_CONTROL_RADIOBUTTON)
            continue;
        auto* radio = static_cast<CDXUTRadioButton*>(control.get());
        if (radio->GetButtonGroup() == nButtonGroup)
            radio->m_bChecked = false;
    }
}

// [SECTION] fonts and elements

HRESULT CDXUTDialog::SetFont(UINT index, LPCWSTR strFaceName, LONG height, LONG weight) {
    if (index >= kMaxFonts || !strFaceName || height < 1 || weight < 1)
        return E_INVALIDARG;
    if (m_Fonts.size() <= index)
        m_Fonts.resize(index + 1);
    m_Fonts[index] = DXUTFontNode{strFaceName, height, weight, {}};
    return S_OK;
}

DXUTFontNode* CDXUTDialog::GetFont(UINT index) {
    if (index >= m_Fonts.size() || m_Fonts[index].nHeight == 0)
        return nullptr;
    return &m_Fonts[index];
}

LONG CDXUTDialog::FontHeight(UINT fontIndex) const {
    if (fontIndex < m_Fonts.size() && m_Fonts[fontIndex].nHeight > 0)
        return m_Fonts[fontIndex].nHeight;
    return m_Fonts[0].nHeight;
}

CDXUTElement* CDXUTDialog::GetDefaultElement(UINT nControlType, UINT iElement) {
    if (nControlType >= static_cast<UINT>(kDialogControlKinds) || iElement != 0)
        return nullptr;
    return &m_DefaultElements[nControlType];
}

// [SECTION] events

void CDXUTDialog::SendEvent(UINT nEvent, CDXUTControl* control) {
    if (!m_pCallback || !control->m_bAttached)
        return;
    DispatchScope scope(*this);
    m_pCallback(nEvent, control->GetID(), control, m_pCallbackUserContext);
}

// How a control draws its text: font, text format and font colour per state. Each control kind
// has a default element in its dialog; a control gets a copy when it is added and keeps it.
#pragma once
#include "d3d9/types.h"
#include "win32/win32.h"

// The states a control can be drawn in; they index the colours of a DXUTBlendColor.
enum DXUT_CONTROL_STATE {
    DXUT_STATE_NORMAL = 0,
    DXUT_STATE_DISABLED,
    DXUT_STATE_HIDDEN,
    DXUT_STATE_FOCUS,
    DXUT_STATE_MOUSEOVER,
    DXUT_STATE_PRESSED,
};
constexpr int MAX_CONTROL_STATES = 6;

// One colour per control state.
struct DXUTBlendColor {
    // Every state but disabled and hidden gets the default colour.
    void Init(D3DCOLOR defaultColor, D3DCOLOR disabledColor = D3DCOLOR_ARGB(200, 128, 128, 128),
              D3DCOLOR hiddenColor = 0);

    D3DCOLOR States[MAX_CONTROL_STATES] = {};
};

// Element 0 of a control.
struct CDXUTElement {
    UINT iFont = 0;          // index of a font set with CDXUTDialog::SetFont
    DWORD dwTextFormat = 0;  // DT_* flags
    DXUTBlendColor FontColor;
};

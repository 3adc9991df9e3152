// The flat look of the controls: colours and sizes, in one place. Faces are dark slate so that
// white text reads on them and they stand out on the grey background; the accent (blue) marks
// what is checked or selected, a light outline marks the focus.
#pragma once
#include "d3d9/types.h"

namespace dialog_look {

constexpr D3DCOLOR kFace = D3DCOLOR_ARGB(255, 46, 58, 74);
constexpr D3DCOLOR kFaceHover = D3DCOLOR_ARGB(255, 66, 86, 112);
constexpr D3DCOLOR kFacePressed = D3DCOLOR_ARGB(255, 24, 32, 42);
constexpr D3DCOLOR kFaceDisabled = D3DCOLOR_ARGB(255, 84, 84, 84);
constexpr D3DCOLOR kBorder = D3DCOLOR_ARGB(255, 24, 30, 38);
constexpr D3DCOLOR kBorderHover = D3DCOLOR_ARGB(255, 150, 190, 235);
constexpr D3DCOLOR kFocus = D3DCOLOR_ARGB(255, 140, 200, 255);
constexpr D3DCOLOR kAccent = D3DCOLOR_ARGB(255, 52, 132, 228);
constexpr D3DCOLOR kAccentDisabled = D3DCOLOR_ARGB(255, 120, 120, 120);
constexpr D3DCOLOR kMark = D3DCOLOR_ARGB(255, 255, 255, 255);
constexpr D3DCOLOR kField = D3DCOLOR_ARGB(255, 30, 36, 44);  // list and edit backgrounds
constexpr D3DCOLOR kRowHover = D3DCOLOR_ARGB(255, 58, 72, 92);
constexpr D3DCOLOR kTrack = D3DCOLOR_ARGB(255, 38, 46, 58);
constexpr D3DCOLOR kThumb = D3DCOLOR_ARGB(255, 110, 128, 152);

constexpr int kRowPadding = 4;   // pixels added to the font height for a list row
constexpr int kFieldMargin = 2;  // inner margin of list boxes and drop-downs
constexpr int kTextInset = 4;    // left and right text inset in buttons, combos, edits
constexpr int kScrollBarWidth = 14;
constexpr int kMarkSize = 16;               // check box and radio button mark, at most
constexpr int kMarkGap = 6;                 // between the mark and the text
constexpr float kCaretBlinkSeconds = 0.5f;  // half period of the caret's blinking

}  // namespace dialog_look

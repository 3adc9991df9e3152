// SDL input events as the Win32 window messages the application handles.
//
//   mouse motion          WM_MOUSEMOVE       lParam y << 16 | x (16 bits each, two's
//                                            complement past the left or top edge)
//   button press          WM_LBUTTONDOWN / WM_RBUTTONDOWN, or ..DBLCLK for a second click
//   button release        WM_LBUTTONUP / WM_RBUTTONUP
//   vertical wheel        WM_MOUSEWHEEL      high word of wParam: +-120 per notch, positive
//                                            away from the user; lParam the pointer's
//                                            client position
//   key press, repeat     WM_KEYDOWN (WM_SYSKEYDOWN while Alt is held), wParam the virtual
//                         key; then WM_CHAR for Enter, Backspace, Tab, Esc and Ctrl+letter
//   key release           WM_KEYUP / WM_SYSKEYUP
//   text input            WM_CHAR, one per character
// Mouse messages carry the buttons held (MK_*) in wParam's low word; key messages carry
// the kKey* bits of win32/messages.h in lParam.
#pragma once

#include <SDL.h>

#include <vector>

#include "win32/win32.h"

struct WindowMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// buttons: the SDL button mask after the event; modifiers: the SDL key modifiers held.
std::vector<WindowMessage> translateInputEvent(const SDL_Event& event, Uint32 buttons,
                                               Uint16 modifiers);

// The virtual key of an SDL key, 0 for keys the application cannot receive.
UINT virtualKeyOf(SDL_Keycode key);

// Window messages and the packing of their parameters.
//
// Mouse positions travel in lParam as y << 16 | x, 16 bits each; window sizes as
// height << 16 | width. The wheel delta is the signed high word of wParam.
#pragma once

#include "win32/types.h"

inline constexpr UINT WM_SIZE = 0x0005;
inline constexpr UINT WM_CLOSE = 0x0010;
inline constexpr UINT WM_KEYDOWN = 0x0100;
inline constexpr UINT WM_KEYUP = 0x0101;
inline constexpr UINT WM_CHAR = 0x0102;
inline constexpr UINT WM_SYSKEYDOWN = 0x0104;
inline constexpr UINT WM_SYSKEYUP = 0x0105;
inline constexpr UINT WM_MOUSEMOVE = 0x0200;
inline constexpr UINT WM_LBUTTONDOWN = 0x0201;
inline constexpr UINT WM_LBUTTONUP = 0x0202;
inline constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
inline constexpr UINT WM_RBUTTONDOWN = 0x0204;
inline constexpr UINT WM_RBUTTONUP = 0x0205;
inline constexpr UINT WM_RBUTTONDBLCLK = 0x0206;
inline constexpr UINT WM_MBUTTONDOWN = 0x0207;
inline constexpr UINT WM_MBUTTONUP = 0x0208;
inline constexpr UINT WM_MOUSEWHEEL = 0x020A;

// wParam of mouse messages: which buttons and modifiers are down.
inline constexpr WPARAM MK_LBUTTON = 0x0001;
inline constexpr WPARAM MK_RBUTTON = 0x0002;
inline constexpr WPARAM MK_SHIFT = 0x0004;
inline constexpr WPARAM MK_CONTROL = 0x0008;
inline constexpr WPARAM MK_MBUTTON = 0x0010;

// wParam of WM_SIZE.
inline constexpr WPARAM SIZE_RESTORED = 0;
inline constexpr WPARAM SIZE_MAXIMIZED = 2;

inline constexpr int WHEEL_DELTA = 120;

// lParam of key messages: bits 0-15 the repeat count (1), then these.
inline constexpr LPARAM kKeyAltDown = LPARAM(1) << 29;
inline constexpr LPARAM kKeyRepeat = LPARAM(1) << 30;  // the key was already down
inline constexpr LPARAM kKeyReleased = LPARAM(1) << 31;

constexpr WORD LOWORD(std::uintptr_t value) {
    return static_cast<WORD>(value & 0xFFFF);
}
constexpr WORD HIWORD(std::uintptr_t value) {
    return static_cast<WORD>((value >> 16) & 0xFFFF);
}
constexpr LPARAM MAKELPARAM(unsigned low, unsigned high) {
    return static_cast<LPARAM>(static_cast<DWORD>((low & 0xFFFF) | ((high & 0xFFFF) << 16)));
}
constexpr WPARAM MAKEWPARAM(unsigned low, unsigned high) {
    return static_cast<WPARAM>(static_cast<DWORD>((low & 0xFFFF) | ((high & 0xFFFF) << 16)));
}
// Signed readings, so that a drag past the left or top edge stays continuous.
constexpr int GET_X_LPARAM(LPARAM lParam) {
    return static_cast<std::int16_t>(LOWORD(lParam));
}
constexpr int GET_Y_LPARAM(LPARAM lParam) {
    return static_cast<std::int16_t>(HIWORD(lParam));
}
constexpr int GET_WHEEL_DELTA_WPARAM(WPARAM wParam) {
    return static_cast<std::int16_t>(HIWORD(wParam));
}
constexpr WORD GET_KEYSTATE_WPARAM(WPARAM wParam) {
    return LOWORD(wParam);
}

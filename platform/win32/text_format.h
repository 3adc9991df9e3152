// Text-drawing format flags (DrawText) and the font attributes D3DXCreateFontW takes.
#pragma once

#include "win32/types.h"

inline constexpr DWORD DT_TOP = 0x0000;
inline constexpr DWORD DT_LEFT = 0x0000;
inline constexpr DWORD DT_CENTER = 0x0001;
inline constexpr DWORD DT_RIGHT = 0x0002;
inline constexpr DWORD DT_VCENTER = 0x0004;
inline constexpr DWORD DT_BOTTOM = 0x0008;
inline constexpr DWORD DT_WORDBREAK = 0x0010;
inline constexpr DWORD DT_NOCLIP = 0x0100;
inline constexpr DWORD DT_CALCRECT = 0x0400;

inline constexpr UINT FW_NORMAL = 400;
inline constexpr UINT FW_BOLD = 700;

// Accepted for the call's shape; fontconfig chooses the face by name and weight alone.
inline constexpr DWORD DEFAULT_CHARSET = 1;
inline constexpr DWORD OUT_DEFAULT_PRECIS = 0;
inline constexpr DWORD DEFAULT_QUALITY = 0;
inline constexpr DWORD DEFAULT_PITCH = 0;
inline constexpr DWORD FF_DONTCARE = 0;

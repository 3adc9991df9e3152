// Win32 base types as the application spells them: sizes, handles, rectangles.
#pragma once

#include <cstddef>
#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using INT = int;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using BOOL = int;
using FLOAT = float;
using CHAR = char;
using WCHAR = wchar_t;  // UTF-32 on Linux
using SIZE_T = std::size_t;
using UINT_PTR = std::uintptr_t;
using INT_PTR = std::intptr_t;
using HANDLE = void*;

using LPVOID = void*;
using LPSTR = char*;
using LPCSTR = const char*;
using LPCCH = const char*;
using LPWSTR = wchar_t*;
using LPCWSTR = const wchar_t*;
using LPCWCH = const wchar_t*;
using LPBOOL = BOOL*;

// Message parameters are pointer-sized, as on 64-bit Windows.
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

// Opaque handles: distinct types so they cannot be mixed up, never dereferenced.
struct HWND__;
struct HINSTANCE__;
struct HICON__;
struct HMENU__;
struct HACCEL__;
using HWND = HWND__*;
using HINSTANCE = HINSTANCE__*;
using HICON = HICON__*;
using HMENU = HMENU__*;
using HACCEL = HACCEL__*;

inline constexpr BOOL TRUE = 1;
inline constexpr BOOL FALSE = 0;

// Calling-convention markers in the application's callback declarations.
#define CALLBACK
#define WINAPI

inline constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000u);
inline constexpr int MAX_PATH = 260;

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};
using LPRECT = RECT*;

struct POINT {
    LONG x;
    LONG y;
};

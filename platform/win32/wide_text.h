// Code-page conversion and the C runtime's wide-text number readers.
//
// The ANSI code page (CP_ACP) is UTF-8 here, so every file name survives the round trip.
// A conversion whose result does not fit the destination fails (returns 0) and writes
// nothing the caller could mistake for a complete result.
#pragma once

#include "win32/types.h"

inline constexpr UINT CP_ACP = 0;
inline constexpr UINT CP_UTF8 = 65001;
inline constexpr DWORD WC_NO_BEST_FIT_CHARS = 0x00000400;

// cbMultiByte -1: the text is zero-terminated and the terminator is converted too.
// cchWideChar 0: only the length needed (in wide characters) is returned.
int MultiByteToWideChar(UINT codePage, DWORD flags, LPCCH multiByteStr, int cbMultiByte,
                        LPWSTR wideCharStr, int cchWideChar);

// cchWideChar -1: zero-terminated input, terminator included. cbMultiByte 0: only the
// length needed (in bytes). A wide character with no UTF-8 form is written as the default
// character ('?', or the first byte of defaultChar) and sets *usedDefaultChar.
int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWCH wideCharStr, int cchWideChar,
                        LPSTR multiByteStr, int cbMultiByte, LPCCH defaultChar,
                        LPBOOL usedDefaultChar);

// Leading white space, an optional sign and decimal digits; anything else ends the number.
// Values beyond the int range saturate to INT_MAX or INT_MIN.
int _wtoi(const wchar_t* text);

// Leading white space, then [sign] digits [. digits] [e [sign] digits]. No "nan", "inf" or
// hexadecimal form is read (they give 0.0); magnitudes beyond double saturate to the largest
// finite double, so a caller never receives an infinity.
double _wtof(const wchar_t* text);

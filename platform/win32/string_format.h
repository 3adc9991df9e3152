// StringCchPrintfW: bounded wide formatting.
//
// The format follows the original platform's wide printf, not the C library's: %s and %c
// take wide arguments, %S and %C narrow ones (%ls/%hs spell the width out either way).
// The result is always zero-terminated; when it does not fit, the truncated text is kept
// and STRSAFE_E_INSUFFICIENT_BUFFER reported.
#pragma once

#include <cstdarg>

#include "win32/hresult.h"

inline constexpr SIZE_T STRSAFE_MAX_CCH = 2147483647;
inline constexpr HRESULT STRSAFE_E_INSUFFICIENT_BUFFER = static_cast<HRESULT>(0x8007007Au);
inline constexpr HRESULT STRSAFE_E_INVALID_PARAMETER = static_cast<HRESULT>(0x80070057u);

HRESULT StringCchPrintfW(LPWSTR dest, SIZE_T cchDest, LPCWSTR format, ...);
HRESULT StringCchVPrintfW(LPWSTR dest, SIZE_T cchDest, LPCWSTR format, va_list args);

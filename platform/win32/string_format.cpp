#include "win32/string_format.h"

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

// The longest text we are prepared to format before truncating, in wide characters; far
// beyond any buffer of the application, it only bounds the work for a runaway format.
constexpr std::size_t kMaxFormatted = 1 << 20;

// Rewrites a format of the original platform into one for the C library: %s/%c there take
// wide arguments, while here they would take narrow ones.
std::wstring toLibraryFormat(const wchar_t* format) {
    std::wstring out;
    for (const wchar_t* p = format; *p != L'\0';) {
        if (*p != L'%') {
            out += *p++;
            continue;
        }
        out += *p++;
        if (*p == L'%') {
            out += *p++;
            continue;
        }
        while (*p != L'\0' && std::wcschr(L"-+ #0123456789.*", *p) != nullptr) {
            out += *p++;
        }
        bool narrow = false;
        bool wide = false;
        std::wstring length;
        while (*p != L'\0' && std::wcschr(L"hlLqjzt", *p) != nullptr) {
            narrow = narrow || *p == L'h';
            wide = wide || *p == L'l';
            length += *p++;
        }
        const wchar_t conversion = *p;
        if (conversion == L's' || conversion == L'c' || conversion == L'S' || conversion == L'C') {
            const bool upper = conversion == L'S' || conversion == L'C';
            const bool isNarrow = narrow || (upper && !wide);
            out += isNarrow ? L"" : L"l";
            out += static_cast<wchar_t>(upper ? conversion - L'A' + L'a' : conversion);
            ++p;
            continue;
        }
        out += length;
        if (conversion != L'\0') {
            out += *p++;
        }
    }
    return out;
}

}  // namespace

HRESULT StringCchVPrintfW(LPWSTR dest, SIZE_T cchDest, LPCWSTR format, va_list args) {
    if (dest == nullptr || cchDest == 0 || cchDest > STRSAFE_MAX_CCH) {
        return STRSAFE_E_INVALID_PARAMETER;
    }
    if (format == nullptr) {
        dest[0] = L'\0';
        return STRSAFE_E_INVALID_PARAMETER;
    }
    const std::wstring libraryFormat = toLibraryFormat(format);
    // vswprintf reports overflow only as -1, without the length it needed, so format into
    // a growing scratch buffer and copy what fits.
    std::vector<wchar_t> scratch(std::max<std::size_t>(cchDest + 1, 256));
    for (;;) {
        va_list attempt;
        va_copy(attempt, args);
        const int written =
            std::vswprintf(scratch.data(), scratch.size(), libraryFormat.c_str(), attempt);
        va_end(attempt);
        if (written >= 0) {
            const std::size_t length = static_cast<std::size_t>(written);
            const std::size_t kept = std::min(length, cchDest - 1);
            std::wmemcpy(dest, scratch.data(), kept);
            dest[kept] = L'\0';
            return kept == length ? S_OK : STRSAFE_E_INSUFFICIENT_BUFFER;
        }
        if (scratch.size() >= kMaxFormatted) {
            // Either an encoding error or text beyond any sensible size: keep nothing.
            dest[0] = L'\0';
            return STRSAFE_E_INVALID_PARAMETER;
        }
        scratch.resize(scratch.size() * 4);
    }
}

HRESULT StringCchPrintfW(LPWSTR dest, SIZE_T cchDest, LPCWSTR format, ...) {
    va_list args;
    va_start(args, format);
    const HRESULT hr = StringCchVPrintfW(dest, cchDest, format, args);
    va_end(args);
    return hr;
}

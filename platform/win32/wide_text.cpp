#include "win32/wide_text.h"

#include <charconv>
#include <climits>
#include <cstring>
#include <limits>
#include <string>

#include "win32/utf8.h"

namespace {

bool isAnsiOrUtf8(UINT codePage) {
    return codePage == CP_ACP || codePage == CP_UTF8;
}

bool isSpace(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\v' || c == L'\f' || c == L'\r';
}

bool isDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

// Copies a finished conversion into the caller's buffer, or refuses when it does not fit.
template <typename Char, typename Text>
int deliver(const Text& converted, Char* dest, int capacity) {
    const auto needed = converted.size();
    if (needed > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        return 0;
    }
    if (capacity == 0) {
        return static_cast<int>(needed);
    }
    if (needed > static_cast<std::size_t>(capacity)) {
        dest[0] = Char{};  // an empty string, never a truncated one
        return 0;
    }
    std::copy(converted.begin(), converted.end(), dest);
    return static_cast<int>(needed);
}

}  // namespace

int MultiByteToWideChar(UINT codePage, DWORD flags, LPCCH multiByteStr, int cbMultiByte,
                        LPWSTR wideCharStr, int cchWideChar) {
    if (!isAnsiOrUtf8(codePage) || flags != 0 || multiByteStr == nullptr || cbMultiByte == 0 ||
        cbMultiByte < -1 || cchWideChar < 0 || (cchWideChar > 0 && wideCharStr == nullptr)) {
        return 0;
    }
    const std::size_t length =
        cbMultiByte == -1 ? std::strlen(multiByteStr) + 1 : static_cast<std::size_t>(cbMultiByte);
    return deliver(wideFromUtf8(std::string_view(multiByteStr, length)), wideCharStr, cchWideChar);
}

int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWCH wideCharStr, int cchWideChar,
                        LPSTR multiByteStr, int cbMultiByte, LPCCH defaultChar,
                        LPBOOL usedDefaultChar) {
    if (!isAnsiOrUtf8(codePage) || (flags & ~WC_NO_BEST_FIT_CHARS) != 0 || wideCharStr == nullptr ||
        cchWideChar == 0 || cchWideChar < -1 || cbMultiByte < 0 ||
        (cbMultiByte > 0 && multiByteStr == nullptr)) {
        return 0;
    }
    const std::size_t length =
        cchWideChar == -1 ? std::wcslen(wideCharStr) + 1 : static_cast<std::size_t>(cchWideChar);
    const char substitute = defaultChar != nullptr ? defaultChar[0] : '?';
    bool usedDefault = false;
    std::string converted;
    converted.reserve(length);
    for (wchar_t c : std::wstring_view(wideCharStr, length)) {
        if (!appendUtf8(static_cast<char32_t>(c), converted)) {
            converted += substitute;
            usedDefault = true;
        }
    }
    if (usedDefaultChar != nullptr) {
        *usedDefaultChar = usedDefault ? TRUE : FALSE;
    }
    return deliver(converted, multiByteStr, cbMultiByte);
}

int _wtoi(const wchar_t* text) {
    if (text == nullptr) {
        return 0;
    }
    while (isSpace(*text)) {
        ++text;
    }
    const bool negative = *text == L'-';
    if (*text == L'-' || *text == L'+') {
        ++text;
    }
    // Accumulate the magnitude in a wider type and stop growing once it is past INT_MIN's.
    constexpr long long limit = static_cast<long long>(INT_MAX) + 1;
    long long magnitude = 0;
    for (; isDigit(*text); ++text) {
        magnitude = magnitude * 10 + (*text - L'0');
        if (magnitude > limit) {
            magnitude = limit;
        }
    }
    const long long value = negative ? -magnitude : magnitude;
    if (value > INT_MAX) {
        return INT_MAX;
    }
    return static_cast<int>(value);
}

double _wtof(const wchar_t* text) {
    if (text == nullptr) {
        return 0.0;
    }
    while (isSpace(*text)) {
        ++text;
    }
    std::string number;
    if (*text == L'-' || *text == L'+') {
        if (*text == L'-') {
            number += '-';
        }
        ++text;
    }
    int digits = 0;
    int integerDigits = 0;         // significant digits before the point
    int leadingFractionZeros = 0;  // zeros right after the point while the integer part is 0
    bool seenNonZero = false;
    for (; isDigit(*text); ++text, ++digits) {
        seenNonZero = seenNonZero || *text != L'0';
        integerDigits += seenNonZero ? 1 : 0;
        number += static_cast<char>(*text);
    }
    if (*text == L'.') {
        number += '.';
        for (++text; isDigit(*text); ++text, ++digits) {
            if (!seenNonZero && *text == L'0') {
                ++leadingFractionZeros;
            }
            seenNonZero = seenNonZero || *text != L'0';
            number += static_cast<char>(*text);
        }
    }
    if (digits == 0) {
        return 0.0;
    }
    long long exponent = 0;
    if ((*text == L'e' || *text == L'E') &&
        (isDigit(text[1]) || ((text[1] == L'-' || text[1] == L'+') && isDigit(text[2])))) {
        std::string exponentText = "e";
        ++text;
        if (*text == L'-' || *text == L'+') {
            exponentText += static_cast<char>(*text++);
        }
        for (; isDigit(*text); ++text) {
            exponentText += static_cast<char>(*text);
            if (exponent < 100000) {
                exponent = exponent * 10 + (*text - L'0');
            }
        }
        exponent = exponentText[1] == '-' ? -exponent : exponent;
        number += exponentText;
    }
    double value = 0.0;
    const char* first = number.data() + (number[0] == '-' ? 1 : 0);
    const auto [end, error] = std::from_chars(first, number.data() + number.size(), value);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        // Order of magnitude of the first significant digit decides overflow or underflow.
        const long long magnitude =
            integerDigits > 0 ? integerDigits - 1 + exponent : exponent - leadingFractionZeros - 1;
        value = magnitude > 0 ? std::numeric_limits<double>::max() : 0.0;
    } else if (error != std::errc()) {
        value = 0.0;
    }
    return number[0] == '-' ? -value : value;
}

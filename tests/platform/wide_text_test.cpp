// Code-page conversion and the wide-text number readers at their limits.
#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cstring>
#include <cwchar>
#include <string>

#include "win32/win32.h"

namespace {

// File names are at most 150 bytes with the terminator.
constexpr int kNameBytes = 150;

TEST(WideCharToMultiByte, NameOf149BytesFitsAndOf150BytesFails) {
    std::wstring name149(145, L'a');
    name149 += L".pzl";
    char out[kNameBytes];
    ASSERT_EQ(WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name149.c_str(), -1, out,
                                  kNameBytes, nullptr, nullptr),
              150);
    EXPECT_EQ(std::string(out), std::string(145, 'a') + ".pzl");

    const std::wstring name150 = L"b" + name149;
    std::memset(out, 'x', sizeof out);
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name150.c_str(), -1, out,
                                  kNameBytes, nullptr, nullptr),
              0);
    EXPECT_EQ(out[0], '\0') << "a refused conversion leaves no truncated name";
}

TEST(WideCharToMultiByte, CountsBytesOfUtf8NotCharacters) {
    // 75 two-byte characters need 151 bytes with the terminator.
    const std::wstring accented(75, L'\u00e9');
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, accented.c_str(), -1, nullptr, 0, nullptr, nullptr),
              151);
    char out[kNameBytes];
    EXPECT_EQ(
        WideCharToMultiByte(CP_ACP, 0, accented.c_str(), -1, out, kNameBytes, nullptr, nullptr), 0);
}

TEST(WideCharToMultiByte, CharacterWithoutUtf8FormBecomesDefaultCharacter) {
    const wchar_t text[] = {L'a', static_cast<wchar_t>(0xD800), L'b', 0};
    char out[8];
    BOOL usedDefault = FALSE;
    ASSERT_EQ(
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, -1, out, 8, nullptr, &usedDefault),
        4);
    EXPECT_STREQ(out, "a?b");
    EXPECT_TRUE(usedDefault);
}

TEST(MultiByteToWideChar, RoundTripsUtf8NamesAndRefusesWhatDoesNotFit) {
    const char* name = "W\xc3\xbcrfel \xe2\x80\x94 3x3.pzl";  // Würfel — 3x3.pzl
    ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, name, -1, nullptr, 0), 17);
    wchar_t wide[kNameBytes];
    ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, name, -1, wide, kNameBytes), 17);
    EXPECT_EQ(std::wstring(wide), L"W\u00fcrfel \u2014 3x3.pzl");
    char back[kNameBytes];
    ASSERT_GT(WideCharToMultiByte(CP_ACP, 0, wide, -1, back, kNameBytes, nullptr, nullptr), 0);
    EXPECT_STREQ(back, name);

    wchar_t tooSmall[16];
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, name, -1, tooSmall, 16), 0);
    EXPECT_EQ(tooSmall[0], L'\0');
}

TEST(MultiByteToWideChar, BrokenUtf8BecomesReplacementCharacters) {
    wchar_t wide[8];
    ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, "a\xff\xc3", -1, wide, 8), 4);
    EXPECT_EQ(std::wstring(wide), L"a\ufffd\ufffd");
}

TEST(StringCchPrintfW, PercentSTakesAWideString) {
    wchar_t out[64];
    ASSERT_EQ(StringCchPrintfW(out, 64, L"%s has %d moves", L"Megaminx", 42), S_OK);
    EXPECT_EQ(std::wstring(out), L"Megaminx has 42 moves");
    ASSERT_EQ(StringCchPrintfW(out, 64, L"[%-5s|%S]", L"ab", "narrow"), S_OK);
    EXPECT_EQ(std::wstring(out), L"[ab   |narrow]");
}

TEST(StringCchPrintfW, TruncatesTerminatesAndReports) {
    wchar_t out[6];
    std::wmemset(out, L'x', 6);
    EXPECT_EQ(StringCchPrintfW(out, 6, L"0%d:", 12345), STRSAFE_E_INSUFFICIENT_BUFFER);
    EXPECT_EQ(std::wstring(out), L"01234");
    EXPECT_EQ(StringCchPrintfW(out, 6, L"%d:", 1234), S_OK);
    EXPECT_EQ(std::wstring(out), L"1234:");
    EXPECT_EQ(StringCchPrintfW(out, 0, L"x"), STRSAFE_E_INVALID_PARAMETER);
}

TEST(StringCchPrintfW, LongOutputIsCutAtTheBuffer) {
    std::wstring big(5000, L'q');
    wchar_t out[1024];
    EXPECT_EQ(StringCchPrintfW(out, 1024, L"%s", big.c_str()), STRSAFE_E_INSUFFICIENT_BUFFER);
    EXPECT_EQ(std::wstring(out), std::wstring(1023, L'q'));
}

TEST(Wtoi, ReadsLeadingDigitsAndSaturates) {
    EXPECT_EQ(_wtoi(L"  -42abc"), -42);
    EXPECT_EQ(_wtoi(L"+17"), 17);
    EXPECT_EQ(_wtoi(L"abc"), 0);
    EXPECT_EQ(_wtoi(L"2147483647"), INT_MAX);
    EXPECT_EQ(_wtoi(L"2147483648"), INT_MAX);
    EXPECT_EQ(_wtoi(L"99999999999999999999999"), INT_MAX);
    EXPECT_EQ(_wtoi(L"-2147483648"), INT_MIN);
    EXPECT_EQ(_wtoi(L"-2147483649"), INT_MIN);
}

TEST(Wtof, ReadsDecimalNumbersOnly) {
    EXPECT_DOUBLE_EQ(_wtof(L" 0.25"), 0.25);
    EXPECT_DOUBLE_EQ(_wtof(L"-1.5e2x"), -150.0);
    EXPECT_DOUBLE_EQ(_wtof(L".5"), 0.5);
    EXPECT_DOUBLE_EQ(_wtof(L"3e"), 3.0);
    EXPECT_DOUBLE_EQ(_wtof(L"nan"), 0.0);
    EXPECT_DOUBLE_EQ(_wtof(L"inf"), 0.0);
    EXPECT_DOUBLE_EQ(_wtof(L"-infinity"), 0.0);
    EXPECT_DOUBLE_EQ(_wtof(L"0x1p3"), 0.0);
    EXPECT_DOUBLE_EQ(_wtof(L"."), 0.0);
}

TEST(Wtof, SaturatesInsteadOfGivingInfinity) {
    EXPECT_EQ(_wtof(L"1e400"), DBL_MAX);
    EXPECT_EQ(_wtof(L"-123456e999"), -DBL_MAX);
    EXPECT_EQ(_wtof(L"1e-400"), 0.0);
    EXPECT_EQ(_wtof(L"0.0000001e-400"), 0.0);
}

}  // namespace

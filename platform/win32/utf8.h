// UTF-8 <-> wide text for the platform's own use (file names, window titles, font faces).
// Invalid input never fails: a broken UTF-8 sequence becomes U+FFFD, a wide character
// that is no Unicode scalar value becomes '?'.
#pragma once

#include <string>
#include <string_view>

std::wstring wideFromUtf8(std::string_view text);

// Appends the UTF-8 form of c; false (and nothing appended) when c is no scalar value.
bool appendUtf8(char32_t c, std::string& out);
std::string utf8FromWide(std::wstring_view text);

#include "dxut/command_line.h"

#include <cwctype>
#include <fstream>
#include <iterator>

#include "win32/utf8.h"
#include "win32/wide_text.h"

namespace {

std::wstring lowered(std::wstring text) {
    for (wchar_t& c : text) {
        c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    }
    return text;
}

bool isDigits(const std::wstring& text) {
    return !text.empty() && text.find_first_not_of(L"0123456789") == std::wstring::npos;
}

std::optional<int> positiveInteger(const std::wstring& text) {
    const int value = _wtoi(text.c_str());
    return isDigits(text) && value > 0 ? std::optional(value) : std::nullopt;
}

std::optional<double> positiveNumber(const std::wstring& text) {
    const double value = _wtof(text.c_str());
    return !text.empty() && value > 0 ? std::optional(value) : std::nullopt;
}

}  // namespace

FrameworkFlags parseFrameworkFlags(const std::vector<std::wstring>& arguments) {
    FrameworkFlags flags;
    for (const std::wstring& argument : arguments) {
        if (argument.size() < 2 || (argument[0] != L'-' && argument[0] != L'/')) {
            continue;
        }
        const std::size_t colon = argument.find(L':');
        const std::wstring name = lowered(
            argument.substr(1, colon == std::wstring::npos ? std::wstring::npos : colon - 1));
        const std::wstring value =
            colon == std::wstring::npos ? std::wstring() : argument.substr(colon + 1);
        if (name == L"width") {
            flags.width = positiveInteger(value);
        } else if (name == L"height") {
            flags.height = positiveInteger(value);
        } else if (name == L"windowed") {
            flags.windowed = true;
        } else if (name == L"fullscreen") {
            flags.windowed = false;
        } else if (name == L"quitafterframe") {
            flags.quitAfterFrame = positiveInteger(value).value_or(0);
        } else if (name == L"constantframetime") {
            flags.constantFrameTime = positiveNumber(value);
        } else if (name == L"screenshot") {
            flags.screenshot = value;
        }
    }
    return flags;
}

std::vector<std::wstring> processArguments() {
    // Linux keeps the command line of every process, zero-separated, in /proc.
    std::ifstream file("/proc/self/cmdline", std::ios::binary);
    const std::string all((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::vector<std::wstring> arguments;
    std::size_t start = 0;
    bool first = true;
    while (start < all.size()) {
        std::size_t end = all.find('\0', start);
        if (end == std::string::npos) {
            end = all.size();
        }
        if (!first) {
            arguments.push_back(wideFromUtf8(std::string_view(all).substr(start, end - start)));
        }
        first = false;
        start = end + 1;
    }
    return arguments;
}

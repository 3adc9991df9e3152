// Where the lines of a DrawTextW call go: line breaks, word wrapping and alignment in a
// rectangle. Pure arithmetic on character advances, so it is tested without any font.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "win32/text_format.h"

struct TextLine {
    std::wstring_view text;  // into the text laid out, without the spaces a wrap dropped
    int x;                   // left edge of the line
    int y;                   // top of the line
    int width;
};

struct TextLayout {
    std::vector<TextLine> lines;
    RECT extent;  // the aligned lines' horizontal extent and the block's vertical one
    int height;   // lines * line height
};

using AdvanceOf = std::function<int(wchar_t)>;

// Lays the text out into `out`, whose storage is reused: once it has grown, laying out
// allocates nothing. The lines are views into `text`.
void layoutText(std::wstring_view text, const RECT& rect, DWORD format, const AdvanceOf& advance,
                int lineHeight, TextLayout& out);

#include "d3dx9/text_layout.h"

#include <algorithm>
#include <limits>

namespace {

struct Word {
    std::size_t begin, end;
};

// Scratch of the wrapping, kept from one call to the next.
struct WrapScratch {
    std::vector<int> prefix;
    std::vector<Word> words;
};

// Lines of one paragraph (text without '\n'), wrapped at spaces when maxWidth >= 0.
void wrapParagraph(std::wstring_view paragraph, int maxWidth, const AdvanceOf& advance,
                   std::vector<TextLine>& out) {
    thread_local WrapScratch scratch;
    // prefix[i]: advance of the first i characters, so any span's width is one subtraction.
    std::vector<int>& prefix = scratch.prefix;
    prefix.assign(paragraph.size() + 1, 0);
    for (std::size_t i = 0; i < paragraph.size(); ++i) {
        prefix[i + 1] = prefix[i] + advance(paragraph[i]);
    }
    auto emit = [&](std::size_t begin, std::size_t end) {
        out.push_back(
            TextLine{paragraph.substr(begin, end - begin), 0, 0, prefix[end] - prefix[begin]});
    };
    if (maxWidth < 0) {
        emit(0, paragraph.size());
        return;
    }
    std::vector<Word>& words = scratch.words;
    words.clear();
    for (std::size_t i = 0; i < paragraph.size();) {
        if (paragraph[i] == L' ') {
            ++i;
            continue;
        }
        const std::size_t begin = i;
        while (i < paragraph.size() && paragraph[i] != L' ') {
            ++i;
        }
        words.push_back(Word{begin, i});
    }
    if (words.empty()) {
        emit(0, 0);
        return;
    }
    // The first line keeps the paragraph's leading spaces; wrapped lines start at a word.
    std::size_t lineBegin = 0;
    std::size_t lineEnd = words[0].end;
    for (std::size_t w = 1; w < words.size(); ++w) {
        if (prefix[words[w].end] - prefix[lineBegin] <= maxWidth) {
            lineEnd = words[w].end;
        } else {
            emit(lineBegin, lineEnd);
            lineBegin = words[w].begin;
            lineEnd = words[w].end;
        }
    }
    emit(lineBegin, lineEnd);
}

}  // namespace

void layoutText(std::wstring_view text, const RECT& rect, DWORD format, const AdvanceOf& advance,
                int lineHeight, TextLayout& layout) {
    layout.lines.clear();
    layout.extent = RECT{rect.left, rect.top, rect.left, rect.top};
    layout.height = 0;
    if (text.empty()) {
        return;
    }
    const int width = rect.right - rect.left;
    const int maxWidth = (format & DT_WORDBREAK) != 0 ? std::max(width, 0) : -1;
    std::size_t start = 0;
    for (;;) {
        std::size_t end = text.find(L'\n', start);
        const bool last = end == std::wstring_view::npos;
        if (last) {
            end = text.size();
        }
        std::size_t paragraphEnd = end;
        if (paragraphEnd > start && text[paragraphEnd - 1] == L'\r') {
            --paragraphEnd;  // "\r\n" breaks once
        }
        wrapParagraph(text.substr(start, paragraphEnd - start), maxWidth, advance, layout.lines);
        if (last) {
            break;
        }
        start = end + 1;
    }

    layout.height = int(layout.lines.size()) * lineHeight;
    int top = rect.top;
    if ((format & DT_VCENTER) != 0) {
        top = rect.top + (rect.bottom - rect.top - layout.height) / 2;
    } else if ((format & DT_BOTTOM) != 0) {
        top = rect.bottom - layout.height;
    }
    int left = std::numeric_limits<int>::max();
    int right = std::numeric_limits<int>::min();
    for (std::size_t i = 0; i < layout.lines.size(); ++i) {
        TextLine& line = layout.lines[i];
        if ((format & DT_CENTER) != 0) {
            line.x = rect.left + (width - line.width) / 2;
        } else if ((format & DT_RIGHT) != 0) {
            line.x = rect.right - line.width;
        } else {
            line.x = rect.left;
        }
        line.y = top + int(i) * lineHeight;
        left = std::min(left, line.x);
        right = std::max(right, line.x + line.width);
    }
    layout.extent = RECT{left, top, right, top + layout.height};
}

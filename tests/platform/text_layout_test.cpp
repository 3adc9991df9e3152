// Line breaking and alignment of DrawTextW, with every character 10 pixels wide.
#include "d3dx9/text_layout.h"

#include <gtest/gtest.h>

namespace {

constexpr int kAdvance = 10;
constexpr int kLineHeight = 15;

// The texts laid out are literals, so the lines' views stay valid.
TextLayout layout(std::wstring_view text, RECT rect, DWORD format) {
    TextLayout out;
    layoutText(text, rect, format, [](wchar_t) { return kAdvance; }, kLineHeight, out);
    return out;
}

std::vector<std::wstring> lineTexts(const TextLayout& l) {
    std::vector<std::wstring> out;
    for (const TextLine& line : l.lines) {
        out.emplace_back(line.text);
    }
    return out;
}

TEST(TextLayout, WrapsAtSpacesOnlyWithWordBreak) {
    const RECT rect{0, 0, 100, 100};  // ten characters per line
    const std::wstring text = L"Congratulations You solved the magic puzzle!";
    EXPECT_EQ(lineTexts(layout(text, rect, DT_LEFT)), std::vector<std::wstring>{text});
    EXPECT_EQ(
        lineTexts(layout(text, rect, DT_WORDBREAK)),
        (std::vector<std::wstring>{L"Congratulations", L"You solved", L"the magic", L"puzzle!"}))
        << "a word wider than the rectangle stays whole";
}

TEST(TextLayout, NewlineBreaksEvenWithoutWordBreakAndCrLfCountsOnce) {
    EXPECT_EQ(lineTexts(layout(L"ab\ncd\r\nef\n", RECT{0, 0, 500, 100}, DT_LEFT)),
              (std::vector<std::wstring>{L"ab", L"cd", L"ef", L""}));
}

TEST(TextLayout, AlignsEachLineAndTheWholeBlock) {
    const RECT rect{100, 50, 300, 150};  // 200 by 100
    const TextLayout centred = layout(L"abcd\nab", rect, DT_CENTER | DT_VCENTER);
    ASSERT_EQ(centred.lines.size(), 2u);
    EXPECT_EQ(centred.lines[0].x, 180);  // (200 - 40) / 2
    EXPECT_EQ(centred.lines[1].x, 190);
    EXPECT_EQ(centred.lines[0].y, 85);  // (100 - 30) / 2
    EXPECT_EQ(centred.lines[1].y, 100);
    EXPECT_EQ(centred.height, 30);

    const TextLayout bottomRight = layout(L"abcd\nab", rect, DT_RIGHT | DT_BOTTOM);
    EXPECT_EQ(bottomRight.lines[0].x, 260);
    EXPECT_EQ(bottomRight.lines[1].x, 280);
    EXPECT_EQ(bottomRight.lines[1].y, 135);

    const TextLayout topLeft = layout(L"abcd", rect, DT_LEFT | DT_TOP);
    EXPECT_EQ(topLeft.lines[0].x, 100);
    EXPECT_EQ(topLeft.lines[0].y, 50);
}

TEST(TextLayout, ExtentIsTheAlignedLinesAndTheBlock) {
    const TextLayout l = layout(L"abcd\nab", RECT{100, 50, 300, 150}, DT_CENTER);
    EXPECT_EQ(l.extent.left, 180);
    EXPECT_EQ(l.extent.right, 220);
    EXPECT_EQ(l.extent.top, 50);
    EXPECT_EQ(l.extent.bottom, 80);

    const TextLayout empty = layout(L"", RECT{5, 6, 50, 60}, DT_LEFT);
    EXPECT_TRUE(empty.lines.empty());
    EXPECT_EQ(empty.height, 0);
    EXPECT_EQ(empty.extent.right, 5);
}

TEST(TextLayout, WrappedLinesDropTheSpacesAtTheBreak) {
    const TextLayout l = layout(L"  aaa   bbb", RECT{0, 0, 70, 100}, DT_WORDBREAK);
    EXPECT_EQ(lineTexts(l), (std::vector<std::wstring>{L"  aaa", L"bbb"}));
    EXPECT_EQ(l.lines[0].width, 50);
}

}  // namespace

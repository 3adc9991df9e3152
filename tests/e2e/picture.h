// Screenshots of the program's window and the few things the end-to-end tests read from them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
    bool operator==(const Rgb&) const = default;
};

// A rectangle in window pixels: left, top, width, height.
struct Area {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;  // rows from the top

    Rgb at(int x, int y) const;
    bool operator==(const Picture&) const = default;
};

inline constexpr Rgb kBackground{100, 100, 100};

bool near(Rgb a, Rgb b, int tolerance);
bool isBackground(Rgb c);
bool isBlack(Rgb c);
// Text drawn on the panel and the move counter is white or nearly so.
bool isBright(Rgb c);

Area wholeOf(const Picture& picture);
int countPixels(const Picture& picture, Area area, bool (*test)(Rgb));
int countNear(const Picture& picture, Area area, Rgb color, int tolerance);
int differingPixels(const Picture& a, const Picture& b, Area area);
bool sameIn(const Picture& a, const Picture& b, Area area);

// Runs of sticker pixels (neither background nor black border) along a row or a column,
// with their middles; runs shorter than 4 pixels are anti-aliasing, not stickers.
struct Run {
    int from = 0;
    int to = 0;  // exclusive
    int middle() const { return (from + to) / 2; }
};
std::vector<Run> stickerRunsInRow(const Picture& picture, int y, int fromX, int toX);
std::vector<Run> stickerRunsInColumn(const Picture& picture, int x, int fromY, int toY);

// Reads the digits 0 and 1 (and a minus sign) of white text on the grey background in `area`,
// glyph by glyph from the left: a 0 is a ring, a 1 a single stem. "?" stands for any other glyph.
std::string readDigits(const Picture& picture, Area area);

// A button is readable when its face stands out from the background, its label is bright on
// the face, and the label sits inside the button, centred. Empty when so, else why not.
std::string unreadableButton(const Picture& picture, Area button);

bool savePicture(const Picture& picture, const std::string& path, std::string& error);

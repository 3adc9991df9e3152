#include "picture.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <tuple>

#include "dxut/png_file.h"

namespace {

int luma(Rgb c) {
    return (c.r * 3 + c.g * 6 + c.b) / 10;
}

bool isSticker(Rgb c) {
    return !isBackground(c) && !isBlack(c);
}

template <typename At>
std::vector<Run> runsAlong(int from, int to, At at) {
    constexpr int kShortest = 4;
    std::vector<Run> runs;
    int start = -1;
    for (int i = from; i <= to; ++i) {
        const bool inside = i < to && isSticker(at(i));
        if (inside && start < 0) {
            start = i;
        } else if (!inside && start >= 0) {
            if (i - start >= kShortest) {
                runs.push_back({start, i});
            }
            start = -1;
        }
    }
    return runs;
}

// The runs of bright pixels in one row of a glyph.
std::vector<Run> brightRuns(const Picture& picture, int y, int fromX, int toX) {
    std::vector<Run> runs;
    for (int x = fromX; x < toX; ++x) {
        if (!isBright(picture.at(x, y))) {
            continue;
        }
        if (!runs.empty() && runs.back().to == x) {
            ++runs.back().to;
        } else {
            runs.push_back({x, x + 1});
        }
    }
    return runs;
}

}  // namespace

Rgb Picture::at(int x, int y) const {
    const std::size_t i = (std::size_t(y) * std::size_t(width) + std::size_t(x)) * 4;
    return {rgba[i], rgba[i + 1], rgba[i + 2]};
}

bool near(Rgb a, Rgb b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

bool isBackground(Rgb c) {
    return near(c, kBackground, 2);
}
bool isBlack(Rgb c) {
    return c.r < 30 && c.g < 30 && c.b < 30;
}
bool isBright(Rgb c) {
    return std::min({c.r, c.g, c.b}) > 170;
}

Area wholeOf(const Picture& picture) {
    return {0, 0, picture.width, picture.height};
}

int countPixels(const Picture& picture, Area area, bool (*test)(Rgb)) {
    int count = 0;
    for (int y = area.y; y < area.y + area.height; ++y) {
        for (int x = area.x; x < area.x + area.width; ++x) {
            count += test(picture.at(x, y));
        }
    }
    return count;
}

int countNear(const Picture& picture, Area area, Rgb color, int tolerance) {
    int count = 0;
    for (int y = area.y; y < area.y + area.height; ++y) {
        for (int x = area.x; x < area.x + area.width; ++x) {
            count += near(picture.at(x, y), color, tolerance);
        }
    }
    return count;
}

int differingPixels(const Picture& a, const Picture& b, Area area) {
    if (a.width != b.width || a.height != b.height) {
        return area.width * area.height;
    }
    int count = 0;
    for (int y = area.y; y < area.y + area.height; ++y) {
        for (int x = area.x; x < area.x + area.width; ++x) {
            count += !(a.at(x, y) == b.at(x, y));
        }
    }
    return count;
}

bool sameIn(const Picture& a, const Picture& b, Area area) {
    return differingPixels(a, b, area) == 0;
}

std::vector<Run> stickerRunsInRow(const Picture& picture, int y, int fromX, int toX) {
    return runsAlong(fromX, toX, [&](int x) { return picture.at(x, y); });
}

std::vector<Run> stickerRunsInColumn(const Picture& picture, int x, int fromY, int toY) {
    return runsAlong(fromY, toY, [&](int y) { return picture.at(x, y); });
}

std::string readDigits(const Picture& picture, Area area) {
    struct Glyph {
        int left, right, top, bottom;  // right and bottom exclusive
    };
    std::vector<Glyph> glyphs;
    for (int x = area.x; x < area.x + area.width; ++x) {
        int top = -1;
        int bottom = -1;
        for (int y = area.y; y < area.y + area.height; ++y) {
            if (isBright(picture.at(x, y))) {
                top = top < 0 ? y : top;
                bottom = y + 1;
            }
        }
        if (top < 0) {
            continue;
        }
        if (!glyphs.empty() && glyphs.back().right == x) {
            Glyph& g = glyphs.back();
            g = {g.left, x + 1, std::min(g.top, top), std::max(g.bottom, bottom)};
        } else {
            glyphs.push_back({x, x + 1, top, bottom});
        }
    }
    int tallest = 0;
    for (const Glyph& g : glyphs) {
        tallest = std::max(tallest, g.bottom - g.top);
    }
    std::string text;
    for (const Glyph& g : glyphs) {
        if ((g.bottom - g.top) * 3 < tallest) {
            text += g.right - g.left > g.bottom - g.top ? '-' : '?';
            continue;
        }
        // A 0 is a ring across its middle third; a 1 a straight stem there, narrow against
        // its flag and foot (a 2 or a 7 crosses it slantwise).
        const int height = g.bottom - g.top;
        const auto upper = brightRuns(picture, g.top + height / 3, g.left, g.right);
        const auto middle = brightRuns(picture, g.top + height / 2, g.left, g.right);
        const auto lower = brightRuns(picture, g.top + 2 * height / 3, g.left, g.right);
        auto sameRun = [](const Run& a, const Run& b) {
            return std::abs(a.from - b.from) <= 1 && std::abs(a.to - b.to) <= 1;
        };
        if (upper.size() == 2 && middle.size() == 2 && lower.size() == 2) {
            text += '0';
        } else if (upper.size() == 1 && middle.size() == 1 && lower.size() == 1 &&
                   sameRun(upper[0], middle[0]) && sameRun(middle[0], lower[0]) &&
                   (middle[0].to - middle[0].from) * 2 < g.right - g.left) {
            text += '1';
        } else {
            text += '?';
        }
    }
    return text;
}

std::string unreadableButton(const Picture& picture, Area button) {
    constexpr int kInset = 3;
    const Area inner{button.x + kInset, button.y + kInset, button.width - 2 * kInset,
                     button.height - 2 * kInset};
    std::map<std::tuple<int, int, int>, int> faces;
    int left = picture.width;
    int right = -1;
    int labelPixels = 0;
    int labelLuma = 0;
    for (int y = inner.y; y < inner.y + inner.height; ++y) {
        for (int x = inner.x; x < inner.x + inner.width; ++x) {
            const Rgb c = picture.at(x, y);
            if (isBright(c)) {
                ++labelPixels;
                labelLuma += luma(c);
                left = std::min(left, x);
                right = std::max(right, x + 1);
            } else {
                ++faces[{c.r, c.g, c.b}];
            }
        }
    }
    if (faces.empty()) {
        return "the button has no face";
    }
    const auto face =
        std::max_element(faces.begin(), faces.end(), [](const auto& a, const auto& b) {
            return a.second < b.second;
        })->first;
    const Rgb faceColor{std::get<0>(face), std::get<1>(face), std::get<2>(face)};
    if (near(faceColor, kBackground, 20)) {
        return "the face does not stand out from the background";
    }
    if (!isBackground(picture.at(button.x - 3, button.y + button.height / 2))) {
        return "no background just left of the button: it is not where it belongs";
    }
    if (labelPixels < 20) {
        return "no label: " + std::to_string(labelPixels) + " bright pixels";
    }
    if (labelLuma / labelPixels - luma(faceColor) < 100) {
        return "the label has too little contrast with the face";
    }
    const int centre = (left + right) / 2;
    if (std::abs(centre - (button.x + button.width / 2)) > 12) {
        return "the label is not centred";
    }
    if (right - left < 15) {
        return "the label is too narrow to be a word";
    }
    return "";
}

bool savePicture(const Picture& picture, const std::string& path, std::string& error) {
    return writePng(path, picture.rgba, unsigned(picture.width), unsigned(picture.height), error);
}

// The coloured triangle list of the live cubies: per face a black background fan, and per
// coloured face a sticker set in from the face's edges by the inset, so a black band shows
// around it. With colour fade a sticker shades from black to its colour across its home
// (solved) position, so the shading turns with the piece.

#include "render_mesh.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "puzzle.h"

uint8_t vertexLimitReached = 0;

namespace {

constexpr uint32_t kBackground = 0xFF000000;
constexpr uint32_t kFadeBackground = 0xFF323232;
constexpr uint32_t kSelected = 0xFF00FFFF;
// A flagged edge reaches this far past the face's edge, so bandaged stickers meet seamlessly.
constexpr double kFlaggedOffset = -0.001;
// The sticker's centre is lifted off the face by this along the outward normal.
constexpr double kCentreLift = 0.01;

struct PaletteRow {
    uint32_t flat;
    uint32_t flatHighlighted;
    uint32_t fade;  // RGB
    uint32_t fadeHighlighted;
};

constexpr int32_t kPaletteSize = 20;
constexpr PaletteRow kPalette[kPaletteSize] = {
    {0xDCDCDC, 0xFFFFFF, 0xE1E1E1, 0xFFFFFF}, {0xB40000, 0xFF0000, 0xB40000, 0xFF0000},
    {0x00B400, 0x00FF32, 0x008C32, 0x00FF64}, {0xC86400, 0xFF9600, 0xC86400, 0xFF9600},
    {0xC8C800, 0xFFFF00, 0xC8C800, 0xFFFF00}, {0x0000C8, 0x0000FF, 0x0000C8, 0x0000FF},
    {0x00B4B4, 0x00FFFF, 0x00B4B4, 0x00FFFF}, {0xB400B4, 0xFF00FF, 0xB400B4, 0xFF00FF},
    {0xFF6464, 0xFF9696, 0xFF6464, 0xFF9696}, {0x640000, 0x960000, 0x640000, 0x960000},
    {0x000064, 0x000096, 0x000064, 0x000096}, {0x005000, 0x008200, 0x005000, 0x008200},
    {0x640064, 0x960096, 0x640064, 0x960096}, {0x646464, 0x8C8C8C, 0x646464, 0x8C8C8C},
    {0x009678, 0x00FF96, 0x461900, 0x783700}, {0x783232, 0x965050, 0x783232, 0x965050},
    {0x005050, 0x007878, 0x005050, 0x007878}, {0x646400, 0x8C8C00, 0x646400, 0x8C8C00},
    {0x323232, 0x505050, 0x323232, 0x505050}, {0x323200, 0x505000, 0x323200, 0x505000},
};

uint32_t fadeColor(double factor, uint32_t rgb) {
    // A degenerate home face gives no finite factor: draw it in its full colour.
    if (!std::isfinite(factor)) {
        factor = 1.0;
    }
    auto channel = [factor](uint32_t value) {
        double scaled = std::trunc(factor * static_cast<double>(value));
        scaled = scaled < 0 ? 0 : (scaled > 255 ? 255 : scaled);
        return static_cast<uint32_t>(scaled) & 0xFF;
    };
    return 0xFF000000 | channel((rgb >> 16) & 0xFF) << 16 | channel((rgb >> 8) & 0xFF) << 8 |
           channel(rgb & 0xFF);
}

MeshVertex vertexAt(const Vec3& p, uint32_t color) {
    return MeshVertex{static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z),
                      color};
}

// Fade factors of a face from its home position: along y, or along z when the home face has
// no extent in y.
struct FadeAxis {
    bool useZ = false;
    double min = 1000.0;
    double max = -1000.0;
};

FadeAxis fadeAxis(const Cuby& home, int32_t face) {
    FadeAxis axis;
    const int32_t n = home.faceSize(face);
    for (int32_t k = 0; k < n; ++k) {
        double y = home.faceVertex(face, k).y;
        axis.max = y > axis.max ? y : axis.max;
        axis.min = y < axis.min ? y : axis.min;
    }
    if (axis.max - axis.min < 1e-5) {
        axis = FadeAxis{true, 1000.0, -1000.0};
        for (int32_t k = 0; k < n; ++k) {
            double z = home.faceVertex(face, k).z;
            axis.max = z > axis.max ? z : axis.max;
            axis.min = z < axis.min ? z : axis.min;
        }
    }
    return axis;
}

}  // namespace

int64_t Puzzle::meshVertexTotal() const {
    // A coloured face: n - 2 background and n sticker triangles; an inner face: the fan only.
    int64_t total = 0;
    for (const Cuby& cuby : cubies) {
        for (int32_t f = 0; f < cuby.facecount; ++f) {
            const int32_t n = cuby.faceSize(f);
            total += cuby.facecolor[f] != -1 ? 6 * (n - 1) : 3 * (n - 2);
        }
    }
    return total;
}

int32_t Puzzle::countVertices() {
    const int64_t total =
        oversized ? std::max<int64_t>(meshVertexTotal(), kVertexLimit + 1) : meshVertexTotal();
    if (total > kVertexLimit) {
        vertexLimitReached = 1;
    }
    return total > INT32_MAX ? INT32_MAX : static_cast<int32_t>(total);
}

bool Puzzle::overVertexLimit() const {
    return oversized || meshVertexTotal() > kVertexLimit;
}

int32_t Puzzle::fillVertices(MeshVertex* buffer, int32_t capacity, double inset,
                             uint8_t colorFade) {
    if (vertexLimitReached != 0) {
        return -1;
    }
    if (buffer == nullptr || meshVertexTotal() > capacity) {
        return -1;
    }
    const uint32_t background = colorFade != 0 ? kFadeBackground : kBackground;
    const bool cached = meshCache_.prepare(cubies, homeCubies, cubyCount, inset, colorFade != 0);
    MeshVertex* out = buffer;
    for (int32_t i = 0; i < cubyCount; ++i) {
        if (cached && meshCache_.reusable(cubies, homeCubies, i)) {
            const int32_t count = meshCache_.triangleCount(i);
            std::memcpy(out, meshCache_.triangles(i), sizeof(MeshVertex) * count);
            out += count;
            continue;
        }
        MeshVertex* const made = out;
        const Cuby& cuby = cubies[i];
        for (int32_t f = 0; f < cuby.facecount; ++f) {
            const int32_t n = cuby.faceSize(f);
            const Vec3& p0 = cuby.faceVertex(f, 0);
            for (int32_t j = 1; j + 1 < n; ++j) {
                *out++ = vertexAt(p0, background);
                *out++ = vertexAt(cuby.faceVertex(f, j), background);
                *out++ = vertexAt(cuby.faceVertex(f, j + 1), background);
            }
            const int32_t color = cuby.facecolor[f];
            if (color < 0 || color >= kPaletteSize) {
                continue;
            }
            out = fillSticker(out, i, f, inset, colorFade != 0 && cuby.selected == 0);
        }
        if (cached) {
            meshCache_.store(i, made, static_cast<int32_t>(out - made));
        }
    }
    return 1;
}

MeshVertex* Puzzle::fillSticker(MeshVertex* out, int32_t cubyIndex, int32_t face, double inset,
                                bool fade) {
    const Cuby& cuby = cubies[cubyIndex];
    const Cuby& home = homeCubies[cubyIndex];
    const int32_t n = cuby.faceSize(face);
    const PaletteRow& row = kPalette[cuby.facecolor[face]];
    uint32_t flat = 0xFF000000 | (cuby.highlighted != 0 ? row.flatHighlighted : row.flat);
    const uint32_t fadeRgb = cuby.highlighted != 0 ? row.fadeHighlighted : row.fade;
    if (cuby.selected != 0) {
        flat = kSelected;
    }

    Vec3 sum;
    for (int32_t k = 0; k < n; ++k) {
        sum = sum + cuby.faceVertex(face, k);
    }
    const Vec3 m{sum.x / n, sum.y / n, sum.z / n};

    const Vec3& p0 = cuby.faceVertex(face, 0);
    const Vec3& p1 = cuby.faceVertex(face, 1);
    const Vec3& p2 = cuby.faceVertex(face, 2);
    Vec3 n1;
    cross3(p1 - p0, p2 - p1, n1);
    Vec3 normal = vecLength(m + n1) > vecLength(m - n1) ? n1 : Vec3{-n1.x, -n1.y, -n1.z};
    normalizeVec3(normal);

    if (fade) {
        const FadeAxis axis = fadeAxis(home, face);
        const double span = axis.max - axis.min;
        double meanC = 0.0;
        for (int32_t k = 0; k < n; ++k) {
            const Vec3& h = home.faceVertex(face, k);
            double c = axis.useZ ? h.z : h.y;
            meanC += c;
            stickerFade_[k] = fadeColor((c - axis.min) / span, fadeRgb);
        }
        stickerFade_[n] = fadeColor((meanC / n - axis.min) / span, fadeRgb);
    }

    for (int32_t j = 0; j < n; ++j) {
        const Vec3& a = cuby.faceVertex(face, j);
        const Vec3& b = cuby.faceVertex(face, j + 1 < n ? j + 1 : 0);
        const double w = cuby.edgeflag[cuby.facestart[face] + j] != 0 ? kFlaggedOffset : inset;
        Plane q;
        planeFromPoints(q, a, b, a + normal);
        if (planeDistance(q, m) < 0) {
            negatePlane(q);
        }
        normalizePlane(q);
        const Vec3 towardsCentre = planeNormal(q);
        stickerLines_[j] = {a + towardsCentre * w, b + towardsCentre * w};
    }

    const Vec3 centre = m + normal * kCentreLift;
    for (int32_t j = 0; j < n; ++j) {
        const int32_t previous = j == 0 ? n - 1 : j - 1;
        const int32_t next = j + 1 < n ? j + 1 : 0;
        OffsetLine& line = stickerLines_[j];
        Plane across;
        planeFromPoints(across, line.start, line.end, line.start + normal);
        // Where the neighbouring offset lines meet this one; a parallel neighbour leaves the
        // line's own end point.
        Vec3 start = line.start;
        Vec3 end = line.end;
        intersectPlaneSegment(across, stickerLines_[previous].start, stickerLines_[previous].end,
                              start);
        intersectPlaneSegment(across, stickerLines_[next].start, stickerLines_[next].end, end);
        line = {start, end};
        *out++ = vertexAt(centre, fade ? stickerFade_[n] : flat);
        *out++ = vertexAt(start, fade ? stickerFade_[j] : flat);
        *out++ = vertexAt(end, fade ? stickerFade_[next] : flat);
    }
    return out;
}

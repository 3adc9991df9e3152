// Construction steps 5 and 6: cutting the solid by every scratch plane in order, then erasing
// tiny and colourless pieces. Every cut replaces a piece, in place in the order, by its front
// part followed by its back part, and erasing keeps the order: the numbering of the cubies
// follows from these two steps alone and is stored data.
//
// The pieces live in flat storage while they are cut, and only the kept ones become cubies, so
// that a cut allocates nothing of its own.

#include <algorithm>
#include <cmath>

#include "cuby_split.h"
#include "puzzle.h"

namespace {

// Erasing: a sticker is tiny when its area is below threshold / 1000 and its shortest side
// (of its fan triangles) below this.
constexpr double kTinySide = 0.05;

// The box around a piece's vertices, so that most planes that miss the piece are told without
// looking at every vertex.
struct Box {
    Vec3 centre;
    Vec3 half;  // half the extent along each axis
};

Box boxAround(const CubyArrays& piece) {
    if (piece.vertexcount == 0) {
        return Box{};
    }
    Vec3 low = piece.vertex[0];
    Vec3 high = piece.vertex[0];
    for (int32_t k = 1; k < piece.vertexcount; ++k) {
        const Vec3& v = piece.vertex[k];
        low = {std::min(low.x, v.x), std::min(low.y, v.y), std::min(low.z, v.z)};
        high = {std::max(high.x, v.x), std::max(high.y, v.y), std::max(high.z, v.z)};
    }
    return Box{(low + high) * 0.5, (high - low) * 0.5};
}

// A plane the box's span stays clear of has every vertex strictly on the centre's side or
// snapped onto it, so the split would find no vertex on the other side and not cut.
bool surelyMisses(const Box& box, const Plane& plane, double length) {
    const BoxSpan span = boxSpan(box.centre, box.half, plane, length);
    return std::fabs(span.centre) > span.spread;
}

// The pieces of the cutting, one after another in flat arrays; a piece's face starts count
// from 0 within its own face vertex indices.
class PieceStore {
  public:
    int32_t add(const CubyArrays& piece) {
        const int32_t indexcount = piece.facestart[piece.facecount];
        pieces_.push_back(
            Range{static_cast<int32_t>(vertex_.size()), piece.vertexcount,
                  static_cast<int32_t>(vindex_.size()), static_cast<int32_t>(facecolor_.size()),
                  static_cast<int32_t>(facestart_.size()), piece.facecount, boxAround(piece)});
        vertex_.insert(vertex_.end(), piece.vertex, piece.vertex + piece.vertexcount);
        vindex_.insert(vindex_.end(), piece.vindex, piece.vindex + indexcount);
        facestart_.insert(facestart_.end(), piece.facestart, piece.facestart + piece.facecount + 1);
        facecolor_.insert(facecolor_.end(), piece.facecolor, piece.facecolor + piece.facecount);
        return static_cast<int32_t>(pieces_.size()) - 1;
    }
    CubyArrays arrays(int32_t id) const {
        const Range& r = pieces_[id];
        return CubyArrays{vertex_.data() + r.vertex,  r.vertexcount,
                          vindex_.data() + r.index,   facestart_.data() + r.facestart,
                          facecolor_.data() + r.face, r.facecount};
    }
    const Box& box(int32_t id) const { return pieces_[id].box; }
    size_t size() const { return pieces_.size(); }
    void swap(PieceStore& other) {
        vertex_.swap(other.vertex_);
        vindex_.swap(other.vindex_);
        facestart_.swap(other.facestart_);
        facecolor_.swap(other.facecolor_);
        pieces_.swap(other.pieces_);
    }
    size_t bytes() const {
        return vertex_.capacity() * sizeof(Vec3) +
               (vindex_.capacity() + facestart_.capacity() + facecolor_.capacity()) *
                   sizeof(int32_t) +
               pieces_.capacity() * sizeof(Range);
    }
    void clear() {
        vertex_.clear();
        vindex_.clear();
        facestart_.clear();
        facecolor_.clear();
        pieces_.clear();
    }

  private:
    struct Range {
        int32_t vertex;
        int32_t vertexcount;
        int32_t index;
        int32_t face;
        int32_t facestart;
        int32_t facecount;
        Box box;
    };
    std::vector<Vec3> vertex_;
    std::vector<int32_t> vindex_;
    std::vector<int32_t> facestart_;
    std::vector<int32_t> facecolor_;
    std::vector<Range> pieces_;
};

bool hasTinySticker(const CubyArrays& piece, double areaBound) {
    // An area is a sum of lengths and products of lengths, never below 0: with a bound of 0
    // (the threshold's default) no sticker is tiny.
    if (!(areaBound > 0)) {
        return false;
    }
    for (int32_t f = 0; f < piece.facecount; ++f) {
        if (piece.facecolor[f] == -1) {
            continue;
        }
        const int32_t n = piece.faceSize(f);
        const int32_t* list = piece.vindex + piece.facestart[f];
        const Vec3& p0 = piece.vertex[list[0]];
        double shortest = 10.0;
        for (int32_t i = 1; i + 1 < n; ++i) {
            double side = shortestSide(p0, piece.vertex[list[i]], piece.vertex[list[i + 1]]);
            if (side < shortest) {
                shortest = side;
            }
        }
        // Both tests must hold; the area, the dearer one, only for a narrow sticker.
        if (!(shortest < kTinySide)) {
            continue;
        }
        double area = 0.0;
        for (int32_t i = 1; i + 1 < n; ++i) {
            area += triangleArea(p0, piece.vertex[list[i]], piece.vertex[list[i + 1]]);
        }
        if (area < areaBound) {
            return true;
        }
    }
    return false;
}

bool hasSticker(const CubyArrays& piece) {
    return std::any_of(piece.facecolor, piece.facecolor + piece.facecount,
                       [](int32_t color) { return color != -1; });
}

// The cutting's storage, kept from one construction to the next: rebuilding a puzzle in the
// editor then touches no fresh memory. More than this is released after use.
constexpr size_t kKeptScratchBytes = 16u << 20;

struct CuttingScratch {
    PieceStore store;
    PieceStore compacted;
    std::vector<int32_t> order;
    std::vector<int32_t> nextOrder;
    CubySplitter splitter;
};

}  // namespace

void Puzzle::cutAndErase(const std::vector<Plane>& scratch, int32_t eraseThreshold) {
    thread_local CuttingScratch kept;
    PieceStore& store = kept.store;
    PieceStore& compacted = kept.compacted;
    std::vector<int32_t>& order = kept.order;
    std::vector<int32_t>& nextOrder = kept.nextOrder;
    CubySplitter& splitter = kept.splitter;
    store.clear();
    order.clear();
    for (const Cuby& cuby : cubies) {
        order.push_back(store.add(arraysOf(cuby)));
    }
    for (const Plane& plane : scratch) {
        if (order.size() > static_cast<size_t>(kMaxCutCubies)) {
            oversized = true;
            break;
        }
        const double length = std::sqrt(plane.a * plane.a + plane.b * plane.b + plane.c * plane.c);
        nextOrder.clear();
        for (int32_t id : order) {
            if (surelyMisses(store.box(id), plane, length) ||
                !splitter.split(store.arrays(id), plane)) {
                nextOrder.push_back(id);
                continue;
            }
            nextOrder.push_back(store.add(splitter.front().arrays()));
            nextOrder.push_back(store.add(splitter.back().arrays()));
        }
        order.swap(nextOrder);
        // Pieces that were cut stay behind in the store; once they outnumber the live ones,
        // the live ones move to fresh storage, in order.
        if (store.size() > 2 * order.size()) {
            compacted.clear();
            for (int32_t& id : order) {
                id = compacted.add(store.arrays(id));
            }
            store.swap(compacted);
        }
    }

    const double areaBound = eraseThreshold * 0.001;
    cubies.clear();
    cubies.reserve(order.size());
    for (int32_t id : order) {
        const CubyArrays piece = store.arrays(id);
        if (!hasTinySticker(piece, areaBound) && hasSticker(piece)) {
            cubies.emplace_back();
            fillCuby(cubies.back(), piece);
        }
    }
    cubyCount = static_cast<int32_t>(cubies.size());
    if (store.bytes() + compacted.bytes() > kKeptScratchBytes) {
        kept = CuttingScratch{};
    }
}

#include "mesh_cache.h"

#include <cstring>

namespace {

// Equal bytes, compared eight at a time.
bool equalBytes(const uint8_t* a, const uint8_t* b, size_t n) {
    uint64_t difference = 0;
    size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        uint64_t x;
        uint64_t y;
        std::memcpy(&x, a + i, 8);
        std::memcpy(&y, b + i, 8);
        difference |= x ^ y;
    }
    for (; i < n; ++i) {
        difference |= static_cast<uint64_t>(a[i] ^ b[i]);
    }
    return difference == 0;
}

// Compares n bytes at `at` with `data`, then makes them equal; moves `at` past them.
bool refresh(uint8_t*& at, const void* data, size_t n) {
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    const bool same = equalBytes(at, bytes, n);
    if (!same) {
        std::memcpy(at, bytes, n);
    }
    at += n;
    return same;
}

// The counts and flags of a cubie, and the addresses of its face lists: the lists are fixed
// once the puzzle is built (no operation changes a face, only coordinates, edge flags,
// selection and highlight), so a list replaced as a whole is the one change to notice.
struct Header {
    int32_t vertexcount;
    int32_t indexcount;
    int32_t facecount;
    int32_t flags;
    const int32_t* vindex;
    const int32_t* facestart;
    const int32_t* facecolor;
};

Header headerOf(const Cuby& cuby) {
    return Header{cuby.vertexcount,     cuby.indexcount,
                  cuby.facecount,       cuby.selected | cuby.highlighted << 8,
                  cuby.vindex.data(),   cuby.facestart.data(),
                  cuby.facecolor.data()};
}

// What the fill writes for a cubie: a background fan per face, and a sticker per face with a
// palette colour.
int32_t outputCountOf(const Cuby& cuby) {
    int32_t count = 0;
    for (int32_t f = 0; f < cuby.facecount; ++f) {
        const int32_t n = cuby.faceSize(f);
        count += n > 2 ? 3 * (n - 2) : 0;
        count += cuby.facecolor[f] >= 0 && cuby.facecolor[f] < 20 ? 3 * n : 0;
    }
    return count;
}

}  // namespace

void MeshCache::reserve(size_t cubies, size_t vertices, size_t inputBytes) {
    layout_.reserve(cubies);
    triangles_.reserve(vertices);
    inputs_.reserve(inputBytes);
}

size_t MeshCache::inputBytesOf(const Cuby& cuby, const Cuby* home) {
    size_t bytes = sizeof(Header) + sizeof(Vec3) * static_cast<size_t>(cuby.vertexcount) +
                   static_cast<size_t>(cuby.indexcount);
    if (home != nullptr) {
        bytes += sizeof(Header) + sizeof(Vec3) * static_cast<size_t>(home->vertexcount);
    }
    return bytes;
}

bool MeshCache::prepare(const std::vector<Cuby>& cubies, const std::vector<Cuby>& homes,
                        int32_t count, double inset, bool fade) {
    if (count < 0 || static_cast<size_t>(count) > cubies.size() ||
        (fade && static_cast<size_t>(count) > homes.size()) ||
        static_cast<size_t>(count) > layout_.capacity()) {
        return false;
    }
    uint64_t insetBits;
    std::memcpy(&insetBits, &inset, sizeof insetBits);
    // The layout follows from the counts and face lists, which each cubie's record holds: as
    // long as the records match, it stays right.
    if (laidOut_ && fade == fade_ && insetBits == insetBits_ &&
        layout_.size() == static_cast<size_t>(count)) {
        return true;
    }
    // A new layout; every cubie's triangles are made at this fill.
    layout_.resize(count);
    size_t inputTotal = 0;
    size_t outputTotal = 0;
    for (int32_t i = 0; i < count; ++i) {
        Entry& e = layout_[i];
        e = Entry{inputTotal, inputBytesOf(cubies[i], fade ? &homes[i] : nullptr), outputTotal,
                  outputCountOf(cubies[i]), false};
        inputTotal += e.inputBytes;
        outputTotal += static_cast<size_t>(e.outputCount);
    }
    fade_ = fade;
    insetBits_ = insetBits;
    laidOut_ = inputTotal <= inputs_.capacity() && outputTotal <= triangles_.capacity();
    if (!laidOut_) {
        layout_.clear();
        return false;
    }
    inputs_.resize(inputTotal);
    triangles_.resize(outputTotal);
    return true;
}

bool MeshCache::reusable(const std::vector<Cuby>& cubies, const std::vector<Cuby>& homes,
                         int32_t i) {
    if (!laidOut_) {
        return false;
    }
    const Cuby& cuby = cubies[i];
    const Cuby* home = fade_ ? &homes[i] : nullptr;
    Entry& e = layout_[i];
    uint8_t* at = inputs_.data() + e.input;
    // Other counts need another layout: nothing more is copied until the next fill lays the
    // cache out again.
    if (inputBytesOf(cuby, home) != e.inputBytes) {
        laidOut_ = false;
        return false;
    }
    const Header header = headerOf(cuby);
    bool same = refresh(at, &header, sizeof header);
    same &= refresh(at, cuby.vertex.data(), sizeof(Vec3) * static_cast<size_t>(cuby.vertexcount));
    same &= refresh(at, cuby.edgeflag.data(), static_cast<size_t>(cuby.indexcount));
    if (home != nullptr) {
        const Header homeHeader = headerOf(*home);
        same &= refresh(at, &homeHeader, sizeof homeHeader);
        same &=
            refresh(at, home->vertex.data(), sizeof(Vec3) * static_cast<size_t>(home->vertexcount));
    }
    return same && e.valid;
}

void MeshCache::store(int32_t i, const MeshVertex* made, int32_t count) {
    if (!laidOut_) {
        return;
    }
    Entry& e = layout_[i];
    if (count != e.outputCount) {
        laidOut_ = false;  // the face lists changed the triangle count
        return;
    }
    std::memcpy(triangles_.data() + e.output, made, sizeof(MeshVertex) * e.outputCount);
    e.valid = true;
}

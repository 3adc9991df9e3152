#pragma once
// The triangles each live cubie got at the last fill of the render mesh, with a copy of
// everything they were made from: the cubie's coordinates, edge flags, selection, highlight
// and counts, and with colour fade its home cubie's coordinates; the inset and the fade switch
// of that fill; and the addresses of the face lists, which no operation changes once the
// puzzle is built. A fill copies a cubie's triangles when all of that is bit for bit the same,
// and makes them anew otherwise, so the mesh is exactly what making every triangle would give.
// Most fills (every animation step) change only the cubies of one layer.
//
// Storage is reserved when the puzzle is built and never grown by a fill: a fill that would
// need more simply makes every triangle.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "cuby.h"
#include "render_mesh.h"

class MeshCache {
  public:
    void reserve(size_t cubies, size_t vertices, size_t inputBytes);
    // The bytes of inputs recorded for a cubie, with its home cubie when the fade is on.
    static size_t inputBytesOf(const Cuby& cuby, const Cuby* home);
    // Lays the cache out for a fill of these cubies, keeping what still fits; false when it
    // cannot serve this fill.
    bool prepare(const std::vector<Cuby>& cubies, const std::vector<Cuby>& homes, int32_t count,
                 double inset, bool fade);
    // True when cubie i's triangles can be copied; otherwise records its inputs, and the
    // caller makes its triangles and stores them.
    bool reusable(const std::vector<Cuby>& cubies, const std::vector<Cuby>& homes, int32_t i);
    const MeshVertex* triangles(int32_t i) const { return triangles_.data() + layout_[i].output; }
    int32_t triangleCount(int32_t i) const { return layout_[i].outputCount; }
    void store(int32_t i, const MeshVertex* made, int32_t count);

  private:
    struct Entry {
        size_t input = 0;
        size_t inputBytes = 0;
        size_t output = 0;
        int32_t outputCount = 0;
        bool valid = false;
    };

    std::vector<Entry> layout_;
    std::vector<uint8_t> inputs_;
    std::vector<MeshVertex> triangles_;
    bool laidOut_ = false;
    bool fade_ = false;
    uint64_t insetBits_ = 0;
};

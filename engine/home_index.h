#pragma once
// The home cubies' vertices in a grid, so that the refit at the end of a turn finds the home
// cubie a turned cubie now covers, and where each turned vertex snaps, without scanning every
// home cubie.
//
// The index answers exactly as the plain scan does: coveringHome gives the first home cubie,
// in index order, that has the cubie's vertex count and a vertex within the refit distance of
// each turned vertex, and each vertex snaps to the first such vertex of it. It works on the
// coordinates it was built with; callers check with unchanged() that a home cubie it names
// still has them.

#include <cstdint>
#include <vector>

#include "cuby.h"

class HomeIndex {
  public:
    // What coveringHome found instead of a home cubie.
    static constexpr int32_t kKeepTurned = -1;  // no home cubie has the cubie's vertex count
    static constexpr int32_t kNoHome = -2;      // some have, but none covers the cubie

    void build(const std::vector<Cuby>& homes, double reach);
    bool empty() const { return start_.empty(); }

    int32_t homeCount() const { return static_cast<int32_t>(start_.size()) - 1; }
    int32_t homeVertexCount(int32_t home) const { return start_[home + 1] - start_[home]; }
    // Where home cubie h's vertices start among all home vertices, home after home.
    int32_t homeVertexStart(int32_t home) const { return start_[home]; }
    int32_t homeVertexTotal() const { return start_.back(); }
    // Home cubie h's vertices as indexed, in its vertex order.
    const Vec3* homeCoordinates(int32_t home) const { return coords_.data() + start_[home]; }
    // The box around home cubie h's vertices; `valid` false when a coordinate is not finite.
    struct Box {
        Vec3 centre;
        Vec3 half;
        bool valid = false;
    };
    const Box& homeBox(int32_t home) const { return boxes_[home]; }
    // True while home cubie h still has the vertex count and coordinates it was indexed with.
    bool unchanged(const Cuby& home, int32_t h) const;
    // Home cubies with a vertex of exactly these coordinate bits, ascending, into `out`.
    void homesAt(const Vec3& p, std::vector<int32_t>& out) const;

    // The first home cubie covering the turned vertices, kNoHome or kKeepTurned; for a home
    // cubie, `snap` gets the position in it of the vertex each turned vertex snaps to.
    int32_t coveringHome(const Vec3* turned, int32_t count, std::vector<int32_t>& snap);

  private:
    struct Corner {
        Vec3 p;
        int32_t home;
    };
    struct Cell {
        uint64_t key = 0;
        int32_t first = 0;  // into corners_
        int32_t count = 0;  // 0: an empty slot of the table
    };
    static uint64_t cellKey(int64_t x, int64_t y, int64_t z);
    static int64_t cellOf(double scaled);
    const Cell* findCell(uint64_t key) const;
    void cellSpan(double v, int64_t& first, int64_t& last) const;
    bool withinReach(const Vec3& p, const Vec3& v) const;
    // kNoHome when some home cubie has this vertex count, else kKeepTurned.
    int32_t uncovered(int32_t count) const;

    double reach_ = 0.0;
    double cellMargin_ = 0.0;  // twice the reach, in cells
    double surelyNearSquared_ = 0.0;
    double surelyFarSquared_ = 0.0;
    std::vector<int32_t> start_;
    std::vector<Vec3> coords_;  // every home vertex as indexed, home after home
    std::vector<Box> boxes_;
    std::vector<uint8_t> vertexCounts_;  // 1 at every vertex count a home cubie has
    // The finite home vertices by grid cell, and an open-addressing table of the cells.
    std::vector<Corner> corners_;
    std::vector<Cell> cells_;
    uint64_t cellMask_ = 0;
    std::vector<int32_t> candidates_;  // scratch of coveringHome
};

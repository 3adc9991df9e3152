#pragma once
// The home cubies' vertices as points, so that the refit at the end of a turn finds the home
// cubie a turned cubie now covers, and where each turned vertex snaps, without scanning every
// home cubie.
//
// A point is one bit pattern of coordinates; home vertices with the same bits share it. Pieces
// that meet at a corner each computed it, so one corner is usually several points a rounding
// error apart. The index answers exactly as the plain scan does: coveringHome gives the first
// home cubie, in index order, that has the cubie's vertex count and a vertex within the refit
// distance of each turned vertex, and each vertex snaps to the first such vertex of it.

#include <cstdint>
#include <vector>

#include "cuby.h"

class HomeIndex {
  public:
    // What coveringHome found instead of a home cubie.
    static constexpr int32_t kKeepTurned = -1;  // no home cubie has the cubie's vertex count
    static constexpr int32_t kNoHome = -2;      // some have, but none covers the cubie

    // Builds the index over `homes`, which it then assumes unchanged: callers check the home
    // cubies an answer names with unchanged().
    void build(const std::vector<Cuby>& homes, double reach);
    bool empty() const { return homePids_.empty(); }

    int32_t pointCount() const { return static_cast<int32_t>(points_.size()); }
    int32_t homeCount() const { return static_cast<int32_t>(homePids_.size()); }
    const Vec3& point(int32_t pid) const { return points_[pid]; }
    // The points of home cubie h, one per vertex in its vertex order.
    const int32_t* homePids(int32_t home) const { return homePids_[home].data(); }
    int32_t homeVertexCount(int32_t home) const {
        return static_cast<int32_t>(homePids_[home].size());
    }
    // Where home cubie h's vertices start among all home vertices, in home order.
    int32_t homeVertexStart(int32_t home) const { return homeStart_[home]; }
    // Home cubie h's vertices as indexed, in its vertex order.
    const Vec3* homeCoordinates(int32_t home) const { return coords_.data() + homeStart_[home]; }
    int32_t homeVertexTotal() const { return homeStart_.back(); }
    // Home cubies having the point as a vertex, ascending.
    const std::vector<int32_t>& homesWith(int32_t pid) const { return homesWith_[pid]; }
    // The point with exactly these coordinate bits, or -1.
    int32_t exactPoint(const Vec3& p) const;
    // True while home cubie h still has the vertex count and coordinates it was indexed with.
    bool unchanged(const Cuby& home, int32_t h) const;

    // The first home cubie covering the turned vertices, kNoHome or kKeepTurned; for a home
    // cubie, `snap` gets the position in it of the vertex each turned vertex snaps to.
    int32_t coveringHome(const std::vector<Cuby>& homes, const Vec3* turned, int32_t count,
                         std::vector<int32_t>& snap);

  private:
    struct Cell {
        uint64_t key = 0;
        int32_t first = 0;  // into cellPoints_
        int32_t count = 0;  // 0: an empty slot of the table
    };
    struct CellPoint {
        Vec3 p;
        int32_t pid;
    };
    static uint64_t cellKey(int64_t x, int64_t y, int64_t z);
    void cellSpan(double v, int64_t& first, int64_t& last) const;
    bool withinReach(const Vec3& p, const Vec3& v) const;
    const Cell* findCell(uint64_t key) const;
    // Appends the points within the reach of p (pointDistance).
    void nearPoints(const Vec3& p, std::vector<int32_t>& out) const;
    // kNoHome when some home cubie has this vertex count, else kKeepTurned.
    int32_t uncovered(int32_t count) const;
    int32_t plainScan(const std::vector<Cuby>& homes, const Vec3* turned, int32_t count,
                      std::vector<int32_t>& snap) const;
    uint32_t nextRound();

    double reach_ = 0.0;
    double cellMargin_ = 0.0;  // twice the reach, in cells
    double surelyNearSquared_ = 0.0;
    double surelyFarSquared_ = 0.0;
    std::vector<Vec3> points_;
    std::vector<std::vector<int32_t>> homePids_;
    std::vector<int32_t> homeStart_;
    std::vector<Vec3> coords_;                     // every home vertex as indexed, home after home
    std::vector<std::vector<int32_t>> homesWith_;  // per point: home cubies having it, ascending
    std::vector<uint8_t> vertexCounts_;            // 1 at every vertex count a home cubie has
    // Points by grid cell, and an open-addressing table of the cells.
    std::vector<CellPoint> cellPoints_;
    std::vector<Cell> cells_;
    uint64_t cellMask_ = 0;
    // Scratch of coveringHome: a point is near turned vertex label_[pid] when its mark_ equals
    // the current round.
    std::vector<uint32_t> mark_;
    std::vector<int32_t> label_;
    uint32_t markRound_ = 0;
    std::vector<int32_t> near_;
    std::vector<int32_t> candidates_;
    std::vector<uint8_t> hit_;
};

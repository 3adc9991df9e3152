#pragma once
// A spatial index of the home cubies' vertices, so that the refit at the end of a turn finds
// the home cubie a turned cubie now covers without scanning every home cubie.
//
// It only narrows the search: a home cubie that covers a cubie has a vertex within the refit
// distance of the cubie's first vertex, so candidates() returns every such home cubie (and
// maybe more), in increasing index order. The caller applies the full test to each in turn,
// which gives exactly the first covering home cubie, as the plain scan would.

#include <cstdint>
#include <vector>

#include "cuby.h"

class HomeIndex {
  public:
    // Builds the index over `homes` when it is empty; the home cubies never change.
    void build(const std::vector<Cuby>& homes, double reach);
    bool empty() const { return cells_.empty(); }
    // Home cubies with a vertex within `reach` of p, ascending and without repeats.
    void candidates(const Vec3& p, std::vector<int32_t>& out) const;

  private:
    struct Entry {
        uint64_t cell;
        int32_t cuby;
        Vec3 point;
        bool operator<(const Entry& other) const {
            return cell != other.cell ? cell < other.cell : cuby < other.cuby;
        }
    };
    uint64_t cellKey(int64_t x, int64_t y, int64_t z) const;
    int64_t cellCoordinate(double v) const;

    std::vector<Entry> cells_;
    double reach_ = 0.0;
    double cellSize_ = 0.0;
};

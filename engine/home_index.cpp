#include "home_index.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>

namespace {

// Grid cells of 1/64: far larger than the reach, and a power of two, so that a coordinate's
// cell is exact.
constexpr double kCellsPerUnit = 64.0;
constexpr int64_t kCellBias = 1 << 20;

bool finite(const Vec3& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

int64_t cellOf(double v) {
    // Coordinates are bounded by the solid (radius below 2); clamp keeps damaged ones in range.
    return static_cast<int64_t>(std::clamp(std::floor(v * kCellsPerUnit), -1.0e6, 1.0e6));
}

bool sameBits(const Vec3& a, const Vec3& b) {
    return std::memcmp(&a, &b, sizeof(Vec3)) == 0;
}

bool bitsLess(const Vec3& a, const Vec3& b) {
    return std::memcmp(&a, &b, sizeof(Vec3)) < 0;
}

uint64_t hashOf(uint64_t key) {
    return (key * 0x9E3779B97F4A7C15ull) >> 17;
}

}  // namespace

uint64_t HomeIndex::cellKey(int64_t x, int64_t y, int64_t z) {
    return (static_cast<uint64_t>(x + kCellBias) << 42) |
           (static_cast<uint64_t>(y + kCellBias) << 21) | static_cast<uint64_t>(z + kCellBias);
}

void HomeIndex::build(const std::vector<Cuby>& homes, double reach) {
    reach_ = reach;
    cellMargin_ = 2.0 * reach * kCellsPerUnit;
    surelyNearSquared_ = 0.98 * reach * reach;
    surelyFarSquared_ = 1.02 * reach * reach;
    // Distinct points: every home vertex, sorted by its bits.
    struct Corner {
        Vec3 p;
        int32_t home;
        int32_t vertex;
    };
    std::vector<Corner> corners;
    for (int32_t h = 0; h < static_cast<int32_t>(homes.size()); ++h) {
        for (int32_t k = 0; k < homes[h].vertexcount; ++k) {
            corners.push_back(Corner{homes[h].vertex[k], h, k});
        }
    }
    std::sort(corners.begin(), corners.end(),
              [](const Corner& a, const Corner& b) { return bitsLess(a.p, b.p); });
    // Equal bits get one group number; points are then numbered in order of first use by
    // the home cubies, so that a home cubie's points lie close together.
    homePids_.assign(homes.size(), {});
    for (size_t h = 0; h < homes.size(); ++h) {
        homePids_[h].assign(homes[h].vertexcount, -1);
    }
    int32_t groups = 0;
    for (size_t c = 0; c < corners.size(); ++c) {
        if (c > 0 && !sameBits(corners[c - 1].p, corners[c].p)) {
            ++groups;
        }
        homePids_[corners[c].home][corners[c].vertex] = groups;
    }
    std::vector<int32_t> renumbered(corners.empty() ? 0 : groups + 1, -1);
    points_.clear();
    for (size_t h = 0; h < homes.size(); ++h) {
        for (int32_t k = 0; k < homes[h].vertexcount; ++k) {
            int32_t& pid = renumbered[homePids_[h][k]];
            if (pid < 0) {
                pid = static_cast<int32_t>(points_.size());
                points_.push_back(homes[h].vertex[k]);
            }
            homePids_[h][k] = pid;
        }
    }
    homeStart_.assign(homes.size() + 1, 0);
    coords_.clear();
    for (size_t h = 0; h < homes.size(); ++h) {
        homeStart_[h + 1] = homeStart_[h] + homes[h].vertexcount;
        coords_.insert(coords_.end(), homes[h].vertex.begin(),
                       homes[h].vertex.begin() + homes[h].vertexcount);
    }
    homesWith_.assign(points_.size(), {});
    vertexCounts_.clear();
    for (int32_t h = 0; h < static_cast<int32_t>(homes.size()); ++h) {
        for (int32_t pid : homePids_[h]) {
            std::vector<int32_t>& with = homesWith_[pid];
            if (with.empty() || with.back() != h) {
                with.push_back(h);
            }
        }
        const size_t count = static_cast<size_t>(homes[h].vertexcount);
        vertexCounts_.resize(std::max(vertexCounts_.size(), count + 1), 0);
        vertexCounts_[count] = 1;
    }

    // The grid: finite points by cell, and the cells in a hash table.
    std::vector<std::pair<uint64_t, int32_t>> keyed;
    for (int32_t pid = 0; pid < pointCount(); ++pid) {
        const Vec3& p = points_[pid];
        if (finite(p)) {
            keyed.push_back({cellKey(cellOf(p.x), cellOf(p.y), cellOf(p.z)), pid});
        }
    }
    std::sort(keyed.begin(), keyed.end());
    cellPoints_.resize(keyed.size());
    size_t tableSize = 16;
    while (tableSize < 2 * keyed.size()) {
        tableSize *= 2;
    }
    cells_.assign(tableSize, Cell{});
    cellMask_ = tableSize - 1;
    for (size_t i = 0; i < keyed.size(); ++i) {
        cellPoints_[i] = CellPoint{points_[keyed[i].second], keyed[i].second};
        if (i == 0 || keyed[i].first != keyed[i - 1].first) {
            uint64_t slot = hashOf(keyed[i].first) & cellMask_;
            while (cells_[slot].count != 0) {
                slot = (slot + 1) & cellMask_;
            }
            cells_[slot] = Cell{keyed[i].first, static_cast<int32_t>(i), 0};
            for (size_t j = i; j < keyed.size() && keyed[j].first == keyed[i].first; ++j) {
                cells_[slot].count += 1;
            }
        }
    }
    mark_.assign(points_.size(), 0);
    label_.assign(points_.size(), 0);
    markRound_ = 0;
}

const HomeIndex::Cell* HomeIndex::findCell(uint64_t key) const {
    for (uint64_t slot = hashOf(key) & cellMask_;; slot = (slot + 1) & cellMask_) {
        const Cell& cell = cells_[slot];
        if (cell.count == 0) {
            return nullptr;
        }
        if (cell.key == key) {
            return &cell;
        }
    }
}

int32_t HomeIndex::exactPoint(const Vec3& p) const {
    if (!finite(p)) {
        return -1;
    }
    const Cell* cell = findCell(cellKey(cellOf(p.x), cellOf(p.y), cellOf(p.z)));
    for (int32_t i = 0; cell != nullptr && i < cell->count; ++i) {
        const CellPoint& entry = cellPoints_[cell->first + i];
        if (sameBits(entry.p, p)) {
            return entry.pid;
        }
    }
    return -1;
}

// The cells to search along one axis: the coordinate's own, and a neighbour when the
// coordinate lies within twice the reach of the boundary between them. A point within the
// reach by pointDistance lies within it along each axis but for rounding, so it is in one of
// the cells searched.
void HomeIndex::cellSpan(double v, int64_t& first, int64_t& last) const {
    const double scaled = v * kCellsPerUnit;
    const double cell = std::floor(scaled);
    const double within = scaled - cell;
    first = last = static_cast<int64_t>(std::clamp(cell, -1.0e6, 1.0e6));
    first -= within < cellMargin_ ? 1 : 0;
    last += within > 1.0 - cellMargin_ ? 1 : 0;
}

bool HomeIndex::withinReach(const Vec3& p, const Vec3& v) const {
    const double dx = p.x - v.x;
    const double dy = p.y - v.y;
    const double dz = p.z - v.z;
    const double squared = dx * dx + dy * dy + dz * dz;
    // The square root is monotonic: squares clear of the reach's square decide alone.
    if (squared < surelyNearSquared_) {
        return true;
    }
    if (squared > surelyFarSquared_) {
        return false;
    }
    return pointDistance(p, v) <= reach_;
}

void HomeIndex::nearPoints(const Vec3& p, std::vector<int32_t>& out) const {
    if (!finite(p)) {
        return;
    }
    int64_t x0, x1, y0, y1, z0, z1;
    cellSpan(p.x, x0, x1);
    cellSpan(p.y, y0, y1);
    cellSpan(p.z, z0, z1);
    for (int64_t x = x0; x <= x1; ++x) {
        for (int64_t y = y0; y <= y1; ++y) {
            for (int64_t z = z0; z <= z1; ++z) {
                const Cell* cell = findCell(cellKey(x, y, z));
                for (int32_t i = 0; cell != nullptr && i < cell->count; ++i) {
                    const CellPoint& entry = cellPoints_[cell->first + i];
                    if (withinReach(p, entry.p)) {
                        out.push_back(entry.pid);
                    }
                }
            }
        }
    }
}

bool HomeIndex::unchanged(const Cuby& home, int32_t h) const {
    const int32_t count = homeVertexCount(h);
    return home.vertexcount == count &&
           std::memcmp(home.vertex.data(), coords_.data() + homeStart_[h],
                       sizeof(Vec3) * static_cast<size_t>(count)) == 0;
}

int32_t HomeIndex::uncovered(int32_t count) const {
    const size_t c = static_cast<size_t>(count);
    return count >= 0 && c < vertexCounts_.size() && vertexCounts_[c] != 0 ? kNoHome : kKeepTurned;
}

uint32_t HomeIndex::nextRound() {
    if (++markRound_ == 0) {
        std::fill(mark_.begin(), mark_.end(), 0u);
        markRound_ = 1;
    }
    return markRound_;
}

int32_t HomeIndex::coveringHome(const std::vector<Cuby>& homes, const Vec3* turned, int32_t count,
                                std::vector<int32_t>& snap) {
    if (count == 0) {
        return kKeepTurned;
    }
    // Label every point within reach of turned vertex k with k. A home cubie covers the cubie
    // when its points carry every label, and vertex k snaps to its first point labelled k.
    const uint32_t round = nextRound();
    near_.clear();
    size_t nearFirst = 0;
    for (int32_t k = 0; k < count; ++k) {
        const size_t start = near_.size();
        nearPoints(turned[k], near_);
        if (near_.size() == start) {
            return uncovered(count);  // no home cubie has a vertex near this one
        }
        for (size_t n = start; n < near_.size(); ++n) {
            const int32_t q = near_[n];
            if (mark_[q] == round) {
                // Two turned vertices near one point: only the plain scan says which snaps.
                return plainScan(homes, turned, count, snap);
            }
            mark_[q] = round;
            label_[q] = k;
        }
        if (k == 0) {
            nearFirst = near_.size();
        }
    }
    // Every covering home cubie has a point near turned vertex 0.
    candidates_.clear();
    for (size_t n = 0; n < nearFirst; ++n) {
        const std::vector<int32_t>& with = homesWith_[near_[n]];
        candidates_.insert(candidates_.end(), with.begin(), with.end());
    }
    std::sort(candidates_.begin(), candidates_.end());
    candidates_.erase(std::unique(candidates_.begin(), candidates_.end()), candidates_.end());
    snap.resize(count);
    hit_.resize(count);
    for (int32_t h : candidates_) {
        const std::vector<int32_t>& pids = homePids_[h];
        if (static_cast<int32_t>(pids.size()) != count) {
            continue;
        }
        std::fill(hit_.begin(), hit_.end(), 0);
        int32_t hits = 0;
        for (int32_t m = 0; m < count; ++m) {
            const int32_t q = pids[m];
            if (mark_[q] == round && hit_[label_[q]] == 0) {
                hit_[label_[q]] = 1;
                snap[label_[q]] = m;
                ++hits;
            }
        }
        if (hits == count) {
            return h;
        }
    }
    return uncovered(count);
}

int32_t HomeIndex::plainScan(const std::vector<Cuby>& homes, const Vec3* turned, int32_t count,
                             std::vector<int32_t>& snap) const {
    for (int32_t h = 0; h < static_cast<int32_t>(homes.size()); ++h) {
        const Cuby& home = homes[h];
        if (home.vertexcount != count) {
            continue;
        }
        snap.assign(count, -1);
        bool covers = true;
        for (int32_t k = 0; k < count && covers; ++k) {
            for (int32_t m = 0; m < home.vertexcount && snap[k] < 0; ++m) {
                if (pointDistance(turned[k], home.vertex[m]) <= reach_) {
                    snap[k] = m;
                }
            }
            covers = snap[k] >= 0;
        }
        if (covers) {
            return h;
        }
    }
    return uncovered(count);
}

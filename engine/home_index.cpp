#include "home_index.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Grid cells of 1/64: far larger than the reach, and a power of two, so that a coordinate's
// cell is exact.
constexpr double kCellsPerUnit = 64.0;
constexpr int64_t kCellBias = 1 << 20;
// Coordinates are bounded by the solid (radius below 2); clamping keeps damaged ones in range.
constexpr double kCellLimit = 1.0e6;

bool finite(const Vec3& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

uint64_t hashOf(uint64_t key) {
    return (key * 0x9E3779B97F4A7C15ull) >> 17;
}

}  // namespace

uint64_t HomeIndex::cellKey(int64_t x, int64_t y, int64_t z) {
    return (static_cast<uint64_t>(x + kCellBias) << 42) |
           (static_cast<uint64_t>(y + kCellBias) << 21) | static_cast<uint64_t>(z + kCellBias);
}

// The floor of a coordinate in cells, clamped.
int64_t HomeIndex::cellOf(double scaled) {
    scaled = std::clamp(scaled, -kCellLimit, kCellLimit);
    const int64_t cell = static_cast<int64_t>(scaled);  // towards zero, then down
    return cell - (static_cast<double>(cell) > scaled ? 1 : 0);
}

void HomeIndex::build(const std::vector<Cuby>& homes, double reach) {
    reach_ = reach;
    cellMargin_ = 2.0 * reach * kCellsPerUnit;
    surelyNearSquared_ = 0.98 * reach * reach;
    surelyFarSquared_ = 1.02 * reach * reach;
    start_.assign(homes.size() + 1, 0);
    coords_.clear();
    boxes_.assign(homes.size(), Box{});
    vertexCounts_.clear();
    std::vector<std::pair<uint64_t, int32_t>> keyed;
    for (size_t h = 0; h < homes.size(); ++h) {
        const Cuby& home = homes[h];
        start_[h + 1] = start_[h] + home.vertexcount;
        for (int32_t k = 0; k < home.vertexcount; ++k) {
            const Vec3& p = home.vertex[k];
            coords_.push_back(p);
            if (finite(p)) {
                const uint64_t key =
                    cellKey(cellOf(p.x * kCellsPerUnit), cellOf(p.y * kCellsPerUnit),
                            cellOf(p.z * kCellsPerUnit));
                keyed.push_back({key, start_[h] + k});
            }
        }
        if (home.vertexcount > 0) {
            Vec3 low = home.vertex[0];
            Vec3 high = home.vertex[0];
            bool valid = true;
            for (int32_t k = 0; k < home.vertexcount; ++k) {
                const Vec3& p = home.vertex[k];
                valid = valid && finite(p);
                low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
                high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
            }
            boxes_[h] = Box{(low + high) * 0.5, (high - low) * 0.5, valid};
        }
        const size_t count = static_cast<size_t>(home.vertexcount);
        vertexCounts_.resize(std::max(vertexCounts_.size(), count + 1), 0);
        vertexCounts_[count] = 1;
    }
    // Within a cell, vertices stay in home order (the sort is by cell, then vertex number).
    std::sort(keyed.begin(), keyed.end());
    corners_.resize(keyed.size());
    size_t tableSize = 16;
    while (tableSize < 2 * keyed.size()) {
        tableSize *= 2;
    }
    cells_.assign(tableSize, Cell{});
    cellMask_ = tableSize - 1;
    std::vector<int32_t> homeOf(coords_.size());
    for (int32_t h = 0; h < homeCount(); ++h) {
        std::fill(homeOf.begin() + start_[h], homeOf.begin() + start_[h + 1], h);
    }
    for (size_t i = 0; i < keyed.size(); ++i) {
        const int32_t vertex = keyed[i].second;
        corners_[i] = Corner{coords_[vertex], homeOf[vertex]};
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

void HomeIndex::homesAt(const Vec3& p, std::vector<int32_t>& out) const {
    out.clear();
    if (!finite(p)) {
        return;
    }
    const Cell* cell = findCell(cellKey(cellOf(p.x * kCellsPerUnit), cellOf(p.y * kCellsPerUnit),
                                        cellOf(p.z * kCellsPerUnit)));
    for (int32_t i = 0; cell != nullptr && i < cell->count; ++i) {
        const Corner& corner = corners_[cell->first + i];
        if (sameBits(corner.p, p) && (out.empty() || out.back() != corner.home)) {
            out.push_back(corner.home);
        }
    }
}

// The cells to search along one axis: the coordinate's own, and a neighbour when the
// coordinate lies within twice the reach of the boundary between them. A vertex within the
// reach by pointDistance lies within it along each axis but for rounding, so it is in one of
// the cells searched.
void HomeIndex::cellSpan(double v, int64_t& first, int64_t& last) const {
    const double scaled = std::clamp(v * kCellsPerUnit, -kCellLimit, kCellLimit);
    const int64_t cell = cellOf(scaled);
    const double within = scaled - static_cast<double>(cell);
    first = cell - (within < cellMargin_ ? 1 : 0);
    last = cell + (within > 1.0 - cellMargin_ ? 1 : 0);
}

inline bool HomeIndex::withinReach(const Vec3& p, const Vec3& v) const {
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

bool HomeIndex::unchanged(const Cuby& home, int32_t h) const {
    const int32_t count = homeVertexCount(h);
    return home.vertexcount == count && std::memcmp(home.vertex.data(), coords_.data() + start_[h],
                                                    sizeof(Vec3) * static_cast<size_t>(count)) == 0;
}

int32_t HomeIndex::uncovered(int32_t count) const {
    const size_t c = static_cast<size_t>(count);
    return count >= 0 && c < vertexCounts_.size() && vertexCounts_[c] != 0 ? kNoHome : kKeepTurned;
}

int32_t HomeIndex::coveringHome(const Vec3* turned, int32_t count, std::vector<int32_t>& snap) {
    if (count == 0) {
        return kKeepTurned;
    }
    // Every covering home cubie has a vertex near turned vertex 0; they are tried in index
    // order with the plain test.
    candidates_.clear();
    if (finite(turned[0])) {
        int64_t x0, x1, y0, y1, z0, z1;
        cellSpan(turned[0].x, x0, x1);
        cellSpan(turned[0].y, y0, y1);
        cellSpan(turned[0].z, z0, z1);
        for (int64_t x = x0; x <= x1; ++x) {
            for (int64_t y = y0; y <= y1; ++y) {
                for (int64_t z = z0; z <= z1; ++z) {
                    const Cell* cell = findCell(cellKey(x, y, z));
                    for (int32_t i = 0; cell != nullptr && i < cell->count; ++i) {
                        const Corner& corner = corners_[cell->first + i];
                        if (withinReach(turned[0], corner.p)) {
                            candidates_.push_back(corner.home);
                        }
                    }
                }
            }
        }
    }
    std::sort(candidates_.begin(), candidates_.end());
    candidates_.erase(std::unique(candidates_.begin(), candidates_.end()), candidates_.end());
    snap.resize(count);
    for (int32_t h : candidates_) {
        if (homeVertexCount(h) != count) {
            continue;
        }
        const Vec3* coordinates = coords_.data() + start_[h];
        bool covers = true;
        for (int32_t k = 0; k < count && covers; ++k) {
            snap[k] = -1;
            for (int32_t m = 0; m < count && snap[k] < 0; ++m) {
                if (withinReach(turned[k], coordinates[m])) {
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

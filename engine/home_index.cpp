#include "home_index.h"

#include <algorithm>
#include <cmath>

namespace {

// Cells far larger than the reach keep a query to at most eight cells.
constexpr double kCellSize = 0.05;
constexpr int64_t kCellBias = 1 << 20;

}  // namespace

int64_t HomeIndex::cellCoordinate(double v) const {
    double cell = std::floor(v / cellSize_);
    // Coordinates are bounded by the solid (radius below 2); clamp keeps damaged ones in range.
    return static_cast<int64_t>(std::clamp(cell, -1.0e6, 1.0e6));
}

uint64_t HomeIndex::cellKey(int64_t x, int64_t y, int64_t z) const {
    return (static_cast<uint64_t>(x + kCellBias) << 42) |
           (static_cast<uint64_t>(y + kCellBias) << 21) | static_cast<uint64_t>(z + kCellBias);
}

void HomeIndex::build(const std::vector<Cuby>& homes, double reach) {
    reach_ = reach;
    cellSize_ = kCellSize;
    cells_.clear();
    for (int32_t i = 0; i < static_cast<int32_t>(homes.size()); ++i) {
        for (int32_t k = 0; k < homes[i].vertexcount; ++k) {
            const Vec3& p = homes[i].vertex[k];
            if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z)) {
                continue;
            }
            cells_.push_back(Entry{
                cellKey(cellCoordinate(p.x), cellCoordinate(p.y), cellCoordinate(p.z)), i, p});
        }
    }
    std::sort(cells_.begin(), cells_.end());
}

void HomeIndex::candidates(const Vec3& p, std::vector<int32_t>& out) const {
    out.clear();
    if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z)) {
        return;
    }
    // A margin beyond the reach: the caller's distance test decides, this only must not miss.
    const double margin = reach_ * 2.0;
    int64_t x0 = cellCoordinate(p.x - margin), x1 = cellCoordinate(p.x + margin);
    int64_t y0 = cellCoordinate(p.y - margin), y1 = cellCoordinate(p.y + margin);
    int64_t z0 = cellCoordinate(p.z - margin), z1 = cellCoordinate(p.z + margin);
    for (int64_t x = x0; x <= x1; ++x) {
        for (int64_t y = y0; y <= y1; ++y) {
            for (int64_t z = z0; z <= z1; ++z) {
                uint64_t key = cellKey(x, y, z);
                auto it = std::lower_bound(cells_.begin(), cells_.end(), key,
                                           [](const Entry& e, uint64_t k) { return e.cell < k; });
                for (; it != cells_.end() && it->cell == key; ++it) {
                    if (pointDistance(it->point, p) <= margin) {
                        out.push_back(it->cuby);
                    }
                }
            }
        }
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
}

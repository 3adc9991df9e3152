#include "turn_memo.h"

#include <algorithm>
#include <cstring>

namespace {

// Memory for remembered turns; past it all are forgotten and remembered anew. A turn holds two
// integers per home cubie and home vertex, some 30 kilobytes for the largest puzzles.
constexpr size_t kMaxTurnBytes = 32u << 20;

}  // namespace

size_t TurnMemo::KeyHash::operator()(const Key& k) const {
    uint64_t h = static_cast<uint64_t>(k.anchor) * 0x9E3779B97F4A7C15ull;
    for (uint64_t v : {static_cast<uint64_t>(k.plane1), static_cast<uint64_t>(k.plane2),
                       static_cast<uint64_t>(k.layerOneForm), k.cosine, k.sine}) {
        h = (h ^ v) * 0x100000001B3ull;
        h ^= h >> 29;
    }
    return static_cast<size_t>(h);
}

void TurnMemo::build(const HomeIndex& index, const std::vector<Cuby>& cubies,
                     const std::vector<int32_t>& planeCounts) {
    homeCount_ = index.homeCount();
    homeVertexTotal_ = index.homeVertexTotal();
    offset_.assign(cubies.size() + 1, 0);
    for (size_t i = 0; i < cubies.size(); ++i) {
        offset_[i + 1] = offset_[i] + cubies[i].vertexcount;
    }
    position_.assign(offset_.back(), 0);
    coordinates_.assign(offset_.back(), Vec3{});
    place_.assign(cubies.size(), -1);
    std::vector<int32_t> homes;
    std::vector<int32_t> found;
    for (int32_t i = 0; i < static_cast<int32_t>(cubies.size()); ++i) {
        const Cuby& cuby = cubies[i];
        const int32_t count = cuby.vertexcount;
        if (count == 0) {
            continue;
        }
        // Usually its own home cubie, vertex for vertex; else any with these coordinates.
        homes.assign(1, i);
        if (i >= homeCount_ || !index.unchanged(cuby, i)) {
            index.homesAt(cuby.vertex[0], homes);
        }
        for (int32_t h : homes) {
            if (h >= homeCount_ || index.homeVertexCount(h) != count) {
                continue;
            }
            const Vec3* coordinates = index.homeCoordinates(h);
            found.assign(count, -1);
            for (int32_t k = 0; k < count; ++k) {
                for (int32_t m = 0; m < count && found[k] < 0; ++m) {
                    if (sameBits(cuby.vertex[k], coordinates[m])) {
                        found[k] = m;
                    }
                }
            }
            settle(index, i, h, found.data());
            if (place_[i] >= 0) {
                break;
            }
        }
    }
    firstPlane_.assign(planeCounts.size() + 1, 0);
    for (size_t a = 0; a < planeCounts.size(); ++a) {
        firstPlane_[a + 1] = firstPlane_[a] + planeCounts[a];
    }
    placeSides_.assign(firstPlane_.back(), {});
    crossings_.assign(planeCounts.size(), {});
    turns_.clear();
    built_ = true;
}

void TurnMemo::settle(const HomeIndex& index, int32_t cuby, int32_t place,
                      const int32_t* positions) {
    const int32_t count = vertexCount(cuby);
    place_[cuby] = -1;
    seen_.assign(count, 0);
    for (int32_t k = 0; k < count; ++k) {
        if (positions[k] < 0 || positions[k] >= count || seen_[positions[k]] != 0) {
            return;
        }
        seen_[positions[k]] = 1;
    }
    const Vec3* at = index.homeCoordinates(place);
    for (int32_t k = 0; k < count; ++k) {
        position_[offset_[cuby] + k] = positions[k];
        coordinates_[offset_[cuby] + k] = at[positions[k]];
    }
    place_[cuby] = place;
}

TurnMemo::Turn& TurnMemo::turn(const Key& key) {
    auto found = turns_.find(key);
    if (found != turns_.end()) {
        return found->second;
    }
    const size_t bytes = (static_cast<size_t>(homeCount_) + homeVertexTotal_) * sizeof(int32_t);
    if ((turns_.size() + 1) * bytes > kMaxTurnBytes) {
        turns_.clear();
    }
    Turn& turn = turns_[key];
    turn.nextPlace.assign(homeCount_, kUnknown);
    turn.nextPosition.assign(homeVertexTotal_, 0);
    return turn;
}

#pragma once
// What turning remembers between turns, so that a turn of cubies that stand on home cubies'
// vertices costs lookups instead of arithmetic. Every remembered answer is one the plain
// computation gives for the same bits, and every use checks those bits first:
//
// - At rest: a live cubie whose every vertex has exactly the coordinates of a vertex of one
//   home cubie (its place), a different vertex each. Kept as the place and, per vertex, the
//   position in the place's vertex order; valid while the bits still match.
// - Plane sides: for each plane of each anchor and each home cubie, which of its vertices is
//   the first outside the slab bounded by the plane, or by the plane negated, at the turning
//   threshold.
// - Plane crossings: for each anchor and each home cubie, the anchor's planes that some of its
//   vertices lie below, and those that some lie above (after the coincidence snap).
// - Turns: for one slab and rotation, the place each place's vertices go to when turned and
//   refit, and the position there of each.

#include <cstdint>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "home_index.h"

class TurnMemo {
  public:
    // The answers of a remembered place that are not a home cubie.
    static constexpr int32_t kUnknown = -3;  // not yet computed
    static constexpr int32_t kPlain = -4;    // the plain computation must decide

    // One slab (anchor, its planes and form) with one rotation (cosine and sine bits).
    struct Key {
        int32_t anchor;
        int32_t plane1;
        int32_t plane2;  // -1 for a slab with one bounding plane
        int32_t layerOneForm;
        uint64_t cosine;
        uint64_t sine;
        bool operator==(const Key&) const = default;
    };
    struct Turn {
        std::vector<int32_t> nextPlace;     // per home cubie
        std::vector<int32_t> nextPosition;  // per home vertex (HomeIndex::homeVertexStart)
    };

    // Finds the place of every live cubie, and forgets every plane side and turn.
    void build(const HomeIndex& index, const std::vector<Cuby>& cubies,
               const std::vector<int32_t>& planeCounts);
    bool built() const { return built_; }
    int32_t cubyCount() const { return static_cast<int32_t>(place_.size()); }
    int32_t vertexCount(int32_t cuby) const { return offset_[cuby + 1] - offset_[cuby]; }

    // The home cubie the cubie stands on, or -1; its vertices' positions there, and the
    // coordinates they have there (kept beside the positions, so that checking a cubie's bits
    // reads memory in order).
    int32_t place(int32_t cuby) const { return place_[cuby]; }
    int32_t* positions(int32_t cuby) { return position_.data() + offset_[cuby]; }
    Vec3* coordinates(int32_t cuby) { return coordinates_.data() + offset_[cuby]; }
    void setPlace(int32_t cuby, int32_t place) { place_[cuby] = place; }
    // True when the cubie is remembered at rest and still has those coordinates.
    bool atRest(int32_t cuby, const Cuby& live) const {
        return cuby < cubyCount() && place_[cuby] >= 0 && vertexCount(cuby) == live.vertexcount &&
               std::memcmp(live.vertex.data(), coordinates_.data() + offset_[cuby],
                           sizeof(Vec3) * static_cast<size_t>(live.vertexcount)) == 0;
    }
    void forget(int32_t cuby) { place_[cuby] = -1; }
    // Records that the cubie's vertices have the coordinates of the vertices at these
    // positions of home cubie `place`: it is at rest when they are all different.
    void settle(const HomeIndex& index, int32_t cuby, int32_t place, const int32_t* positions);

    // Per home cubie, for the plane (entry 2h) and the plane negated (2h + 1): -1 when all its
    // vertices are inside, else the position of its first vertex outside. Null until set.
    const int32_t* placeSides(int32_t anchor, int32_t plane) const {
        const std::vector<int32_t>& sides = placeSides_[firstPlane_[anchor] + plane];
        return sides.empty() ? nullptr : sides.data();
    }
    int32_t* setPlaceSides(int32_t anchor, int32_t plane) {
        std::vector<int32_t>& sides = placeSides_[firstPlane_[anchor] + plane];
        sides.assign(2 * static_cast<size_t>(homeCount_), -1);
        return sides.data();
    }

    // Per home cubie, the masks of the anchor's planes (bit j for plane j, up to
    // kMaskedPlanes) that some vertex lies below (entry 2h) and above (2h + 1). Null until set.
    static constexpr int32_t kMaskedPlanes = 64;
    const uint64_t* crossings(int32_t anchor) const {
        return crossings_[anchor].empty() ? nullptr : crossings_[anchor].data();
    }
    uint64_t* setCrossings(int32_t anchor) {
        crossings_[anchor].assign(2 * static_cast<size_t>(homeCount_), 0);
        return crossings_[anchor].data();
    }

    Turn& turn(const Key& key);

  private:
    struct KeyHash {
        size_t operator()(const Key& k) const;
    };

    bool built_ = false;
    int32_t homeCount_ = 0;
    int32_t homeVertexTotal_ = 0;
    std::vector<int32_t> offset_;
    std::vector<int32_t> place_;
    std::vector<int32_t> position_;
    std::vector<Vec3> coordinates_;
    std::vector<uint8_t> seen_;        // scratch of settle
    std::vector<int32_t> firstPlane_;  // per anchor: its first plane in the sides
    std::vector<std::vector<int32_t>> placeSides_;
    std::vector<std::vector<uint64_t>> crossings_;  // per anchor
    std::unordered_map<Key, Turn, KeyHash> turns_;
};

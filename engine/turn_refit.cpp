// The cubies a turn takes, and the refit at the end of it. Cubies that stand exactly on the
// vertices of a home cubie are tested and turned through what TurnMemo remembers; every other
// cubie, and every first time, takes the plain computation. Both give the same bits.

#include <algorithm>
#include <cmath>
#include <cstring>

#include "turn_slab.h"

using turning::kHomesChanged;
using turning::kRefitDistance;
using turning::kTurnMembership;

namespace {

uint64_t bitsOf(double v) {
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return bits;
}

}  // namespace

void Puzzle::prepareTurning(bool again) {
    if (!again && turnMemo_.built() &&
        turnMemo_.cubyCount() == static_cast<int32_t>(cubies.size()) &&
        homeIndex_.homeCount() == static_cast<int32_t>(homeCubies.size())) {
        return;
    }
    homeIndex_.build(homeCubies, kRefitDistance);
    std::vector<int32_t> planeCounts;
    for (const Anchor& anchor : anchors) {
        planeCounts.push_back(anchor.planeCount);
    }
    turnMemo_.build(homeIndex_, cubies, planeCounts);
}

const int32_t* Puzzle::planeSides(int32_t anchorIndex, int32_t plane) {
    if (const int32_t* known = turnMemo_.placeSides(anchorIndex, plane)) {
        return known;
    }
    int32_t* sides = turnMemo_.setPlaceSides(anchorIndex, plane);
    const Plane& p = anchors[anchorIndex].planes[plane];
    const PlaneDistance distance(p);
    const double length = std::sqrt(p.a * p.a + p.b * p.b + p.c * p.c);
    for (int32_t h = 0; h < homeIndex_.homeCount(); ++h) {
        const int32_t count = homeIndex_.homeVertexCount(h);
        int32_t& outside = sides[2 * h];
        int32_t& outsideNegated = sides[2 * h + 1];
        // Every vertex's distance lies between the box centre's less and plus its reach along
        // the normal; with a margin far above the rounding, a box clear of a threshold decides
        // for all vertices: none outside (-1), or all, the first being vertex 0.
        const HomeIndex::Box& box = homeIndex_.homeBox(h);
        const BoxSpan span = boxSpan(box.centre, box.half, p, length);
        const double low = span.centre - span.spread;
        const double high = span.centre + span.spread;
        const bool decided = count > 0 && box.valid && std::isfinite(low) && std::isfinite(high);
        outside = decided && low > kTurnMembership    ? -1
                  : decided && high < kTurnMembership ? 0
                                                      : -2;
        outsideNegated = decided && high < -kTurnMembership  ? -1
                         : decided && low > -kTurnMembership ? 0
                                                             : -2;
        if (count == 0) {
            outside = outsideNegated = -1;
        }
        if (outside != -2 && outsideNegated != -2) {
            continue;
        }
        const Vec3* coordinates = homeIndex_.homeCoordinates(h);
        const bool findOutside = outside == -2;
        const bool findOutsideNegated = outsideNegated == -2;
        outside = findOutside ? -1 : outside;
        outsideNegated = findOutsideNegated ? -1 : outsideNegated;
        for (int32_t m = 0; m < count; ++m) {
            // The negated plane's distance is the plane's own negated: its products, sums and
            // quotient are those of the plane with the sign flipped (rounding to nearest is
            // symmetric), and its snap to 0 is symmetric.
            const double d = distance(coordinates[m]);
            if (findOutside && outside < 0 && d < kTurnMembership) {
                outside = m;
            }
            if (findOutsideNegated && outsideNegated < 0 && -d < kTurnMembership) {
                outsideNegated = m;
            }
            if ((!findOutside || outside >= 0) && (!findOutsideNegated || outsideNegated >= 0)) {
                break;
            }
        }
    }
    return sides;
}

const uint64_t* Puzzle::planeCrossings(int32_t anchorIndex) {
    if (const uint64_t* known = turnMemo_.crossings(anchorIndex)) {
        return known;
    }
    uint64_t* masks = turnMemo_.setCrossings(anchorIndex);
    const Anchor& anchor = anchors[anchorIndex];
    const int32_t n = std::min(anchor.planeCount, TurnMemo::kMaskedPlanes);
    for (int32_t j = 0; j < n; ++j) {
        const PlaneDistance distance(anchor.planes[j]);
        const uint64_t bit = 1ull << j;
        for (int32_t h = 0; h < homeIndex_.homeCount(); ++h) {
            const Vec3* coordinates = homeIndex_.homeCoordinates(h);
            for (int32_t m = 0; m < homeIndex_.homeVertexCount(h); ++m) {
                const double d = distance(coordinates[m]);
                masks[2 * h] |= d < 0 ? bit : 0;
                masks[2 * h + 1] |= d > 0 ? bit : 0;
            }
        }
    }
    return masks;
}

void Puzzle::selectTurned(int32_t anchorIndex, const Slab& slab, int32_t count) {
    const SlabTest test(slab, kTurnMembership);
    turnedCubies_.clear();
    turnedAtRest_.clear();
    // At rest on home cubie h, the slab's sides of h's vertices are remembered: a cubie still
    // on h's vertex outside the slab is outside; one still on all of them, all inside, is
    // inside. Otherwise every vertex is tested.
    const int32_t* sides1 = planeSides(anchorIndex, slab.i1) + (slab.layerOneForm ? 0 : 1);
    const int32_t* sides2 = slab.twoPlanes ? planeSides(anchorIndex, slab.i2) : nullptr;
    const int32_t known = std::min(count, turnMemo_.cubyCount());
    for (int32_t i = 0; i < count; ++i) {
        const Cuby& cuby = cubies[i];
        const int32_t h =
            i < known && turnMemo_.vertexCount(i) == cuby.vertexcount ? turnMemo_.place(i) : -1;
        int32_t state = -1;  // 0 outside, 1 inside at rest, -1 undecided
        if (h >= 0) {
            int32_t witness = sides1[2 * h];
            if (witness < 0 && sides2 != nullptr) {
                witness = sides2[2 * h];
            }
            const Vec3* expected = turnMemo_.coordinates(i);
            if (witness < 0) {
                state = 1;
                for (int32_t k = 0; k < cuby.vertexcount && state == 1; ++k) {
                    state = sameBits(cuby.vertex[k], expected[k]) ? 1 : -1;
                }
            } else {
                const int32_t* positions = turnMemo_.positions(i);
                int32_t k = 0;
                while (positions[k] != witness) {
                    ++k;
                }
                state = sameBits(cuby.vertex[k], expected[k]) ? 0 : -1;
            }
        }
        if (state == -1) {
            state = test.contains(cuby.vertex.data(), cuby.vertexcount) ? 2 : 0;
        }
        if (state != 0) {
            turnedCubies_.push_back(i);
            turnedAtRest_.push_back(state == 1 ? 1 : 0);
        }
    }
}

// How each turned cubie of the last step is refit.
enum class Puzzle::Refit : uint8_t {
    Remembered,  // at rest, and remembered: every vertex goes to its point's next point
    Snap,        // onto the points in refitPoints_
    Keep,        // keeps its turned coordinates (refitVertices_)
};

int32_t Puzzle::rotateAndRefit(int32_t anchorIndex, const Slab& slab, const Rotation& rotation) {
    const SlabTest test(slab, kTurnMembership);
    TurnMemo::Turn* remembered = nullptr;
    refitKinds_.clear();
    refitPlaces_.clear();
    refitVertices_.clear();
    refitPositions_.clear();
    // Every turned cubie finds its home cubie before any cubie is written.
    for (size_t t = 0; t < turnedCubies_.size(); ++t) {
        const int32_t i = turnedCubies_[t];
        const Cuby& cuby = cubies[i];
        const int32_t count = cuby.vertexcount;
        if (turnedAtRest_[t] != 0) {
            if (remembered == nullptr) {
                remembered = &turnMemo_.turn(TurnMemo::Key{
                    anchorIndex, slab.i1, slab.twoPlanes ? slab.i2 : -1, slab.layerOneForm ? 1 : 0,
                    bitsOf(rotation.c), bitsOf(rotation.s)});
            }
            const int32_t next = nextPlace(*remembered, test, rotation, turnMemo_.place(i));
            if (next >= 0) {
                if (!homeIndex_.unchanged(homeCubies[next], next)) {
                    return kHomesChanged;
                }
                refitKinds_.push_back(Refit::Remembered);
                refitPlaces_.push_back(next);
                continue;
            }
        }
        // The plain computation. Membership is tested again after the rotation, as the refit
        // always has.
        const size_t first = refitVertices_.size();
        for (int32_t k = 0; k < count; ++k) {
            refitVertices_.push_back(rotation.apply(cuby.vertex[k]));
        }
        const Vec3* turned = refitVertices_.data() + first;
        const int32_t home = test.contains(turned, count)
                                 ? homeIndex_.coveringHome(turned, count, snap_)
                                 : HomeIndex::kKeepTurned;
        if (home >= 0 ? !homeIndex_.unchanged(homeCubies[home], home) : !homesUnchanged()) {
            return kHomesChanged;
        }
        if (home == HomeIndex::kNoHome) {
            return i;
        }
        refitKinds_.push_back(home >= 0 ? Refit::Snap : Refit::Keep);
        refitPlaces_.push_back(home);
        if (home >= 0) {
            refitPositions_.insert(refitPositions_.end(), snap_.begin(), snap_.end());
        }
    }
    size_t vertexOffset = 0;
    size_t positionOffset = 0;
    for (size_t t = 0; t < turnedCubies_.size(); ++t) {
        const int32_t i = turnedCubies_[t];
        Cuby& cuby = cubies[i];
        const int32_t count = cuby.vertexcount;
        const bool known = i < turnMemo_.cubyCount() && turnMemo_.vertexCount(i) == count;
        const int32_t place = refitPlaces_[t];
        switch (refitKinds_[t]) {
            case Refit::Remembered: {
                const int32_t* next = remembered->nextPosition.data() +
                                      homeIndex_.homeVertexStart(turnMemo_.place(i));
                const Vec3* coordinates = homeIndex_.homeCoordinates(place);
                int32_t* positions = turnMemo_.positions(i);
                Vec3* expected = turnMemo_.coordinates(i);
                for (int32_t k = 0; k < count; ++k) {
                    positions[k] = next[positions[k]];
                    expected[k] = coordinates[positions[k]];
                    cuby.vertex[k] = expected[k];
                }
                turnMemo_.setPlace(i, place);
                break;
            }
            case Refit::Snap: {
                const int32_t* positions = refitPositions_.data() + positionOffset;
                const Vec3* coordinates = homeIndex_.homeCoordinates(place);
                positionOffset += static_cast<size_t>(count);
                vertexOffset += static_cast<size_t>(count);
                for (int32_t k = 0; k < count; ++k) {
                    cuby.vertex[k] = coordinates[positions[k]];
                }
                if (known) {
                    turnMemo_.settle(homeIndex_, i, place, positions);
                }
                break;
            }
            case Refit::Keep: {
                const Vec3* turned = refitVertices_.data() + vertexOffset;
                vertexOffset += static_cast<size_t>(count);
                std::copy(turned, turned + count, cuby.vertex.begin());
                if (known) {
                    turnMemo_.forget(i);
                }
                break;
            }
        }
    }
    return -1;
}

// Where a cubie standing on home cubie h goes when turned and refit: the home cubie it then
// stands on, with the position there of each of h's vertices; or kPlain when the plain
// computation must decide (a rotated vertex outside the slab, no covering home cubie, or two
// vertices snapping to one).
int32_t Puzzle::nextPlace(TurnMemo::Turn& turn, const SlabTest& test, const Rotation& rotation,
                          int32_t h) {
    int32_t& next = turn.nextPlace[h];
    if (next != TurnMemo::kUnknown) {
        return next;
    }
    const int32_t count = homeIndex_.homeVertexCount(h);
    const Vec3* coordinates = homeIndex_.homeCoordinates(h);
    next = TurnMemo::kPlain;
    placeVertices_.resize(count);
    for (int32_t m = 0; m < count; ++m) {
        placeVertices_[m] = rotation.apply(coordinates[m]);
        if (!test.inside(placeVertices_[m])) {
            return next;
        }
    }
    const int32_t found = homeIndex_.coveringHome(placeVertices_.data(), count, snap_);
    if (found < 0) {
        return next;
    }
    int32_t* positions = turn.nextPosition.data() + homeIndex_.homeVertexStart(h);
    std::fill(positions, positions + count, -1);
    for (int32_t m = 0; m < count; ++m) {
        if (std::find(positions, positions + m, snap_[m]) != positions + m) {
            return next;
        }
        positions[m] = snap_[m];
    }
    next = found;
    return next;
}

bool Puzzle::homesUnchanged() const {
    if (homeIndex_.homeCount() != static_cast<int32_t>(homeCubies.size())) {
        return false;
    }
    for (int32_t h = 0; h < homeIndex_.homeCount(); ++h) {
        if (!homeIndex_.unchanged(homeCubies[h], h)) {
            return false;
        }
    }
    return true;
}

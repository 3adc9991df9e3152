// Turning layers. A layer of an anchor is the slab between two neighbouring cutting planes;
// a turn rotates every live cubie inside it about the anchor's axis, in steps, and after the
// last step snaps every turned cubie onto the home cubie whose place it now fills, so rounding
// never piles up from turn to turn. A bandage group turns whole or not at all: the slab widens
// until it splits no group.
//
// A turn whose refit would fail (a turned cubie lands where no home cubie of its shape is) is
// refused: the last step rotates into scratch and writes the cubies only once every one of
// them has found its home cubie.
//
// Cubies that stand exactly on home points are tested and turned through what TurnMemo
// remembers; every other cubie, and every first time, takes the plain computation. Both give
// the same bits.

#include <algorithm>
#include <cmath>
#include <cstring>

#include "diagnostic_log.h"
#include "puzzle.h"

namespace {

// A vertex this far outside a bounding plane still belongs to the turning slab.
constexpr double kTurnMembership = -0.0001;
// Highlighting is stricter: a vertex outside by more than the coincidence snap is out.
constexpr double kHighlightMembership = 0.0;
// Far above the rounding of a box centre's distance from a plane and of its reach (relative
// 1e-15 of magnitudes below 10), and scaled with the distance for planes far away.
constexpr double kBoxMargin = 1e-6;
// A turned vertex within this distance of a home vertex covers it (inclusive).
constexpr double kRefitDistance = 0.0001;

bool sameBits(const Vec3& a, const Vec3& b) {
    return std::memcmp(&a, &b, sizeof(Vec3)) == 0;
}

// rotateAndRefit: a home cubie differs from what was indexed; nothing was written.
constexpr int32_t kHomesChanged = -2;

uint64_t bitsOf(double v) {
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return bits;
}

}  // namespace

// Rodrigues' formula about a unit axis through the origin, right-handed, evaluated term by
// term in this order: positions after a turn are stored data.
struct Puzzle::Rotation {
    Vec3 axis;
    double c;
    double s;
    double oneMinusC;

    Rotation(const Vec3& unitAxis, double angle)
        : axis(unitAxis), c(std::cos(angle)), s(std::sin(angle)), oneMinusC(1.0 - c) {}

    Vec3 apply(const Vec3& v) const {
        Vec3 kv;
        cross3(axis, v, kv);
        const double along = dot3(axis, v);
        return {v.x * c + kv.x * s + axis.x * along * oneMinusC,
                v.y * c + kv.y * s + axis.y * along * oneMinusC,
                v.z * c + kv.z * s + axis.z * along * oneMinusC};
    }
};

// One or two bounding planes, positive side inside. In the layer-1 form the single plane's
// positive side faces the anchor, which flips the sense of rotation. Plane 1 is the anchor's
// plane i1 (negated unless in the layer-1 form), plane 2 its plane i2.
struct Puzzle::Slab {
    Plane plane1;
    Plane plane2;
    bool twoPlanes = false;
    bool layerOneForm = false;
    int32_t i1 = 0;  // anchor plane behind plane1
    int32_t i2 = 0;  // anchor plane behind plane2
};

// Membership of a slab at a threshold: a vertex is inside when no bounding plane has it
// farther outside than the threshold. The planes' lengths are taken once (PlaneDistance).
struct Puzzle::SlabTest {
    SlabTest(const Slab& slab, double threshold)
        : distance1(slab.plane1),
          distance2(slab.plane2),
          twoPlanes(slab.twoPlanes),
          threshold(threshold) {}
    bool inside(const Vec3& v) const {
        return !(distance1(v) < threshold) && (!twoPlanes || !(distance2(v) < threshold));
    }
    bool contains(const Vec3* vertices, int32_t count) const {
        for (int32_t k = 0; k < count; ++k) {
            if (!inside(vertices[k])) {
                return false;
            }
        }
        return true;
    }

    PlaneDistance distance1;
    PlaneDistance distance2;
    bool twoPlanes;
    double threshold;
};

namespace {

Plane negated(Plane p) {
    negatePlane(p);
    return p;
}

}  // namespace

bool Puzzle::layerSlab(int32_t anchorIndex, int32_t layer, Slab& slab) const {
    if (anchorIndex < 0 || anchorIndex >= anchorCount || layer < 1) {
        return false;
    }
    const Anchor& anchor = anchors[anchorIndex];
    const int32_t n = anchor.planeCount;
    if (n == 0 || layer > n + 1) {
        return false;
    }
    if (layer == 1) {
        slab.plane1 = anchor.planes[0];
        slab.layerOneForm = true;
        slab.i1 = 0;
    } else if (layer == n + 1) {
        slab.plane1 = negated(anchor.planes[n - 1]);
        slab.i1 = layer - 2;
    } else {
        slab.plane1 = negated(anchor.planes[layer - 2]);
        slab.plane2 = anchor.planes[layer - 1];
        slab.twoPlanes = true;
        slab.i1 = layer - 2;
        slab.i2 = layer - 1;
    }
    return groupCount == 0 || widenSlab(anchor, slab);
}
bool Puzzle::widenSlab(const Anchor& anchor, Slab& slab) const {
    const int32_t n = anchor.planeCount;
    int32_t g = 0;
    while (g < groupCount) {
        int32_t first = -1;
        for (int32_t i = 0; i < cubyCount && first < 0; ++i) {
            if (cubies[i].group == g) {
                first = i;
            }
        }
        if (first < 0) {
            ++g;
            continue;
        }
        bool below1 = false, above1 = false, below2 = false, above2 = false;
        int32_t member = first;
        do {
            const Cuby& cuby = cubies[member];
            for (int32_t k = 0; k < cuby.vertexcount; ++k) {
                double d1 = planeDistance(slab.plane1, cuby.vertex[k]);
                below1 = below1 || d1 < 0;
                above1 = above1 || d1 > 0;
                if (slab.twoPlanes) {
                    double d2 = planeDistance(slab.plane2, cuby.vertex[k]);
                    below2 = below2 || d2 < 0;
                    above2 = above2 || d2 > 0;
                }
            }
            member = cuby.next;
        } while (member != first && member >= 0);
        const bool crosses2 = slab.twoPlanes && below2 && above2;

        bool changed = false;
        if (below1 && above1) {
            changed = true;
            if (slab.layerOneForm) {
                slab.i1 += 1;
                if (slab.i1 == n) {
                    return false;  // the slab would hold the whole puzzle
                }
                slab.plane1 = anchor.planes[slab.i1];
            } else {
                slab.i1 -= 1;
                if (slab.i1 >= 0) {
                    slab.plane1 = negated(anchor.planes[slab.i1]);
                } else if (!slab.twoPlanes) {
                    return false;
                } else {
                    slab.plane1 = anchor.planes[slab.i2];
                    slab.i1 = slab.i2;
                    slab.twoPlanes = false;
                    slab.layerOneForm = true;
                }
            }
        }
        if (slab.twoPlanes && crosses2) {
            changed = true;
            slab.i2 += 1;
            if (slab.i2 == n) {
                slab.twoPlanes = false;  // runs to the far end of the anchor's layers
            } else {
                slab.plane2 = anchor.planes[slab.i2];
            }
        }
        g = changed ? 0 : g + 1;
    }
    return true;
}

TurnResult Puzzle::turnLayer(int32_t anchorIndex, int32_t layer, uint8_t clockwise, double fraction,
                             int32_t step) {
    Slab slab;
    if (!layerSlab(anchorIndex, layer, slab)) {
        return TurnResult::Unturned;
    }
    Vec3 axis = planeNormal(slab.plane1);
    if (normalizeVec3(axis) == 0) {
        return TurnResult::Unturned;
    }
    const double theta = anchors[anchorIndex].stepAngle;
    double alpha = clockwise == 1 ? fraction * theta : -fraction * theta;
    // The layer-1 form's axis points towards the anchor, the others' away from it: all layers
    // of one anchor then turn the same way for the same direction.
    if (slab.layerOneForm) {
        alpha = -alpha;
    }
    const Rotation rotation(axis, alpha);
    // A turn of F steps has fraction 1/F; its last step is F - 1, with F found by rounding
    // (truncating 1/(1/93) would give 92 steps).
    const double steps = std::round(1.0 / fraction);
    const bool lastStep = std::isfinite(steps) && steps >= 1.0 && steps <= 2147483647.0 &&
                          static_cast<double>(step) + 1.0 == steps;
    prepareTurning();
    if (!lastStep) {
        selectTurned(anchorIndex, slab, static_cast<int32_t>(cubies.size()));
        for (int32_t i : turnedCubies_) {
            Cuby& cuby = cubies[i];
            for (int32_t k = 0; k < cuby.vertexcount; ++k) {
                cuby.vertex[k] = rotation.apply(cuby.vertex[k]);
            }
            if (i < turnMemo_.cubyCount()) {
                turnMemo_.forget(i);
            }
        }
        return TurnResult::Turned;
    }
    selectTurned(anchorIndex, slab, cubyCount);
    int32_t unfit = rotateAndRefit(anchorIndex, slab, rotation);
    if (unfit == kHomesChanged) {
        // The home cubies changed since they were indexed: index them again and decide every
        // cubie by the plain computation.
        prepareTurning(true);
        std::fill(turnedAtRest_.begin(), turnedAtRest_.end(), 0);
        unfit = rotateAndRefit(anchorIndex, slab, rotation);
    }
    if (unfit >= 0) {
        logPrintf(
            "turn refused: anchor %d, layer %d, clockwise %d: cuby %d could not be refitted\n",
            anchorIndex, layer, clockwise, unfit);
        return TurnResult::Refused;
    }
    return TurnResult::Turned;
}

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
        const double centre =
            (p.a * box.centre.x + p.b * box.centre.y + p.c * box.centre.z + p.d) / length;
        const double reach = (std::fabs(p.a) * box.half.x + std::fabs(p.b) * box.half.y +
                              std::fabs(p.c) * box.half.z) /
                             length;
        const double margin = kBoxMargin * (1.0 + std::fabs(centre));
        const double low = centre - reach - margin;
        const double high = centre + reach + margin;
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

bool Puzzle::canTurn(int32_t anchor, int32_t layerMask, uint8_t clockwise) {
    std::vector<Vec3> start;
    savePositions(start);
    bool refused = false;
    const uint32_t mask = static_cast<uint32_t>(layerMask);
    for (int32_t layer = 1; layer <= kTurnedLayers && !refused; ++layer) {
        if ((mask >> (layer - 1)) & 1u) {
            refused = turnLayer(anchor, layer, clockwise, 1.0, 0) == TurnResult::Refused;
        }
    }
    restorePositions(start);
    return !refused;
}

void Puzzle::savePositions(std::vector<Vec3>& out) const {
    out.clear();
    for (const Cuby& cuby : cubies) {
        out.insert(out.end(), cuby.vertex.begin(), cuby.vertex.begin() + cuby.vertexcount);
    }
}

void Puzzle::restorePositions(const std::vector<Vec3>& positions) {
    size_t offset = 0;
    for (Cuby& cuby : cubies) {
        for (int32_t k = 0; k < cuby.vertexcount && offset < positions.size(); ++k) {
            cuby.vertex[k] = positions[offset++];
        }
    }
}
void Puzzle::highlightLayer(int32_t anchorIndex, int32_t layer) {
    Slab slab;
    if (!layerSlab(anchorIndex, layer, slab)) {
        return;
    }
    const SlabTest test = SlabTest(slab, kHighlightMembership);
    for (Cuby& cuby : cubies) {
        if (test.contains(cuby.vertex.data(), cuby.vertexcount)) {
            cuby.highlighted = 1;
        }
    }
}

void Puzzle::clearHighlights() {
    for (Cuby& cuby : cubies) {
        cuby.highlighted = 0;
    }
}

int32_t Puzzle::getLayerCount(int32_t anchor) const {
    if (anchor < 0 || anchor >= anchorCount) {
        return 1;
    }
    return anchors[anchor].planeCount + 1;
}

int32_t Puzzle::getLayerCountOfKind(int32_t kind) const {
    for (const Anchor& anchor : anchors) {
        if (anchor.kind == kind) {
            return anchor.planeCount == 0 ? 0 : anchor.planeCount + 1;
        }
    }
    return 0;
}

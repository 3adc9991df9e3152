// Turning layers. A layer of an anchor is the slab between two neighbouring cutting planes;
// a turn rotates every live cubie inside it about the anchor's axis, in steps, and after the
// last step snaps every turned cubie onto the home cubie whose place it now fills, so rounding
// never piles up from turn to turn (turn_refit.cpp). A bandage group turns whole or not at
// all: the slab widens until it splits no group.
//
// A turn whose refit would fail (a turned cubie lands where no home cubie of its shape is) is
// refused: the last step rotates into scratch and writes the cubies only once every one of
// them has found its home cubie.

#include <algorithm>
#include <cmath>
#include <vector>

#include "diagnostic_log.h"
#include "turn_slab.h"

using turning::kHighlightMembership;
using turning::kHomesChanged;
using turning::negated;

namespace {

void logRefusal(int32_t anchor, int32_t layer, uint8_t clockwise, int32_t cuby) {
    logPrintf("turn refused: anchor %d, layer %d, clockwise %d: cuby %d could not be refitted\n",
              anchor, layer, clockwise, cuby);
}

}  // namespace

bool Puzzle::initialSlab(int32_t anchorIndex, int32_t layer, Slab& slab) const {
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
    return true;
}

bool Puzzle::layerSlab(int32_t anchorIndex, int32_t layer, Slab& slab) {
    if (!initialSlab(anchorIndex, layer, slab)) {
        return false;
    }
    if (groupCount == 0) {
        return true;
    }
    const Anchor& anchor = anchors[anchorIndex];
    groupRings_.update(cubies, cubyCount, groupCount);
    prepareTurning();
    const uint64_t across = groupCrossings(anchorIndex);
    return widenSlab(anchor, slab, [&](int32_t plane) {
        return plane < TurnMemo::kMaskedPlanes ? ((across >> plane) & 1u) != 0
                                               : groupAcross(anchor.planes[plane]);
    });
}

uint64_t Puzzle::groupCrossings(int32_t anchorIndex) {
    const Anchor& anchor = anchors[anchorIndex];
    const int32_t n = std::min(anchor.planeCount, TurnMemo::kMaskedPlanes);
    const uint64_t all = n == 64 ? ~0ull : (1ull << n) - 1;
    const uint64_t* masks = planeCrossings(anchorIndex);
    uint64_t across = 0;
    for (int32_t ring = 0; ring < groupRings_.ringCount() && across != all; ++ring) {
        uint64_t below = 0;
        uint64_t above = 0;
        for (const int32_t* member = groupRings_.begin(ring); member != groupRings_.end(ring);
             ++member) {
            const Cuby& cuby = cubies[*member];
            if (turnMemo_.atRest(*member, cuby)) {
                const int32_t h = turnMemo_.place(*member);
                below |= masks[2 * h];
                above |= masks[2 * h + 1];
                continue;
            }
            for (int32_t j = 0; j < n; ++j) {
                const PlaneDistance distance(anchor.planes[j]);
                for (int32_t k = 0; k < cuby.vertexcount; ++k) {
                    const double d = distance(cuby.vertex[k]);
                    below |= d < 0 ? 1ull << j : 0;
                    above |= d > 0 ? 1ull << j : 0;
                }
            }
        }
        across |= below & above;
    }
    return across;
}

// A plane and its negation put every vertex at distances of opposite sign, so one test serves
// both. Distances are snapped to 0 within the coincidence distance.
bool Puzzle::groupAcross(const Plane& plane) const {
    const PlaneDistance distance(plane);
    for (int32_t ring = 0; ring < groupRings_.ringCount(); ++ring) {
        bool below = false;
        bool above = false;
        for (const int32_t* member = groupRings_.begin(ring); member != groupRings_.end(ring);
             ++member) {
            const Cuby& cuby = cubies[*member];
            for (int32_t k = 0; k < cuby.vertexcount; ++k) {
                const double d = distance(cuby.vertex[k]);
                below = below || d < 0;
                above = above || d > 0;
            }
            if (below && above) {
                return true;
            }
        }
    }
    return false;
}

bool Puzzle::slabTurn(const Anchor& anchor, const Slab& slab, uint8_t clockwise, double fraction,
                      Vec3& axis, double& alpha) {
    axis = planeNormal(slab.plane1);
    if (normalizeVec3(axis) == 0) {
        return false;
    }
    const double theta = anchor.stepAngle;
    alpha = clockwise == 1 ? fraction * theta : -fraction * theta;
    // The layer-1 form's axis points towards the anchor, the others' away from it: all layers
    // of one anchor then turn the same way for the same direction.
    if (slab.layerOneForm) {
        alpha = -alpha;
    }
    return true;
}

TurnResult Puzzle::turnLayer(int32_t anchorIndex, int32_t layer, uint8_t clockwise, double fraction,
                             int32_t step) {
    int32_t unfit = -1;
    const TurnResult result = tryTurnLayer(anchorIndex, layer, clockwise, fraction, step, unfit);
    if (result == TurnResult::Refused) {
        logRefusal(anchorIndex, layer, clockwise, unfit);
    }
    return result;
}

TurnResult Puzzle::tryTurnLayer(int32_t anchorIndex, int32_t layer, uint8_t clockwise,
                                double fraction, int32_t step, int32_t& unfit) {
    Slab slab;
    Vec3 axis;
    double alpha = 0.0;
    if (!layerSlab(anchorIndex, layer, slab) ||
        !slabTurn(anchors[anchorIndex], slab, clockwise, fraction, axis, alpha)) {
        return TurnResult::Unturned;
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
    unfit = rotateAndRefit(anchorIndex, slab, rotation);
    if (unfit == kHomesChanged) {
        // The home cubies changed since they were indexed: index them again and decide every
        // cubie by the plain computation.
        prepareTurning(true);
        std::fill(turnedAtRest_.begin(), turnedAtRest_.end(), 0);
        unfit = rotateAndRefit(anchorIndex, slab, rotation);
    }
    return unfit >= 0 ? TurnResult::Refused : TurnResult::Turned;
}

bool Puzzle::canTurn(int32_t anchor, int32_t layerMask, uint8_t clockwise, int32_t frames) {
    // The steps in between matter: a layer's last step refits while the layers after it still
    // stand where their previous step left them, and a widened slab may hold other cubies at
    // an angle than at rest.
    frames = frames < 1 ? 1 : frames;
    savePositions(trialStart_);
    const uint32_t mask = static_cast<uint32_t>(layerMask);
    int32_t refusedLayer = 0;
    int32_t unfit = -1;
    for (int32_t step = 0; step < frames && refusedLayer == 0; ++step) {
        for (int32_t layer = 1; layer <= kTurnedLayers && refusedLayer == 0; ++layer) {
            if (((mask >> (layer - 1)) & 1u) != 0 &&
                tryTurnLayer(anchor, layer, clockwise, 1.0 / frames, step, unfit) ==
                    TurnResult::Refused) {
                refusedLayer = layer;
            }
        }
    }
    restorePositions(trialStart_);
    if (refusedLayer != 0) {
        logRefusal(anchor, refusedLayer, clockwise, unfit);
    }
    return refusedLayer == 0;
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

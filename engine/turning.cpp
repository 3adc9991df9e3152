// Turning layers. A layer of an anchor is the slab between two neighbouring cutting planes;
// a turn rotates every live cubie inside it about the anchor's axis, in steps, and after the
// last step snaps every turned cubie onto the home cubie whose place it now fills, so rounding
// never piles up from turn to turn (turn_refit.cpp). A bandage group turns whole or not at
// all: the slab widens until it splits no group.
//
// A turn whose refit would fail (a turned cubie lands where no home cubie of its shape is) is
// refused: the last step rotates into scratch and writes the cubies only once every one of
// them has found its home cubie.

#include <cmath>

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

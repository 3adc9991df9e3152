// Turning layers. A layer of an anchor is the slab between two neighbouring cutting planes;
// a turn rotates every live cubie inside it about the anchor's axis, in steps, and after the
// last step snaps every turned cubie onto the home cubie whose place it now fills, so rounding
// never piles up from turn to turn. A bandage group turns whole or not at all: the slab widens
// until it splits no group.
//
// A turn whose refit would fail (a turned cubie lands where no home cubie of its shape is) is
// refused: the last step rotates into scratch and writes the cubies only once every one of
// them has found its home cubie.

#include <cmath>

#include "diagnostic_log.h"
#include "puzzle.h"

namespace {

// A vertex this far outside a bounding plane still belongs to the turning slab.
constexpr double kTurnMembership = -0.0001;
// Highlighting is stricter: a vertex outside by more than the coincidence snap is out.
constexpr double kHighlightMembership = 0.0;
// A turned vertex within this distance of a home vertex covers it (inclusive).
constexpr double kRefitDistance = 0.0001;

// What the refit found for one turned cubie.
constexpr int32_t kKeepTurned = -1;  // no home cubie of its shape, or out of the slab after all
constexpr int32_t kNoHome = -2;      // home cubies of its shape exist but none covers it

bool vertexInside(const Plane& plane, const Vec3& v, double threshold) {
    return !(planeDistance(plane, v) < threshold);
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
// positive side faces the anchor, which flips the sense of rotation.
struct Puzzle::Slab {
    Plane plane1;
    Plane plane2;
    bool twoPlanes = false;
    bool layerOneForm = false;
    int32_t i1 = 0;  // anchor plane behind plane1
    int32_t i2 = 0;  // anchor plane behind plane2

    bool contains(const Vec3* vertices, int32_t count, double threshold) const {
        for (int32_t k = 0; k < count; ++k) {
            if (!vertexInside(plane1, vertices[k], threshold) ||
                (twoPlanes && !vertexInside(plane2, vertices[k], threshold))) {
                return false;
            }
        }
        return true;
    }
    bool contains(const Cuby& cuby, double threshold) const {
        return contains(cuby.vertex.data(), cuby.vertexcount, threshold);
    }
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
    if (!lastStep) {
        for (Cuby& cuby : cubies) {
            if (slab.contains(cuby, kTurnMembership)) {
                for (int32_t k = 0; k < cuby.vertexcount; ++k) {
                    cuby.vertex[k] = rotation.apply(cuby.vertex[k]);
                }
            }
        }
        return TurnResult::Turned;
    }
    const int32_t unfit = rotateAndRefit(slab, rotation);
    if (unfit >= 0) {
        logPrintf(
            "turn refused: anchor %d, layer %d, clockwise %d: cuby %d could not be refitted\n",
            anchorIndex, layer, clockwise, unfit);
        return TurnResult::Refused;
    }
    return TurnResult::Turned;
}

int32_t Puzzle::rotateAndRefit(const Slab& slab, const Rotation& rotation) {
    // The turned cubies' rotated vertices, one cubie after another.
    turnedCubies_.clear();
    turnedVertices_.clear();
    for (int32_t i = 0; i < cubyCount; ++i) {
        const Cuby& cuby = cubies[i];
        if (slab.contains(cuby, kTurnMembership)) {
            turnedCubies_.push_back(i);
            for (int32_t k = 0; k < cuby.vertexcount; ++k) {
                turnedVertices_.push_back(rotation.apply(cuby.vertex[k]));
            }
        }
    }
    // Every turned cubie finds its home cubie before any cubie is written.
    refitHomes_.clear();
    size_t offset = 0;
    for (int32_t i : turnedCubies_) {
        const int32_t count = cubies[i].vertexcount;
        const Vec3* turned = turnedVertices_.data() + offset;
        offset += static_cast<size_t>(count);
        // Membership is tested again after the rotation, as the refit always has.
        const int32_t home = slab.contains(turned, count, kTurnMembership)
                                 ? coveringHome(turned, count)
                                 : kKeepTurned;
        if (home == kNoHome) {
            return i;
        }
        refitHomes_.push_back(home);
    }
    offset = 0;
    for (size_t t = 0; t < turnedCubies_.size(); ++t) {
        Cuby& cuby = cubies[turnedCubies_[t]];
        const Vec3* turned = turnedVertices_.data() + offset;
        offset += static_cast<size_t>(cuby.vertexcount);
        const int32_t home = refitHomes_[t];
        for (int32_t k = 0; k < cuby.vertexcount; ++k) {
            cuby.vertex[k] = home == kKeepTurned ? turned[k] : snapped(homeCubies[home], turned[k]);
        }
    }
    return -1;
}

int32_t Puzzle::coveringHome(const Vec3* turned, int32_t count) {
    if (count == 0) {
        return kKeepTurned;
    }
    if (homeIndex_.empty()) {
        homeIndex_.build(homeCubies, kRefitDistance);
    }
    // Every covering home cubie has a vertex near the cubie's first vertex, and the candidates
    // come in index order: the first that covers is the plain scan's answer.
    homeIndex_.candidates(turned[0], candidateScratch_);
    for (int32_t h : candidateScratch_) {
        const Cuby& home = homeCubies[h];
        if (home.vertexcount != count) {
            continue;
        }
        bool covers = true;
        for (int32_t k = 0; k < count && covers; ++k) {
            bool near = false;
            for (int32_t m = 0; m < home.vertexcount && !near; ++m) {
                near = pointDistance(turned[k], home.vertex[m]) <= kRefitDistance;
            }
            covers = near;
        }
        if (covers) {
            return h;
        }
    }
    for (const Cuby& home : homeCubies) {
        if (home.vertexcount == count) {
            return kNoHome;
        }
    }
    return kKeepTurned;  // no home cubie of this shape: it keeps its turned coordinates
}

Vec3 Puzzle::snapped(const Cuby& home, const Vec3& turned) {
    for (int32_t m = 0; m < home.vertexcount; ++m) {
        if (pointDistance(turned, home.vertex[m]) <= kRefitDistance) {
            return home.vertex[m];
        }
    }
    return turned;  // not reached: the home cubie covers every turned vertex
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
    for (Cuby& cuby : cubies) {
        if (slab.contains(cuby, kHighlightMembership)) {
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

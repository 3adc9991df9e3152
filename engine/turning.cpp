// Turning layers. A layer of an anchor is the slab between two neighbouring cutting planes;
// a turn rotates every live cubie inside it about the anchor's axis, in steps, and after the
// last step snaps every turned cubie onto the home cubie whose place it now fills, so rounding
// never piles up from turn to turn. A bandage group turns whole or not at all: the slab widens
// until it splits no group.

#include <cmath>
#include <cstdlib>

#include "diagnostic_log.h"
#include "puzzle.h"

namespace {

// A vertex this far outside a bounding plane still belongs to the turning slab.
constexpr double kTurnMembership = -0.0001;
// Highlighting is stricter: a vertex outside by more than the coincidence snap is out.
constexpr double kHighlightMembership = 0.0;
// A turned vertex within this distance of a home vertex covers it (inclusive).
constexpr double kRefitDistance = 0.0001;

// A failed refit means the puzzle's state is no longer meaningful.
constexpr int kRefitFailureExitCode = 3;

bool vertexInside(const Plane& plane, const Vec3& v, double threshold) {
    return !(planeDistance(plane, v) < threshold);
}

}  // namespace

// One or two bounding planes, positive side inside. In the layer-1 form the single plane's
// positive side faces the anchor, which flips the sense of rotation.
struct Puzzle::Slab {
    Plane plane1;
    Plane plane2;
    bool twoPlanes = false;
    bool layerOneForm = false;
    int32_t i1 = 0;  // anchor plane behind plane1
    int32_t i2 = 0;  // anchor plane behind plane2

    bool contains(const Cuby& cuby, double threshold) const {
        for (int32_t k = 0; k < cuby.vertexcount; ++k) {
            if (!vertexInside(plane1, cuby.vertex[k], threshold) ||
                (twoPlanes && !vertexInside(plane2, cuby.vertex[k], threshold))) {
                return false;
            }
        }
        return true;
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

bool Puzzle::turnLayer(int32_t anchorIndex, int32_t layer, uint8_t clockwise, double fraction,
                       int32_t step) {
    Slab slab;
    if (!layerSlab(anchorIndex, layer, slab)) {
        return false;
    }
    Vec3 axis = planeNormal(slab.plane1);
    if (normalizeVec3(axis) == 0) {
        return false;
    }
    const double theta = anchors[anchorIndex].stepAngle;
    double alpha = clockwise == 1 ? fraction * theta : -fraction * theta;
    // The layer-1 form's axis points towards the anchor, the others' away from it: all layers
    // of one anchor then turn the same way for the same direction.
    if (slab.layerOneForm) {
        alpha = -alpha;
    }
    const double c = std::cos(alpha);
    const double s = std::sin(alpha);
    const double oneMinusC = 1.0 - c;
    for (Cuby& cuby : cubies) {
        if (!slab.contains(cuby, kTurnMembership)) {
            continue;
        }
        for (int32_t k = 0; k < cuby.vertexcount; ++k) {
            const Vec3 v = cuby.vertex[k];
            Vec3 kv;
            cross3(axis, v, kv);
            const double along = dot3(axis, v);
            cuby.vertex[k] = {v.x * c + kv.x * s + axis.x * along * oneMinusC,
                              v.y * c + kv.y * s + axis.y * along * oneMinusC,
                              v.z * c + kv.z * s + axis.z * along * oneMinusC};
        }
    }
    // A turn of F steps has fraction 1/F; its last step is F - 1, with F found by rounding
    // (truncating 1/(1/93) would give 92 steps).
    const double steps = std::round(1.0 / fraction);
    if (std::isfinite(steps) && steps >= 1.0 && steps <= 2147483647.0 &&
        static_cast<double>(step) + 1.0 == steps) {
        refitTurned(slab);
    }
    return true;
}

void Puzzle::refitTurned(const Slab& slab) {
    if (homeIndex_.empty()) {
        homeIndex_.build(homeCubies, kRefitDistance);
    }
    for (int32_t i = 0; i < cubyCount; ++i) {
        Cuby& cuby = cubies[i];
        if (!slab.contains(cuby, kTurnMembership) || cuby.vertexcount == 0) {
            continue;
        }
        // Every covering home cubie has a vertex near the cubie's first vertex.
        homeIndex_.candidates(cuby.vertex[0], candidateScratch_);
        bool sameCountExists = false;
        const Cuby* found = nullptr;
        for (int32_t h : candidateScratch_) {
            const Cuby& home = homeCubies[h];
            if (home.vertexcount != cuby.vertexcount) {
                continue;
            }
            bool covers = true;
            for (int32_t k = 0; k < cuby.vertexcount && covers; ++k) {
                bool near = false;
                for (int32_t m = 0; m < home.vertexcount && !near; ++m) {
                    near = pointDistance(cuby.vertex[k], home.vertex[m]) <= kRefitDistance;
                }
                covers = near;
            }
            if (covers) {
                found = &home;
                break;
            }
        }
        if (found == nullptr) {
            for (int32_t h = 0; h < cubyCount && !sameCountExists; ++h) {
                sameCountExists = homeCubies[h].vertexcount == cuby.vertexcount;
            }
            if (!sameCountExists) {
                continue;  // no home cubie of this shape: keep the turned coordinates
            }
            logPrintf("fatal error: cuby %d could not be refitted\n", i);
            logCuby(cuby);
            if (logFile != nullptr) {
                std::fflush(logFile);
            }
            std::exit(kRefitFailureExitCode);
        }
        for (int32_t k = 0; k < cuby.vertexcount; ++k) {
            for (int32_t m = 0; m < found->vertexcount; ++m) {
                if (pointDistance(cuby.vertex[k], found->vertex[m]) <= kRefitDistance) {
                    cuby.vertex[k] = found->vertex[m];
                    break;
                }
            }
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

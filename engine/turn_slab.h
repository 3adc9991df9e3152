#pragma once
// What the turning sources share: the tolerances of a turn, the rotation, the slab of layers
// and its membership test. Private to turning.cpp and turn_refit.cpp.

#include <cmath>
#include <cstdint>

#include "puzzle.h"

namespace turning {

// A vertex this far outside a bounding plane still belongs to the turning slab.
inline constexpr double kTurnMembership = -0.0001;
// Highlighting is stricter: a vertex outside by more than the coincidence snap is out.
inline constexpr double kHighlightMembership = 0.0;
// A turned vertex within this distance of a home vertex covers it (inclusive).
inline constexpr double kRefitDistance = 0.0001;

// rotateAndRefit: a home cubie differs from what was indexed; nothing was written.
inline constexpr int32_t kHomesChanged = -2;

inline Plane negated(Plane p) {
    negatePlane(p);
    return p;
}

}  // namespace turning

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

// Each bound of the slab moves outwards, one plane at a time, past every plane that some group
// lies across, and nothing moves meanwhile; so where the bounds end does not depend on which
// group is found across a plane first, and this reaches the slab that scanning the groups in
// number order, from the first again after every change, reaches.
template <class Across>
bool Puzzle::widenSlab(const Anchor& anchor, Slab& slab, Across&& across) {
    const int32_t n = anchor.planeCount;
    for (;;) {
        const bool across1 = across(slab.i1);
        const bool across2 = slab.twoPlanes && across(slab.i2);
        if (!across1 && !across2) {
            return true;
        }
        if (across1) {
            if (slab.layerOneForm) {
                slab.i1 += 1;
                if (slab.i1 == n) {
                    return false;  // the slab would hold the whole puzzle
                }
                slab.plane1 = anchor.planes[slab.i1];
            } else {
                slab.i1 -= 1;
                if (slab.i1 >= 0) {
                    slab.plane1 = turning::negated(anchor.planes[slab.i1]);
                } else if (!slab.twoPlanes) {
                    return false;
                } else {
                    // Layers 1 up to plane 2: from now on the slab is layer 1's, turn sense
                    // included.
                    slab.plane1 = anchor.planes[slab.i2];
                    slab.i1 = slab.i2;
                    slab.twoPlanes = false;
                    slab.layerOneForm = true;
                }
            }
        }
        if (slab.twoPlanes && across2) {
            slab.i2 += 1;
            if (slab.i2 == n) {
                slab.twoPlanes = false;  // runs to the far end of the anchor's layers
            } else {
                slab.plane2 = anchor.planes[slab.i2];
            }
        }
    }
}

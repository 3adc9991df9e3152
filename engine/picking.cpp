// Ray picking. Both searches measure hits along the whole line through the two ray points by
// their distance from the origin point; ties keep the first candidate in scan order.

#include "puzzle.h"

namespace {

constexpr double kNoHit = 10000.0;

// The nearest hit of the line on a face of `cuby`, if nearer than `best`.
bool nearerFaceHit(const Cuby& cuby, int32_t face, const Vec3& rayOrigin, const Vec3& rayTarget,
                   double& best, Vec3& hit) {
    Plane plane;
    facePlane(cuby, face, plane);
    Vec3 x;
    if (intersectPlaneSegment(plane, rayOrigin, rayTarget, x) != 0 ||
        isPointInFace(cuby, x, face) != 1) {
        return false;
    }
    double d = pointDistance(rayOrigin, x);
    if (!(d < best)) {
        return false;
    }
    best = d;
    hit = x;
    return true;
}

}  // namespace

int32_t Puzzle::pickAnchor(const Vec3& rayOrigin, const Vec3& rayTarget, int32_t kind) const {
    // The hit is taken on the uncut solid, so the anchor depends on the ray alone, not on how
    // the puzzle has been turned.
    double best = kNoHit;
    Vec3 hit;
    for (int32_t f = 0; f < solid.facecount; ++f) {
        nearerFaceHit(solid, f, rayOrigin, rayTarget, best, hit);
    }
    if (best == kNoHit) {
        return -1;
    }
    best = kNoHit;
    int32_t result = -1;
    for (int32_t a = 0; a < anchorCount; ++a) {
        if (anchors[a].kind != kind) {
            continue;
        }
        double d = pointDistance(anchors[a].point, hit);
        if (d < best) {
            best = d;
            result = a;
        }
    }
    return result;
}

int32_t Puzzle::pickCuby(const Vec3& rayOrigin, const Vec3& rayTarget) const {
    double best = kNoHit;
    Vec3 hit;
    int32_t result = -1;
    for (int32_t i = 0; i < cubyCount; ++i) {
        for (int32_t f = 0; f < cubies[i].facecount; ++f) {
            if (nearerFaceHit(cubies[i], f, rayOrigin, rayTarget, best, hit)) {
                result = i;
            }
        }
    }
    return result;
}

// The cutting planes of one slice: one plane per face, vertex or edge of the solid, across the
// line from that starting point into the solid, at thickness/360 of the line's depth.
//
// The last bit of every plane decides which pieces later match one another and which planes
// an anchor keeps, so each value is evaluated in one fixed order.

#include "puzzle.h"

namespace {

constexpr double kDepthStart = 10000.0;
// Slack of the point and edge depth test: accepts the far vertex when rounding puts it a
// hair farther out than the starting vertex.
constexpr double kDepthSlack = 1e-5;
constexpr double kOneOver360 = 0.002777777777777778;

// Where the line through `start` and `origin` leaves the solid through the centre.
double depthThroughCentre(const Cuby& solid, const Vec3& start) {
    const Vec3 origin;
    double depth = kDepthStart;
    for (int32_t g = 0; g < solid.facecount; ++g) {
        Plane face;
        facePlane(solid, g, face);
        Vec3 x;
        if (intersectPlaneSegment(face, start, origin, x) != 0) {
            continue;
        }
        double fromStart = pointDistance(start, x);
        double fromOrigin = pointDistance(origin, x);
        if (fromStart < depth && fromOrigin <= pointDistance(origin, start) + kDepthSlack &&
            fromOrigin < fromStart) {
            depth = fromStart;
        }
    }
    return depth;
}

// The plane across the line from `start` towards the centre, thickness/360 of the depth in.
Plane planeTowardsCentre(const Cuby& solid, const Vec3& start, int32_t thickness) {
    double depth = depthThroughCentre(solid, start);
    Vec3 n{-start.x, -start.y, -start.z};
    normalizeVec3(n);
    double along = thickness * depth * kOneOver360;
    Vec3 p = start + n * along;
    Plane out;
    planeFromNormalPoint(out, n, p);
    return out;
}

}  // namespace

void Puzzle::addFaceSlicePlanes(int32_t thickness, Plane* planes, int32_t first, int32_t end) {
    const Cuby& solidNow = cubies[0];
    const int32_t faceCount = solidNow.facecount;
    if (end - first != faceCount || faceCount <= 0) {
        return;
    }
    const Vec3 origin;
    for (int32_t f = 0; f < faceCount; ++f) {
        Plane inward;
        facePlane(solidNow, f, inward);
        normalizePlane(inward);
        if (planeDistance(inward, origin) < 0) {
            negatePlane(inward);
        }
        Vec3 n = planeNormal(inward);
        Vec3 q;
        faceCentroid(solidNow, f, q);
        double depth = kDepthStart;
        Vec3 along = q + n;
        for (int32_t g = 0; g < faceCount; ++g) {
            Plane face;
            facePlane(solidNow, g, face);
            Vec3 x;
            if (intersectPlaneSegment(face, q, along, x) != 0) {
                continue;
            }
            double distance = pointDistance(q, x);
            if (distance < depth && planeDistance(inward, x) > 0) {
                depth = distance;
            }
        }
        Vec3 p = q + n * (thickness * depth * kOneOver360);
        planeFromNormalPoint(planes[first + f], n, p);
    }
}

void Puzzle::addPointSlicePlanes(int32_t thickness, Plane* planes, int32_t first, int32_t end) {
    const Cuby& solidNow = cubies[0];
    const int32_t vertexCount = solidNow.vertexcount;
    if (end - first != vertexCount || vertexCount <= 0) {
        return;
    }
    for (int32_t v = 0; v < vertexCount; ++v) {
        planes[first + v] = planeTowardsCentre(solidNow, solidNow.vertex[v], thickness);
    }
}

void Puzzle::addEdgeSlicePlanes(int32_t thickness, Plane* planes, int32_t first, int32_t end) {
    const Cuby& solidNow = cubies[0];
    if (first >= end) {
        return;
    }
    // Every edge lies on two faces and, at thickness 180, opposite edges share one plane
    // through the centre: only the first copy of each plane is kept.
    int32_t kept = 0;
    for (int32_t f = 0; f < solidNow.facecount; ++f) {
        int32_t n = solidNow.faceSize(f);
        for (int32_t j = 0; j < n; ++j) {
            const Vec3& a = solidNow.faceVertex(f, j);
            const Vec3& b = solidNow.faceVertex(f, j + 1 < n ? j + 1 : 0);
            Vec3 mid{(a.x + b.x) * 0.5, (a.y + b.y) * 0.5, (a.z + b.z) * 0.5};
            // Written first: a dropped plane stays in the slot until the next one replaces it.
            planes[first + kept] = planeTowardsCentre(solidNow, mid, thickness);
            bool duplicate = false;
            for (int32_t i = 0; i < kept && !duplicate; ++i) {
                duplicate = samePlane(planes[first + i], planes[first + kept]);
            }
            if (duplicate) {
                continue;
            }
            ++kept;
            if (first + kept == end) {
                return;
            }
        }
    }
}

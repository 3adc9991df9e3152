// Solved checks: by colours alone, or by colours and the way each sticker is turned in its
// plane. A sticker belongs to the solid face whose outward normal its own normal matches.
//
// The way a sticker is turned is kept as a FaceReference: the point where a short step from
// the sticker's centroid, in a direction common to the whole solid face, leaves the sticker,
// named by an edge (two vertex indices) and a distance along it, so it travels with the cubie.

#include <cmath>

#include "puzzle.h"

namespace {

// A sticker lies on a solid face when their unit normals are closer than this.
constexpr double kSameNormal = 0.001;
// Stickers of one solid face are turned alike when their directions are at most this apart.
constexpr double kSameDirection = 0.1;
constexpr double kReferenceStep = 0.01;

}  // namespace

void Puzzle::computeFaceReferences(int32_t cubyIndex) {
    Cuby& cuby = cubies[cubyIndex];
    for (int32_t f = 0; f < cuby.facecount; ++f) {
        if (cuby.facecolor[f] == -1) {
            continue;
        }
        Vec3 m;
        Vec3 normal;
        cubyFaceCentroid(cubyIndex, f, m);
        cubyFaceNormal(cubyIndex, f, normal);
        Vec3 step;
        perpendicularVector(normal, step);
        step = step * kReferenceStep;
        const Vec3 stepped = m + step;

        const int32_t n = cuby.faceSize(f);
        const int32_t* list = &cuby.vindex[cuby.facestart[f]];
        // A degenerate face may let no edge qualify: the reference then sits on its first
        // edge, so it always names vertices of the face.
        FaceReference found{list[0], list[1 % n], 0.0};
        double best = 10000.0;
        for (int32_t k = 0; k < n; ++k) {
            const int32_t ia = list[k];
            const int32_t ib = list[k + 1 < n ? k + 1 : 0];
            const Vec3& a = cuby.vertex[ia];
            const Vec3& b = cuby.vertex[ib];
            Plane edgePlane;
            planeFromPoints(edgePlane, a, b, a + normal);
            normalizePlane(edgePlane);
            // The feet of the centroid (on the plane as built) and of the stepped point (on
            // the plane turned towards the centroid) matter only to an edge that the step
            // approaches, so they are found after that test.
            const Plane builtPlane = edgePlane;
            double d1 = planeDistance(edgePlane, m);
            if (d1 < 0) {
                negatePlane(edgePlane);
                d1 = -d1;
            }
            double d2 = planeDistance(edgePlane, stepped);
            if (!(d1 > d2)) {
                continue;
            }
            Vec3 p1;
            projectOntoPlane(builtPlane, m, p1);
            Vec3 p2;
            projectOntoPlane(edgePlane, stepped, p2);
            double s = pointDistance(p1, p2);
            double l = s * d1 / (d1 - d2);
            double dist = std::sqrt(l * l + d1 * d1);
            if (!(dist < best)) {
                continue;
            }
            best = dist;
            Vec3 along = p2 - p1;
            normalizeVec3(along);
            Vec3 x = p1 + along * l;
            double t = pointDistance(a, x);
            if (pointDistance(a, b) < pointDistance(b, x)) {
                t = -t;
            }
            found = {ia, ib, t};
        }
        cuby.facereference[f] = found;
    }
}

void Puzzle::faceDirection(int32_t cubyIndex, int32_t face, Vec3& out) const {
    const Cuby& cuby = cubies[cubyIndex];
    const FaceReference& reference = cuby.facereference[face];
    const Vec3& a = cuby.vertex[reference.vertexA];
    const Vec3& b = cuby.vertex[reference.vertexB];
    Vec3 edge = b - a;
    normalizeVec3(edge);
    Vec3 x = a + edge * reference.t;
    Vec3 m;
    cubyFaceCentroid(cubyIndex, face, m);
    out = x - m;
    normalizeVec3(out);
}

bool Puzzle::isSolved() {
    for (SolidFaceColor& face : solidFaceColors) {
        face.color = -1;
    }
    for (int32_t i = 0; i < cubyCount; ++i) {
        const Cuby& cuby = cubies[i];
        for (int32_t f = 0; f < cuby.facecount; ++f) {
            int32_t color = cuby.facecolor[f];
            if (color == -1) {
                continue;
            }
            Vec3 normal;
            cubyFaceNormal(i, f, normal);
            for (int32_t k = 0; k < solid.facecount; ++k) {
                SolidFaceColor& target = solidFaceColors[k];
                if (!(pointDistance(normal, target.normal) < kSameNormal)) {
                    continue;
                }
                if (target.color == -1) {
                    target.color = color;
                } else if (target.color != color) {
                    return false;
                }
            }
        }
    }
    return true;
}

bool Puzzle::isSolvedOriented() {
    if (!isSolved()) {
        return false;
    }
    for (SolidFaceOrientation& face : solidFaceOrientations) {
        face.direction = Vec3{};
    }
    for (int32_t i = 0; i < cubyCount; ++i) {
        const Cuby& cuby = cubies[i];
        for (int32_t f = 0; f < cuby.facecount; ++f) {
            if (cuby.facecolor[f] == -1) {
                continue;
            }
            Vec3 direction;
            Vec3 normal;
            faceDirection(i, f, direction);
            cubyFaceNormal(i, f, normal);
            for (int32_t k = 0; k < solid.facecount; ++k) {
                SolidFaceOrientation& target = solidFaceOrientations[k];
                if (!(pointDistance(normal, target.normal) < kSameNormal)) {
                    continue;
                }
                if (vecLength(target.direction) == 0) {
                    target.direction = direction;
                } else if (pointDistance(direction, target.direction) > kSameDirection) {
                    return false;
                }
            }
        }
    }
    return true;
}

#include "geometry.h"

#include <cmath>

#include "diagnostic_log.h"

void copyPlane(Plane& destination, const Plane& source) {
    destination = source;
}

void copyVec3(const Vec3& source, Vec3& destination) {
    destination = source;
}

void copyPoint(Vec3& destination, const Vec3& source) {
    destination = source;
}

void logVec3(const Vec3& v) {
    logPrintf("%f\t%f\t%f\n", v.x, v.y, v.z);
}

void assignVec3(Vec3& destination, const Vec3& source) {
    destination = source;
}

void cross3f(const Vec3f& a, const Vec3f& b, Vec3f& out) {
    Vec3f r{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
    out = r;
}

void planeFromNormalPoint(Plane& out, const Vec3& normal, const Vec3& point) {
    out.a = normal.x;
    out.b = normal.y;
    out.c = normal.z;
    out.d = -(normal.x * point.x + normal.y * point.y + normal.z * point.z);
}

bool isParallel(const Vec3& u, const Vec3& v) {
    Vec3 c;
    cross3(u, v, c);
    const double squared = c.x * c.x + c.y * c.y + c.z * c.z;
    // The square root is monotonic, so squares far from the bound's square decide alone.
    if (squared > 2.0 * kParallelCross * kParallelCross) {
        return false;
    }
    if (squared < 0.5 * kParallelCross * kParallelCross) {
        return true;
    }
    return std::sqrt(squared) < kParallelCross;
}

bool samePlane(Plane p, Plane q) {
    normalizePlane(p);
    normalizePlane(q);
    Vec3 origin;
    Vec3 k;
    intersectPlaneSegment(p, origin, planeNormal(p), k);
    Vec3 front{k.x + p.a, k.y + p.b, k.z + p.c};
    if (planeDistance(q, front) < 0) {
        negatePlane(q);
    }
    return std::fabs(p.a - q.a) < kSamePlane && std::fabs(p.b - q.b) < kSamePlane &&
           std::fabs(p.c - q.c) < kSamePlane && std::fabs(p.d - q.d) < kSamePlane;
}

int normalizeVec3f(Vec3f& v) {
    float length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    if (length == 0.0f) {
        return 0;
    }
    float inverse = 1.0f / length;
    v.x *= inverse;
    v.y *= inverse;
    v.z *= inverse;
    return 1;
}

int perpendicularVector(const Vec3& normal, Vec3& out) {
    Vec3 origin;
    Plane e;
    planeFromNormalPoint(e, normal, origin);
    Vec3 axisX{1.0, 0.0, 0.0};
    intersectPlaneSegment(e, axisX, axisX + normal, out);
    if (!(pointDistance(origin, out) >= kShortestProjection)) {
        Vec3 axisY{0.0, 1.0, 0.0};
        intersectPlaneSegment(e, axisY, axisY + normal, out);
        if (!(pointDistance(origin, out) >= kShortestProjection)) {
            projectOntoPlane(e, Vec3{0.0, 0.0, 1.0}, out);
        }
    }
    return normalizeVec3(out);
}

double triangleArea(const Vec3& p1, const Vec3& p2, const Vec3& p3) {
    Plane triangle;
    planeFromPoints(triangle, p1, p2, p3);
    Vec3 n = planeNormal(triangle);
    double length = vecLength(n);
    if (length < kDegenerateCross) {
        return 0.0;
    }
    Vec3 unit{n.x / length, n.y / length, n.z / length};
    Plane side;
    planeFromPoints(side, p1, p2, p1 + unit);
    Vec3 foot;
    if (intersectPlaneSegment(side, p3, p3 + planeNormal(side), foot) != 0) {
        // The side p1-p2 is too short for the side plane to have a usable normal.
        return 0.5 * length;
    }
    return 0.5 * pointDistance(p1, p2) * pointDistance(foot, p3);
}

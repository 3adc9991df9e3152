#pragma once
// Points, vectors and planes in double precision, and the float vectors of the camera.
//
// Every geometric decision of the engine is taken with these functions, and their results
// are stored data (cubie order, anchor planes), so each one evaluates its arithmetic in the
// written order, term by term, left to right. The ones on hot paths are defined inline below;
// inlining changes no result, as the build neither contracts nor reassociates.

#include <cmath>
#include <cstring>

struct Vec3 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

struct Vec3f {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

// a·x + b·y + c·z + d = 0; (a, b, c) need not be a unit vector. The positive side is "in front".
struct Plane {
    double a = 0.0;
    double b = 0.0;
    double c = 0.0;
    double d = 0.0;
};

// Distances of smaller magnitude are returned as exactly 0: the coincidence tolerance of the
// whole engine (on the plane, same point).
inline constexpr double kCoincidence = 1e-5;
// intersectPlaneSegment: a denominator of smaller magnitude means the line is parallel.
inline constexpr double kParallelDenominator = 1e-6;
// samePlane: normalised coefficients closer than this describe one plane.
inline constexpr double kSamePlane = 1e-6;
// isParallel: a cross product shorter than this means parallel directions.
inline constexpr double kParallelCross = 0.001;
// perpendicularVector: shortest acceptable projection of a coordinate axis.
inline constexpr double kShortestProjection = 0.001;
// triangleArea: a shorter cross product means a degenerate triangle.
inline constexpr double kDegenerateCross = 0.0001;

inline Vec3 operator+(const Vec3& a, const Vec3& b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vec3 operator-(const Vec3& a, const Vec3& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vec3 operator*(const Vec3& a, double s) {
    return {a.x * s, a.y * s, a.z * s};
}
inline Vec3 planeNormal(const Plane& p) {
    return {p.a, p.b, p.c};
}

void copyPlane(Plane& destination, const Plane& source);
void copyVec3(const Vec3& source, Vec3& destination);
void copyPoint(Vec3& destination, const Vec3& source);
void logVec3(const Vec3& v);
void assignVec3(Vec3& destination, const Vec3& source);
void cross3f(const Vec3f& a, const Vec3f& b, Vec3f& out);
void planeFromNormalPoint(Plane& out, const Vec3& normal, const Vec3& point);
bool isParallel(const Vec3& u, const Vec3& v);
bool samePlane(Plane p, Plane q);
int normalizeVec3f(Vec3f& v);
int perpendicularVector(const Vec3& normal, Vec3& out);
double triangleArea(const Vec3& p1, const Vec3& p2, const Vec3& p3);

// Inline: every split, turn and fill evaluates these per vertex.

// The signed distance of a point from a plane, snapped to 0 within the coincidence distance.
// Built once per plane, so that the normal's length is taken once for many points.
class PlaneDistance {
  public:
    explicit PlaneDistance(const Plane& plane)
        : plane_(plane),
          length_(std::sqrt(plane.a * plane.a + plane.b * plane.b + plane.c * plane.c)) {}
    double operator()(const Vec3& point) const {
        double v =
            (plane_.a * point.x + plane_.b * point.y + plane_.c * point.z + plane_.d) / length_;
        // The bounds themselves are kept: exactly ±1e-5 is a real distance.
        if (v > -kCoincidence && v < kCoincidence) {
            return 0.0;
        }
        return v;
    }

  private:
    Plane plane_;
    double length_;
};

inline double planeDistance(const Plane& plane, const Vec3& point) {
    return PlaneDistance(plane)(point);
}

// Where a box (centre and half extents) lies along a plane's normal: its centre's signed
// distance, and how far the box reaches either side of it plus a margin, both in units of the
// normal's length. The margin is far above the rounding of either (relative 1e-15 of the
// magnitudes the solids keep below 10) and grows with the distance, so a bound the span stays
// clear of decides for every vertex in the box, snapped distances included.
struct BoxSpan {
    double centre;
    double spread;
};

inline BoxSpan boxSpan(const Vec3& centre, const Vec3& half, const Plane& p, double length) {
    constexpr double kBoxMargin = 1e-6;
    const double c = (p.a * centre.x + p.b * centre.y + p.c * centre.z + p.d) / length;
    const double reach =
        (std::fabs(p.a) * half.x + std::fabs(p.b) * half.y + std::fabs(p.c) * half.z) / length;
    return {c, reach + kBoxMargin * (1.0 + std::fabs(c))};
}

// Equal coordinates, bit for bit (0.0 and -0.0 differ).
inline bool sameBits(const Vec3& a, const Vec3& b) {
    return std::memcmp(&a, &b, sizeof(Vec3)) == 0;
}

inline double pointDistance(const Vec3& p, const Vec3& q) {
    double dx = p.x - q.x;
    double dy = p.y - q.y;
    double dz = p.z - q.z;
    double v = std::sqrt(dx * dx + dy * dy + dz * dz);
    return v < kCoincidence ? 0.0 : v;
}

inline void negatePlane(Plane& plane) {
    plane.a *= -1.0;
    plane.b *= -1.0;
    plane.c *= -1.0;
    plane.d *= -1.0;
}

inline void normalizePlane(Plane& plane) {
    double length = std::sqrt(plane.a * plane.a + plane.b * plane.b + plane.c * plane.c);
    plane.a /= length;
    plane.b /= length;
    plane.c /= length;
    plane.d /= length;
}

inline double vecLength(const Vec3& v) {
    return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

inline int normalizeVec3(Vec3& v) {
    double length = vecLength(v);
    if (length == 0.0) {
        return 0;
    }
    double inverse = 1.0 / length;
    v.x *= inverse;
    v.y *= inverse;
    v.z *= inverse;
    return 1;
}

inline int intersectPlaneSegment(const Plane& plane, const Vec3& p1, const Vec3& p2, Vec3& out) {
    // The test is on the raw product, so it scales with the normal and the segment.
    double den = plane.a * (p1.x - p2.x) + plane.b * (p1.y - p2.y) + plane.c * (p1.z - p2.z);
    if (den > -kParallelDenominator && den < kParallelDenominator) {
        return -1;
    }
    double t = (plane.a * p1.x + plane.b * p1.y + plane.c * p1.z + plane.d) / den;
    out.x = p1.x + t * (p2.x - p1.x);
    out.y = p1.y + t * (p2.y - p1.y);
    out.z = p1.z + t * (p2.z - p1.z);
    return 0;
}

inline double dot3(const Vec3& a, const Vec3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

inline void cross3(const Vec3& a, const Vec3& b, Vec3& out) {
    Vec3 r{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
    out = r;
}

inline void planeFromPoints(Plane& out, const Vec3& p1, const Vec3& p2, const Vec3& p3) {
    Vec3 n;
    cross3(p2 - p1, p3 - p1, n);
    out.a = n.x;
    out.b = n.y;
    out.c = n.z;
    out.d = -(n.x * p1.x + n.y * p1.y + n.z * p1.z);
}

inline double shortestSide(const Vec3& p1, const Vec3& p2, const Vec3& p3) {
    double shortest = pointDistance(p1, p2);
    double side = pointDistance(p2, p3);
    if (side < shortest) {
        shortest = side;
    }
    side = pointDistance(p1, p3);
    if (side < shortest) {
        shortest = side;
    }
    return shortest;
}

inline int projectOntoPlane(const Plane& plane, const Vec3& point, Vec3& out) {
    Vec3 along{point.x + plane.a, point.y + plane.b, point.z + plane.c};
    return intersectPlaneSegment(plane, point, along, out);
}

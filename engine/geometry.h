#pragma once
// Points, vectors and planes in double precision, and the float vectors of the camera.
//
// Every geometric decision of the engine is taken with these functions, and their results
// are stored data (cubie order, anchor planes), so each one evaluates its arithmetic in the
// written order, term by term, left to right.

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

double planeDistance(const Plane& plane, const Vec3& point);
double pointDistance(const Vec3& p, const Vec3& q);
void copyPlane(Plane& destination, const Plane& source);
void negatePlane(Plane& plane);
void normalizePlane(Plane& plane);
void copyVec3(const Vec3& source, Vec3& destination);
double vecLength(const Vec3& v);
int normalizeVec3(Vec3& v);
void copyPoint(Vec3& destination, const Vec3& source);
int intersectPlaneSegment(const Plane& plane, const Vec3& p1, const Vec3& p2, Vec3& out);
void logVec3(const Vec3& v);
void assignVec3(Vec3& destination, const Vec3& source);
double dot3(const Vec3& a, const Vec3& b);
void cross3(const Vec3& a, const Vec3& b, Vec3& out);
void cross3f(const Vec3f& a, const Vec3f& b, Vec3f& out);
double shortestSide(const Vec3& p1, const Vec3& p2, const Vec3& p3);
int projectOntoPlane(const Plane& plane, const Vec3& point, Vec3& out);
void planeFromNormalPoint(Plane& out, const Vec3& normal, const Vec3& point);
bool isParallel(const Vec3& u, const Vec3& v);
bool samePlane(Plane p, Plane q);
int normalizeVec3f(Vec3f& v);
int perpendicularVector(const Vec3& normal, Vec3& out);
void planeFromPoints(Plane& out, const Vec3& p1, const Vec3& p2, const Vec3& p3);
double triangleArea(const Vec3& p1, const Vec3& p2, const Vec3& p3);

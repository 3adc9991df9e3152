#include "geometry.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(DistanceSnapping, PlaneDistanceSnapsStrictlyInsideTheTolerance) {
    Plane z0{0, 0, 1, 0};
    EXPECT_EQ(planeDistance(z0, {0, 0, 0.000009}), 0.0);
    EXPECT_EQ(planeDistance(z0, {0, 0, -0.000009}), 0.0);
    EXPECT_EQ(planeDistance(z0, {0, 0, 1e-5}), 1e-5);
    EXPECT_EQ(planeDistance(z0, {0, 0, -1e-5}), -1e-5);
    // The normal need not be a unit vector.
    EXPECT_DOUBLE_EQ(planeDistance(Plane{0, 0, 4, -8}, {5, 5, 3}), 1.0);
}

TEST(DistanceSnapping, PointDistance) {
    EXPECT_EQ(pointDistance({0, 0, 0}, {0.000009, 0, 0}), 0.0);
    EXPECT_EQ(pointDistance({1, 2, 3}, {1, 2, 3}), 0.0);
    EXPECT_DOUBLE_EQ(pointDistance({0, 0, 0}, {3, 4, 0}), 5.0);
}

TEST(VectorHelpers, CopyRoutinesTakeTheirDestinationsWhereDocumented) {
    Vec3 a{1, 2, 3};
    Vec3 b{4, 5, 6};
    copyVec3(a, b);  // source first
    EXPECT_EQ(b.x, 1);
    Vec3 c{7, 8, 9};
    copyPoint(c, a);  // destination first
    EXPECT_EQ(c.z, 3);
    Vec3 d{0, 0, 0};
    assignVec3(d, Vec3{9, 9, 9});
    EXPECT_EQ(d.y, 9);
}

TEST(VectorHelpers, NormalizeZeroAndNonZero) {
    Vec3 zero{0, 0, 0};
    EXPECT_EQ(normalizeVec3(zero), 0);
    EXPECT_EQ(zero.x, 0);
    Vec3 v{3, 0, 4};
    EXPECT_EQ(normalizeVec3(v), 1);
    EXPECT_DOUBLE_EQ(v.x, 0.6);
    EXPECT_EQ(v.y, 0);
    EXPECT_DOUBLE_EQ(v.z, 0.8);
    Vec3f f{0, 0, 0};
    EXPECT_EQ(normalizeVec3f(f), 0);
    Vec3f g{0, 2, 0};
    EXPECT_EQ(normalizeVec3f(g), 1);
    EXPECT_EQ(g.y, 1.0f);
}

TEST(Intersection, ParallelLineLeavesOutputAlone) {
    Plane z0{0, 0, 1, 0};
    Vec3 out{7, 7, 7};
    EXPECT_EQ(intersectPlaneSegment(z0, {0, 0, 1}, {1, 0, 1}, out), -1);
    EXPECT_EQ(out.x, 7);
}

TEST(Intersection, LineIsNotBoundedBySegment) {
    Plane z0{0, 0, 1, 0};
    Vec3 out;
    EXPECT_EQ(intersectPlaneSegment(z0, {0, 0, 2}, {1, 0, 1}, out), 0);  // t = 2
    EXPECT_DOUBLE_EQ(out.x, 2);
    EXPECT_DOUBLE_EQ(out.z, 0);
}

TEST(Intersection, DenominatorBoundaryIsNotParallel) {
    // den = a·(p1.z − p2.z) = 1e-6 exactly counts as crossing.
    Plane p{0, 0, 1e-6, 0};
    Vec3 out{9, 9, 9};
    EXPECT_EQ(intersectPlaneSegment(p, {0, 0, 1}, {0, 0, 0}, out), 0);
    Plane q{0, 0, 0.9e-6, 0};
    EXPECT_EQ(intersectPlaneSegment(q, {0, 0, 1}, {0, 0, 0}, out), -1);
}

TEST(Projection, FootOfPerpendicular) {
    Vec3 out;
    EXPECT_EQ(projectOntoPlane(Plane{0, 0, 2, -2}, {3, 4, 10}, out), 0);
    EXPECT_DOUBLE_EQ(out.x, 3);
    EXPECT_DOUBLE_EQ(out.y, 4);
    EXPECT_DOUBLE_EQ(out.z, 1);
    Vec3 kept{5, 5, 5};
    EXPECT_EQ(projectOntoPlane(Plane{0, 0, 0.0005, 0}, {0, 0, 1}, kept), -1);
    EXPECT_EQ(kept.x, 5);
}

TEST(Planes, SamePlaneIgnoresScaleAndOrientation) {
    EXPECT_TRUE(samePlane(Plane{0, 0, 1, -2}, Plane{0, 0, -2, 4}));
    EXPECT_TRUE(samePlane(Plane{1, 1, 0, -1}, Plane{3, 3, 0, -3}));
    EXPECT_FALSE(samePlane(Plane{0, 0, 1, -2}, Plane{0, 0, 1, -2.1}));
    EXPECT_FALSE(samePlane(Plane{0, 0, 1, 0}, Plane{0, 1, 0, 0}));
}

TEST(Planes, FromPointsAndFromNormalPoint) {
    Plane p;
    planeFromPoints(p, {0, 0, 1}, {1, 0, 1}, {0, 1, 1});
    EXPECT_EQ(p.a, 0);
    EXPECT_EQ(p.b, 0);
    EXPECT_EQ(p.c, 1);
    EXPECT_EQ(p.d, -1);
    Plane q;
    planeFromNormalPoint(q, {0, 2, 0}, {5, 3, 5});
    EXPECT_EQ(q.b, 2);
    EXPECT_EQ(q.d, -6);
    negatePlane(q);
    EXPECT_EQ(q.b, -2);
    EXPECT_EQ(q.d, 6);
    normalizePlane(q);
    EXPECT_EQ(q.b, -1);
    EXPECT_EQ(q.d, 3);
}

TEST(Vectors, ParallelAndPerpendicular) {
    EXPECT_TRUE(isParallel({1, 0, 0}, {-3, 0, 0}));
    EXPECT_FALSE(isParallel({1, 0, 0}, {0, 1, 0}));
    // The test scales with the lengths: long vectors at a small angle are not parallel.
    EXPECT_TRUE(isParallel({1, 0.0005, 0}, {1, 0, 0}));
    EXPECT_FALSE(isParallel({1000, 0.5, 0}, {1000, 0, 0}));

    Vec3 out;
    perpendicularVector({1, 0, 0}, out);
    EXPECT_EQ(out.x, 0);
    EXPECT_EQ(out.y, 1);
    EXPECT_EQ(out.z, 0);
    perpendicularVector({0, 0, 1}, out);
    EXPECT_EQ(out.x, 1);
    perpendicularVector({0, 1, 0}, out);
    EXPECT_EQ(out.x, 1);
    EXPECT_EQ(out.y, 0);
    Vec3 n{1, 2, 3};
    normalizeVec3(n);
    perpendicularVector(n, out);
    EXPECT_NEAR(dot3(out, n), 0.0, 1e-15);
    EXPECT_NEAR(vecLength(out), 1.0, 1e-15);
}

TEST(Vectors, CrossProducts) {
    Vec3 out;
    cross3({1, 0, 0}, {0, 1, 0}, out);
    EXPECT_EQ(out.z, 1);
    Vec3 a{1, 0, 0};
    cross3(a, Vec3{0, 1, 0}, a);  // output may alias an input
    EXPECT_EQ(a.x, 0);
    EXPECT_EQ(a.z, 1);
    Vec3f f;
    cross3f({0, 1, 0}, {0, 0, 1}, f);
    EXPECT_EQ(f.x, 1.0f);
}

TEST(Triangles, AreaAndShortestSide) {
    EXPECT_DOUBLE_EQ(triangleArea({0, 0, 0}, {1, 0, 0}, {0, 1, 0}), 0.5);
    EXPECT_EQ(triangleArea({0, 0, 0}, {1, 1, 1}, {2, 2, 2}), 0.0);
    EXPECT_DOUBLE_EQ(triangleArea({0, 0, 0}, {4, 0, 0}, {1, 3, 0}), 6.0);
    // p1-p2 shorter than the side plane allows: the cross product's half is still the area.
    EXPECT_NEAR(triangleArea({0, 0, 0}, {0.0005, 0, 0}, {0, 400, 0}), 0.1, 1e-12);
    // Two equal shorter sides: their common length.
    EXPECT_DOUBLE_EQ(shortestSide({0, 0, 0}, {1, 1, 0}, {2, 0, 0}), std::sqrt(2.0));
}

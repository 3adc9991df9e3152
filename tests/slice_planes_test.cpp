#include <gtest/gtest.h>

#include <cmath>

#include "test_support.h"

namespace {

struct Counts {
    int32_t face, point, edge, edge180;
};
const Counts kCounts[] = {
    {4, 4, 6, 3}, {6, 8, 12, 6}, {8, 6, 12, 6}, {12, 20, 30, 15}, {20, 12, 30, 15}};

// Calls one slice method on an uncut solid with exactly `count` slots plus a guard slot.
std::vector<Plane> slicePlanes(int32_t shape, int32_t kind, int32_t thickness, int32_t count) {
    auto definition = makeDefinition(shape, {});
    Puzzle puzzle(definition.get());
    std::vector<Plane> planes(count + 1, Plane{7, 7, 7, 7});
    for (int32_t i = 0; i < count; ++i)
        planes[i] = Plane{};
    if (kind == FaceSlice)
        puzzle.addFaceSlicePlanes(thickness, planes.data(), 0, count);
    if (kind == PointSlice)
        puzzle.addPointSlicePlanes(thickness, planes.data(), 0, count);
    if (kind == EdgeSlice)
        puzzle.addEdgeSlicePlanes(thickness, planes.data(), 0, count);
    return planes;
}

}  // namespace

TEST(SlicePlanes, EveryKindFillsItsReservedRangeWithDistinctUnitPlanes) {
    for (int32_t shape = 0; shape < 5; ++shape) {
        const Counts& c = kCounts[shape];
        for (auto [kind, thickness, count] :
             {std::tuple{FaceSlice, 120, c.face}, std::tuple{PointSlice, 90, c.point},
              std::tuple{EdgeSlice, 90, c.edge}, std::tuple{EdgeSlice, 180, c.edge180}}) {
            auto planes = slicePlanes(shape, kind, thickness, count);
            EXPECT_EQ(planes[count].a, 7) << "wrote past its range";
            for (int32_t i = 0; i < count; ++i) {
                EXPECT_NEAR(vecLength(planeNormal(planes[i])), 1.0, 1e-14);
                for (int32_t j = 0; j < i; ++j)
                    EXPECT_FALSE(samePlane(planes[i], planes[j]))
                        << shape << " kind " << kind << " " << i << "," << j;
            }
        }
    }
}

TEST(SlicePlanes, CubeFaceSlice120IsTheThirds) {
    auto planes = slicePlanes(Cube, FaceSlice, 120, 6);
    // Face 0 is z = -1: its plane is z = -1/3 with the normal into the solid (+z).
    EXPECT_EQ(planes[0].c, 1);
    EXPECT_NEAR(planes[0].d, 1.0 / 3.0, 1e-15);
    for (const Plane& p : planes) {
        if (p.a == 7)
            continue;
        EXPECT_NEAR(std::fabs(p.d), 1.0 / 3.0, 1e-15);
        // The origin is on the positive side: the normal points away from its own face.
        EXPECT_GT(p.d, 0);
    }
}

TEST(SlicePlanes, CubePointSlice120PassesThroughTheNeighbours) {
    auto planes = slicePlanes(Cube, PointSlice, 120, 8);
    // Vertex 0 = (1, 1, -1); neighbours (-1, 1, -1), (1, -1, -1), (1, 1, 1).
    for (Vec3 p : {Vec3{-1, 1, -1}, Vec3{1, -1, -1}, Vec3{1, 1, 1}})
        EXPECT_EQ(planeDistance(planes[0], p), 0.0);
}

TEST(SlicePlanes, ThicknessZeroAndFullTouchTheSolidOnly) {
    for (int32_t thickness : {0, 360}) {
        auto definition = makeDefinition(Cube, {});
        Puzzle puzzle(definition.get());
        for (int32_t kind : {FaceSlice, PointSlice, EdgeSlice}) {
            int32_t count = kind == FaceSlice ? 6 : kind == PointSlice ? 8 : 12;
            auto planes = slicePlanes(Cube, kind, thickness, count);
            for (int32_t i = 0; i < count; ++i)
                EXPECT_EQ(planeCutsCuby(puzzle.solid, planes[i]), 0);
        }
    }
    // The tetrahedron's face slice at 360 lies at the opposite vertex.
    auto planes = slicePlanes(TetraHedron, FaceSlice, 360, 4);
    auto definition = makeDefinition(TetraHedron, {});
    Puzzle tetra(definition.get());
    EXPECT_EQ(planeDistance(planes[0], tetra.solid.vertex[3]), 0.0);
}

TEST(SlicePlanes, CubeEdgeSliceOrderAndHalving) {
    auto planes = slicePlanes(Cube, EdgeSlice, 90, 12);
    // First the edge between the first two vertices of face 0 (0-1, at y = 1, z = -1), then
    // between its second and third (1-2, at x = -1, z = -1).
    EXPECT_GT(planes[0].c, 0);
    EXPECT_LT(planes[0].b, 0);
    EXPECT_EQ(planes[0].a, 0);
    EXPECT_GT(planes[1].a, 0);
    EXPECT_EQ(planes[1].b, 0);
    auto halved = slicePlanes(Cube, EdgeSlice, 180, 6);
    for (int32_t i = 0; i < 6; ++i)
        EXPECT_EQ(halved[i].d, 0.0);
    auto tetra = slicePlanes(TetraHedron, EdgeSlice, 180, 3);
    for (int32_t i = 0; i < 3; ++i)
        EXPECT_EQ(planeDistance(tetra[i], Vec3{}), 0.0);
}

TEST(SlicePlanes, WrongRangeWritesNothing) {
    auto definition = makeDefinition(Cube, {});
    Puzzle puzzle(definition.get());
    std::vector<Plane> planes(8);
    puzzle.addFaceSlicePlanes(120, planes.data(), 0, 5);
    puzzle.addPointSlicePlanes(120, planes.data(), 0, 7);
    for (const Plane& p : planes)
        EXPECT_EQ(p.a == 0 && p.b == 0 && p.c == 0 && p.d == 0, true);
}

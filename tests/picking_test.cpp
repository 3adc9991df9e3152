#include <gtest/gtest.h>

#include "test_support.h"

namespace {

constexpr double kThird = 2.0 / 3.0;
const Vec3 kEye{0, 0, -7};

}  // namespace

TEST(Picking, AlongTheAxisOfFaceZero) {
    auto definition = makeDefinition(Cube, {{FaceSlice, 120}});
    Puzzle p(definition.get());
    EXPECT_EQ(p.pickAnchor(kEye, {0, 0, 0}, FaceSlice), 0);
    // Four corners and four edges are equally near: the earliest anchor wins.
    EXPECT_EQ(p.pickAnchor(kEye, {0, 0, 0}, PointSlice), 6);
    EXPECT_EQ(p.pickAnchor(kEye, {0, 0, 0}, EdgeSlice), 14);
    EXPECT_EQ(p.pickAnchor(kEye, {0, 0, 0}, 7), -1);
    EXPECT_EQ(p.pickCuby(kEye, {0, 0, 0}), cubyAt(p, {0, 0, -kThird}));
    // The line, not the segment: a target short of the solid still hits it.
    EXPECT_EQ(p.pickAnchor(kEye, {0, 0, -6}, FaceSlice), 0);
}

TEST(Picking, MissesAndEdgeGrazes) {
    auto definition = makeDefinition(Cube, {{FaceSlice, 120}});
    Puzzle p(definition.get());
    for (int32_t kind : {FaceSlice, PointSlice, EdgeSlice})
        EXPECT_EQ(p.pickAnchor(kEye, {3, 0, 0}, kind), -1);
    EXPECT_EQ(p.pickCuby(kEye, {3, 0, 0}), -1);
    // Through the edge midpoints (1, 0, -1) and (-1, 0, 1): on the edge of every face it meets.
    EXPECT_EQ(p.pickAnchor({8, 0, -8}, {1, 0, -1}, FaceSlice), -1);
}

TEST(Picking, HitDoesNotDependOnTurns) {
    auto definition = makeDefinition(Cube, {{FaceSlice, 120}});
    Puzzle p(definition.get());
    p.turnLayer(2, 1, 1, 1.0, 0);
    EXPECT_EQ(p.pickAnchor(kEye, {0.5, 0.5, 0}, FaceSlice), 0);
    EXPECT_EQ(p.pickAnchor({-7, 0.2, 0.1}, {0, 0.2, 0.1}, FaceSlice), 5);
}

TEST(Picking, CubieSeenThroughAHole) {
    auto definition = makeDefinition(Cube, {{FaceSlice, 120}});
    Puzzle p(definition.get());
    int32_t front = cubyAt(p, {0, 0, -kThird});
    p.cubies.erase(p.cubies.begin() + front);
    p.homeCubies.erase(p.homeCubies.begin() + front);
    p.cubyCount -= 1;
    // Through the hole and the erased core, the inner face of the far centre is nearest.
    EXPECT_EQ(p.pickCuby(kEye, {0, 0, 0}), cubyAt(p, {0, 0, kThird}));
}

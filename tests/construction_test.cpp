#include <gtest/gtest.h>

#include <cstdio>

#include "test_support.h"

namespace {

void expectAnchorPlanes(const Puzzle& p, int32_t kind, int32_t count) {
    for (const Anchor& a : p.anchors)
        if (a.kind == kind) {
            EXPECT_EQ(a.planeCount, count) << "anchor kind " << kind;
        }
}

}  // namespace

TEST(Construction, DefaultThreeByThree) {
    auto definition = makeDefinition(Cube, {{FaceSlice, 120}});
    definition->groupIds[26] = 77;  // beyond the cubies: left alone
    Puzzle puzzle(definition.get());
    EXPECT_EQ(puzzle.cubyCount, 26);
    EXPECT_EQ(puzzle.homeCubies.size(), 26u);
    expectAnchorPlanes(puzzle, FaceSlice, 2);
    expectAnchorPlanes(puzzle, PointSlice, 0);
    expectAnchorPlanes(puzzle, EdgeSlice, 0);
    EXPECT_EQ(definition->groupsValid, 1);
    for (int i = 0; i < 26; ++i)
        EXPECT_EQ(definition->groupIds[i], -1);
    EXPECT_EQ(definition->groupIds[26], 77);
    EXPECT_TRUE(puzzle.isSolved());
    EXPECT_TRUE(puzzle.isSolvedOriented());
    for (const Cuby& c : puzzle.cubies) {
        EXPECT_EQ(c.group, -1);
        EXPECT_EQ(c.facereference.size(), static_cast<size_t>(c.facecount));
    }
    // Planes run outwards from the anchor, the anchor point on their positive side.
    const Anchor& a = puzzle.anchors[0];
    EXPECT_GT(planeDistance(a.planes[0], a.point), 0);
    EXPECT_LT(planeDistance(a.planes[0], a.point), planeDistance(a.planes[1], a.point));
    EXPECT_EQ(puzzle.moveCount, 0);
    EXPECT_EQ(puzzle.moveCapacity, 100000);
}

TEST(Construction, NumberingIsFrontPartBeforeBackPart) {
    auto definition = makeDefinition(Cube, {{FaceSlice, 120}});
    Puzzle puzzle(definition.get());
    // Every cut puts the front part first, so the piece in front of all six planes (the
    // colourless centre, erased) would be first; next comes the one behind only the last
    // plane (face 5, x = -1): the centre piece of that face.
    Vec3 centre;
    for (int32_t i = 0; i < puzzle.cubies[0].vertexcount; ++i)
        centre = centre + puzzle.cubies[0].vertex[i];
    centre = centre * (1.0 / puzzle.cubies[0].vertexcount);
    EXPECT_NEAR(centre.x, -2.0 / 3.0, 1e-12);
    EXPECT_NEAR(centre.y, 0.0, 1e-12);
    EXPECT_NEAR(centre.z, 0.0, 1e-12);
}

TEST(Construction, NoSlicesAndTouchingSlices) {
    auto none = makeDefinition(Cube, {});
    Puzzle solid(none.get());
    EXPECT_EQ(solid.cubyCount, 1);
    expectAnchorPlanes(solid, FaceSlice, 0);
    for (int32_t thickness : {0, 360}) {
        auto definition = makeDefinition(Cube, {{FaceSlice, thickness}});
        Puzzle puzzle(definition.get());
        EXPECT_EQ(puzzle.cubyCount, 1);
        for (int32_t f = 0; f < 6; ++f) {
            const Anchor& a = puzzle.anchors[f];
            ASSERT_EQ(a.planeCount, 2);
            EXPECT_EQ(planeDistance(a.planes[0], a.point), 0.0);
            EXPECT_DOUBLE_EQ(planeDistance(a.planes[1], a.point), 2.0);
        }
    }
}

TEST(Construction, RepeatedSliceEqualsOnce) {
    auto once = makeDefinition(Cube, {{FaceSlice, 120}});
    auto twice = makeDefinition(Cube, {{FaceSlice, 120}, {FaceSlice, 120}});
    Puzzle a(once.get());
    Puzzle b(twice.get());
    ASSERT_EQ(a.cubyCount, b.cubyCount);
    for (int32_t i = 0; i < a.cubyCount; ++i) {
        ASSERT_EQ(a.cubies[i].vertexcount, b.cubies[i].vertexcount);
        for (int32_t k = 0; k < a.cubies[i].vertexcount; ++k)
            EXPECT_EQ(pointDistance(a.cubies[i].vertex[k], b.cubies[i].vertex[k]), 0.0);
    }
    for (int32_t i = 0; i < a.anchorCount; ++i)
        EXPECT_EQ(a.anchors[i].planeCount, b.anchors[i].planeCount);
}

TEST(Construction, CubeEdgeSlice180) {
    auto definition = makeDefinition(Cube, {{EdgeSlice, 180}});
    Puzzle puzzle(definition.get());
    EXPECT_EQ(puzzle.cubyCount, 24);
    expectAnchorPlanes(puzzle, EdgeSlice, 1);
    // Opposite edges share their plane (edge 0-1 at anchor 14, edge 6-7 at anchor 20).
    EXPECT_TRUE(samePlane(puzzle.anchors[14].planes[0], puzzle.anchors[20].planes[0]));
}

TEST(Construction, TetrahedronFaceSlicesAlsoBelongToTheOppositeVertex) {
    auto definition = makeDefinition(TetraHedron, {{FaceSlice, 120}});
    Puzzle puzzle(definition.get());
    // Face 0 (vertices 0 1 2) is opposite vertex 3, point anchor 4 + 3.
    ASSERT_EQ(puzzle.anchors[7].planeCount, 1);
    EXPECT_TRUE(samePlane(puzzle.anchors[7].planes[0], puzzle.anchors[0].planes[0]));
}

TEST(Construction, GroupRestoreRenumbersAndDropsLoneIds) {
    auto definition = makeDefinition(Cube, {{FaceSlice, 120}});
    definition->groupsValid = 1;
    for (int i = 0; i < 26; ++i)
        definition->groupIds[i] = -1;
    int32_t stored[] = {-1, 3, 3, -1, 5, 5};
    for (int i = 0; i < 6; ++i)
        definition->groupIds[i] = stored[i];
    Puzzle puzzle(definition.get());
    EXPECT_EQ(puzzle.groupCount, 2);
    int32_t expected[] = {-1, 0, 0, -1, 1, 1};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(definition->groupIds[i], expected[i]);
        EXPECT_EQ(puzzle.cubies[i].group, expected[i]);
        EXPECT_EQ(puzzle.cubies[i].selected, 0);
    }

    auto lone = makeDefinition(Cube, {{FaceSlice, 120}});
    lone->groupsValid = 1;
    for (int i = 0; i < 26; ++i)
        lone->groupIds[i] = -1;
    lone->groupIds[0] = 0;
    lone->groupIds[7] = 1;
    lone->groupIds[8] = 1;
    Puzzle p2(lone.get());
    EXPECT_EQ(p2.groupCount, 1);
    EXPECT_EQ(lone->groupIds[0], -1);
    EXPECT_EQ(lone->groupIds[7], 0);
    EXPECT_EQ(p2.cubies[8].group, 0);
}

TEST(Construction, DamagedGroupIdsCountAsNone) {
    auto definition = makeDefinition(Cube, {{FaceSlice, 120}});
    definition->groupsValid = 1;
    for (int i = 0; i < 26; ++i)
        definition->groupIds[i] = -1;
    definition->groupIds[0] = 2147483647;
    definition->groupIds[1] = 2147483647;
    definition->groupIds[2] = -7;
    definition->groupIds[3] = 26;  // one past the last cubie
    definition->groupIds[4] = 25;
    definition->groupIds[5] = 25;
    Puzzle puzzle(definition.get());
    EXPECT_EQ(puzzle.groupCount, 1);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(definition->groupIds[i], -1);
    EXPECT_EQ(definition->groupIds[4], 0);
}

TEST(Construction, EraseThresholdDropsSlivers) {
    // A face slice of 5 leaves slabs 0.028 thick: every corner and edge piece has a sticker
    // under 0.05 wide, only the six centres have none.
    auto keep = makeDefinition(Cube, {{FaceSlice, 5}});
    auto drop = makeDefinition(Cube, {{FaceSlice, 5}});
    drop->eraseThreshold = 100;
    Puzzle kept(keep.get());
    Puzzle erased(drop.get());
    EXPECT_EQ(kept.cubyCount, 26);
    EXPECT_EQ(erased.cubyCount, 6);
    auto wide = makeDefinition(Cube, {{FaceSlice, 10}});  // 0.056 wide: kept
    wide->eraseThreshold = 100;
    Puzzle notTiny(wide.get());
    EXPECT_EQ(notTiny.cubyCount, 26);
}

TEST(Construction, DamagedShapeAndSliceCountStaySafe) {
    auto definition = makeDefinition(9, {{FaceSlice, 120}});
    Puzzle puzzle(definition.get());
    EXPECT_EQ(definition->shape, Cube);
    EXPECT_EQ(puzzle.cubyCount, 26);
    auto many = makeDefinition(Cube, {});
    many->sliceCount = 1000;
    Puzzle safe(many.get());  // reads the 16 slots only (all face slices of 0)
    EXPECT_EQ(safe.cubyCount, 1);
    auto negative = makeDefinition(Cube, {});
    negative->sliceCount = -5;
    Puzzle none(negative.get());
    EXPECT_EQ(none.cubyCount, 1);
}

TEST(Construction, PlanesFarFromTheAnchorAreNotCounted) {
    // The second slice's planes lie too far out to be ordered: only the first slice's count.
    auto definition = makeDefinition(Cube, {{FaceSlice, 120}, {FaceSlice, 2000000}});
    Puzzle puzzle(definition.get());
    for (int32_t i = 0; i < 6; ++i) {
        const Anchor& a = puzzle.anchors[i];
        ASSERT_EQ(a.planeCount, 2);
        ASSERT_EQ(a.planes.size(), 2u);
        EXPECT_NEAR(planeDistance(a.planes[0], a.point), 2.0 / 3.0, 1e-12);
        EXPECT_NEAR(planeDistance(a.planes[1], a.point), 4.0 / 3.0, 1e-12);
    }
    EXPECT_EQ(puzzle.turnLayer(0, 3, 1, 1.0, 0), TurnResult::Turned);
}

TEST(Construction, ReadyMadePuzzlesBuild) {
    const int32_t expected[] = {14, 22, 26, 12, 60, 32, 14, 18, 62};
    int i = 0;
    for (const ReadyMadePuzzle& r : kReadyMadePuzzles) {
        auto definition = makeDefinition(r);
        Puzzle puzzle(definition.get());
        std::printf("%-16ls %d cubies\n", r.name, puzzle.cubyCount);
        EXPECT_EQ(puzzle.cubyCount, expected[i++]) << r.name;
        EXPECT_TRUE(puzzle.isSolved());
        EXPECT_TRUE(puzzle.isSolvedOriented());
    }
}

TEST(Construction, RunawayCuttingStopsAndCountsAsOverTheLimit) {
    std::vector<ReadyMadeSlice> slices;
    for (int32_t i = 0; i < 16; ++i)
        slices.push_back({i % 3, 10 + 21 * i});
    auto definition = makeDefinition(IcosaHedron, slices);
    Puzzle puzzle(definition.get());
    EXPECT_TRUE(puzzle.oversized);
    vertexLimitReached = 0;
    EXPECT_GT(puzzle.countVertices(), 50000);
    EXPECT_EQ(vertexLimitReached, 1);
    vertexLimitReached = 0;
    auto fits = makeDefinition(DodecaHedron, {{FaceSlice, 100}, {PointSlice, 100}});
    Puzzle normal(fits.get());
    EXPECT_FALSE(normal.oversized);
}

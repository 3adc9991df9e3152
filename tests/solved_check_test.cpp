#include <gtest/gtest.h>

#include "test_support.h"

TEST(SolvedChecks, FreshAndUncutPuzzlesAreSolved) {
    for (int32_t shape = 0; shape < 5; ++shape) {
        auto definition = makeDefinition(shape, {});
        Puzzle puzzle(definition.get());
        EXPECT_TRUE(puzzle.isSolved());
        EXPECT_TRUE(puzzle.isSolvedOriented());
    }
}

TEST(SolvedChecks, WrongColourFailsBoth) {
    auto definition = makeDefinition(Cube, {{FaceSlice, 120}});
    Puzzle puzzle(definition.get());
    Cuby& c = puzzle.cubies[5];
    for (int32_t f = 0; f < c.facecount; ++f) {
        if (c.facecolor[f] != -1) {
            c.facecolor[f] = (c.facecolor[f] + 1) % 6;
            break;
        }
    }
    EXPECT_FALSE(puzzle.isSolved());
    EXPECT_FALSE(puzzle.isSolvedOriented());
}

TEST(SolvedChecks, TwistedCentreFailsOnlyTheOrientedCheck) {
    auto definition = makeDefinition(Cube, {{FaceSlice, 120}});
    Puzzle puzzle(definition.get());
    int32_t centre = cubyAt(puzzle, {0, 0, -2.0 / 3.0});
    ASSERT_GE(centre, 0);
    // A quarter turn of the centre piece about z fills the same space with the same colours.
    for (Vec3& v : puzzle.cubies[centre].vertex)
        v = Vec3{-v.y, v.x, v.z};
    EXPECT_TRUE(puzzle.isSolved());
    EXPECT_FALSE(puzzle.isSolvedOriented());
}

TEST(FaceReferences, DirectionsStartAlikeAndInnerFacesStayZero) {
    auto definition = makeDefinition(DodecaHedron, {{FaceSlice, 65}});
    Puzzle puzzle(definition.get());
    for (int32_t i = 0; i < puzzle.cubyCount; ++i) {
        const Cuby& c = puzzle.cubies[i];
        for (int32_t f = 0; f < c.facecount; ++f) {
            const FaceReference& r = c.facereference[f];
            if (c.facecolor[f] == -1) {
                EXPECT_EQ(r.vertexA, 0);
                EXPECT_EQ(r.vertexB, 0);
                EXPECT_EQ(r.t, 0.0);
                continue;
            }
            // The reference lies on the named edge of this face, and its direction is the
            // solid face's common in-plane direction.
            Vec3 direction, normal, expected;
            puzzle.faceDirection(i, f, direction);
            puzzle.cubyFaceNormal(i, f, normal);
            perpendicularVector(normal, expected);
            EXPECT_LT(pointDistance(direction, expected), 1e-9);
            EXPECT_GE(r.t, 0.0);
            EXPECT_LE(r.t, pointDistance(c.vertex[r.vertexA], c.vertex[r.vertexB]) + 1e-12);
        }
    }
}

TEST(FaceReferences, DegenerateStickerStillNamesItsOwnVertices) {
    auto definition = makeDefinition(Cube, {});
    Puzzle puzzle(definition.get());
    Cuby& c = puzzle.cubies[0];
    // Collapse face 0 onto a line: no edge of it can qualify.
    for (int32_t k = 0; k < 4; ++k)
        c.vertex[c.vindex[k]] = Vec3{static_cast<double>(k), 0, -1};
    c.facereference.assign(c.facecount, FaceReference{});
    puzzle.computeFaceReferences(0);
    EXPECT_EQ(c.facereference[0].vertexA, c.vindex[0]);
    EXPECT_EQ(c.facereference[0].vertexB, c.vindex[1]);
}

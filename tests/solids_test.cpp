#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "test_support.h"

namespace {

struct SolidFacts {
    int32_t v, f, n, e, anchors;
    double radius;
    double faceStep, pointStep, edgeStep;
};

const SolidFacts kFacts[] = {
    {4, 4, 12, 6, 14, 1.8371173070873836, 2.0943951023931953, 2.0943951023931953,
     3.141592653589793},
    {8, 6, 24, 12, 26, 1.7320508075688772, 1.5707963267948966, 2.0943951023931953,
     3.141592653589793},
    {6, 8, 24, 12, 26, 1.5, 2.0943951023931953, 1.5707963267948966, 3.141592653589793},
    {20, 12, 60, 30, 62, 1.7320508075688772, 1.2566370614359172, 2.0943951023931953,
     3.141592653589793},
    {12, 20, 60, 30, 62, 1.902113032590307, 2.0943951023931953, 1.2566370614359172,
     3.141592653589793},
};

}  // namespace

class EverySolid : public ::testing::TestWithParam<int32_t> {};

TEST_P(EverySolid, CountsDistancesPlanarityAndStepAngles) {
    const SolidFacts& facts = kFacts[GetParam()];
    auto definition = makeDefinition(GetParam(), {});
    Puzzle puzzle(definition.get());
    const Cuby& s = puzzle.solid;
    EXPECT_EQ(s.vertexcount, facts.v);
    EXPECT_EQ(s.facecount, facts.f);
    EXPECT_EQ(s.indexcount, facts.n);
    EXPECT_EQ(s.facestart[s.facecount], s.indexcount);
    EXPECT_EQ(puzzle.anchorCount, facts.anchors);
    EXPECT_EQ(static_cast<int32_t>(puzzle.anchors.size()), facts.anchors);
    for (const Vec3& v : s.vertex)
        EXPECT_NEAR(vecLength(v), facts.radius, 1e-14);
    for (int32_t f = 0; f < s.facecount; ++f) {
        Plane p;
        facePlane(s, f, p);
        for (int32_t k = 0; k < s.faceSize(f); ++k)
            EXPECT_EQ(planeDistance(p, s.faceVertex(f, k)), 0.0);
        EXPECT_EQ(s.facecolor[f], f);
    }
    for (const Anchor& a : puzzle.anchors) {
        double expected = a.kind == FaceSlice    ? facts.faceStep
                          : a.kind == PointSlice ? facts.pointStep
                                                 : facts.edgeStep;
        EXPECT_EQ(a.stepAngle, expected);
        EXPECT_TRUE(a.planes.empty());
        EXPECT_EQ(a.planeCount, 0);
        if (a.kind != EdgeSlice) {
            EXPECT_EQ(a.secondIndex, 0);
        }
    }
}

TEST_P(EverySolid, EveryFaceEdgeSharedByTwoFacesAndListedOnceAsAnAnchor) {
    const SolidFacts& facts = kFacts[GetParam()];
    auto definition = makeDefinition(GetParam(), {});
    Puzzle puzzle(definition.get());
    const Cuby& s = puzzle.solid;
    std::map<std::pair<int, int>, int> faceUses;
    for (int32_t f = 0; f < s.facecount; ++f)
        for (int32_t k = 0; k < s.faceSize(f); ++k) {
            int a = s.vindex[s.facestart[f] + k];
            int b = s.vindex[s.facestart[f] + (k + 1) % s.faceSize(f)];
            faceUses[{std::min(a, b), std::max(a, b)}]++;
        }
    EXPECT_EQ(static_cast<int32_t>(faceUses.size()), facts.e);
    for (const auto& [edge, uses] : faceUses)
        EXPECT_EQ(uses, 2);
    std::map<std::pair<int, int>, int> anchorUses;
    int32_t index = 0;
    for (const Anchor& a : puzzle.anchors) {
        // Faces, then vertices, then edges.
        int32_t expectedKind = index < facts.f             ? FaceSlice
                               : index < facts.f + facts.v ? PointSlice
                                                           : EdgeSlice;
        EXPECT_EQ(a.kind, expectedKind);
        if (a.kind == EdgeSlice) {
            anchorUses[{std::min(a.index, a.secondIndex), std::max(a.index, a.secondIndex)}]++;
            const Vec3& p = s.vertex[a.index];
            const Vec3& q = s.vertex[a.secondIndex];
            EXPECT_EQ(a.point.x, (q.x + p.x) * 0.5);
        }
        ++index;
    }
    EXPECT_EQ(anchorUses.size(), faceUses.size());
    for (const auto& [edge, uses] : anchorUses) {
        EXPECT_EQ(uses, 1);
        EXPECT_TRUE(faceUses.count(edge));
    }
}

TEST_P(EverySolid, OutwardNormalsWhateverTheFaceDirection) {
    auto definition = makeDefinition(GetParam(), {});
    Puzzle puzzle(definition.get());
    const Cuby& s = puzzle.solid;
    ASSERT_EQ(static_cast<int32_t>(puzzle.solidFaceColors.size()), s.facecount);
    for (int32_t f = 0; f < s.facecount; ++f) {
        const Vec3& n = puzzle.solidFaceColors[f].normal;
        EXPECT_EQ(pointDistance(n, puzzle.solidFaceOrientations[f].normal), 0.0);
        EXPECT_EQ(puzzle.solidFaceColors[f].color, 0);
        EXPECT_EQ(vecLength(puzzle.solidFaceOrientations[f].direction), 0.0);
        Vec3 centroid;
        faceCentroid(s, f, centroid);
        EXPECT_GT(dot3(n, centroid), 0.0);
        EXPECT_NEAR(vecLength(n), 1.0, 1e-15);
        // Against the winding: the list's own normal agrees or is exactly opposite.
        Vec3 winding;
        cross3(s.faceVertex(f, 1) - s.faceVertex(f, 0), s.faceVertex(f, 2) - s.faceVertex(f, 1),
               winding);
        normalizeVec3(winding);
        EXPECT_NEAR(std::fabs(dot3(winding, n)), 1.0, 1e-12);
    }
}

INSTANTIATE_TEST_SUITE_P(Solids, EverySolid, ::testing::Values(0, 1, 2, 3, 4));

TEST(SolidTables, FaceDirectionsAsTabulated) {
    // 1 = (p1 - p0) x (p2 - p1) points outward.
    const std::vector<std::vector<int>> outward = {
        {1, 0, 0, 1},
        {0, 0, 0, 0, 0, 0},
        {1, 1, 1, 0, 0, 1, 1, 0},
        {1, 1, 0, 1, 1, 0, 0, 0, 1, 0, 1, 0},
        {0, 0, 1, 1, 1, 0, 0, 1, 1, 1, 0, 1, 1, 1, 0, 1, 1, 0, 1, 0},
    };
    for (int32_t shape = 0; shape < 5; ++shape) {
        auto definition = makeDefinition(shape, {});
        Puzzle puzzle(definition.get());
        const Cuby& s = puzzle.solid;
        for (int32_t f = 0; f < s.facecount; ++f) {
            Vec3 w;
            cross3(s.faceVertex(f, 1) - s.faceVertex(f, 0), s.faceVertex(f, 2) - s.faceVertex(f, 1),
                   w);
            Vec3 c;
            faceCentroid(s, f, c);
            EXPECT_EQ(dot3(w, c) > 0, outward[shape][f] == 1) << shape << " face " << f;
        }
    }
}

TEST(SolidTables, AnchorPointsOfTheDocumentedExamples) {
    auto cubeDefinition = makeDefinition(Cube, {});
    Puzzle cube(cubeDefinition.get());
    EXPECT_EQ(cube.anchors[0].point.z, -1);
    EXPECT_EQ(cube.anchors[0].stepAngle, 1.5707963267948966);
    EXPECT_EQ(cube.anchors[6].kind, PointSlice);
    EXPECT_EQ(cube.anchors[6].point.x, 1);
    EXPECT_EQ(cube.anchors[6].point.z, -1);
    EXPECT_EQ(cube.anchors[14].index, 0);
    EXPECT_EQ(cube.anchors[14].secondIndex, 1);
    EXPECT_EQ(cube.anchors[14].point.x, 0);
    EXPECT_EQ(cube.anchors[14].point.y, 1);

    auto tetraDefinition = makeDefinition(TetraHedron, {});
    Puzzle tetra(tetraDefinition.get());
    EXPECT_DOUBLE_EQ(tetra.anchors[0].point.y, 0.3535533905932738);
    EXPECT_DOUBLE_EQ(tetra.anchors[0].point.z, -0.5);
    EXPECT_DOUBLE_EQ(tetra.anchors[3].point.x, -0.5);
    EXPECT_EQ(tetra.anchors[8].point.y, std::sqrt(2.0) * 0.75);

    auto octaDefinition = makeDefinition(OctaHedron, {});
    Puzzle octa(octaDefinition.get());
    EXPECT_EQ(octa.anchors[0].point.x, 0.5);
    EXPECT_EQ(octa.anchors[0].point.z, -0.5);
    EXPECT_EQ(octa.anchors[14].point.x, 0.75);
    EXPECT_EQ(octa.anchors[14].point.y, -0.75);

    auto dodecaDefinition = makeDefinition(DodecaHedron, {});
    Puzzle dodeca(dodecaDefinition.get());
    EXPECT_DOUBLE_EQ(dodeca.anchors[0].point.y, 1.170820393249937);
    EXPECT_DOUBLE_EQ(dodeca.anchors[0].point.z, -0.7236067977499789);
    EXPECT_EQ(dodeca.anchors[32].point.y, (std::sqrt(5.0) + 1.0) * 0.5);
    // psi is 2 / (sqrt 5 + 1), which is not phi - 1 in the last bit.
    EXPECT_EQ(dodeca.solid.vertex[8].y, 2.0 / (std::sqrt(5.0) + 1.0));

    auto icosaDefinition = makeDefinition(IcosaHedron, {});
    Puzzle icosa(icosaDefinition.get());
    EXPECT_DOUBLE_EQ(icosa.anchors[0].point.y, 1.4120226591665965);
    EXPECT_DOUBLE_EQ(icosa.anchors[0].point.z, 0.5393446629166316);
    EXPECT_DOUBLE_EQ(icosa.anchors[32].point.x, -0.5);
    EXPECT_DOUBLE_EQ(icosa.anchors[32].point.y, 1.3090169943749475);
}

TEST(SolidTables, UncutCopyEqualsTheFirstCubie) {
    for (int32_t shape = 0; shape < 5; ++shape) {
        auto definition = makeDefinition(shape, {});
        Puzzle puzzle(definition.get());
        ASSERT_EQ(puzzle.cubyCount, 1);
        const Cuby& c = puzzle.cubies[0];
        const Cuby& s = puzzle.solid;
        EXPECT_EQ(c.vindex, s.vindex);
        EXPECT_EQ(c.facestart, s.facestart);
        EXPECT_EQ(c.facecolor, s.facecolor);
        EXPECT_EQ(c.edgeflag, s.edgeflag);
        for (int32_t i = 0; i < c.vertexcount; ++i)
            EXPECT_EQ(pointDistance(c.vertex[i], s.vertex[i]), 0.0);
    }
}

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <sstream>

#include "diagnostic_log.h"
#include "test_support.h"

namespace {

constexpr double kThird = 2.0 / 3.0;

struct Corner {
    int32_t cuby = -1;
    int32_t vertex = -1;
};

Corner findVertex(const Puzzle& p, Vec3 v) {
    for (int32_t i = 0; i < p.cubyCount; ++i)
        for (int32_t k = 0; k < p.cubies[i].vertexcount; ++k) {
            const Vec3& w = p.cubies[i].vertex[k];
            if (w.x == v.x && w.y == v.y && w.z == v.z)
                return {i, k};
        }
    return {};
}

bool exactly(const Vec3& a, Vec3 b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

void expectCornerGoes(int32_t layer, uint8_t clockwise, Vec3 from, Vec3 to) {
    auto definition = makeDefinition(Cube, {{FaceSlice, 120}});
    Puzzle p(definition.get());
    Corner c = findVertex(p, from);
    ASSERT_GE(c.cuby, 0);
    ASSERT_EQ(p.turnLayer(0, layer, clockwise, 1.0, 0), TurnResult::Turned);
    EXPECT_TRUE(exactly(p.cubies[c.cuby].vertex[c.vertex], to))
        << "layer " << layer << " clockwise " << int(clockwise);
    EXPECT_TRUE(onHomePositions(p));
}

}  // namespace

TEST(TurnSense, FaceAnchorZeroOfTheThreeByThree) {
    expectCornerGoes(1, 1, {1, 1, -1}, {-1, 1, -1});
    expectCornerGoes(3, 1, {1, 1, 1}, {-1, 1, 1});
    expectCornerGoes(1, 0, {1, 1, -1}, {1, -1, -1});
    expectCornerGoes(3, 0, {1, 1, 1}, {1, -1, 1});
}

TEST(TurnSteps, RefitHappensOnTheLastStepOnly) {
    for (int32_t frames : {1, 2, 3, 20, 93}) {
        auto definition = makeDefinition(DodecaHedron, {{FaceSlice, 65}});
        Puzzle p(definition.get());
        for (int32_t step = 0; step < frames; ++step) {
            ASSERT_EQ(p.turnLayer(0, 1, 1, 1.0 / frames, step), TurnResult::Turned);
            if (step + 1 < frames) {
                EXPECT_FALSE(onHomePositions(p)) << frames << " frames, step " << step;
            }
        }
        EXPECT_TRUE(onHomePositions(p)) << frames << " frames";
        EXPECT_FALSE(p.isSolved());
    }
}

TEST(TurnSteps, FullRevolutionOfEveryAnchorReturnsToSolvedBitForBit) {
    for (const ReadyMadePuzzle& r : kReadyMadePuzzles) {
        auto definition = makeDefinition(r);
        Puzzle p(definition.get());
        std::vector<Cuby> start = p.cubies;
        for (int32_t a = 0; a < p.anchorCount; ++a) {
            const Anchor& anchor = p.anchors[a];
            if (anchor.planeCount == 0)
                continue;
            int32_t turns =
                static_cast<int32_t>(std::lround(2 * 3.141592653589793 / anchor.stepAngle));
            for (int32_t layer = 1; layer <= anchor.planeCount + 1; ++layer)
                for (int32_t t = 0; t < turns; ++t)
                    ASSERT_EQ(p.turnLayer(a, layer, 1, 1.0, 0), TurnResult::Turned);
        }
        for (int32_t i = 0; i < p.cubyCount; ++i)
            for (int32_t k = 0; k < p.cubies[i].vertexcount; ++k)
                ASSERT_TRUE(exactly(p.cubies[i].vertex[k], start[i].vertex[k])) << r.name;
        EXPECT_TRUE(p.isSolvedOriented());
    }
}

TEST(TurnRefusals, NoPlanesOrLayerOutOfRange) {
    auto bare = makeDefinition(Cube, {});
    Puzzle p(bare.get());
    EXPECT_EQ(p.turnLayer(0, 1, 1, 1.0, 0), TurnResult::Unturned);
    EXPECT_EQ(p.getLayerCount(0), 1);
    EXPECT_EQ(p.getLayerCountOfKind(FaceSlice), 0);

    auto definition = makeDefinition(Cube, {{FaceSlice, 120}});
    Puzzle q(definition.get());
    EXPECT_EQ(q.getLayerCount(0), 3);
    EXPECT_EQ(q.getLayerCountOfKind(FaceSlice), 3);
    EXPECT_EQ(q.getLayerCountOfKind(PointSlice), 0);
    EXPECT_EQ(q.getLayerCountOfKind(7), 0);
    std::vector<Cuby> before = q.cubies;
    EXPECT_EQ(q.turnLayer(0, 4, 1, 1.0, 0), TurnResult::Unturned);
    EXPECT_EQ(q.turnLayer(0, 0, 1, 1.0, 0), TurnResult::Unturned);
    EXPECT_EQ(q.turnLayer(-1, 1, 1, 1.0, 0), TurnResult::Unturned);
    EXPECT_EQ(q.turnLayer(26, 1, 1, 1.0, 0), TurnResult::Unturned);
    for (int32_t i = 0; i < q.cubyCount; ++i)
        EXPECT_TRUE(exactly(q.cubies[i].vertex[0], before[i].vertex[0]));
}

namespace {

struct Bandaged : ::testing::Test {
    std::unique_ptr<PuzzleDefinition> definition = makeDefinition(Cube, {{FaceSlice, 120}});
    Puzzle p{definition.get()};
    void connect(std::initializer_list<Vec3> centres) {
        for (Vec3 c : centres) {
            int32_t i = cubyAt(p, c);
            ASSERT_GE(i, 0);
            p.cubies[i].selected = 1;
        }
        p.connectSelected(definition.get());
        p.clearSelection();
    }
};

}  // namespace

TEST_F(Bandaged, GroupAcrossTheFirstPlaneTurnsLayersOneAndTwo) {
    // A face-0 corner (z < -1/3) joined to the middle-layer edge below it.
    connect({{kThird, kThird, -kThird}, {kThird, kThird, 0}});
    int32_t middleEdge = cubyAt(p, {-kThird, kThird, 0});
    ASSERT_EQ(p.turnLayer(0, 1, 1, 1.0, 0), TurnResult::Turned);
    // The whole middle layer turned too: its (-, +) edge is now at (-, -).
    Vec3 mean;
    for (const Vec3& v : p.cubies[middleEdge].vertex)
        mean = mean + v;
    mean = mean * (1.0 / 8);
    EXPECT_NEAR(mean.x, -kThird, 1e-12);
    EXPECT_NEAR(mean.y, -kThird, 1e-12);
    EXPECT_TRUE(onHomePositions(p));
}

TEST_F(Bandaged, LayerTwoWidenedTowardsTheAnchorKeepsItsSense) {
    // Reference: an unbandaged layer 2 turn.
    auto plain = makeDefinition(Cube, {{FaceSlice, 120}});
    Puzzle reference(plain.get());
    ASSERT_EQ(reference.turnLayer(0, 2, 1, 1.0, 0), TurnResult::Turned);
    connect({{kThird, kThird, -kThird}, {kThird, kThird, 0}});
    ASSERT_EQ(p.turnLayer(0, 2, 1, 1.0, 0), TurnResult::Turned);
    int32_t edge = cubyAt(reference, {kThird, -kThird, 0});  // where (+,+,0) went
    EXPECT_GE(edge, 0);
    // In the bandaged puzzle the same middle-layer piece moved the same way.
    int32_t moved = cubyAt(p, {kThird, -kThird, 0});
    EXPECT_GE(moved, 0);
    EXPECT_EQ(moved, edge);
}

TEST_F(Bandaged, GroupAcrossTheLastPlaneTakesTheFarLayer) {
    int32_t farCorner = cubyAt(p, {-kThird, kThird, kThird});
    int32_t nearCorner = cubyAt(p, {-kThird, kThird, -kThird});
    // A group inside the middle layer widens nothing; one connected later, across its last
    // plane, does.
    connect({{kThird, -kThird, 0}, {-kThird, -kThird, 0}});
    ASSERT_EQ(p.turnLayer(0, 2, 1, 1.0, 0), TurnResult::Turned);
    EXPECT_EQ(cubyAt(p, {-kThird, kThird, kThird}), farCorner);
    ASSERT_EQ(p.turnLayer(0, 2, 0, 1.0, 0), TurnResult::Turned);
    connect({{kThird, kThird, kThird}, {kThird, kThird, 0}});
    ASSERT_EQ(p.turnLayer(0, 2, 1, 1.0, 0), TurnResult::Turned);
    EXPECT_NE(cubyAt(p, {-kThird, kThird, kThird}), farCorner);    // the far layer moved
    EXPECT_EQ(cubyAt(p, {-kThird, kThird, -kThird}), nearCorner);  // layer 1 did not
}

TEST_F(Bandaged, BothWidenedLayersAreTriedInTheAnimationsSteps) {
    // Layers 1 and 2 each widen to both: in one step each turns them a quarter and refits; in
    // several steps layer 1's last step refits them at 39 frames' worth of turning.
    connect({{kThird, kThird, -kThird}, {kThird, kThird, 0}});
    auto e = makeDefinition(Cube, {{FaceSlice, 120}});
    Puzzle untouched(e.get());
    for (int32_t frames : {2, 20}) {
        CapturedLog log;
        EXPECT_FALSE(p.canTurn(0, 1 | 2, 1, frames)) << frames;
        EXPECT_TRUE(samePositions(p, untouched));
        EXPECT_NE(log.text().find("turn refused: anchor 0, layer 1"), std::string::npos);
        TurnResult last = TurnResult::Turned;
        for (int32_t step = 0; step < frames; ++step)
            for (int32_t layer : {1, 2})
                if (p.turnLayer(0, layer, 1, 1.0 / frames, step) == TurnResult::Refused)
                    last = TurnResult::Refused;
        EXPECT_EQ(last, TurnResult::Refused) << frames;
        std::vector<Vec3> start;
        untouched.savePositions(start);
        p.restorePositions(start);
    }
    EXPECT_TRUE(p.canTurn(0, 1 | 2, 1, 1));
}

TEST(BandagedOnePlane, GroupAcrossTheOnlyPlaneRefusesTheTurn) {
    auto definition = makeDefinition(Cube, {{EdgeSlice, 180}});
    Puzzle p(definition.get());
    // Two cubies on either side of edge anchor 14's plane.
    const Plane& plane = p.anchors[14].planes[0];
    int32_t front = -1, back = -1;
    for (int32_t i = 0; i < p.cubyCount; ++i) {
        double d = planeDistance(plane, p.cubies[i].vertex[0]);
        bool allFront = true, allBack = true;
        for (const Vec3& v : p.cubies[i].vertex) {
            allFront = allFront && planeDistance(plane, v) >= 0;
            allBack = allBack && planeDistance(plane, v) <= 0;
        }
        (void)d;
        if (allFront && front < 0)
            front = i;
        if (allBack && back < 0)
            back = i;
    }
    p.cubies[front].selected = 1;
    p.cubies[back].selected = 1;
    p.connectSelected(definition.get());
    std::vector<Cuby> before = p.cubies;
    EXPECT_EQ(p.turnLayer(14, 1, 1, 1.0, 0), TurnResult::Unturned);
    EXPECT_EQ(p.turnLayer(14, 2, 1, 1.0, 0), TurnResult::Unturned);
    for (int32_t i = 0; i < p.cubyCount; ++i)
        EXPECT_TRUE(exactly(p.cubies[i].vertex[0], before[i].vertex[0]));
}

TEST(Highlight, UnionOfLayersAndTheStricterThreshold) {
    auto definition = makeDefinition(Cube, {{FaceSlice, 120}});
    Puzzle p(definition.get());
    p.highlightLayer(0, 1);
    p.highlightLayer(0, 3);
    int count = 0;
    for (const Cuby& c : p.cubies)
        count += c.highlighted;
    EXPECT_EQ(count, 18);  // nine pieces in each outer layer
    p.clearHighlights();
    for (const Cuby& c : p.cubies)
        EXPECT_EQ(c.highlighted, 0);

    // Push one middle-layer corner vertex 0.00005 into layer 1.
    int32_t edge = cubyAt(p, {kThird, kThird, 0});
    for (Vec3& v : p.cubies[edge].vertex)
        if (v.z < -0.3)
            v.z -= 0.00005;
    p.highlightLayer(0, 2);
    EXPECT_EQ(p.cubies[edge].highlighted, 0);
    Vec3 before = p.cubies[edge].vertex[0];
    ASSERT_EQ(p.turnLayer(0, 2, 1, 0.5, 0), TurnResult::Turned);  // first of two steps: no refit
    EXPECT_FALSE(exactly(p.cubies[edge].vertex[0], before));
}

TEST(Refit, UnmatchedShapeKeepsItsTurnedCoordinates) {
    auto definition = makeDefinition(Cube, {{FaceSlice, 120}});
    Puzzle p(definition.get());
    for (Cuby& h : p.homeCubies) {
        h.vertex.push_back(Vec3{5, 5, 5});
        h.vertexcount += 1;
    }
    ASSERT_EQ(p.turnLayer(0, 1, 1, 1.0, 0), TurnResult::Turned);
    EXPECT_FALSE(onHomePositions(p));
}

TEST(RefusedTurn, AOneStepTurnThatCannotRefitChangesNothingAndSaysWhich) {
    auto definition = refusingTetrahedron();
    Puzzle p(definition.get());
    auto e = refusingTetrahedron();
    Puzzle untouched(e.get());
    CapturedLog log;
    EXPECT_FALSE(p.canTurn(0, 1, 1, 1));
    EXPECT_EQ(p.turnLayer(0, 1, 1, 1.0, 0), TurnResult::Refused);
    EXPECT_TRUE(samePositions(p, untouched));
    EXPECT_EQ(log.text(),
              "turn refused: anchor 0, layer 1, clockwise 1: cuby 2 could not be refitted\n"
              "turn refused: anchor 0, layer 1, clockwise 1: cuby 2 could not be refitted\n");
    // The far layer of the same anchor turns, and canTurn leaves no trace of its trial.
    EXPECT_TRUE(p.canTurn(0, 2, 1, 20));
    EXPECT_TRUE(samePositions(p, untouched));
    EXPECT_EQ(p.turnLayer(0, 2, 1, 1.0, 0), TurnResult::Turned);
    EXPECT_TRUE(onHomePositions(p));
}

TEST(RefusedTurn, TheLastOfSeveralStepsLeavesTheLayerWhereTheStepBeforeDid) {
    auto definition = makeDefinition(Cube, {{FaceSlice, 120}});
    Puzzle p(definition.get());
    for (Cuby& h : p.homeCubies)
        for (Vec3& v : h.vertex)
            v.x += 0.01;
    EXPECT_FALSE(p.canTurn(0, 1 | 4, 1, 4));
    for (int32_t step = 0; step < 3; ++step)
        ASSERT_EQ(p.turnLayer(0, 1, 1, 0.25, step), TurnResult::Turned);
    std::vector<Vec3> beforeLast;
    p.savePositions(beforeLast);
    EXPECT_EQ(p.turnLayer(0, 1, 1, 0.25, 3), TurnResult::Refused);
    std::vector<Vec3> after;
    p.savePositions(after);
    ASSERT_EQ(after.size(), beforeLast.size());
    EXPECT_EQ(std::memcmp(after.data(), beforeLast.data(), after.size() * sizeof(Vec3)), 0);
}

#include <gtest/gtest.h>

#include <numeric>

#include "test_support.h"

namespace {

constexpr double kThird = 2.0 / 3.0;

struct ThreeByThree : ::testing::Test {
    std::unique_ptr<PuzzleDefinition> definition = makeDefinition(Cube, {{FaceSlice, 120}});
    Puzzle puzzle{definition.get()};

    void connect(std::initializer_list<int32_t> members) {
        for (int32_t i : members)
            puzzle.cubies[i].selected = 1;
        puzzle.connectSelected(definition.get());
        puzzle.clearSelection();
    }
    int flagged(int32_t cuby) {
        const auto& flags = puzzle.cubies[cuby].edgeflag;
        return std::accumulate(flags.begin(), flags.end(), 0);
    }
};

}  // namespace

TEST_F(ThreeByThree, ToggleSelectsWholeGroups) {
    puzzle.toggleCubySelection(4);
    puzzle.toggleCubySelection(4);
    EXPECT_EQ(puzzle.cubies[4].selected, 0);
    connect({2, 5, 7});
    puzzle.toggleCubySelection(5);
    for (int32_t i : {2, 5, 7})
        EXPECT_EQ(puzzle.cubies[i].selected, 1);
    EXPECT_EQ(puzzle.cubies[3].selected, 0);
    puzzle.toggleCubySelection(7);
    for (int32_t i : {2, 5, 7})
        EXPECT_EQ(puzzle.cubies[i].selected, 0);
}

TEST_F(ThreeByThree, ConnectFormsAnOrderedRing) {
    connect({2, 5, 7});
    EXPECT_EQ(puzzle.groupCount, 1);
    const int32_t next[] = {5, 7, 2};
    const int32_t previous[] = {7, 2, 5};
    int k = 0;
    for (int32_t i : {2, 5, 7}) {
        EXPECT_EQ(puzzle.cubies[i].group, 0);
        EXPECT_EQ(puzzle.cubies[i].next, next[k]);
        EXPECT_EQ(puzzle.cubies[i].previous, previous[k]);
        EXPECT_EQ(definition->groupIds[i], 0);
        ++k;
    }
}

TEST_F(ThreeByThree, ConnectingNothingOrOneFormsNoGroup) {
    puzzle.connectSelected(definition.get());
    EXPECT_EQ(puzzle.groupCount, 0);
    connect({9});
    EXPECT_EQ(puzzle.groupCount, 0);
    EXPECT_EQ(puzzle.cubies[9].group, -1);
    EXPECT_EQ(definition->groupIds[9], -1);
}

TEST_F(ThreeByThree, DisconnectRenumbersTheLastGroupIntoTheGap) {
    connect({0, 1});
    connect({2, 3});
    connect({4, 5, 6});
    puzzle.cubies[1].selected = 1;
    puzzle.disconnectSelected(definition.get());
    EXPECT_EQ(puzzle.groupCount, 2);
    EXPECT_EQ(puzzle.cubies[0].group, -1);
    EXPECT_EQ(puzzle.cubies[0].next, -1);
    EXPECT_EQ(definition->groupIds[1], -1);
    for (int32_t i : {4, 5, 6}) {
        EXPECT_EQ(puzzle.cubies[i].group, 0);
        EXPECT_EQ(definition->groupIds[i], 0);
    }
    EXPECT_EQ(puzzle.cubies[2].group, 1);
    EXPECT_EQ(puzzle.cubies[1].selected, 1);  // the selection is not changed

    puzzle.clearSelection();
    puzzle.cubies[3].selected = 1;  // the highest group: nothing moves
    puzzle.disconnectSelected(definition.get());
    EXPECT_EQ(puzzle.groupCount, 1);
    EXPECT_EQ(puzzle.cubies[4].group, 0);
}

TEST_F(ThreeByThree, DisconnectingTwoGroupsAtOnce) {
    connect({0, 1});
    connect({2, 3});
    connect({4, 5});
    puzzle.cubies[0].selected = 1;
    puzzle.cubies[3].selected = 1;
    puzzle.disconnectSelected(definition.get());
    EXPECT_EQ(puzzle.groupCount, 1);
    EXPECT_EQ(puzzle.cubies[4].group, 0);
    EXPECT_EQ(definition->groupIds[5], 0);
    for (int32_t i : {0, 1, 2, 3})
        EXPECT_EQ(puzzle.cubies[i].group, -1);
}

TEST_F(ThreeByThree, SharedEdgesFlaggedOnBothAndClearedOnDisconnect) {
    int32_t corner = cubyAt(puzzle, {kThird, kThird, -kThird});
    int32_t edge = cubyAt(puzzle, {0, kThird, -kThird});
    ASSERT_GE(corner, 0);
    ASSERT_GE(edge, 0);
    connect({corner, edge});
    // Two common colours, one shared edge on each.
    EXPECT_EQ(flagged(corner), 2);
    EXPECT_EQ(flagged(edge), 2);
    puzzle.cubies[corner].selected = 1;
    puzzle.disconnectSelected(definition.get());
    EXPECT_EQ(flagged(corner), 0);
    EXPECT_EQ(flagged(edge), 0);
}

TEST_F(ThreeByThree, CornerContactOrNoCommonColourFlagsNothing) {
    int32_t corner = cubyAt(puzzle, {kThird, kThird, -kThird});
    int32_t centre = cubyAt(puzzle, {0, 0, -kThird});
    int32_t opposite = cubyAt(puzzle, {-kThird, -kThird, kThird});
    ASSERT_GE(centre, 0);
    connect({corner, centre});
    EXPECT_EQ(flagged(corner), 0);
    EXPECT_EQ(flagged(centre), 0);
    puzzle.cubies[corner].selected = 1;
    puzzle.disconnectSelected(definition.get());
    puzzle.clearSelection();
    connect({corner, opposite});
    EXPECT_EQ(flagged(corner), 0);
}

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <fstream>
#include <iterator>

#include "diagnostic_log.h"
#include "file_io.h"
#include "test_support.h"

namespace {

std::unique_ptr<PuzzleDefinition> threeByThree(int32_t metric = Single) {
    auto definition = makeDefinition(Cube, {{FaceSlice, 120}});
    definition->turnMetric = metric;
    return definition;
}

std::vector<unsigned char> readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeAll(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

void put32(std::vector<unsigned char>& b, int32_t v) {
    unsigned char raw[4];
    std::memcpy(raw, &v, 4);
    b.insert(b.end(), raw, raw + 4);
}

std::vector<unsigned char> section(int32_t metric, std::vector<Move> moves,
                                   int32_t count = INT32_MIN) {
    std::vector<unsigned char> b;
    put32(b, metric);
    put32(b, count == INT32_MIN ? static_cast<int32_t>(moves.size()) : count);
    for (const Move& m : moves) {
        put32(b, m.anchor);
        put32(b, m.layer);
        put32(b, m.turnnr);
        b.push_back(m.clockwise);
    }
    return b;
}

}  // namespace

TEST(RecordMove, SingleMetricAppendsAndCancels) {
    auto d = threeByThree();
    Puzzle p(d.get());
    p.recordMove(3, 1, 1);
    p.recordMove(3, 1, 1);
    EXPECT_EQ(p.getMoveCount(), 2);
    p.recordMove(3, 1, 0);
    EXPECT_EQ(p.getMoveCount(), 1);
    p.recordMove(3, 2, 1);
    EXPECT_EQ(p.getMoveCount(), 2);
    EXPECT_EQ(p.getLastMoveLayerMask(), 2);
}

TEST(RecordMove, MultiMetricMergesAndUnmerges) {
    auto d = threeByThree(Multi);
    Puzzle p(d.get());
    for (int i = 0; i < 3; ++i)
        p.recordMove(3, 1, 1);
    ASSERT_EQ(p.getMoveCount(), 1);
    EXPECT_EQ(p.moves[0].turnnr, 3);
    p.recordMove(3, 1, 0);
    EXPECT_EQ(p.moves[0].turnnr, 2);
    p.recordMove(3, 1, 0);
    EXPECT_EQ(p.moves[0].turnnr, 1);
    p.recordMove(3, 1, 0);
    EXPECT_EQ(p.getMoveCount(), 0);
    for (int i = 0; i < 4; ++i)
        p.recordMove(5, 4, 0);
    ASSERT_EQ(p.getMoveCount(), 1);
    EXPECT_EQ(p.moves[0].turnnr, 4);  // a full revolution is not folded away
    p.recordMove(5, 2, 0);
    EXPECT_EQ(p.getMoveCount(), 2);
}

TEST(RecordMove, EmptyHistoryQueriesAndOtherMetricValues) {
    auto d = threeByThree(7);  // acts as single
    Puzzle p(d.get());
    EXPECT_EQ(p.getLastMoveAnchor(), -1);
    EXPECT_EQ(p.getLastMoveLayerMask(), -1);
    EXPECT_EQ(p.getLastMoveClockwise(), 1);
    EXPECT_EQ(p.getMoveCount(), 0);
    p.recordMove(1, 1, 1);
    p.recordMove(1, 1, 1);
    EXPECT_EQ(p.getMoveCount(), 2);
    p.recordMove(1, 1, 2);  // directions compare as bytes
    EXPECT_EQ(p.getMoveCount(), 1);
}

TEST(RecordMove, FullHistoryRecordsNothingMore) {
    auto d = threeByThree();
    Puzzle p(d.get());
    for (int32_t i = 0; i < p.moveCapacity; ++i)
        p.recordMove(i % 2, 1, 1);
    EXPECT_EQ(p.getMoveCount(), 100000);
    EXPECT_FALSE(p.canRecord(9, 1, 1));
    p.recordMove(9, 1, 1);
    EXPECT_EQ(p.getMoveCount(), 100000);
    EXPECT_EQ(p.getLastMoveAnchor(), 1);
    EXPECT_TRUE(p.canRecord(1, 1, 0));
    p.recordMove(1, 1, 0);  // reverses the last: still cancels
    EXPECT_EQ(p.getMoveCount(), 99999);

    // A turnnr at its largest (a loaded history) is raised no further.
    auto m = threeByThree(Multi);
    Puzzle q(m.get());
    q.recordMove(0, 1, 1);
    q.moves[0].turnnr = INT32_MAX;
    EXPECT_FALSE(q.canRecord(0, 1, 1));
    q.recordMove(0, 1, 1);
    EXPECT_EQ(q.moves[0].turnnr, INT32_MAX);
    EXPECT_TRUE(q.canRecord(0, 1, 0));
}

TEST(MoveFile, ExactBytesAndLogLines) {
    auto d = threeByThree();
    Puzzle p(d.get());
    p.recordMove(2, 1, 1);
    p.recordMove(5, 4, 0);
    std::string path = temporaryPath("moves.bin");
    CapturedLog log;
    {
        FileWriter w(path.c_str());
        p.saveMoves(w);
        EXPECT_TRUE(w.close());
    }
    EXPECT_EQ(readAll(path), section(0, {{2, 1, 1, 1}, {5, 4, 1, 0}}));
    EXPECT_EQ(log.text(),
              "0: anchor = 2, layer = 1, turnnr = 1, clockwise = 1\n"
              "1: anchor = 5, layer = 4, turnnr = 1, clockwise = 0\n");
    std::remove(path.c_str());
}

TEST(MoveFile, SaveLoadRoundTripReproducesHistoryAndPosition) {
    for (int32_t metric : {Single, Multi}) {
        auto d = threeByThree(metric);
        Puzzle played(d.get());
        const int32_t turns[][3] = {{0, 1, 1},           {0, 1, 1}, {3, 4, 0},
                                    {14 - 14 + 2, 3, 1}, {5, 2, 0}, {0, 1, 1}};
        for (auto [a, mask, cw] : turns) {
            for (int layer = 1; layer <= 3; ++layer)
                if (mask & (1 << (layer - 1)))
                    played.turnLayer(a, layer, cw, 1.0, 0);
            played.recordMove(a, mask, static_cast<uint8_t>(cw));
        }
        std::string path = temporaryPath("roundtrip.bin");
        {
            FileWriter w(path.c_str());
            played.saveMoves(w);
        }
        auto fresh = threeByThree(1 - metric);
        Puzzle loaded(fresh.get());
        FileReader r(path.c_str());
        ASSERT_TRUE(loaded.loadMoves(r));
        EXPECT_EQ(loaded.getTurnMetric(), metric);
        EXPECT_TRUE(sameHistory(loaded, played));
        EXPECT_TRUE(samePositions(loaded, played));
        std::remove(path.c_str());
    }
}

TEST(MoveFile, DamagedSectionsAreRefusedWhole) {
    struct Damaged {
        std::vector<unsigned char> bytes;
        const char* why;  // in the log, when the refusal says why
    };
    const std::vector<Damaged> damaged = {
        {{}, ""},                                  // nothing at all
        {{1, 0, 0}, ""},                           // cut inside the metric
        {section(Single, {{0, 1, 1, 1}}, 2), ""},  // count beyond the bytes
        {section(Single, {}, 100001), "counts 100001 moves, more than the history holds"},
        {section(Single, {{26, 1, 1, 1}}), ""},                // anchor past the table
        {section(Single, {{0, 1, 1, 1}, {-1, 1, 1, 1}}), ""},  // negative anchor after a good move
        // Read as a move and its reverse, yet both would turn counter-clockwise.
        {section(Single, {{0, 1, 1, 0}, {0, 1, 1, 2}}), "move 1 of the file has direction 2"},
        {section(Multi, {{0, 1, 1, 255}}), "move 0 of the file has direction 255"},
        // Two neighbouring merged moves whose turn numbers add up past 32 bits.
        {section(Multi, {{0, 1, 2000000000, 1}, {0, 1, 2000000000, 1}}),
         "the moves of the file overflow a move's turn count"},
    };
    for (size_t i = 0; i < damaged.size(); ++i) {
        const std::vector<unsigned char>& bytes = damaged[i].bytes;
        std::string path = temporaryPath("damaged.bin");
        writeAll(path, bytes);
        auto d = threeByThree();
        Puzzle p(d.get());
        p.turnLayer(1, 1, 1, 1.0, 0);
        p.recordMove(1, 1, 1);
        auto e = threeByThree();
        Puzzle before(e.get());
        before.turnLayer(1, 1, 1, 1.0, 0);
        CapturedLog log;
        FileReader r(path.c_str());
        EXPECT_FALSE(p.loadMoves(r)) << "case " << i;
        EXPECT_EQ(p.getMoveCount(), 1) << "case " << i;
        EXPECT_EQ(p.getLastMoveAnchor(), 1) << "case " << i;
        EXPECT_EQ(p.getTurnMetric(), Single);
        EXPECT_TRUE(samePositions(p, before)) << "case " << i;
        const std::string text = log.text();
        EXPECT_EQ(text.find("anchor = "), std::string::npos) << "case " << i;
        EXPECT_NE(text.find(damaged[i].why), std::string::npos) << "case " << i << ": " << text;
        std::remove(path.c_str());
    }
}

TEST(MoveFile, AReplayThatWouldOverfillTheHistoryIsRefused) {
    // Cut at the capacity, its re-saved history would reload to another position.
    auto d = makeDefinition(DodecaHedron, {{FaceSlice, 40}, {FaceSlice, 80}, {FaceSlice, 120}});
    Puzzle p(d.get());
    std::string path = temporaryPath("overfull.bin");
    writeAll(path, section(Single, {{0, 0x7ffff, INT32_MAX, 1}}));
    FileReader r(path.c_str());
    CapturedLog log;
    EXPECT_FALSE(p.loadMoves(r));
    EXPECT_NE(log.text().find("the moves of the file record more than the history holds"),
              std::string::npos);
    EXPECT_EQ(p.getMoveCount(), 0);
    EXPECT_TRUE(p.isSolved());
    std::remove(path.c_str());
}

TEST(MoveFile, UnusualSectionsAreReadAsRecorded) {
    struct Case {
        std::vector<unsigned char> bytes;
        int32_t metric;             // in force after the load
        std::vector<Move> history;  // after the load
        std::vector<Move> turns;    // what the position must equal, as single turns
    };
    const Case cases[] = {
        {section(Multi, {}, -2), Multi, {}, {}},  // no moves, metric kept
        {section(5, {{0, 1, 1, 1}, {0, 1, 1, 1}}),
         5,  // acts as single
         {{0, 1, 1, 1}, {0, 1, 1, 1}},
         {{0, 1, 1, 1}, {0, 1, 1, 1}}},
        {section(Single, {{0, 1, 0, 1}, {2, 1, -3, 1}}), Single, {}, {}},
        {section(Single, {{0, 1, 3, 1}}),
         Single,  // three moves of their own
         {{0, 1, 1, 1}, {0, 1, 1, 1}, {0, 1, 1, 1}},
         {{0, 1, 3, 1}}},
        // Whole revolutions: 2,000,000,001 quarter turns stand where one does.
        {section(Multi, {{0, 1, 2000000001, 1}}), Multi, {{0, 1, 2000000001, 1}}, {{0, 1, 1, 1}}},
        {section(Multi, {{0, 1 << 25, 2000000000, 1}}), Multi, {{0, 1 << 25, 2000000000, 1}}, {}},
        // Layer bits above the 19th are kept but not turned.
        {section(Multi, {{0, 1, 3, 1}, {2, (1 << 1) | (1 << 19), 1, 0}}),
         Multi,
         {{0, 1, 3, 1}, {2, (1 << 1) | (1 << 19), 1, 0}},
         {{0, 1, 3, 1}, {2, 1 << 1, 1, 0}}},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        std::string path = temporaryPath("unusual.bin");
        writeAll(path, c.bytes);
        auto d = threeByThree();
        Puzzle p(d.get());
        FileReader r(path.c_str());
        ASSERT_TRUE(p.loadMoves(r)) << "case " << i;
        EXPECT_EQ(p.getTurnMetric(), c.metric) << "case " << i;
        ASSERT_EQ(p.getMoveCount(), static_cast<int32_t>(c.history.size())) << "case " << i;
        for (size_t k = 0; k < c.history.size(); ++k)
            EXPECT_TRUE(sameMove(p.moves[k], c.history[k])) << "case " << i << " move " << k;
        auto e = threeByThree();
        Puzzle expected(e.get());
        for (const Move& m : c.turns)
            for (int32_t t = 0; t < m.turnnr; ++t)
                for (int32_t layer = 1; layer <= kTurnedLayers; ++layer)
                    if (m.layer & (1 << (layer - 1)))
                        expected.turnLayer(m.anchor, layer, m.clockwise, 1.0, 0);
        EXPECT_TRUE(samePositions(p, expected)) << "case " << i;
        std::remove(path.c_str());
    }
}

TEST(MoveFile, LongRecordedHistoriesLoadBack) {
    // 33,334 three-layer moves: 100,002 layer turns.
    auto d = threeByThree(Single);
    Puzzle p(d.get());
    for (int32_t i = 0; i < 33334; ++i) {
        for (int32_t layer = 1; layer <= 3; ++layer)
            p.turnLayer(i % 6, layer, 1, 1.0, 0);
        p.recordMove(i % 6, 7, 1);
    }
    std::string path = temporaryPath("long.bin");
    {
        FileWriter w(path.c_str());
        p.saveMoves(w);
    }
    auto e = threeByThree(Multi);
    Puzzle loaded(e.get());
    FileReader r(path.c_str());
    ASSERT_TRUE(loaded.loadMoves(r));
    ASSERT_EQ(loaded.getMoveCount(), p.getMoveCount());
    EXPECT_TRUE(sameHistory(loaded, p));
    EXPECT_TRUE(samePositions(loaded, p));
    std::remove(path.c_str());
}

TEST(MoveFile, AMoveThatCannotBeReplayedRefusesTheSection) {
    // Layer 1 of face anchor 0 would leave a cubie where no home cubie is: after a good move,
    // and in three turns that make a whole revolution, which must not be taken as turning
    // nothing.
    const std::vector<Move> refused[] = {{{5, 1, 1, 1}, {0, 1, 1, 1}}, {{0, 1, 3, 1}}};
    for (const std::vector<Move>& moves : refused) {
        auto definition = refusingTetrahedron();
        Puzzle p(definition.get());
        p.turnLayer(4, 1, 1, 1.0, 0);
        p.recordMove(4, 1, 1);
        std::vector<Vec3> before;
        p.savePositions(before);
        std::string path = temporaryPath("refused.bin");
        writeAll(path, section(Multi, moves));
        FileReader r(path.c_str());
        CapturedLog log;
        EXPECT_FALSE(p.loadMoves(r));
        const std::string why =
            "move " + std::to_string(moves.size() - 1) + " of the history cannot be replayed";
        EXPECT_NE(log.text().find(why), std::string::npos) << log.text();
        std::vector<Vec3> after;
        p.savePositions(after);
        EXPECT_EQ(after.size(), before.size());
        EXPECT_EQ(std::memcmp(after.data(), before.data(), sizeof(Vec3) * after.size()), 0);
        ASSERT_EQ(p.getMoveCount(), 1);
        EXPECT_EQ(p.getLastMoveAnchor(), 4);
        std::remove(path.c_str());
    }
}

TEST(MoveFile, ReplaysStandWhereTurningEveryLayerEveryTimeDoes) {
    // The cube of six face slices: 866 cubies, 13 layers an anchor.
    const std::vector<ReadyMadeSlice> sixFaces = {{FaceSlice, 20},  {FaceSlice, 40},
                                                  {FaceSlice, 60},  {FaceSlice, 80},
                                                  {FaceSlice, 100}, {FaceSlice, 120}};
    std::vector<Move> whole, single, runs;
    for (int32_t i = 0; i < 40; ++i) {
        whole.push_back({i % 2, 0x7ffff, 3, 1});
        // Some turn twice, and the anchor's next move finds its cubies where others took them.
        single.push_back(
            {i % 6, 1 << (i * 5 % 13), 1 + (i % 4 == 0), static_cast<uint8_t>(i % 3 == 0)});
        runs.push_back({i / 10 % 3, i < 20 ? 0x1f : 0x3c, 2 + i % 5, 1});
    }
    struct Case {
        const char* what;
        std::vector<ReadyMadeSlice> slices;
        int32_t groupSize;  // cubies 0 .. groupSize * groups - 1 in groups of this many
        int32_t groups;
        std::vector<Move> moves;
    };
    const Case cases[] = {
        {"whole turns", sixFaces, 0, 0, whole},
        {"whole turns, bandaged in pairs", sixFaces, 2, 433, whole},
        {"whole turns, widened by groups of 8", sixFaces, 8, 22, whole},
        {"single layers, groups of 8", sixFaces, 8, 22, single},
        {"runs of revolutions", {{EdgeSlice, 234}, {EdgeSlice, 328}, {FaceSlice, 85}}, 3, 30, runs},
    };
    for (const Case& c : cases) {
        auto d = makeDefinition(Cube, c.slices);
        d->turnMetric = Multi;
        if (c.groups > 0) {
            d->groupsValid = 1;
            std::fill(d->groupIds, d->groupIds + kMaxGroupIds, -1);
            for (int32_t i = 0; i < c.groupSize * c.groups; ++i)
                d->groupIds[i] = i / c.groupSize;
        }
        Puzzle turned(d.get());
        for (const Move& m : c.moves)
            for (int32_t t = 0; t < m.turnnr; ++t) {
                for (int32_t layer = 1; layer <= kTurnedLayers; ++layer)
                    if (m.layer & (1 << (layer - 1)))
                        turned.turnLayer(m.anchor, layer, m.clockwise, 1.0, 0);
                turned.recordMove(m.anchor, m.layer, m.clockwise);
            }
        std::string path = temporaryPath("replayed.bin");
        writeAll(path, section(Multi, c.moves));
        Puzzle loaded(d.get());
        FileReader r(path.c_str());
        ASSERT_TRUE(loaded.loadMoves(r)) << c.what;
        EXPECT_TRUE(samePositions(loaded, turned)) << c.what;
        EXPECT_TRUE(sameHistory(loaded, turned)) << c.what;
        std::remove(path.c_str());
    }
}

TEST(MoveFile, UnopenedReaderIsRefused) {
    auto d = threeByThree();
    Puzzle p(d.get());
    FileReader r("/nonexistent/dir/moves.bin");
    EXPECT_FALSE(p.loadMoves(r));
}

TEST(Scramble, EveryReadyMadePuzzleTwoHundredSingleLayerMovesAndBack) {
    for (const ReadyMadePuzzle& r : kReadyMadePuzzles) {
        auto d = makeDefinition(r);
        Puzzle p(d.get());
        p.scramble();
        ASSERT_EQ(p.getMoveCount(), 200) << r.name;
        for (int32_t i = 0; i < 200; ++i) {
            const Move& m = p.moves[i];
            EXPECT_EQ(m.clockwise, 0);
            EXPECT_EQ(m.turnnr, 1);
            ASSERT_NE(m.layer, 0);
            EXPECT_EQ(m.layer & (m.layer - 1), 0) << "single layer";
            EXPECT_LE(m.layer, 1 << (p.anchors[m.anchor].planeCount - 1));
        }
        EXPECT_FALSE(p.isSolved()) << r.name;
        std::vector<Move> history(p.moves.begin(), p.moves.begin() + 200);
        for (auto it = history.rbegin(); it != history.rend(); ++it) {
            int32_t layer = 1;
            while (!(it->layer & (1 << (layer - 1))))
                ++layer;
            ASSERT_EQ(p.turnLayer(it->anchor, layer, 1, 1.0, 0), TurnResult::Turned);
        }
        EXPECT_TRUE(p.isSolved()) << r.name;
        EXPECT_TRUE(p.isSolvedOriented()) << r.name;
        EXPECT_TRUE(onHomePositions(p));
    }
}

TEST(Scramble, RefusedTurnsAreDrawnAgainAndOnlyReplayedLayersAreDrawn) {
    // Face anchors of this tetrahedron refuse their only drawable layer.
    auto refusing = refusingTetrahedron();
    // Twenty planes per face anchor, all outside the cube: 21 layers, one cubie.
    std::vector<ReadyMadeSlice> outside;
    for (int32_t i = 0; i < 10; ++i)
        outside.push_back({FaceSlice, 400 + 20 * i});
    auto layered = makeDefinition(Cube, outside);
    for (PuzzleDefinition* d : {refusing.get(), layered.get()}) {
        Puzzle p(d);
        p.scramble();
        ASSERT_EQ(p.getMoveCount(), 200);
        EXPECT_TRUE(onHomePositions(p));
        for (int32_t i = 0; i < 200; ++i)
            EXPECT_LT(p.moves[i].layer, 1 << kTurnedLayers) << "move " << i;
        // The saved history loads back to the same position.
        std::string path = temporaryPath("scrambled.bin");
        {
            FileWriter w(path.c_str());
            p.saveMoves(w);
        }
        Puzzle loaded(d);
        FileReader r(path.c_str());
        ASSERT_TRUE(loaded.loadMoves(r));
        EXPECT_TRUE(samePositions(loaded, p));
        std::remove(path.c_str());
    }
}

TEST(Scramble, APuzzleThatRefusesNearlyEveryTurnEndsUnderEitherMetric) {
    // Its few turns that refit repeat the last move: under the multi-turn metric they only
    // raise its turnnr, and the count of moves stops rising.
    for (int32_t metric : {Single, Multi}) {
        const auto scrambled = [metric] {
            auto d =
                makeDefinition(TetraHedron, {{FaceSlice, 327}, {FaceSlice, 6}, {EdgeSlice, 23}});
            d->eraseThreshold = 33;
            d->turnMetric = metric;
            Puzzle p(d.get());
            CapturedLog log;
            p.scramble();
            // One line for all the refusals of the scramble, and nothing else.
            const std::string text = log.text();
            int refused = 0;
            const bool ok =
                p.getMoveCount() >= 1 && p.getMoveCount() <= 200 && onHomePositions(p) &&
                std::sscanf(text.c_str(), "scramble: %d drawn turns refused", &refused) == 1 &&
                refused > 0 &&
                text == "scramble: " + std::to_string(refused) + " drawn turns refused\n";
            EXPECT_TRUE(ok) << p.getMoveCount() << " moves, log: " << text.substr(0, 200);
            return ok;
        };
        EXPECT_EQ(runInChild(scrambled), 1)
            << "metric " << metric << ": 0 failed, -1 did not return within 10 s";
    }
}

TEST(Scramble, PuzzleWithoutPlanesRecordsNothing) {
    auto d = makeDefinition(IcosaHedron, {});
    Puzzle p(d.get());
    p.scramble();
    EXPECT_EQ(p.getMoveCount(), 0);
}

// Long random runs: thousands of turns of random anchors, layer sets and directions, with
// bandage groups, on every ready-made puzzle and on random editor definitions. Undoing every
// turn in reverse must give the solved puzzle back, bit for bit; a turn that cannot be refitted
// is refused and changes nothing.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>
#include <set>
#include <tuple>

#include "test_support.h"

namespace {

struct Turn {
    int32_t anchor;
    int32_t layer;
    uint8_t clockwise;
};

void connectRandomGroups(Puzzle& p, PuzzleDefinition* d, std::mt19937& rng, int groups) {
    std::uniform_int_distribution<int32_t> pick(0, p.cubyCount - 1);
    for (int g = 0; g < groups; ++g) {
        for (int k = 0; k < 2 + g % 2; ++k)
            p.cubies[pick(rng)].selected = 1;
        p.disconnectSelected(d);
        p.connectSelected(d);
        p.clearSelection();
    }
}

void soak(Puzzle& p, std::mt19937& rng, int turns, const std::wstring& name) {
    std::vector<int32_t> turning;
    for (int32_t a = 0; a < p.anchorCount; ++a)
        if (p.anchors[a].planeCount > 0)
            turning.push_back(a);
    if (turning.empty())
        return;
    std::vector<Turn> done;
    for (int i = 0; i < turns; ++i) {
        int32_t anchor = turning[rng() % turning.size()];
        int32_t layers = p.getLayerCount(anchor);
        uint32_t mask =
            static_cast<uint32_t>(rng()) & ((1u << std::min(layers, kTurnedLayers)) - 1);
        uint8_t clockwise = rng() % 2;
        // Sometimes animated in several steps, as the play screen does.
        int32_t frames = rng() % 4 == 0 ? 1 + static_cast<int32_t>(rng() % 30) : 1;
        for (int32_t layer = 1; layer <= std::min(layers, kTurnedLayers); ++layer) {
            if (!(mask & (1u << (layer - 1))))
                continue;
            bool turned = true;
            for (int32_t step = 0; step < frames && turned; ++step)
                turned =
                    p.turnLayer(anchor, layer, clockwise, 1.0 / frames, step) == TurnResult::Turned;
            if (turned)
                done.push_back({anchor, layer, clockwise});
        }
    }
    ASSERT_TRUE(onHomePositions(p)) << name;
    for (auto it = done.rbegin(); it != done.rend(); ++it)
        ASSERT_EQ(p.turnLayer(it->anchor, it->layer, it->clockwise ? 0 : 1, 1.0, 0),
                  TurnResult::Turned)
            << name;
    EXPECT_TRUE(p.isSolved()) << name;
    EXPECT_TRUE(p.isSolvedOriented()) << name;
    for (int32_t i = 0; i < p.cubyCount; ++i)
        for (int32_t k = 0; k < p.cubies[i].vertexcount; ++k) {
            const Vec3& v = p.cubies[i].vertex[k];
            const Vec3& h = p.homeCubies[i].vertex[k];
            ASSERT_TRUE(v.x == h.x && v.y == h.y && v.z == h.z) << name << " cubie " << i;
        }
}

// One to three slices of random kinds and thicknesses, as the editor allows.
std::vector<ReadyMadeSlice> randomSlices(std::mt19937& rng) {
    const int32_t count = 1 + static_cast<int32_t>(rng() % 3);
    std::vector<ReadyMadeSlice> slices;
    for (int32_t i = 0; i < count; ++i)
        slices.push_back({static_cast<int32_t>(rng() % 3), static_cast<int32_t>(rng() % 361)});
    return slices;
}

struct ScrambleTimes {
    int scrambles = 0;
    int endedShort = 0;  // with fewer than 200 moves
    double slowestMs = 0.0;
};

// Keeps the run short: a mesh of at most 20,000 vertices (the limit itself is 50,000).
bool quickToSoak(Puzzle& p) {
    vertexLimitReached = 0;
    const bool quick = p.countVertices() <= 20000;
    vertexLimitReached = 0;
    return quick;
}

// A full scramble under either metric ends, on home positions, with at most 200 moves.
void scrambleUnderBothMetrics(PuzzleDefinition* d, ScrambleTimes& times) {
    for (int32_t metric : {Single, Multi}) {
        d->turnMetric = metric;
        Puzzle p(d);
        const auto start = std::chrono::steady_clock::now();
        p.scramble();
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        times.slowestMs = std::max(times.slowestMs, took.count());
        times.scrambles += 1;
        times.endedShort += p.getMoveCount() < kScrambleMoves;
        ASSERT_LE(p.getMoveCount(), kScrambleMoves);
        ASSERT_TRUE(onHomePositions(p));
    }
    d->turnMetric = Single;
}

}  // namespace

TEST(Soak, ReadyMadePuzzlesWithAndWithoutGroups) {
    std::mt19937 rng(20261209);
    for (const ReadyMadePuzzle& r : kReadyMadePuzzles) {
        for (int groups : {0, 2}) {
            auto d = makeDefinition(r);
            Puzzle p(d.get());
            connectRandomGroups(p, d.get(), rng, groups);
            soak(p, rng, 1500, r.name);
        }
    }
}

TEST(Soak, RandomEditorDefinitions) {
    std::mt19937 rng(77);
    int built = 0;
    ScrambleTimes scrambles;
    while (built < 24) {
        const int32_t shape = static_cast<int32_t>(rng() % 5);
        const std::vector<ReadyMadeSlice> slices = randomSlices(rng);
        auto d = makeDefinition(shape, slices);
        d->eraseThreshold = static_cast<int32_t>(rng() % 3) * 20;
        Puzzle p(d.get());
        if (!quickToSoak(p))
            continue;
        ++built;
        connectRandomGroups(p, d.get(), rng, static_cast<int>(rng() % 3));
        // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on "literal" + string.
        std::wstring name = L"shape ";
        name += std::to_wstring(shape);
        for (const ReadyMadeSlice& s : slices) {
            name += L' ';
            name += std::to_wstring(s.kind);
            name += L'/';
            name += std::to_wstring(s.thickness);
        }
        soak(p, rng, 600, name);
        scrambleUnderBothMetrics(d.get(), scrambles);
    }
    std::printf("%d scrambles, %d short of 200 moves, the slowest %.1f ms\n", scrambles.scrambles,
                scrambles.endedShort, scrambles.slowestMs);
}

// Any erase threshold: erasing can keep a piece in one place and drop its turned copy in
// another. Every layer of every anchor either turns onto home positions or is refused with the
// puzzle unchanged, and a full scramble ends.
TEST(Soak, EveryLayerOfRandomEditorDefinitionsTurnsOrIsRefusedUnchanged) {
    std::mt19937 rng(1709);
    int built = 0;
    int refused = 0;
    ScrambleTimes scrambles;
    while (built < 60) {
        const int32_t shape = static_cast<int32_t>(rng() % 5);
        auto d = makeDefinition(shape, randomSlices(rng));
        d->eraseThreshold = static_cast<int32_t>(rng() % 101);
        if (built == 0) {  // one definition known to refuse
            d = refusingTetrahedron();
        }
        Puzzle p(d.get());
        if (!quickToSoak(p))
            continue;
        ++built;
        std::set<std::tuple<double, double, double>> homes;
        for (const Cuby& h : p.homeCubies)
            for (const Vec3& v : h.vertex)
                homes.insert({v.x, v.y, v.z});
        std::vector<Vec3> before, after;
        for (int32_t a = 0; a < p.anchorCount; ++a) {
            for (int32_t layer = 1; layer <= std::min(p.getLayerCount(a), kTurnedLayers); ++layer) {
                p.savePositions(before);
                const TurnResult result = p.turnLayer(a, layer, rng() % 2, 1.0, 0);
                p.savePositions(after);
                if (result == TurnResult::Refused) {
                    ++refused;
                    ASSERT_EQ(std::memcmp(before.data(), after.data(), sizeof(Vec3) * after.size()),
                              0);
                }
                for (const Vec3& v : after)
                    ASSERT_TRUE(homes.count({v.x, v.y, v.z})) << "shape " << shape;
            }
        }
        scrambleUnderBothMetrics(d.get(), scrambles);
    }
    EXPECT_GT(refused, 0);
    std::printf("%d scrambles, %d short of 200 moves, the slowest %.1f ms\n", scrambles.scrambles,
                scrambles.endedShort, scrambles.slowestMs);
}

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "test_support.h"

namespace {

struct MeshTest : ::testing::Test {
    void SetUp() override { vertexLimitReached = 0; }
    void TearDown() override { vertexLimitReached = 0; }
};

std::vector<MeshVertex> fill(Puzzle& p, double inset, uint8_t fade) {
    int32_t count = p.countVertices();
    std::vector<MeshVertex> buffer(count);
    EXPECT_EQ(p.fillVertices(buffer.data(), count, inset, fade), 1);
    return buffer;
}

void expectVertex(const MeshVertex& v, float x, float y, float z, uint32_t color) {
    EXPECT_FLOAT_EQ(v.x, x);
    EXPECT_FLOAT_EQ(v.y, y);
    EXPECT_FLOAT_EQ(v.z, z);
    EXPECT_EQ(v.color, color) << std::hex << v.color;
}

}  // namespace

using RenderMesh = MeshTest;

TEST_F(RenderMesh, VertexCountsOfUncutSolidsAndTheThreeByThree) {
    const int32_t expected[] = {48, 108, 96, 288, 240};
    for (int32_t shape = 0; shape < 5; ++shape) {
        auto definition = makeDefinition(shape, {});
        Puzzle p(definition.get());
        EXPECT_EQ(p.countVertices(), expected[shape]);
    }
    auto definition = makeDefinition(Cube, {{FaceSlice, 120}});
    Puzzle p(definition.get());
    EXPECT_EQ(p.countVertices(), 54 * 18 + 102 * 6);
    EXPECT_EQ(vertexLimitReached, 0);
}

TEST_F(RenderMesh, FirstFaceOfTheUncutCube) {
    auto definition = makeDefinition(Cube, {});
    Puzzle p(definition.get());
    auto flat = fill(p, 0.1, 0);
    expectVertex(flat[0], 1, 1, -1, 0xFF000000);
    expectVertex(flat[1], -1, 1, -1, 0xFF000000);
    expectVertex(flat[2], -1, -1, -1, 0xFF000000);
    expectVertex(flat[5], 1, -1, -1, 0xFF000000);
    // Sticker triangle 0: the lifted centre, then the corners of the inset edge y = 0.9.
    expectVertex(flat[6], 0, 0, -1.01f, 0xFFDCDCDC);
    expectVertex(flat[7], 0.9f, 0.9f, -1, 0xFFDCDCDC);
    expectVertex(flat[8], -0.9f, 0.9f, -1, 0xFFDCDCDC);

    auto faded = fill(p, 0.1, 1);
    EXPECT_EQ(faded[0].color, 0xFF323232u);
    // Fade along y from the home face: centre 0.5, y = 1 corners full, y = -1 black.
    EXPECT_EQ(faded[6].color, 0xFF707070u);
    EXPECT_EQ(faded[7].color, 0xFFE1E1E1u);
    EXPECT_EQ(faded[8].color, 0xFFE1E1E1u);
    EXPECT_EQ(faded[11].color, 0xFF000000u);  // triangle 1 ends at (-0.9, -0.9)
}

TEST_F(RenderMesh, FaceOfConstantYFadesAlongZ) {
    auto definition = makeDefinition(Cube, {});
    Puzzle p(definition.get());
    auto faded = fill(p, 0.1, 1);
    // Face 1 (y = 1) starts at vertex index 18: 2 background + 4 sticker triangles per face.
    const MeshVertex* face1 = &faded[18];
    EXPECT_FLOAT_EQ(face1[0].y, 1.0f);
    const MeshVertex& centre = face1[6];
    EXPECT_EQ(centre.color, 0xFF5A0000u);  // half of row 1's red
    // Corner from home vertex 0 (z = -1) is black; from vertex 4 (z = 1) fully coloured.
    EXPECT_EQ(face1[7].color, 0xFF000000u);
    EXPECT_EQ(face1[8].color, 0xFFB40000u);
}

TEST_F(RenderMesh, SelectedAndHighlightedColours) {
    auto definition = makeDefinition(Cube, {});
    Puzzle p(definition.get());
    p.cubies[0].highlighted = 1;
    auto lit = fill(p, 0.1, 0);
    EXPECT_EQ(lit[6].color, 0xFFFFFFFFu);
    p.cubies[0].selected = 1;
    for (uint8_t fade : {0, 1}) {
        auto selected = fill(p, 0.1, fade);
        EXPECT_EQ(selected[6].color, 0xFF00FFFFu);
        EXPECT_EQ(selected[7].color, 0xFF00FFFFu);
        EXPECT_EQ(selected[0].color, fade ? 0xFF323232u : 0xFF000000u);
    }
}

TEST_F(RenderMesh, FadeOnlyRowsDiffer) {
    auto definition = makeDefinition(IcosaHedron, {});
    Puzzle p(definition.get());
    auto flat = fill(p, 0.1, 0);
    auto faded = fill(p, 0.1, 1);
    // Per triangular face: 1 background + 3 sticker triangles = 12 vertices.
    auto fullFadeCorner = [&](int32_t face) {
        uint32_t best = 0;
        for (int k = 3; k < 12; ++k)
            best = std::max(best, faded[face * 12 + k].color & 0xFFFFFF);
        return best;
    };
    EXPECT_EQ(flat[14 * 12 + 3].color, 0xFF009678u);
    EXPECT_EQ(fullFadeCorner(14) & 0xFF00FF, 0x460000u);  // brown: red 70, blue 0
    EXPECT_EQ(flat[2 * 12 + 3].color, 0xFF00B400u);
    EXPECT_EQ(fullFadeCorner(1), 0xB40000u);  // row 1: fade equals flat
}

TEST_F(RenderMesh, FlaggedEdgeReachesPastTheFace) {
    auto definition = makeDefinition(Cube, {});
    Puzzle p(definition.get());
    markEdge(p.cubies[0], 0, 0);  // face 0's edge from (1, 1, -1) to (-1, 1, -1)
    auto mesh = fill(p, 0.1, 0);
    EXPECT_FLOAT_EQ(mesh[7].y, 1.001f);
    EXPECT_FLOAT_EQ(mesh[7].x, 0.9f);
    // The unflagged neighbour keeps its band: triangle 1 runs down the inset edge x = -0.9.
    EXPECT_FLOAT_EQ(mesh[10].x, -0.9f);
    EXPECT_FLOAT_EQ(mesh[10].y, 1.001f);
}

TEST_F(RenderMesh, LimitFlagAndRefusedFills) {
    auto definition = makeDefinition(Cube, {});
    Puzzle p(definition.get());
    // One inner face of n vertices counts 3(n - 2).
    Cuby& c = p.cubies[0];
    auto giantFace = [&](int32_t n) {
        c.vindex.assign(n, 0);
        c.facestart = {0, n};
        c.facecolor = {-1};
        c.edgeflag.assign(n, 0);
        c.facecount = 1;
        c.indexcount = n;
    };
    giantFace(16668);
    EXPECT_EQ(p.countVertices(), 49998);
    EXPECT_EQ(vertexLimitReached, 0);
    giantFace(16669);
    EXPECT_EQ(p.countVertices(), 50001);
    EXPECT_EQ(vertexLimitReached, 1);
    std::vector<MeshVertex> buffer(60000, MeshVertex{1, 2, 3, 4});
    EXPECT_EQ(p.fillVertices(buffer.data(), 60000, 0.1, 0), -1);
    for (const MeshVertex& v : buffer)
        ASSERT_EQ(v.color, 4u);

    vertexLimitReached = 0;
    auto fresh = makeDefinition(Cube, {});
    Puzzle q(fresh.get());
    std::vector<MeshVertex> small(107, MeshVertex{1, 2, 3, 4});
    EXPECT_EQ(q.fillVertices(small.data(), 107, 0.1, 0), -1);
    for (const MeshVertex& v : small)
        ASSERT_EQ(v.color, 4u);
}

TEST_F(RenderMesh, DegenerateHomeFaceGetsADefinedColour) {
    auto definition = makeDefinition(Cube, {});
    Puzzle p(definition.get());
    for (Vec3& v : p.homeCubies[0].vertex)
        v = Vec3{v.x, 0, 0};
    auto mesh = fill(p, 0.1, 1);
    EXPECT_EQ(mesh[6].color, 0xFFE1E1E1u);
}

TEST_F(RenderMesh, EveryReadyMadePuzzleFillsExactlyItsCount) {
    std::vector<ReadyMadePuzzle> puzzles(std::begin(kReadyMadePuzzles),
                                         std::end(kReadyMadePuzzles));
    // Shallow corner cuts leave ten-vertex stickers.
    puzzles.push_back({L"decagons", 0, DodecaHedron, 1, {{PointSlice, 10}, {}}, PointSlice});
    for (const ReadyMadePuzzle& r : puzzles) {
        auto definition = makeDefinition(r);
        Puzzle p(definition.get());
        int32_t count = p.countVertices();
        ASSERT_EQ(vertexLimitReached, 0) << r.name;
        constexpr int32_t kGuard = 64;
        std::vector<MeshVertex> buffer(count + kGuard, MeshVertex{7, 7, 7, 0xDEADBEEF});
        ASSERT_EQ(p.fillVertices(buffer.data(), count, 1.0 / 30, 1), 1);
        for (int32_t i = 0; i < count; ++i)
            ASSERT_EQ(buffer[i].color >> 24, 0xFFu) << r.name;
        for (int32_t i = count; i < count + kGuard; ++i)
            ASSERT_EQ(buffer[i].color, 0xDEADBEEFu) << r.name;
    }
}

TEST_F(RenderMesh, AFillAfterChangesEqualsAFillFromScratch) {
    // A fill reuses a cubie's triangles from the fill before only while everything they are
    // made from is unchanged: after each change the mesh must equal that of a puzzle that
    // went through the same changes and fills for the first time.
    using Change = void (*)(Puzzle&, PuzzleDefinition*);
    const Change changes[] = {
        [](Puzzle&, PuzzleDefinition*) {},
        [](Puzzle& p, PuzzleDefinition*) { p.turnLayer(0, 1, 1, 1.0, 0); },
        [](Puzzle& p, PuzzleDefinition*) { p.turnLayer(2, 2, 0, 0.25, 0); },  // half way
        [](Puzzle& p, PuzzleDefinition*) { p.highlightLayer(4, 1); },
        [](Puzzle& p, PuzzleDefinition*) { p.toggleCubySelection(3); },
        [](Puzzle& p, PuzzleDefinition* d) {
            for (int32_t i = 0; i < 12; ++i)
                p.cubies[i].selected = 1;
            p.connectSelected(d);  // flags the edges between same-coloured stickers
            p.clearSelection();
        },
        [](Puzzle& p, PuzzleDefinition*) { p.homeCubies[5].vertex[0].y += 0.25; },
        [](Puzzle& p, PuzzleDefinition*) { p.cubies[7].vertex[1].x += 0.001; },
        [](Puzzle&, PuzzleDefinition*) {},  // another inset
        [](Puzzle&, PuzzleDefinition*) {},  // no fade
    };
    const double insets[] = {1.0 / 30, 1.0 / 30, 1.0 / 30, 1.0 / 30, 1.0 / 30,
                             1.0 / 30, 1.0 / 30, 1.0 / 30, 0.1,      0.1};
    const uint8_t fades[] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 0};
    auto warmDefinition = makeDefinition(Cube, {{FaceSlice, 120}, {PointSlice, 200}});
    Puzzle warm(warmDefinition.get());
    for (size_t step = 0; step < std::size(changes); ++step) {
        changes[step](warm, warmDefinition.get());
        auto coldDefinition = makeDefinition(Cube, {{FaceSlice, 120}, {PointSlice, 200}});
        Puzzle cold(coldDefinition.get());
        for (size_t s = 0; s <= step; ++s)
            changes[s](cold, coldDefinition.get());
        if (step == 5) {
            int flagged = 0;
            for (const Cuby& c : warm.cubies)
                flagged += static_cast<int>(std::count(c.edgeflag.begin(), c.edgeflag.end(), 1));
            ASSERT_GT(flagged, 0);
        }
        const auto reused = fill(warm, insets[step], fades[step]);
        const auto fresh = fill(cold, insets[step], fades[step]);
        ASSERT_EQ(reused.size(), fresh.size()) << step;
        EXPECT_EQ(std::memcmp(reused.data(), fresh.data(), reused.size() * sizeof(MeshVertex)), 0)
            << step;
    }
}

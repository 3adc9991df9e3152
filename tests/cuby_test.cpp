#include "cuby.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "test_support.h"

namespace {

std::vector<int32_t> faceList(const Cuby& c, int32_t f) {
    return {c.vindex.begin() + c.facestart[f], c.vindex.begin() + c.facestart[f + 1]};
}

std::vector<Vec3> faceCorners(const Cuby& c, int32_t f) {
    std::vector<Vec3> out;
    for (int32_t k = 0; k < c.faceSize(f); ++k)
        out.push_back(c.faceVertex(f, k));
    return out;
}

// Every cubie made by a split is a closed surface: each face edge is used by exactly two faces,
// once in each direction or once in either direction (face lists carry no orientation).
void expectClosed(const Cuby& c) {
    std::multiset<std::pair<int32_t, int32_t>> edges;
    for (int32_t f = 0; f < c.facecount; ++f) {
        int32_t n = c.faceSize(f);
        ASSERT_GE(n, 3);
        for (int32_t k = 0; k < n; ++k) {
            int32_t a = c.vindex[c.facestart[f] + k];
            int32_t b = c.vindex[c.facestart[f] + (k + 1) % n];
            edges.insert({std::min(a, b), std::max(a, b)});
        }
    }
    for (const auto& e : edges)
        EXPECT_EQ(edges.count(e), 2u);
    EXPECT_EQ(c.indexcount, c.facestart[c.facecount]);
    EXPECT_EQ(static_cast<int32_t>(c.edgeflag.size()), c.indexcount);
}

double volume(const Cuby& c) {
    // Tetrahedra from an interior point (the vertex mean) to every fan triangle: convex pieces.
    Vec3 centre;
    for (int32_t i = 0; i < c.vertexcount; ++i)
        centre = centre + c.vertex[i];
    centre = centre * (1.0 / c.vertexcount);
    double v = 0;
    for (int32_t f = 0; f < c.facecount; ++f) {
        Vec3 m;
        faceCentroid(c, f, m);
        for (int32_t k = 0; k < c.faceSize(f); ++k) {
            Vec3 a = c.faceVertex(f, k);
            Vec3 b = c.faceVertex(f, (k + 1) % c.faceSize(f));
            Vec3 cr;
            cross3(a - m, b - m, cr);
            v += std::fabs(dot3(centre - m, cr)) / 6.0;
        }
    }
    return v;
}

}  // namespace

TEST(SplitCuby, CubeByMidPlaneGivesTwoBoxesWithCapLast) {
    Cuby cube = makeCube();
    Cuby front, back;
    ASSERT_EQ(splitCuby(cube, front, back, Plane{1, 0, 0, 0}), 1);
    for (const Cuby* part : {&front, &back}) {
        EXPECT_EQ(part->vertexcount, 8);
        EXPECT_EQ(part->facecount, 6);
        EXPECT_EQ(part->facecolor.back(), -1);
        expectClosed(*part);
    }
    // Front keeps faces 0, 1, 2 (x = 1), 3, 4 in source order; back has 5 (x = -1) instead of 2.
    EXPECT_EQ(front.facecolor, (std::vector<int32_t>{0, 1, 2, 3, 4, -1}));
    EXPECT_EQ(back.facecolor, (std::vector<int32_t>{0, 1, 3, 4, 5, -1}));
    // The same cap list of points in both parts.
    auto capFront = faceCorners(front, 5);
    auto capBack = faceCorners(back, 5);
    ASSERT_EQ(capFront.size(), 4u);
    ASSERT_EQ(capBack.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(pointDistance(capFront[i], capBack[i]), 0.0);
        EXPECT_EQ(capFront[i].x, 0.0);
    }
    // Section points are shared: no duplicated vertex in a part.
    for (int32_t i = 0; i < front.vertexcount; ++i)
        for (int32_t j = i + 1; j < front.vertexcount; ++j)
            EXPECT_GT(pointDistance(front.vertex[i], front.vertex[j]), 0.0);
    EXPECT_NEAR(volume(front), 4.0, 1e-12);
    EXPECT_NEAR(volume(back), 4.0, 1e-12);
    // Front vertices: source vertices in front first (0, 3, 4, 7), then section points.
    EXPECT_EQ(front.vertex[0].x, 1);
    EXPECT_EQ(front.vertex[4].x, 0);
}

TEST(SplitCuby, TouchingOrNearlyTouchingPlanesDoNotCut) {
    Cuby cube = makeCube();
    Cuby front, back;
    front.vertexcount = 42;                                          // untouched on refusal
    EXPECT_EQ(splitCuby(cube, front, back, Plane{1, 0, 0, -1}), 0);  // face
    EXPECT_EQ(splitCuby(cube, front, back, Plane{1, 1, 0, -2}), 0);  // edge
    EXPECT_EQ(splitCuby(cube, front, back, Plane{1, 1, 1, -3}), 0);  // vertex
    EXPECT_EQ(splitCuby(cube, front, back, Plane{1, 0, 0, -1 + 0.000009}), 0);  // 9e-6 inside
    EXPECT_EQ(front.vertexcount, 42);
    EXPECT_TRUE(back.vertex.empty());
    EXPECT_EQ(splitCuby(cube, front, back, Plane{1, 0, 0, -1 + 0.00002}), 1);
}

TEST(SplitCuby, DiagonalCutDividesFacesAtTheirCorners) {
    Cuby cube = makeCube();
    Cuby front, back;
    // x = y passes through the edges 0-4 and 2-6: no section point at all.
    ASSERT_EQ(splitCuby(cube, front, back, Plane{1, -1, 0, 0}), 1);
    EXPECT_EQ(front.vertexcount, 6);
    EXPECT_EQ(back.vertexcount, 6);
    EXPECT_EQ(front.facecount, 5);  // two triangles, two squares... and the cap
    EXPECT_EQ(back.facecount, 5);
    expectClosed(front);
    expectClosed(back);
    EXPECT_EQ(front.faceSize(front.facecount - 1), 4);
    EXPECT_NEAR(volume(front) + volume(back), 8.0, 1e-12);
}

TEST(SplitCuby, PlaneThroughOneVertexKeepsItOnce) {
    Cuby cube = makeCube();
    Cuby front, back;
    // Through vertex 0 (1, 1, -1) only; vertex 4 alone lies in front.
    Plane through0{3, 2, 1, -4};
    ASSERT_EQ(splitCuby(cube, front, back, through0), 1);
    expectClosed(front);
    expectClosed(back);
    int count = 0;
    for (const Vec3& v : front.vertex)
        count += pointDistance(v, {1, 1, -1}) == 0;
    EXPECT_EQ(count, 1);
    auto cap = faceList(front, front.facecount - 1);
    bool inCap = false;
    for (int32_t i : cap)
        inCap = inCap || pointDistance(front.vertex[i], {1, 1, -1}) == 0;
    EXPECT_TRUE(inCap);
    EXPECT_NEAR(volume(front) + volume(back), 8.0, 1e-12);
}

TEST(SplitCuby, RepeatedObliqueCutsConserveVolume) {
    std::vector<Cuby> pieces{makeCube()};
    const Plane planes[] = {{1, 2, 3, -0.5}, {-2, 1, 0.5, 0.3}, {0.3, -1, 2, 0.1}, {1, 1, 1, 0}};
    for (const Plane& p : planes) {
        std::vector<Cuby> next;
        for (const Cuby& c : pieces) {
            Cuby f, b;
            if (splitCuby(c, f, b, p)) {
                next.push_back(f);
                next.push_back(b);
            } else {
                next.push_back(c);
            }
        }
        pieces = next;
    }
    double total = 0;
    for (const Cuby& c : pieces) {
        expectClosed(c);
        total += volume(c);
    }
    EXPECT_GT(pieces.size(), 8u);
    EXPECT_NEAR(total, 8.0, 1e-9);
}

TEST(SplitCuby, RoundingFailureNeverIndexesOutOfRange) {
    // At coordinates near 1e12 a section point lands far more than 1e-5 off the plane, so a
    // cut face holds fewer than two on-plane entries. The split must stay in bounds.
    Cuby cube = makeCube();
    for (Vec3& v : cube.vertex)
        v = v * 1e12;
    Cuby front, back;
    splitCuby(cube, front, back, Plane{0.3, 0.7, 0.1, 1234.5678});
    for (const Cuby* part : {&front, &back})
        for (int32_t i : part->vindex)
            EXPECT_LT(i, part->vertexcount);
}

TEST(CopyCuby, CopiesGeometryAndSelectionOnly) {
    Cuby src = makeCube();
    src.selected = 1;
    src.highlighted = 1;
    src.group = 3;
    src.next = 4;
    src.previous = 5;
    src.edgeflag[2] = 1;
    Cuby dst;
    dst.highlighted = 0;
    dst.group = -1;
    dst.facereference.resize(2);
    copyCuby(dst, src);
    EXPECT_EQ(dst.selected, 1);
    EXPECT_EQ(dst.highlighted, 0);
    EXPECT_EQ(dst.group, -1);
    EXPECT_EQ(dst.next, -1);
    EXPECT_EQ(dst.previous, -1);
    EXPECT_EQ(dst.facereference.size(), 2u);
    EXPECT_EQ(dst.edgeflag[2], 1);
    EXPECT_EQ(dst.vindex, src.vindex);
    EXPECT_EQ(dst.facestart, src.facestart);
}

TEST(CubyQueries, AdjacencyAndEdges) {
    Cuby cube = makeCube();
    EXPECT_EQ(areAdjacent(cube, 99, 99), 0);
    EXPECT_EQ(areAdjacent(cube, 0, 8), -1);
    EXPECT_EQ(areAdjacent(cube, 0, 3), 1);  // last and first entry of face 0
    EXPECT_EQ(areAdjacent(cube, 0, 2), 0);  // diagonal
    Vec3 p, q;
    EXPECT_TRUE(faceEdge(cube, 0, 3, p, q));
    EXPECT_EQ(p.x, 1);
    EXPECT_EQ(p.y, -1);  // vertex 3
    EXPECT_EQ(q.y, 1);   // back to vertex 0
    EXPECT_FALSE(faceEdge(cube, 0, 4, p, q));
    EXPECT_FALSE(faceEdge(cube, 6, 0, p, q));
    markEdge(cube, 1, 2);
    EXPECT_EQ(cube.edgeflag[6], 1);
}

TEST(CubyQueries, PointInFace) {
    Cuby cube = makeCube();
    EXPECT_EQ(isPointInFace(cube, {0, 0, -1}, 0), 1);
    EXPECT_EQ(isPointInFace(cube, {0.5, -0.5, -1}, 0), 1);
    EXPECT_EQ(isPointInFace(cube, {1, 0, -1}, 0), 0);         // on an edge
    EXPECT_EQ(isPointInFace(cube, {0.999995, 0, -1}, 0), 0);  // within 1e-5 of an edge
    EXPECT_EQ(isPointInFace(cube, {0, 0, -1.0001}, 0), 0);    // off the plane
    EXPECT_EQ(isPointInFace(cube, {0, 0, -1.000009}, 0), 1);  // within the tolerance
    EXPECT_EQ(isPointInFace(cube, {2, 0, -1}, 0), 0);
}

TEST(CubyQueries, OutwardNormalWhateverTheWinding) {
    Cuby cube = makeCube();
    for (int32_t f = 0; f < cube.facecount; ++f) {
        Vec3 n, m;
        outwardFaceNormal(cube, f, n);
        faceCentroid(cube, f, m);
        EXPECT_GT(dot3(n, m), 0.99);
        EXPECT_NEAR(vecLength(n), 1.0, 1e-15);
    }
    // Reverse every face list: the normals stay the same.
    Cuby reversed = makeCube();
    for (int32_t f = 0; f < reversed.facecount; ++f)
        std::reverse(reversed.vindex.begin() + reversed.facestart[f],
                     reversed.vindex.begin() + reversed.facestart[f + 1]);
    for (int32_t f = 0; f < cube.facecount; ++f) {
        Vec3 a, b;
        outwardFaceNormal(cube, f, a);
        outwardFaceNormal(reversed, f, b);
        EXPECT_EQ(pointDistance(a, b), 0.0);
    }
}

TEST(CubyLog, DumpLinesAndTheClosingColour) {
    Cuby cube = makeCube();
    cube.vertexcount = 1;  // keep the dump short; the arrays stay as they are
    cube.indexcount = 2;
    cube.facecount = 1;
    CapturedLog log;
    logCuby(cube);
    EXPECT_EQ(log.text(),
              "vertexcount = 1:\n"
              "vertex 0:\n"
              "1.000000\t1.000000\t-1.000000\n"
              "vindex[0] = 0:\n"
              "vindex[1] = 1:\n"
              "0: 0,   colot: 0\n"
              "1: 4,   colot: -1\n");
}

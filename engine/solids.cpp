// The five solids and their anchors.
//
// [SECTION] the shared build steps
// [SECTION] the five tables
//
// Face lists are literal data: the face index is the colour and the face anchor, the first
// three vertices of a face give every face plane, and the order of the anchor table (faces,
// then vertices, then edges as listed) is stored in move histories. Face lists run clockwise
// on some faces and counter-clockwise on others; nothing takes a side from that direction.

#include <cmath>

#include "puzzle.h"

namespace {

constexpr double kTwoPiOverThree = 2.0943951023931953;
constexpr double kPiOverTwo = 1.5707963267948966;
constexpr double kTwoPiOverFive = 1.2566370614359172;
constexpr double kPi = 3.141592653589793;

struct Edge {
    int32_t a;
    int32_t b;
};

}  // namespace

struct Puzzle::SolidData {
    int32_t faceSize;  // every face of a solid has the same number of vertices
    std::vector<Vec3> vertices;
    std::vector<int32_t> faces;  // faceSize entries per face
    std::vector<Edge> edges;
    double faceStep;
    double pointStep;
    double edgeStep;
};

// [SECTION] the shared build steps

void Puzzle::buildSolid(const SolidData& data) {
    Cuby& first = cubies[0];
    const int32_t v = static_cast<int32_t>(data.vertices.size());
    const int32_t n = static_cast<int32_t>(data.faces.size());
    const int32_t f = n / data.faceSize;
    const int32_t e = static_cast<int32_t>(data.edges.size());

    first.vertexcount = v;
    first.indexcount = n;
    first.facecount = f;
    anchorCount = f + v + e;

    first.vertex = data.vertices;
    first.vindex = data.faces;
    first.facestart.resize(f + 1);
    for (int32_t i = 0; i <= f; ++i) {
        first.facestart[i] = i * data.faceSize;
    }
    first.facecolor.resize(f);
    for (int32_t i = 0; i < f; ++i) {
        first.facecolor[i] = i;
    }
    first.edgeflag.assign(n, 0);
    anchors.assign(anchorCount, Anchor{});
    solidFaceColors.assign(f, SolidFaceColor{});
    solidFaceOrientations.assign(f, SolidFaceOrientation{});

    copyCuby(solid, first);

    for (int32_t i = 0; i < solid.facecount; ++i) {
        Vec3 normal;
        cubyFaceNormal(0, i, normal);
        solidFaceColors[i].normal = normal;
        solidFaceOrientations[i].normal = normal;
    }

    for (int32_t i = 0; i < f; ++i) {
        Anchor& anchor = anchors[i];
        anchor.kind = FaceSlice;
        anchor.index = i;
        faceCentroid(first, i, anchor.point);
        anchor.stepAngle = data.faceStep;
    }
    for (int32_t i = 0; i < v; ++i) {
        Anchor& anchor = anchors[f + i];
        anchor.kind = PointSlice;
        anchor.index = i;
        anchor.point = first.vertex[i];
        anchor.stepAngle = data.pointStep;
    }
    for (int32_t i = 0; i < e; ++i) {
        Anchor& anchor = anchors[f + v + i];
        const Vec3& a = first.vertex[data.edges[i].a];
        const Vec3& b = first.vertex[data.edges[i].b];
        anchor.kind = EdgeSlice;
        anchor.index = data.edges[i].a;
        anchor.secondIndex = data.edges[i].b;
        anchor.point = {(b.x + a.x) * 0.5, (b.y + a.y) * 0.5, (b.z + a.z) * 0.5};
        anchor.stepAngle = data.edgeStep;
    }
}

// [SECTION] the five tables

void Puzzle::buildTetraHedron() {
    const double s = std::sqrt(2.0) * 0.75;
    const double ns = std::sqrt(2.0) * (-0.75);
    buildSolid(SolidData{3,
                         {{-1.5, s, 0}, {1.5, s, 0}, {0, ns, -1.5}, {0, ns, 1.5}},
                         {0, 1, 2, 1, 2, 3, 0, 1, 3, 0, 2, 3},
                         {{0, 1}, {0, 2}, {0, 3}, {1, 2}, {1, 3}, {2, 3}},
                         kTwoPiOverThree,
                         kTwoPiOverThree,
                         kPi});
}

void Puzzle::buildCube() {
    buildSolid(SolidData{4,
                         {{1, 1, -1},
                          {-1, 1, -1},
                          {-1, -1, -1},
                          {1, -1, -1},
                          {1, 1, 1},
                          {-1, 1, 1},
                          {-1, -1, 1},
                          {1, -1, 1}},
                         {0, 1, 2, 3, 0, 4, 5, 1, 3, 7, 4, 0, 3, 2, 6, 7, 4, 7, 6, 5, 1, 5, 6, 2},
                         {{0, 1},
                          {1, 2},
                          {2, 3},
                          {0, 3},
                          {4, 5},
                          {5, 6},
                          {6, 7},
                          {4, 7},
                          {0, 4},
                          {3, 7},
                          {2, 6},
                          {1, 5}},
                         kPiOverTwo,
                         kTwoPiOverThree,
                         kPi});
}

void Puzzle::buildOctaHedron() {
    buildSolid(
        SolidData{3,
                  {{1.5, 0, 0}, {-1.5, 0, 0}, {0, 1.5, 0}, {0, -1.5, 0}, {0, 0, 1.5}, {0, 0, -1.5}},
                  {0, 5, 2, 0, 2, 4, 1, 2, 5, 1, 2, 4, 0, 5, 3, 0, 4, 3, 1, 5, 3, 1, 4, 3},
                  {{3, 0},
                   {3, 5},
                   {3, 1},
                   {3, 4},
                   {2, 0},
                   {2, 5},
                   {2, 1},
                   {2, 4},
                   {0, 5},
                   {5, 1},
                   {1, 4},
                   {4, 0}},
                  kTwoPiOverThree,
                  kPiOverTwo,
                  kPi});
}

void Puzzle::buildDodecaHedron() {
    const double phi = (std::sqrt(5.0) + 1.0) * 0.5;
    // Computed by this division, not as phi - 1, which differs in the last bit.
    const double psi = 2.0 / (std::sqrt(5.0) + 1.0);
    buildSolid(SolidData{
        5,
        {{1, 1, -1},      {1, -1, -1},     {1, 1, 1},      {1, -1, 1},     {-1, 1, 1},
         {-1, -1, 1},     {-1, 1, -1},     {-1, -1, -1},   {0, psi, phi},  {0, psi, -phi},
         {0, -psi, phi},  {0, -psi, -phi}, {psi, phi, 0},  {psi, -phi, 0}, {-psi, phi, 0},
         {-psi, -phi, 0}, {phi, 0, psi},   {phi, 0, -psi}, {-phi, 0, psi}, {-phi, 0, -psi}},
        {0, 9,  6,  14, 12, 0,  12, 2,  16, 17, 0,  9,  11, 1,  17, 9,  11, 7, 19, 6,
         6, 19, 18, 4,  14, 14, 12, 2,  8,  4,  7,  15, 13, 1,  11, 16, 17, 1, 13, 3,
         2, 8,  10, 3,  16, 15, 7,  19, 18, 5,  15, 13, 3,  10, 5,  5,  18, 4, 8,  10},
        {{14, 12}, {12, 0}, {0, 9},  {9, 6},  {6, 14},  {13, 15}, {15, 5}, {5, 10},
         {10, 3},  {3, 13}, {0, 17}, {9, 11}, {6, 19},  {14, 4},  {12, 2}, {15, 7},
         {5, 18},  {10, 8}, {3, 16}, {13, 1}, {1, 11},  {11, 7},  {7, 19}, {19, 18},
         {18, 4},  {4, 8},  {8, 2},  {2, 16}, {16, 17}, {17, 1}},
        kTwoPiOverFive,
        kTwoPiOverThree,
        kPi});
}

void Puzzle::buildIcosaHedron() {
    const double phi = (std::sqrt(5.0) + 1.0) * 0.5;
    buildSolid(SolidData{
        3,
        {{0, 1, phi},
         {0, 1, -phi},
         {0, -1, phi},
         {0, -1, -phi},
         {1, phi, 0},
         {1, -phi, 0},
         {-1, phi, 0},
         {-1, -phi, 0},
         {phi, 0, 1},
         {-phi, 0, 1},
         {phi, 0, -1},
         {-phi, 0, -1}},
        {0,  6,  4, 2,  5, 7, 1,  6, 4,  3, 5, 7, 0,  2, 8, 0,  2, 9,  1,  3,
         10, 1,  3, 11, 4, 8, 10, 5, 10, 8, 6, 9, 11, 7, 9, 11, 3, 10, 5,  3,
         7,  11, 2, 8,  5, 2, 9,  7, 0,  8, 4, 0, 9,  6, 1, 11, 6, 1,  10, 4},
        {{0, 6},  {0, 4},  {1, 6}, {1, 4},  {7, 3}, {5, 3}, {2, 7},  {2, 5}, {1, 11}, {3, 11},
         {1, 10}, {3, 10}, {0, 9}, {2, 9},  {0, 8}, {2, 8}, {6, 11}, {6, 9}, {7, 11}, {7, 9},
         {4, 10}, {4, 8},  {5, 8}, {5, 10}, {6, 4}, {7, 5}, {0, 2},  {1, 3}, {11, 9}, {10, 8}},
        kTwoPiOverThree,
        kTwoPiOverFive,
        kPi});
}

// The stored data of a puzzle, pinned bit for bit: every cubie (vertices, vertex and face
// order, colours, face references), every anchor's planes in order, the home copies, the
// positions after every step of a fixed sequence of turns, and the mesh drawn from them.
// Puzzle files name cubies, anchors and layers by these numbers, so any change here breaks
// saved files. Each state is folded into a 64-bit FNV-1a hash of its raw bytes; the expected
// values were recorded from the engine as it was before it was tuned for speed.

#include <gtest/gtest.h>

#include <cstring>
#include <cwchar>
#include <string>

#include "test_support.h"

namespace {

struct Fnv {
    uint64_t value = 14695981039346656037ull;
    void bytes(const void* data, size_t size) {
        const unsigned char* p = static_cast<const unsigned char*>(data);
        for (size_t i = 0; i < size; ++i) {
            value = (value ^ p[i]) * 1099511628211ull;
        }
    }
    template <typename T>
    void add(const T& v) {
        bytes(&v, sizeof v);
    }
    void add(const Vec3& v) {
        add(v.x);
        add(v.y);
        add(v.z);
    }
    void add(const Plane& p) {
        add(p.a);
        add(p.b);
        add(p.c);
        add(p.d);
    }
};

void addPositions(Fnv& h, const std::vector<Cuby>& cubies) {
    for (const Cuby& c : cubies) {
        for (int32_t k = 0; k < c.vertexcount; ++k) {
            h.add(c.vertex[k]);
        }
    }
}

void addCubies(Fnv& h, const std::vector<Cuby>& cubies) {
    h.add(cubies.size());
    for (const Cuby& c : cubies) {
        h.add(c.vertexcount);
        h.add(c.indexcount);
        h.add(c.facecount);
        for (int32_t k = 0; k < c.indexcount; ++k) {
            h.add(c.vindex[k]);
            h.add(c.edgeflag[k]);
        }
        for (int32_t f = 0; f < c.facecount; ++f) {
            h.add(c.facestart[f + 1]);
            h.add(c.facecolor[f]);
        }
        for (const FaceReference& r : c.facereference) {
            h.add(r.vertexA);
            h.add(r.vertexB);
            h.add(r.t);
        }
        h.add(c.group);
        h.add(c.next);
        h.add(c.previous);
    }
    addPositions(h, cubies);
}

uint64_t builtState(const Puzzle& p) {
    Fnv h;
    addCubies(h, p.cubies);
    addCubies(h, p.homeCubies);
    for (const Anchor& a : p.anchors) {
        h.add(a.kind);
        h.add(a.index);
        h.add(a.secondIndex);
        h.add(a.point);
        h.add(a.stepAngle);
        h.add(a.planeCount);
        for (int32_t i = 0; i < a.planeCount; ++i) {
            h.add(a.planes[i]);
        }
    }
    return h.value;
}

// A fixed pseudo-random stream, the same on every machine.
struct Sequence {
    uint64_t state;
    uint32_t next(uint32_t bound) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<uint32_t>(state >> 33) % bound;
    }
};

// Turns of random anchors, layers (the far layer and one past it included) and directions,
// some animated in several steps; the positions after every step go into the hash.
uint64_t turnedState(Puzzle& p, Sequence& s, int turns) {
    std::vector<int32_t> turning;
    for (int32_t a = 0; a < p.anchorCount; ++a) {
        if (p.anchors[a].planeCount > 0) {
            turning.push_back(a);
        }
    }
    Fnv h;
    for (int i = 0; i < turns && !turning.empty(); ++i) {
        const int32_t anchor = turning[s.next(static_cast<uint32_t>(turning.size()))];
        // Now and then one past the far layer, which is refused.
        const int32_t layers = p.getLayerCount(anchor) + (s.next(16) == 0 ? 1 : 0);
        const int32_t layer = 1 + static_cast<int32_t>(s.next(layers));
        const uint8_t clockwise = static_cast<uint8_t>(s.next(2));
        const int32_t frames = s.next(4) == 0 ? 1 + static_cast<int32_t>(s.next(9)) : 1;
        for (int32_t step = 0; step < frames; ++step) {
            if (p.turnLayer(anchor, layer, clockwise, 1.0 / frames, step) != TurnResult::Turned) {
                h.add(i);
                break;
            }
            addPositions(h, p.cubies);
        }
    }
    return h.value;
}

uint64_t meshState(Puzzle& p, Sequence& s) {
    p.clearHighlights();
    for (int i = 0; i < 2; ++i) {
        const int32_t anchor = static_cast<int32_t>(s.next(p.anchorCount));
        p.highlightLayer(anchor, 1 + static_cast<int32_t>(s.next(p.getLayerCount(anchor))));
    }
    p.cubies[s.next(p.cubyCount)].selected = 1;
    vertexLimitReached = 0;
    const int32_t count = p.countVertices();
    std::vector<MeshVertex> buffer(count);
    Fnv h;
    for (uint8_t fade : {0, 1}) {
        EXPECT_EQ(p.fillVertices(buffer.data(), count, 1.0 / 30, fade), 1);
        h.bytes(buffer.data(), buffer.size() * sizeof(MeshVertex));
    }
    p.clearSelection();
    return h.value;
}

struct PinnedCase {
    std::string name;
    int32_t shape;
    std::vector<ReadyMadeSlice> slices;
    int32_t eraseThreshold;
    int groups;         // bandage groups connected after construction
    bool storedGroups;  // one cubie pair in 100 grouped through the definition
    uint64_t built = 0;
    uint64_t turned = 0;
    uint64_t mesh = 0;
};

}  // namespace

TEST(StoredState, NumberingPlanesPositionsAndMeshArePinned) {
    std::vector<PinnedCase> cases;
    const uint64_t readyMade[][3] = {
        {0x320de5a2abd05240ull, 0x79aa17c1c675458eull, 0xafb98fc3bc941bcdull},
        {0xbeab2c9d645b5cb8ull, 0xe526d96c60971411ull, 0xdcfc8c0bb0a25ff1ull},
        {0x236fb640102c3967ull, 0xf2cd286aef9ba106ull, 0xfd64da355212da3dull},
        {0x9323c4b13ea0b11aull, 0x6d386b727b1cc16aull, 0x8e3174c9bb1de962ull},
        {0xd94c16dcc72925c0ull, 0x5249a971b9037999ull, 0x692dddc316e85345ull},
        {0x7d354f46c72756afull, 0x1450f123efec9da6ull, 0x04609ee0bebe527aull},
        {0x4f1c51ac02e8f47dull, 0x317346278497638bull, 0x6175db53e3d1b678ull},
        {0xee2d019f319cb8f9ull, 0x9812406f8b88736aull, 0x1b1defa9f60c652cull},
        {0x7d3e2560a716b295ull, 0x37dfd1812a9cce1cull, 0x5625b18cca3e60d7ull},
    };
    int i = 0;
    for (const ReadyMadePuzzle& r : kReadyMadePuzzles) {
        cases.push_back({std::string(r.name, r.name + std::wcslen(r.name)),
                         r.shape,
                         {r.slices, r.slices + r.sliceCount},
                         0,
                         i % 2 == 0 ? 0 : 2,
                         false,
                         readyMade[i][0],
                         readyMade[i][1],
                         readyMade[i][2]});
        ++i;
    }
    // The largest the editor allows within the vertex limit, and a few others.
    const uint64_t editor[][3] = {
        {0x388c4b2ec8a5d8d9ull, 0xeccd118052a51fa6ull, 0x86d0d6022546bdf7ull},
        {0x7073331144d89cbdull, 0x809e0ef3a69901d8ull, 0xc8fc12f688d8f4c4ull},
        {0x3a4f63e82db11354ull, 0x59e0bb8558b4616full, 0x9061a10c9838a519ull},
        {0xd6b039643e248413ull, 0x63a60a1c4eea2ef1ull, 0x53149ad22a39f1aeull},
        {0x346d519817c3e022ull, 0xa40cfe431e8426f8ull, 0x49d631eec6ff46c6ull},
        {0xa5e389b4c923565full, 0xa27c3b1fa263c347ull, 0x42a24c0f1ff31096ull},
    };
    const std::vector<PinnedCase> editorCases = {
        {"dodecahedron edge 150", DodecaHedron, {{EdgeSlice, 150}}, 0, 3, false},
        {"dodecahedron face+point 100",
         DodecaHedron,
         {{FaceSlice, 100}, {PointSlice, 100}},
         0,
         0,
         true},
        {"icosahedron face 100+point 60",
         IcosaHedron,
         {{FaceSlice, 100}, {PointSlice, 60}},
         0,
         2,
         false},
        {"cube 3 kinds, erased",
         Cube,
         {{FaceSlice, 60}, {PointSlice, 200}, {EdgeSlice, 150}},
         40,
         2,
         false},
        {"tetrahedron edge 180", TetraHedron, {{EdgeSlice, 180}, {FaceSlice, 0}}, 0, 1, false},
        {"octahedron point 90, face 250",
         OctaHedron,
         {{PointSlice, 90}, {FaceSlice, 250}},
         10,
         3,
         false},
    };
    for (size_t k = 0; k < editorCases.size(); ++k) {
        PinnedCase c = editorCases[k];
        c.built = editor[k][0];
        c.turned = editor[k][1];
        c.mesh = editor[k][2];
        cases.push_back(c);
    }

    for (const PinnedCase& c : cases) {
        auto definition = makeDefinition(c.shape, c.slices);
        definition->eraseThreshold = c.eraseThreshold;
        if (c.storedGroups) {
            definition->groupsValid = 1;
            for (int32_t k = 0; k < kMaxGroupIds; ++k) {
                definition->groupIds[k] = k % 100 < 2 ? k / 100 : -1;
            }
        }
        Puzzle p(definition.get());
        Sequence s{static_cast<uint64_t>(p.cubyCount)};
        for (int g = 0; g < c.groups; ++g) {
            // Neighbours in the numbering (the two parts of one cut) make local groups.
            const int32_t first = static_cast<int32_t>(s.next(p.cubyCount - 2));
            for (int32_t k = first; k < first + 2 + g % 2; ++k) {
                p.cubies[k].selected = 1;
            }
            p.disconnectSelected(definition.get());
            p.connectSelected(definition.get());
            p.clearSelection();
        }
        const uint64_t built = builtState(p);
        const uint64_t turned = turnedState(p, s, 80);
        const uint64_t mesh = meshState(p, s);
        EXPECT_EQ(built, c.built) << c.name << std::hex << " 0x" << built;
        EXPECT_EQ(turned, c.turned) << c.name << std::hex << " 0x" << turned;
        EXPECT_EQ(mesh, c.mesh) << c.name << std::hex << " 0x" << mesh;
    }
}

#pragma once
// A cubie (`Cuby`): one convex polyhedral piece of a puzzle — the uncut solid, every cut piece,
// every home copy. Faces list their vertices once each in cyclic order; the direction of a list
// carries no meaning (orientation always comes from planes and the origin). The order of
// vertices and faces is stored data: later code names them by index.

#include <cstdint>
#include <vector>

#include "geometry.h"

// A point on a sticker's boundary, `t` along the edge from `vertexA` towards `vertexB`; it
// travels with the sticker through every turn and tells how the sticker is turned in its plane.
struct FaceReference {
    int32_t vertexA = 0;
    int32_t vertexB = 0;
    double t = 0.0;
};

struct Cuby {
    std::vector<Vec3> vertex;
    int32_t vertexcount = 0;
    int32_t indexcount = 0;
    int32_t facecount = 0;
    std::vector<int32_t> vindex;               // the faces' vertex lists, one after another
    std::vector<int32_t> facestart;            // facecount + 1 entries, first 0, last indexcount
    std::vector<FaceReference> facereference;  // live cubies only
    std::vector<int32_t> facecolor;  // -1 for an inner (cut) face, else palette index 0..19
    uint8_t selected = 0;
    uint8_t highlighted = 0;
    int32_t group = -1;
    int32_t next = -1;
    int32_t previous = -1;
    // Entry k: the face edge from vindex[k] to its face's next vertex is drawn without its
    // black line (shared with a connected cubie's face of the same colour).
    std::vector<uint8_t> edgeflag;

    int32_t faceSize(int32_t face) const { return facestart[face + 1] - facestart[face]; }
    const Vec3& faceVertex(int32_t face, int32_t k) const {
        return vertex[vindex[facestart[face] + k]];
    }
};

void copyCuby(Cuby& destination, const Cuby& source);
void logCuby(const Cuby& cuby);
int planeCutsCuby(const Cuby& cuby, const Plane& plane);
int areAdjacent(const Cuby& cuby, int32_t a, int32_t b);
void faceCentroid(const Cuby& cuby, int32_t face, Vec3& out);
void facePlane(const Cuby& cuby, int32_t face, Plane& out);
bool faceEdge(const Cuby& cuby, int32_t face, int32_t edge, Vec3& p, Vec3& q);
void markEdge(Cuby& cuby, int32_t face, int32_t edge);
int splitCuby(const Cuby& source, Cuby& front, Cuby& back, const Plane& plane);
uint8_t isPointInFace(const Cuby& cuby, const Vec3& point, int32_t face);
// Unit normal of the face turned so that the origin lies behind it (or on it).
int outwardFaceNormal(const Cuby& cuby, int32_t face, Vec3& out);

#include "cuby.h"

#include <cstddef>

#include "diagnostic_log.h"

void copyCuby(Cuby& destination, const Cuby& source) {
    destination.vertexcount = source.vertexcount;
    destination.indexcount = source.indexcount;
    destination.facecount = source.facecount;
    destination.vertex = source.vertex;
    destination.vindex = source.vindex;
    destination.edgeflag = source.edgeflag;
    destination.facestart = source.facestart;
    destination.facecolor = source.facecolor;
    destination.selected = source.selected;
    // facereference, highlighted and the group links stay those of the destination.
}

void logCuby(const Cuby& cuby) {
    logPrintf("vertexcount = %d:\n", cuby.vertexcount);
    for (int32_t i = 0; i < cuby.vertexcount; ++i) {
        logPrintf("vertex %d:\n", i);
        logVec3(cuby.vertex[i]);
    }
    for (int32_t k = 0; k < cuby.indexcount; ++k) {
        logPrintf("vindex[%d] = %d:\n", k, cuby.vindex[k]);
    }
    // facecount + 1 lines: the last one closes the face starts and has no face (colour -1).
    for (int32_t f = 0; f <= cuby.facecount; ++f) {
        int32_t color = f < cuby.facecount ? cuby.facecolor[f] : -1;
        logPrintf("%d: %d,   colot: %d\n", f, cuby.facestart[f], color);
    }
}

int planeCutsCuby(const Cuby& cuby, const Plane& plane) {
    bool inFront = false;
    bool behind = false;
    for (int32_t i = 0; i < cuby.vertexcount; ++i) {
        double d = planeDistance(plane, cuby.vertex[i]);
        inFront = inFront || d > 0;
        behind = behind || d < 0;
        if (inFront && behind) {
            return 1;
        }
    }
    return 0;
}

namespace {

bool listsConsecutively(const int32_t* list, int32_t n, int32_t a, int32_t b) {
    for (int32_t k = 0; k < n; ++k) {
        int32_t u = list[k];
        int32_t v = list[k + 1 < n ? k + 1 : 0];
        if ((u == a && v == b) || (u == b && v == a)) {
            return true;
        }
    }
    return false;
}

}  // namespace

int areAdjacent(const Cuby& cuby, int32_t a, int32_t b) {
    if (a == b) {
        return 0;
    }
    if (a >= cuby.vertexcount || b >= cuby.vertexcount) {
        return -1;
    }
    for (int32_t f = 0; f < cuby.facecount; ++f) {
        if (listsConsecutively(&cuby.vindex[cuby.facestart[f]], cuby.faceSize(f), a, b)) {
            return 1;
        }
    }
    return 0;
}

void faceCentroid(const Cuby& cuby, int32_t face, Vec3& out) {
    int32_t n = cuby.faceSize(face);
    Vec3 sum;
    for (int32_t k = 0; k < n; ++k) {
        sum = sum + cuby.faceVertex(face, k);
    }
    out = {sum.x / n, sum.y / n, sum.z / n};
}

void facePlane(const Cuby& cuby, int32_t face, Plane& out) {
    planeFromPoints(out, cuby.faceVertex(face, 0), cuby.faceVertex(face, 1),
                    cuby.faceVertex(face, 2));
}

bool faceEdge(const Cuby& cuby, int32_t face, int32_t edge, Vec3& p, Vec3& q) {
    if (face >= cuby.facecount) {
        return false;
    }
    int32_t n = cuby.faceSize(face);
    if (edge >= n) {
        return false;
    }
    p = cuby.faceVertex(face, edge);
    q = cuby.faceVertex(face, edge + 1 < n ? edge + 1 : 0);
    return true;
}

void markEdge(Cuby& cuby, int32_t face, int32_t edge) {
    cuby.edgeflag[cuby.facestart[face] + edge] = 1;
}

uint8_t isPointInFace(const Cuby& cuby, const Vec3& point, int32_t face) {
    Plane facePlaneOf;
    facePlane(cuby, face, facePlaneOf);
    if (planeDistance(facePlaneOf, point) != 0) {
        return 0;
    }
    Vec3 m;
    faceCentroid(cuby, face, m);
    int32_t n = cuby.faceSize(face);
    for (int32_t k = 0; k < n; ++k) {
        const Vec3& a = cuby.faceVertex(face, k);
        const Vec3& b = cuby.faceVertex(face, k + 1 < n ? k + 1 : 0);
        Vec3 normal;
        cross3(b - a, m - b, normal);
        Plane edgePlane;
        planeFromPoints(edgePlane, a, b, a + normal);
        double dM = planeDistance(edgePlane, m);
        double dP = planeDistance(edgePlane, point);
        if ((dM > 0 && dP <= 0) || (dM < 0 && dP >= 0)) {
            return 0;
        }
    }
    return 1;
}

int outwardFaceNormal(const Cuby& cuby, int32_t face, Vec3& out) {
    Plane p;
    facePlane(cuby, face, p);
    normalizePlane(p);
    if (planeDistance(p, Vec3{}) > 0) {
        negatePlane(p);
    }
    out = planeNormal(p);
    return normalizeVec3(out);
}

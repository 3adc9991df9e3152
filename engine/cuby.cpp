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

namespace {

// The working cubie of a split: vertices (with their snapped side of the plane) and faces.
struct SplitWork {
    Cuby cuby;
    std::vector<double> side;

    void appendFace(const std::vector<int32_t>& list, int32_t color) {
        cuby.vindex.insert(cuby.vindex.end(), list.begin(), list.end());
        cuby.indexcount = static_cast<int32_t>(cuby.vindex.size());
        cuby.facestart.push_back(cuby.indexcount);
        cuby.facecolor.push_back(color);
        cuby.facecount += 1;
    }

    // The first vertex within the coincidence distance of x, appended when there is none, so
    // the two faces that share a crossing edge share its section point.
    int32_t findOrAddVertex(const Vec3& x, const Plane& plane) {
        for (int32_t i = 0; i < cuby.vertexcount; ++i) {
            if (pointDistance(cuby.vertex[i], x) == 0) {
                return i;
            }
        }
        cuby.vertex.push_back(x);
        side.push_back(planeDistance(plane, x));
        return cuby.vertexcount++;
    }
};

void splitFace(SplitWork& w, const Cuby& source, int32_t face, const Plane& plane) {
    int32_t n = source.faceSize(face);
    const int32_t* list = &source.vindex[source.facestart[face]];
    int32_t color = source.facecolor[face];
    bool inFront = false;
    bool behind = false;
    for (int32_t k = 0; k < n; ++k) {
        inFront = inFront || w.side[list[k]] > 0;
        behind = behind || w.side[list[k]] < 0;
    }
    std::vector<int32_t> ring(list, list + n);
    if (!(inFront && behind)) {
        w.appendFace(ring, color);
        return;
    }
    ring.assign(1, list[0]);
    for (int32_t k = 0; k < n; ++k) {
        int32_t a = list[k];
        int32_t b = list[k + 1 < n ? k + 1 : 0];
        double sa = w.side[a];
        double sb = w.side[b];
        if ((sa > 0 && sb < 0) || (sa < 0 && sb > 0)) {
            Vec3 x;
            if (intersectPlaneSegment(plane, w.cuby.vertex[a], w.cuby.vertex[b], x) == 0) {
                ring.push_back(w.findOrAddVertex(x, plane));
            }
        }
        if (k + 1 < n) {
            ring.push_back(b);
        }
    }
    // Divide the ring at its first two on-plane entries; the chord between them becomes an
    // edge of both pieces.
    std::size_t a = ring.size();
    std::size_t b = ring.size();
    for (std::size_t i = 0; i < ring.size(); ++i) {
        if (w.side[ring[i]] == 0) {
            if (a == ring.size()) {
                a = i;
            } else {
                b = i;
                break;
            }
        }
    }
    if (b == ring.size()) {
        // Rounding left a section point off the plane: keep the face whole; it goes to the
        // side of its first off-plane vertex.
        w.appendFace(ring, color);
        return;
    }
    std::vector<int32_t> first(ring.begin(), ring.begin() + static_cast<std::ptrdiff_t>(a) + 1);
    first.insert(first.end(), ring.begin() + static_cast<std::ptrdiff_t>(b), ring.end());
    std::vector<int32_t> second(ring.begin() + static_cast<std::ptrdiff_t>(a),
                                ring.begin() + static_cast<std::ptrdiff_t>(b) + 1);
    w.appendFace(first, color);
    w.appendFace(second, color);
}

// The cap runs around the section polygon by adjacency in the working faces, starting at the
// lowest-numbered on-plane vertex; both parts receive the same list.
std::vector<int32_t> buildCap(const SplitWork& w) {
    std::vector<int32_t> onPlane;
    for (int32_t i = 0; i < w.cuby.vertexcount; ++i) {
        if (w.side[i] == 0) {
            onPlane.push_back(i);
        }
    }
    std::vector<int32_t> cap;
    if (onPlane.empty()) {
        return cap;
    }
    cap.push_back(onPlane[0]);
    for (std::size_t step = 1; step < onPlane.size(); ++step) {
        int32_t last = cap.back();
        for (int32_t s : onPlane) {
            if (cap.size() >= 2 && s == cap[cap.size() - 2]) {
                continue;
            }
            if (areAdjacent(w.cuby, last, s) == 1) {
                cap.push_back(s);
                break;
            }
        }
    }
    return cap;
}

void fillPart(const SplitWork& w, Cuby& part, bool front) {
    std::vector<int32_t> partIndex(w.cuby.vertexcount, -1);
    part.vertex.clear();
    for (int32_t i = 0; i < w.cuby.vertexcount; ++i) {
        double s = w.side[i];
        if (front ? s >= 0 : s <= 0) {
            partIndex[i] = static_cast<int32_t>(part.vertex.size());
            part.vertex.push_back(w.cuby.vertex[i]);
        }
    }
    part.vertexcount = static_cast<int32_t>(part.vertex.size());
    part.vindex.clear();
    part.facestart.assign(1, 0);
    part.facecolor.clear();
    std::vector<int32_t> mapped;
    for (int32_t f = 0; f < w.cuby.facecount; ++f) {
        int32_t n = w.cuby.faceSize(f);
        const int32_t* list = &w.cuby.vindex[w.cuby.facestart[f]];
        int sideOfFace = 0;  // 1 front, -1 back, 2 both (every vertex on the plane)
        for (int32_t k = 0; k < n && sideOfFace == 0; ++k) {
            double s = w.side[list[k]];
            sideOfFace = s > 0 ? 1 : (s < 0 ? -1 : 0);
        }
        if (n == 0) {
            continue;
        }
        if (sideOfFace == 0) {
            sideOfFace = 2;
        }
        if (!(sideOfFace == 2 || (sideOfFace == 1) == front)) {
            continue;
        }
        mapped.clear();
        for (int32_t k = 0; k < n; ++k) {
            int32_t index = partIndex[list[k]];
            if (index < 0) {
                // Only a face kept whole after a rounding failure has a vertex on the other
                // side: use the part's coincident vertex, or leave the vertex out.
                for (int32_t i = 0; i < part.vertexcount && index < 0; ++i) {
                    if (pointDistance(part.vertex[i], w.cuby.vertex[list[k]]) == 0) {
                        index = i;
                    }
                }
            }
            if (index >= 0) {
                mapped.push_back(index);
            }
        }
        if (mapped.size() < 3) {
            continue;
        }
        part.vindex.insert(part.vindex.end(), mapped.begin(), mapped.end());
        part.facestart.push_back(static_cast<int32_t>(part.vindex.size()));
        part.facecolor.push_back(w.cuby.facecolor[f]);
    }
    part.indexcount = static_cast<int32_t>(part.vindex.size());
    part.facecount = static_cast<int32_t>(part.facecolor.size());
    part.edgeflag.assign(part.indexcount, 0);
}

}  // namespace

int splitCuby(const Cuby& source, Cuby& front, Cuby& back, const Plane& plane) {
    if (planeCutsCuby(source, plane) == 0) {
        return 0;
    }
    SplitWork w;
    w.cuby.vertex.reserve(source.vertexcount + 2 * source.facecount);
    w.cuby.vertex.assign(source.vertex.begin(), source.vertex.begin() + source.vertexcount);
    w.cuby.vertexcount = source.vertexcount;
    w.cuby.facestart.assign(1, 0);
    w.side.reserve(w.cuby.vertex.capacity());
    for (int32_t i = 0; i < source.vertexcount; ++i) {
        w.side.push_back(planeDistance(plane, source.vertex[i]));
    }
    for (int32_t f = 0; f < source.facecount; ++f) {
        splitFace(w, source, f, plane);
    }
    w.appendFace(buildCap(w), -1);
    fillPart(w, front, true);
    fillPart(w, back, false);
    return 1;
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

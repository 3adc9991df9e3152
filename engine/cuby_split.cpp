#include "cuby_split.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

// A coordinate difference beyond this makes pointDistance at least twice the coincidence
// distance, so the exact test could not find the points equal.
constexpr double kSurelyApart = 2.0 * kCoincidence;

bool surelyApart(const Vec3& p, const Vec3& q) {
    return std::fabs(p.x - q.x) > kSurelyApart || std::fabs(p.y - q.y) > kSurelyApart ||
           std::fabs(p.z - q.z) > kSurelyApart;
}

}  // namespace

CubyArrays arraysOf(const Cuby& cuby) {
    return CubyArrays{cuby.vertex.data(),    cuby.vertexcount,      cuby.vindex.data(),
                      cuby.facestart.data(), cuby.facecolor.data(), cuby.facecount};
}

void fillCuby(Cuby& cuby, const CubyArrays& arrays) {
    const int32_t indexcount = arrays.facestart[arrays.facecount];
    cuby.vertex.assign(arrays.vertex, arrays.vertex + arrays.vertexcount);
    cuby.vertexcount = arrays.vertexcount;
    cuby.vindex.assign(arrays.vindex, arrays.vindex + indexcount);
    cuby.indexcount = indexcount;
    cuby.facestart.assign(arrays.facestart, arrays.facestart + arrays.facecount + 1);
    cuby.facecolor.assign(arrays.facecolor, arrays.facecolor + arrays.facecount);
    cuby.facecount = arrays.facecount;
    cuby.edgeflag.assign(indexcount, 0);
}

namespace {

// Room for n entries, kept from earlier splits when there is enough.
template <typename T>
T* room(std::vector<T>& v, std::size_t n) {
    if (v.size() < n) {
        v.resize(n);
    }
    return v.data();
}

}  // namespace

bool CubySplitter::split(const CubyArrays& source, const Plane& plane) {
    const int32_t n = source.vertexcount;
    const int32_t indexcount = source.facestart[source.facecount];
    // At most one section point per face edge, two pieces per face plus the cap, a cut face's
    // pieces at most two entries per vertex and edge of it.
    const std::size_t maxVertices = static_cast<std::size_t>(n) + indexcount;
    const std::size_t maxFaces = 2 * static_cast<std::size_t>(source.facecount) + 1;
    const std::size_t maxIndices = 4 * static_cast<std::size_t>(indexcount) + maxVertices;
    Vec3* vertex = room(vertex_, maxVertices);
    double* side = room(side_, maxVertices);
    plane_ = plane;
    const PlaneDistance distance(plane);
    // The same distances as planeCutsCuby: the source is cut when some vertex lies in front
    // and some behind.
    bool inFront = false;
    bool behind = false;
    for (int32_t i = 0; i < n; ++i) {
        vertex[i] = source.vertex[i];
        const double d = distance(source.vertex[i]);
        side[i] = d;
        inFront = inFront || d > 0;
        behind = behind || d < 0;
    }
    if (!(inFront && behind)) {
        return false;
    }
    vertexcount_ = n;
    room(vindex_, maxIndices);
    room(facestart_, maxFaces + 1)[0] = 0;
    room(facecolor_, maxFaces);
    room(ring_, 2 * static_cast<std::size_t>(indexcount) + 1);
    facecount_ = 0;
    for (int32_t f = 0; f < source.facecount; ++f) {
        splitFace(source, f);
    }
    buildCap();
    appendFace(cap_.data(), capCount_, -1);
    // Each working face goes to the side of its first vertex off the plane, or to both parts
    // when every vertex lies on it; a face without vertices goes to neither.
    int8_t* faceSide = room(faceSide_, facecount_);
    for (int32_t f = 0; f < facecount_; ++f) {
        const int32_t* list = vindex_.data() + facestart_[f];
        const int32_t n = facestart_[f + 1] - facestart_[f];
        int8_t sideOfFace = n == 0 ? 0 : 2;
        for (int32_t k = 0; k < n; ++k) {
            const double s = side_[list[k]];
            if (s > 0 || s < 0) {
                sideOfFace = s > 0 ? 1 : -1;
                break;
            }
        }
        faceSide[f] = sideOfFace;
    }
    fillPart(front_, true);
    fillPart(back_, false);
    return true;
}

void CubySplitter::appendFace(const int32_t* list, int32_t n, int32_t color) {
    const int32_t start = facestart_[facecount_];
    std::copy(list, list + n, vindex_.data() + start);
    facecolor_[facecount_] = color;
    facestart_[++facecount_] = start + n;
}

// The first vertex within the coincidence distance of x, appended when there is none, so the
// two faces that share a crossing edge share its section point.
int32_t CubySplitter::findOrAddVertex(const Vec3& x) {
    for (int32_t i = 0; i < vertexcount_; ++i) {
        if (!surelyApart(vertex_[i], x) && pointDistance(vertex_[i], x) == 0) {
            return i;
        }
    }
    vertex_[vertexcount_] = x;
    side_[vertexcount_] = planeDistance(plane_, x);
    return vertexcount_++;
}

void CubySplitter::splitFace(const CubyArrays& source, int32_t face) {
    const int32_t n = source.faceSize(face);
    const int32_t* list = source.vindex + source.facestart[face];
    const int32_t color = source.facecolor[face];
    bool inFront = false;
    bool behind = false;
    for (int32_t k = 0; k < n; ++k) {
        inFront = inFront || side_[list[k]] > 0;
        behind = behind || side_[list[k]] < 0;
    }
    if (!(inFront && behind)) {
        appendFace(list, n, color);
        return;
    }
    int32_t* ring = ring_.data();
    int32_t size = 0;
    ring[size++] = list[0];
    for (int32_t k = 0; k < n; ++k) {
        int32_t a = list[k];
        int32_t b = list[k + 1 < n ? k + 1 : 0];
        double sa = side_[a];
        double sb = side_[b];
        if ((sa > 0 && sb < 0) || (sa < 0 && sb > 0)) {
            Vec3 x;
            if (intersectPlaneSegment(plane_, vertex_[a], vertex_[b], x) == 0) {
                ring[size++] = findOrAddVertex(x);
            }
        }
        if (k + 1 < n) {
            ring[size++] = b;
        }
    }
    // Divide the ring at its first two on-plane entries; the chord between them becomes an
    // edge of both pieces.
    int32_t a = size;
    int32_t b = size;
    for (int32_t i = 0; i < size; ++i) {
        if (side_[ring[i]] == 0) {
            if (a == size) {
                a = i;
            } else {
                b = i;
                break;
            }
        }
    }
    if (b == size) {
        // Rounding left a section point off the plane: keep the face whole; it goes to the
        // side of its first off-plane vertex.
        appendFace(ring, size, color);
        return;
    }
    // First piece: ring[0..a] then ring[b..]; second piece: ring[a..b].
    int32_t* out = vindex_.data() + facestart_[facecount_];
    out = std::copy(ring, ring + a + 1, out);
    std::copy(ring + b, ring + size, out);
    facecolor_[facecount_] = color;
    facestart_[facecount_ + 1] = facestart_[facecount_] + (a + 1) + (size - b);
    ++facecount_;
    appendFace(ring + a, b - a + 1, color);
}

// The cap runs around the section polygon by adjacency in the working faces, starting at the
// lowest-numbered on-plane vertex; both parts receive the same list. Each step takes the first
// on-plane vertex (in index order) that some working face lists next to the last cap vertex,
// other than the cap vertex before it (as areAdjacent would find it, face by face).
void CubySplitter::buildCap() {
    int32_t* slotOf = room(onPlaneSlot_, vertexcount_);
    int32_t* onPlane = room(onPlane_, vertexcount_);
    int32_t m = 0;
    for (int32_t i = 0; i < vertexcount_; ++i) {
        slotOf[i] = -1;
        if (side_[i] == 0) {
            slotOf[i] = m;
            onPlane[m++] = i;
        }
    }
    int32_t* cap = room(cap_, m);
    capCount_ = 0;
    if (m == 0) {
        return;
    }
    uint8_t* adjacent = room(adjacent_, static_cast<std::size_t>(m) * m);
    std::fill(adjacent, adjacent + static_cast<std::size_t>(m) * m, 0);
    for (int32_t f = 0; f < facecount_; ++f) {
        const int32_t* list = vindex_.data() + facestart_[f];
        const int32_t n = facestart_[f + 1] - facestart_[f];
        for (int32_t k = 0; k < n; ++k) {
            const int32_t u = slotOf[list[k]];
            const int32_t v = slotOf[list[k + 1 < n ? k + 1 : 0]];
            if (u >= 0 && v >= 0 && u != v) {
                adjacent[u * m + v] = 1;
                adjacent[v * m + u] = 1;
            }
        }
    }
    cap[capCount_++] = onPlane[0];
    for (int32_t step = 1; step < m; ++step) {
        const int32_t last = slotOf[cap[capCount_ - 1]];
        const int32_t beforeLast = capCount_ >= 2 ? cap[capCount_ - 2] : -1;
        for (int32_t slot = 0; slot < m; ++slot) {
            if (onPlane[slot] != beforeLast && adjacent[last * m + slot] != 0) {
                cap[capCount_++] = onPlane[slot];
                break;
            }
        }
    }
}

void CubySplitter::fillPart(SplitPart& part, bool front) {
    int32_t* partIndex = room(partIndex_, vertexcount_);
    Vec3* partVertex = room(part.vertex, vertexcount_);
    int32_t vertexcount = 0;
    for (int32_t i = 0; i < vertexcount_; ++i) {
        const double s = side_[i];
        partIndex[i] = -1;
        if (front ? s >= 0 : s <= 0) {
            partIndex[i] = vertexcount;
            partVertex[vertexcount++] = vertex_[i];
        }
    }
    int32_t* vindex = room(part.vindex, facestart_[facecount_]);
    int32_t* facestart = room(part.facestart, facecount_ + 1);
    int32_t* facecolor = room(part.facecolor, facecount_);
    int32_t facecount = 0;
    int32_t used = 0;
    facestart[0] = 0;
    for (int32_t f = 0; f < facecount_; ++f) {
        const int8_t sideOfFace = faceSide_[f];
        if (!(sideOfFace == 2 || sideOfFace == (front ? 1 : -1))) {
            continue;
        }
        const int32_t* list = vindex_.data() + facestart_[f];
        const int32_t n = facestart_[f + 1] - facestart_[f];
        int32_t mapped = used;
        for (int32_t k = 0; k < n; ++k) {
            int32_t index = partIndex[list[k]];
            if (index < 0) {
                // Only a face kept whole after a rounding failure has a vertex on the other
                // side: use the part's coincident vertex, or leave the vertex out.
                for (int32_t i = 0; i < vertexcount && index < 0; ++i) {
                    if (pointDistance(partVertex[i], vertex_[list[k]]) == 0) {
                        index = i;
                    }
                }
            }
            if (index >= 0) {
                vindex[mapped++] = index;
            }
        }
        if (mapped - used < 3) {
            continue;
        }
        used = mapped;
        facecolor[facecount] = facecolor_[f];
        facestart[++facecount] = used;
    }
    part.vertexcount = vertexcount;
    part.facecount = facecount;
}

int splitCuby(const Cuby& source, Cuby& front, Cuby& back, const Plane& plane) {
    thread_local CubySplitter splitter;
    if (!splitter.split(arraysOf(source), plane)) {
        return 0;
    }
    fillCuby(front, splitter.front().arrays());
    fillCuby(back, splitter.back().arrays());
    return 1;
}

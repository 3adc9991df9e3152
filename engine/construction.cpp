// Building a Puzzle from its definition, in this order: the solid and its anchors; the
// cutting planes of every slice; each anchor's ordered planes; the cutting; the erasing of
// tiny and colourless cubies; face references; editor and group fields; the empty move
// history; the home copies; the restored bandage groups; the turn metric.
//
// The numbering of the cubies (a cut replaces a cubie by its front part, then its back part;
// erasing keeps the order) and the order of each anchor's planes are stored data: group ids
// and move histories in puzzle files name cubies and anchors by them.

#include <algorithm>

#include "puzzle.h"

namespace {

// Planes of one anchor whose distances differ by less than this are one plane.
constexpr double kSameDistance = 0.0001;
// Distances at or beyond this are not real planes of the anchor.
constexpr double kFarDistance = 10000.0;

int32_t slicePlaneCount(const Cuby& solid, int32_t kind, int32_t thickness) {
    switch (kind) {
        case FaceSlice:
            return solid.facecount;
        case PointSlice:
            return solid.vertexcount;
        case EdgeSlice:
            // At 180 the planes of opposite edges pass through the centre and coincide.
            return thickness == 180 ? (solid.indexcount / 2) / 2 : solid.indexcount / 2;
        default:
            return 0;
    }
}

}  // namespace

Puzzle::Puzzle(PuzzleDefinition* definition) {
    // A shape outside the five solids can only come from damaged input; it is repaired to the
    // cube, in the definition too, so that what is saved matches what is built.
    if (definition->shape < 0 || definition->shape >= kShapeCount) {
        definition->shape = Cube;
    }
    const int32_t sliceCount = std::clamp(definition->sliceCount, 0, kMaxSlices);

    // 1. The solid.
    cubies.resize(1);
    cubyCount = 1;
    switch (definition->shape) {
        case TetraHedron:
            buildTetraHedron();
            break;
        case Cube:
            buildCube();
            break;
        case OctaHedron:
            buildOctaHedron();
            break;
        case DodecaHedron:
            buildDodecaHedron();
            break;
        default:
            buildIcosaHedron();
            break;
    }

    // 2, 3. The scratch planes of every slice, in slice order.
    std::vector<int32_t> reserved(sliceCount + 1, 0);
    for (int32_t i = 0; i < sliceCount; ++i) {
        reserved[i + 1] = reserved[i] + slicePlaneCount(cubies[0], definition->sliceKinds[i],
                                                        definition->sliceThicknesses[i]);
    }
    std::vector<Plane> scratch(reserved[sliceCount]);
    for (int32_t i = 0; i < sliceCount; ++i) {
        int32_t thickness = definition->sliceThicknesses[i];
        switch (definition->sliceKinds[i]) {
            case FaceSlice:
                addFaceSlicePlanes(thickness, scratch.data(), reserved[i], reserved[i + 1]);
                break;
            case PointSlice:
                addPointSlicePlanes(thickness, scratch.data(), reserved[i], reserved[i + 1]);
                break;
            case EdgeSlice:
                addEdgeSlicePlanes(thickness, scratch.data(), reserved[i], reserved[i + 1]);
                break;
            default:
                break;
        }
    }

    // 4. Each anchor's own planes.
    for (Anchor& anchor : anchors) {
        orderAnchorPlanes(anchor, scratch);
    }

    // 5, 6. Cutting and erasing.
    cutAndErase(scratch, definition->eraseThreshold);

    // 7, 8. Face references; editor and group fields.
    for (int32_t i = 0; i < cubyCount; ++i) {
        Cuby& cuby = cubies[i];
        cuby.facereference.assign(cuby.facecount, FaceReference{});
        computeFaceReferences(i);
    }
    for (Cuby& cuby : cubies) {
        cuby.selected = 0;
        cuby.highlighted = 0;
        cuby.group = -1;
        cuby.next = -1;
        cuby.previous = -1;
    }

    // 9. The move history: only the entries in use are ever read, so it grows as moves are
    // recorded, up to moveCapacity.
    groupCount = 0;
    moveCount = 0;
    moveCapacity = kMoveCapacity;

    // 10. Home copies: the solved positions and colours.
    homeCubies.resize(cubyCount);
    for (int32_t i = 0; i < cubyCount; ++i) {
        copyCuby(homeCubies[i], cubies[i]);
    }

    // 11, 12.
    restoreGroups(definition);
    turnMetric = definition->turnMetric;

    int32_t largestFace = 3;
    for (const Cuby& cuby : cubies) {
        for (int32_t f = 0; f < cuby.facecount; ++f) {
            largestFace = std::max(largestFace, cuby.faceSize(f));
        }
    }
    stickerLines_.resize(largestFace);
    stickerFade_.resize(largestFace + 1);

    // Room for the mesh cache, reserved here so that a fill never allocates (the pages are
    // touched by the first fill). None for a puzzle whose mesh can never be drawn.
    const int64_t meshVertices = meshVertexTotal();
    if (!oversized && meshVertices <= kVertexLimit) {
        size_t inputBytes = 0;
        for (int32_t i = 0; i < cubyCount; ++i) {
            inputBytes += MeshCache::inputBytesOf(cubies[i], &homeCubies[i]);
        }
        meshCache_.reserve(cubies.size(), static_cast<size_t>(meshVertices), inputBytes);
    }
}

void Puzzle::orderAnchorPlanes(Anchor& anchor, const std::vector<Plane>& scratch) {
    Vec3 axis = anchor.point;
    if (anchor.kind == FaceSlice) {
        Plane face;
        facePlane(cubies[0], anchor.index, face);
        axis = planeNormal(face);
    }
    // Kept from one anchor (and construction) to the next.
    thread_local std::vector<Plane> candidates;
    thread_local std::vector<double> distance;
    candidates.clear();
    distance.clear();
    for (const Plane& plane : scratch) {
        if (!isParallel(planeNormal(plane), axis)) {
            continue;
        }
        Plane copy = plane;
        double d = planeDistance(copy, anchor.point);
        if (d < 0) {
            d = -d;
            negatePlane(copy);
        }
        candidates.push_back(copy);
        distance.push_back(d);
    }
    const int32_t c = static_cast<int32_t>(candidates.size());
    if (c == 0) {
        return;
    }
    // A plane whose distance lies within 0.0001 of an earlier kept plane is dropped; its
    // distance becomes a marker above every real distance so it matches nothing afterwards.
    scratchCount = c;
    for (int32_t i = 0; i + 1 < c; ++i) {
        for (int32_t j = i + 1; j < c; ++j) {
            double difference = distance[i] - distance[j];
            if (difference > -kSameDistance && difference < kSameDistance) {
                --scratchCount;
                distance[j] = j + kFarDistance + 1.0;
            }
        }
    }
    // Selection by increasing distance; the earliest of equal distances wins. Only planes
    // actually placed are counted, so a plane 10000 or more away never leaves an empty bound.
    anchor.planes.clear();
    anchor.planes.reserve(scratchCount);
    for (int32_t selection = 0; selection < scratchCount; ++selection) {
        int32_t best = -1;
        for (int32_t k = 0; k < c; ++k) {
            if (distance[k] < kFarDistance && (best < 0 || distance[k] < distance[best])) {
                best = k;
            }
        }
        if (best < 0) {
            break;
        }
        anchor.planes.push_back(candidates[best]);
        distance[best] = kFarDistance + 1.0;
    }
    anchor.planeCount = static_cast<int32_t>(anchor.planes.size());
}

void Puzzle::restoreGroups(PuzzleDefinition* definition) {
    // Only the first kMaxGroupIds cubies have a stored group; the rest stay ungrouped.
    const int32_t stored = std::min(cubyCount, kMaxGroupIds);
    if (definition->groupsValid == 0) {
        definition->groupsValid = 1;
        std::fill(definition->groupIds, definition->groupIds + stored, -1);
        return;
    }
    // Distinct ids in ascending order: the same groups and numbering as trying every number up
    // to the largest, without trusting a damaged id to bound the work. Ids that cannot name a
    // group of these cubies count as none.
    std::vector<int32_t> ids;
    for (int32_t i = 0; i < stored; ++i) {
        int32_t& id = definition->groupIds[i];
        if (id < 0 || id >= cubyCount) {
            id = -1;
        } else {
            ids.push_back(id);
        }
    }
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    for (int32_t id : ids) {
        for (int32_t i = 0; i < stored; ++i) {
            if (definition->groupIds[i] == id) {
                cubies[i].selected = 1;
            }
        }
        connectSelected(definition);
        clearSelection();
    }
}

// Cubie selection and bandage groups. A group is held twice: in the live cubies (number and
// a ring of next/previous links through the members in index order) and in the definition's
// groupIds, so that it survives rebuilds and is saved in puzzle files. Numbers in use are
// exactly 0 .. groupCount - 1.

#include "puzzle.h"

namespace {

void storeGroupId(PuzzleDefinition* definition, int32_t cuby, int32_t id) {
    // Cubies past the definition's room have no stored group.
    if (cuby < kMaxGroupIds) {
        definition->groupIds[cuby] = id;
    }
}

bool edgesCoincide(const Vec3& a1, const Vec3& a2, const Vec3& b1, const Vec3& b2) {
    return (pointDistance(a1, b1) == 0 && pointDistance(a2, b2) == 0) ||
           (pointDistance(a1, b2) == 0 && pointDistance(a2, b1) == 0);
}

// Flags every edge along which same-coloured stickers of a and b meet, so the mesh draws the
// block without a black line there.
void markSharedEdges(Cuby& a, Cuby& b) {
    for (int32_t fa = 0; fa < a.facecount; ++fa) {
        if (a.facecolor[fa] == -1) {
            continue;
        }
        for (int32_t fb = 0; fb < b.facecount; ++fb) {
            if (b.facecolor[fb] != a.facecolor[fa]) {
                continue;
            }
            Vec3 a1, a2, b1, b2;
            for (int32_t ea = 0; faceEdge(a, fa, ea, a1, a2); ++ea) {
                for (int32_t eb = 0; faceEdge(b, fb, eb, b1, b2); ++eb) {
                    if (edgesCoincide(a1, a2, b1, b2)) {
                        markEdge(a, fa, ea);
                        markEdge(b, fb, eb);
                    }
                }
            }
        }
    }
}

}  // namespace

void Puzzle::toggleCubySelection(int32_t cuby) {
    auto flip = [](uint8_t& selected) { selected = selected == 0 ? 1 : 0; };
    if (cubies[cuby].group != -1) {
        for (int32_t j = cubies[cuby].next; j != cuby; j = cubies[j].next) {
            flip(cubies[j].selected);
        }
    }
    flip(cubies[cuby].selected);
}

void Puzzle::clearSelection() {
    for (Cuby& cuby : cubies) {
        cuby.selected = 0;
    }
}

void Puzzle::connectSelected(PuzzleDefinition* definition) {
    int32_t first = -1;
    int32_t last = -1;
    for (int32_t i = 0; i < cubyCount; ++i) {
        if (cubies[i].selected != 1) {
            continue;
        }
        if (first == -1) {
            first = i;
        }
        cubies[i].group = groupCount;
        if (last != -1) {
            cubies[last].next = i;
            cubies[i].previous = last;
        }
        last = i;
    }
    if (first == -1) {
        return;
    }
    if (first == last) {
        // A group needs two members.
        cubies[first].group = -1;
        storeGroupId(definition, first, -1);
        return;
    }
    cubies[first].previous = last;
    cubies[last].next = first;
    for (int32_t i = first;; i = cubies[i].next) {
        storeGroupId(definition, i, groupCount);
        if (cubies[i].next == first) {
            break;
        }
    }
    groupCount += 1;

    for (int32_t a = first;; a = cubies[a].next) {
        for (int32_t b = cubies[a].next; b != first; b = cubies[b].next) {
            markSharedEdges(cubies[a], cubies[b]);
        }
        if (cubies[a].next == first) {
            break;
        }
    }
}

void Puzzle::disconnectSelected(PuzzleDefinition* definition) {
    for (int32_t i = 0; i < cubyCount; ++i) {
        const int32_t g = cubies[i].group;
        if (cubies[i].selected != 1 || g == -1) {
            continue;
        }
        int32_t j = i;
        do {
            Cuby& member = cubies[j];
            int32_t next = member.next;
            member.group = -1;
            member.next = -1;
            member.previous = -1;
            storeGroupId(definition, j, -1);
            member.edgeflag.assign(member.edgeflag.size(), 0);
            j = next;
        } while (j != i && j != -1);

        // Close the gap: the highest-numbered group takes the dissolved number.
        for (int32_t k = 0; k < cubyCount; ++k) {
            if (cubies[k].group != groupCount - 1) {
                continue;
            }
            int32_t m = k;
            do {
                cubies[m].group = g;
                storeGroupId(definition, m, g);
                m = cubies[m].next;
            } while (m != k && m != -1);
            break;
        }
        groupCount -= 1;
    }
}

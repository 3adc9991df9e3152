#include "puzzle.h"

// Every array the puzzle owns is a container member, released here in member order.
Puzzle::~Puzzle() = default;

void Puzzle::cubyFaceCentroid(int32_t cuby, int32_t face, Vec3& out) const {
    faceCentroid(cubies[cuby], face, out);
}

int Puzzle::cubyFaceNormal(int32_t cuby, int32_t face, Vec3& out) const {
    return outwardFaceNormal(cubies[cuby], face, out);
}

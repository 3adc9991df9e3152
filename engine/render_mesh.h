#pragma once
// The vertex format of the puzzle's triangle list, and the process-wide vertex limit flag.

#include <cstdint>

// Position as three floats, then a Direct3D colour 0xAARRGGBB.
struct MeshVertex {
    float x;
    float y;
    float z;
    uint32_t color;
};
static_assert(sizeof(MeshVertex) == 16, "the device reads 16-byte vertices");

// Set by Puzzle::countVertices when the current puzzle needs more than kVertexLimit vertices;
// cleared by the application right before it counts a new puzzle. While set, nothing is filled.
extern uint8_t vertexLimitReached;
inline constexpr int32_t kVertexLimit = 50000;

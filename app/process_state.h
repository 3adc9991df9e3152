#pragma once
// The process-wide objects of the application, all reached only from the framework's thread.

#include <cstdint>

class Puzzle;

// The current puzzle, replaced as a whole whenever its definition changes or a file is loaded.
extern Puzzle* puzzle;
// Vertices of the current puzzle's mesh, counted whenever a new puzzle is built.
extern int32_t puzzleVertexCount;
// 1 while the vertex buffer matches the puzzle; every change of what is drawn clears it.
extern uint8_t vertexBufferCurrent;

// Replaces the current puzzle with one built from appState's definition and counts its mesh.
// With `clearGroups` the stored bandage groups are dropped first (the cubies may change);
// with `countVertices` false the vertex count is kept (the slices did not change).
void rebuildPuzzle(bool clearGroups, bool countVertices);

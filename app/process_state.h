#pragma once
// The process-wide objects of the application, all reached only from the framework's thread,
// and the changes of the puzzle that several parts make.

#include <cstdint>

class Puzzle;

// The current puzzle, replaced as a whole whenever its definition changes or a file is loaded.
extern Puzzle* puzzle;
// Vertices of the current puzzle's mesh, counted whenever a new puzzle is built.
extern int32_t puzzleVertexCount;
// 1 while the vertex buffer matches the puzzle; every change of what is drawn clears it.
extern uint8_t vertexBufferCurrent;

// Whether a rebuild drops the stored bandage groups: it must when the cubies may change.
enum class BandageGroups { Keep, Drop };
// Whether a rebuild counts the new puzzle's mesh: it need not when the slices did not change.
enum class VertexCount { Keep, Recount };

// Replaces the current puzzle with one built from appState's definition.
void rebuildPuzzle(BandageGroups groups, VertexCount count);

// Highlights the selected layers of the anchor under the stored hover position (play screen,
// highlights on), or clears every highlight; the next frame draws the result.
void updateHoverHighlight();

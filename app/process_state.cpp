#include "process_state.h"

#include "app_state.h"
#include "puzzle.h"

Puzzle* puzzle = nullptr;
int32_t puzzleVertexCount = 0;
uint8_t vertexBufferCurrent = 0;

void rebuildPuzzle(bool clearGroups, bool countVertices) {
    delete puzzle;
    puzzle = nullptr;
    if (clearGroups) {
        appState->clearGroupsValid();
    }
    puzzle = new Puzzle(&appState->getDefinition());
    if (countVertices) {
        puzzleVertexCount = puzzle->countVertices();
    }
    vertexBufferCurrent = 0;
}

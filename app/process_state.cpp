#include "process_state.h"

#include "app_state.h"
#include "puzzle.h"

Puzzle* puzzle = nullptr;
int32_t puzzleVertexCount = 0;
uint8_t vertexBufferCurrent = 0;

void rebuildPuzzle(BandageGroups groups, VertexCount count) {
    delete puzzle;
    puzzle = nullptr;
    if (groups == BandageGroups::Drop) {
        appState->clearGroupsValid();
    }
    puzzle = new Puzzle(&appState->getDefinition());
    if (count == VertexCount::Recount) {
        puzzleVertexCount = puzzle->countVertices();
    }
    vertexBufferCurrent = 0;
}

void updateHoverHighlight() {
    if (appState->isCubyHighlights() && appState->getMode() == Play) {
        int32_t y = 0;
        int32_t x = 0;
        appState->getHoverMouse(y, x);
        appState->computePickRay(y, x);
        const int32_t anchor = puzzle->pickAnchor(
            appState->getRayOrigin(), appState->getRayTarget(), appState->getAnchorKind());
        puzzle->clearHighlights();
        if (anchor >= 0) {
            const uint32_t mask = static_cast<uint32_t>(appState->getLayerMask());
            const int32_t layers = puzzle->getLayerCount(anchor);
            for (int32_t layer = 1; layer <= layers && layer <= 32; ++layer) {
                if ((mask >> (layer - 1)) & 1u) {
                    puzzle->highlightLayer(anchor, layer);
                }
            }
        }
    } else {
        puzzle->clearHighlights();
    }
    vertexBufferCurrent = 0;
}

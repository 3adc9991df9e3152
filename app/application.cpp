#include "application.h"

void Application::rebuildPuzzle(BandageGroups groups, VertexCount count) {
    // The old puzzle goes before the new one is built, so a rebuild never holds two. (A load
    // does: its trial puzzle is built beside the current one, which stays if the file is
    // refused.)
    puzzle.reset();
    if (groups == BandageGroups::Drop) {
        appState->clearGroupsValid();
    }
    replacePuzzle(std::make_unique<Puzzle>(&appState->getDefinition()), count);
}

void Application::replacePuzzle(std::unique_ptr<Puzzle> next, VertexCount count) {
    puzzle = std::move(next);
    if (count == VertexCount::Recount) {
        // The flag speaks of the puzzle counted last; this one is counted afresh.
        vertexLimitReached = 0;
        puzzleVertexCount = puzzle->countVertices();
    }
    vertexBufferCurrent = 0;
}

void Application::updateHoverHighlight() {
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

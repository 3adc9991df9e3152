#include "turn_animation.h"

#include <vector>

#include "app_state.h"
#include "process_state.h"
#include "puzzle.h"
#include "screens.h"

uint8_t turnBusy = 0;
int32_t turnAnchor = 0;
int32_t turnLayerMask = 0;
uint8_t turnClockwise = 0;
int32_t turnStep = 0;
double lastStepTime = 0.0;
double frameTime = 0.0;

namespace {

// Where the cubies stood when the running turn began.
std::vector<Vec3> turnStartPositions;

// The end of a turn: record the move, show the counter, and after a full scramble check
// whether the puzzle is solved.
void endTurn(bool turned) {
    if (turned) {
        puzzle->recordMove(turnAnchor, turnLayerMask, turnClockwise);
    }
    showMoveCount();
    turnBusy = 0;
    if (appState->isScrambled() && appState->getTimerState() == Running) {
        hideCongratulation();
        const bool solved =
            appState->isColorFade() ? puzzle->isSolvedOriented() : puzzle->isSolved();
        if (solved) {
            showCongratulation();
            appState->setTimerState(Solved);
        }
    }
}

}  // namespace

void startTurn(int32_t anchor, int32_t layerMask, uint8_t clockwise) {
    if (!puzzle->canTurn(anchor, layerMask, clockwise)) {
        return;
    }
    puzzle->savePositions(turnStartPositions);
    lastStepTime = frameTime;
    turnBusy = 1;
    turnStep = 0;
    turnAnchor = anchor;
    turnLayerMask = layerMask;
    turnClockwise = clockwise;
}

void stepTurn() {
    if (appState->isScrambled() && appState->getTimerState() == Idle) {
        appState->setElapsedTime(0.0);
        appState->setTimerState(Running);
    }
    const int32_t frames = appState->getTurnFrames();
    const double interval = appState->getTurnSeconds() / frames;
    // Strict: a frame exactly one interval after the last step takes none.
    if (!(interval < frameTime - lastStepTime)) {
        return;
    }
    lastStepTime = frameTime;
    bool turned = false;
    bool refused = false;
    const uint32_t mask = static_cast<uint32_t>(turnLayerMask);
    for (int32_t layer = 1; layer <= kTurnedLayers; ++layer) {
        if ((mask >> (layer - 1)) & 1u) {
            const TurnResult result =
                puzzle->turnLayer(turnAnchor, layer, turnClockwise, 1.0 / frames, turnStep);
            turned = turned || result == TurnResult::Turned;
            refused = refused || result == TurnResult::Refused;
        }
    }
    turnStep += 1;
    vertexBufferCurrent = 0;
    if (refused) {
        // The move is all or nothing: back to where the turn began, and nothing recorded.
        puzzle->restorePositions(turnStartPositions);
        turned = false;
    }
    if (turnStep == frames) {
        endTurn(turned);
    }
    updateHoverHighlight();
}

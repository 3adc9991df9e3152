#include "turn_animation.h"

#include "application.h"
#include "screens.h"

namespace {

// The end of a turn: record the move, show the counter, and after a full scramble check
// whether the puzzle is solved.
void endTurn(Application& app, bool record) {
    TurnAnimation& turn = app.turn;
    AppState& state = *app.appState;
    if (record) {
        app.puzzle->recordMove(turn.turnAnchor, turn.turnLayerMask, turn.turnClockwise);
    }
    showMoveCount(app);
    turn.turnBusy = 0;
    if (state.isScrambled() && state.getTimerState() == Running) {
        hideCongratulation();
        const bool solved =
            state.isColorFade() ? app.puzzle->isSolvedOriented() : app.puzzle->isSolved();
        if (solved) {
            showCongratulation(state);
            state.setTimerState(Solved);
        }
    }
}

}  // namespace

void startTurn(Application& app, int32_t anchor, int32_t layerMask, uint8_t clockwise,
               TurnKind kind) {
    // Decided before the first frame, in the animation's own steps: a move that starts always
    // completes and is recorded.
    if (!app.puzzle->canRecord(anchor, layerMask, clockwise) ||
        !app.puzzle->canTurn(anchor, layerMask, clockwise, app.appState->getTurnFrames())) {
        return;
    }
    TurnAnimation& turn = app.turn;
    app.puzzle->savePositions(turn.turnStartPositions);
    turn.lastStepTime = turn.frameTime;
    turn.turnBusy = 1;
    turn.turnStep = 0;
    turn.turnAnchor = anchor;
    turn.turnLayerMask = layerMask;
    turn.turnClockwise = clockwise;
    turn.turnUndo = kind == TurnKind::Undo;
}

void stepTurn(Application& app) {
    TurnAnimation& turn = app.turn;
    AppState& state = *app.appState;
    if (state.isScrambled() && state.getTimerState() == Idle) {
        state.setElapsedTime(0.0);
        state.setTimerState(Running);
    }
    const int32_t frames = state.getTurnFrames();
    const double interval = state.getTurnSeconds() / frames;
    // Strict: a frame exactly one interval after the last step takes none.
    if (!(interval < turn.frameTime - turn.lastStepTime)) {
        return;
    }
    turn.lastStepTime = turn.frameTime;
    bool turned = false;
    bool refused = false;
    const uint32_t mask = static_cast<uint32_t>(turn.turnLayerMask);
    for (int32_t layer = 1; layer <= kTurnedLayers; ++layer) {
        if ((mask >> (layer - 1)) & 1u) {
            const TurnResult result = app.puzzle->turnLayer(
                turn.turnAnchor, layer, turn.turnClockwise, 1.0 / frames, turn.turnStep);
            turned = turned || result == TurnResult::Turned;
            refused = refused || result == TurnResult::Refused;
        }
    }
    turn.turnStep += 1;
    app.vertexBufferCurrent = 0;
    if (refused) {
        // The move is all or nothing: back to where the turn began, and nothing recorded.
        app.puzzle->restorePositions(turn.turnStartPositions);
        turned = false;
    }
    if (turn.turnStep == frames) {
        // A refused undo left its move standing, so the move stays in the history.
        endTurn(app, turned || (turn.turnUndo && !refused));
    }
    app.updateHoverHighlight();
}

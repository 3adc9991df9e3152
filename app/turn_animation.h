#pragma once
// The turn animation: the layers of a layer mask turn about one anchor, one frame's share of
// the anchor's step angle per step and at most one step a frame; the move is recorded when
// the last step has been taken.
//
// | state | turnBusy | event                                     | next                         |
// |-------|----------|-------------------------------------------|------------------------------|
// | Idle  | 0        | startTurn (a press on the puzzle, "Undo   | Busy: turnStep 0,            |
// |       |          | Move") with a move that can be made       | lastStepTime = frameTime     |
// | Busy  | 1        | a frame that passes the step test         | Busy, one step further       |
// | Busy  | 1        | the step that makes turnStep the frame    | Idle, the move recorded in   |
// |       |          | count                                     | that frame (one that turned  |
// |       |          |                                           | nothing only as an undo)     |
// While Busy, the starters start nothing and the busy-guarded controls are ignored.

#include <cstdint>
#include <vector>

#include "geometry.h"

class Application;

struct TurnAnimation {
    uint8_t turnBusy = 0;
    int32_t turnAnchor = 0;
    int32_t turnLayerMask = 0;
    uint8_t turnClockwise = 0;
    // Undoes the last move: recorded even when nothing turns, for the history records some
    // moves whatever their turn did (a scramble, a replay) and these must come off too.
    bool turnUndo = false;
    int32_t turnStep = 0;
    double lastStepTime = 0.0;
    // The time of the frame being drawn; a turn started between frames counts from it.
    double frameTime = 0.0;
    // Where the cubies stood when the running turn began: a step refused after all (the
    // puzzle changed under the turn) puts them back.
    std::vector<Vec3> turnStartPositions;
};

enum class TurnKind { Move, Undo };

// Starts a turn, unless the move would not refit in the animation's steps or the history could
// not record it (the engine logs either).
void startTurn(Application& app, int32_t anchor, int32_t layerMask, uint8_t clockwise,
               TurnKind kind = TurnKind::Move);
// The animation's part of a frame while Busy: starts the solve timer at the first frame after
// a full scramble, takes a step when its time has come, and ends the turn after the last step.
void stepTurn(Application& app);

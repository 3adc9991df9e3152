#pragma once
// What happens once per frame: the solve timer, the vertex buffer refill, the puzzle drawn
// through the effect with a running turn carried forward by at most one step, the two panels;
// and the hover highlight of the layers a click would turn.

#include <cstdint>

#include "dxut/dxut.h"

// The turn animation. Idle (turnBusy 0) -> Busy: a starter (a press on the puzzle, "Undo
// Move") sets lastStepTime = frameTime, turnStep = 0 and the anchor, mask and direction.
// Busy -> Busy: each frame that passes the step test takes one step. Busy -> Idle: the step
// that makes turnStep equal to the frame count; the move is recorded in that frame.
extern uint8_t turnBusy;
extern int32_t turnAnchor;
extern int32_t turnLayerMask;
extern uint8_t turnClockwise;
extern int32_t turnStep;
extern double lastStepTime;
extern double frameTime;

// Fills in the turn-animation state for a new turn, unless the move would not refit.
void startTurn(int32_t anchor, int32_t layerMask, uint8_t clockwise);

void onFrameRender(IDirect3DDevice9* device, double time, float elapsed);
void renderPuzzle(IDirect3DDevice9* device, double time, float elapsed);
void renderText();
void updateHoverHighlight();

// Static 20 on the play screen: the moves made, less the 200 of a full scramble.
void showMoveCount();

#include "frame_render.h"

#include <cmath>
#include <vector>

#include "app_state.h"
#include "control_ids.h"
#include "device_resources.h"
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

constexpr D3DCOLOR kClearColor = 0x00646464;
constexpr float kFieldOfView = 0.7853982f;
constexpr float kNearPlane = 1.0f;
constexpr float kFarPlane = 100.0f;
constexpr UINT kVertexStride = 16;
// Where the cubies stood when the running turn began.
std::vector<Vec3> turnStartPositions;
constexpr int32_t kScrambleMoves = 200;
constexpr int kTextChars = 1024;
constexpr const wchar_t* kCongratulation = L"Congratulations\nYou solved the magic puzzle!";
constexpr const wchar_t* kVertexLimitError = L"Error: Maximum vertex limit reached.";
// Times shown as zeros: beyond this the parts of the display would not fit an integer.
constexpr double kLongestShownTime = 1.0e12;

void setStaticText(int id, const wchar_t* text) {
    if (CDXUTStatic* control = controlPanel.GetStatic(id)) {
        control->SetText(text);
    }
}

// One part of the timer: "0%d" below ten, else "%d", with the separator after it.
void showTimerPart(int id, long long value, bool colon) {
    WCHAR text[kTextChars];
    StringCchPrintfW(text, kTextChars, value < 10 ? L"0%lld%ls" : L"%lld%ls", value,
                     colon ? L":" : L"");
    setStaticText(id, text);
}

void showSolveTimer() {
    const int32_t state = appState->getTimerState();
    const double t = appState->getElapsedTime();
    // A stored time that is no real duration shows as zeros, as an idle timer does.
    if (state == Idle || !(t >= 0.0 && t < kLongestShownTime)) {
        setStaticText(kIdHours, L"00:");
        setStaticText(kIdMinutes, L"00:");
        setStaticText(kIdSeconds, L"00");
        setStaticText(kIdHundredths, L"00");
        return;
    }
    const long long whole = static_cast<long long>(t);
    showTimerPart(kIdHours, static_cast<long long>(t * (1.0 / 3600)), true);
    showTimerPart(kIdMinutes, (whole % 3600) / 60, true);
    showTimerPart(kIdSeconds, (whole % 3600) % 60, false);
    showTimerPart(kIdHundredths, static_cast<long long>(t * 100) % 100, false);
}

void addCongratulation() {
    CDXUTStatic* text = nullptr;
    controlPanel.AddStatic(kIdCongratulation, kCongratulation, 50 - appState->getWindowWidth() / 2,
                           50, 500, 100, false, &text);
    if (text != nullptr) {
        text->GetElement(0)->iFont = kFontCongratulation;
        text->SetTextColor(0xFFFF0000);
        text->GetElement(0)->dwTextFormat = DT_CENTER | DT_VCENTER | DT_WORDBREAK;
    }
}

// The end of a turn: record the move, show the counter, and after a full scramble check
// whether the puzzle is solved.
void endTurn(bool turned) {
    if (turned) {
        puzzle->recordMove(turnAnchor, turnLayerMask, turnClockwise);
    }
    showMoveCount();
    turnBusy = 0;
    if (appState->isScrambled() == 1 && appState->getTimerState() == Running) {
        controlPanel.RemoveControl(kIdCongratulation);
        const bool solved =
            appState->isColorFade() != 0 ? puzzle->isSolvedOriented() : puzzle->isSolved();
        if (solved) {
            addCongratulation();
            appState->setTimerState(Solved);
        }
    }
}

void stepTurn() {
    if (appState->isScrambled() == 1 && appState->getTimerState() == Idle) {
        appState->setElapsedTime(0.0);
        appState->setTimerState(Running);
    }
    const int32_t frames = appState->getTurnFrames();
    const double interval = appState->getTurnSeconds() / frames;
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

// Drops the definition's last slice and rebuilds, one slice per frame, until the mesh fits.
void recoverFromVertexLimit() {
    delete puzzle;
    puzzle = nullptr;
    appState->clearGroupsValid();
    appState->setScrambled(0);
    PuzzleDefinition& definition = appState->getDefinition();
    if (definition.sliceCount > 0) {
        definition.sliceCount -= 1;
    }
    vertexLimitReached = 0;
    puzzle = new Puzzle(&definition);
    puzzleVertexCount = puzzle->countVertices();
    vertexBufferCurrent = 0;
    if (appState->getMode() == Edit) {
        fillSliceList();
        if (CDXUTStatic* line = controlPanel.GetStatic(kIdErrorLine)) {
            line->SetText(kVertexLimitError);
            line->GetElement(0)->iFont = kFontLabel;
        }
    }
}

}  // namespace

void startTurn(int32_t anchor, int32_t layerMask, uint8_t clockwise) {
    // A move whose refit would fail never starts (the engine logs it).
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

void showMoveCount() {
    const int32_t count =
        puzzle->getMoveCount() - (appState->isScrambled() == 1 ? kScrambleMoves : 0);
    WCHAR text[kTextChars];
    StringCchPrintfW(text, kTextChars, L"%d", count);
    setStaticText(kIdMessage, text);
}

void onFrameRender(IDirect3DDevice9* device, double time, float elapsed) {
    if (appState->getMode() == Play) {
        if (appState->getTimerState() == Running) {
            appState->addElapsedTime(static_cast<double>(elapsed));
        }
        showSolveTimer();
    }
    if (vertexBufferCurrent == 0) {
        fillVertexBuffer();
    }
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kClearColor, 1.0f, 0);
    if (FAILED(device->BeginScene())) {
        return;
    }
    device->SetStreamSource(0, vertexBuffer, 0, kVertexStride);
    device->SetVertexDeclaration(vertexDeclaration);
    if (appState->getMode() < Help) {
        renderPuzzle(device, time, elapsed);
    }
    renderText();
    controlPanel.OnRender(elapsed);
    displayPanel.OnRender(elapsed);
    device->EndScene();
}

void renderPuzzle(IDirect3DDevice9* device, double time, float) {
    frameTime = time;
    D3DXMATRIX projection, view, world, worldView, worldViewProjection;
    D3DXMatrixPerspectiveFovLH(&projection, kFieldOfView,
                               static_cast<float>(appState->getAspectRatio()), kNearPlane,
                               kFarPlane);
    appState->getViewMatrix(view);
    D3DXMatrixIdentity(&world);
    D3DXMatrixMultiply(&worldView, &world, &view);
    D3DXMatrixMultiply(&worldViewProjection, &worldView, &projection);
    if (puzzleEffect != nullptr) {
        puzzleEffect->SetMatrix("g_mWorldViewProjection", &worldViewProjection);
    }
    if (turnBusy == 1) {
        stepTurn();
    }
    if (vertexLimitReached != 0) {
        recoverFromVertexLimit();
        return;
    }
    if (puzzleEffect == nullptr) {
        return;
    }
    UINT passes = 0;
    puzzleEffect->Begin(&passes, 0);
    for (UINT pass = 0; pass < passes; ++pass) {
        puzzleEffect->BeginPass(pass);
        device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, static_cast<UINT>(puzzleVertexCount / 3));
        puzzleEffect->EndPass();
    }
    puzzleEffect->End();
}

void renderText() {
    CDXUTTextHelper text(textFont, textSprite, 15);
    text.Begin();
    text.SetInsertionPos(5, 5);
    text.SetForegroundColor(D3DXCOLOR(1.0f, 1.0f, 1.0f, 1.0f));
    text.End();
}

void updateHoverHighlight() {
    if (appState->isCubyHighlights() == 1 && appState->getMode() == Play) {
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

#include "frame_render.h"

#include "app_state.h"
#include "control_ids.h"
#include "device_resources.h"
#include "process_state.h"
#include "puzzle.h"
#include "screens.h"
#include "turn_animation.h"

namespace {

constexpr D3DCOLOR kClearColor = 0x00646464;
constexpr float kFieldOfView = 0.7853982f;
constexpr float kNearPlane = 1.0f;
constexpr float kFarPlane = 100.0f;
constexpr UINT kVertexStride = 16;
// Times shown as zeros: beyond this the parts of the display would not fit an integer.
constexpr double kLongestShownTime = 1.0e12;

// One part of the timer: "0%d" below ten, else "%d", followed by `separator`.
void showTimerPart(int id, long long value, const wchar_t* separator) {
    WCHAR text[kTextChars];
    StringCchPrintfW(text, kTextChars, value < 10 ? L"0%lld%ls" : L"%lld%ls", value, separator);
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
    showTimerPart(kIdHours, static_cast<long long>(t * (1.0 / 3600)), L":");
    showTimerPart(kIdMinutes, (whole % 3600) / 60, L":");
    showTimerPart(kIdSeconds, (whole % 3600) % 60, L"");
    showTimerPart(kIdHundredths, static_cast<long long>(t * 100) % 100, L"");
}

// Drops the definition's last slice and rebuilds, one slice per frame, until the mesh fits.
void recoverFromVertexLimit() {
    appState->setScrambled(0);
    PuzzleDefinition& definition = appState->getDefinition();
    if (definition.sliceCount > 0) {
        definition.sliceCount -= 1;
    }
    vertexLimitReached = 0;
    rebuildPuzzle(BandageGroups::Drop, VertexCount::Recount);
    if (appState->getMode() == Edit) {
        fillSliceList();
        showVertexLimitError();
    }
}

}  // namespace

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

#include "frame_render.h"

#include "application.h"
#include "control_ids.h"
#include "screens.h"

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

void showSolveTimer(const AppState& appState) {
    const int32_t state = appState.getTimerState();
    const double t = appState.getElapsedTime();
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
void recoverFromVertexLimit(Application& app) {
    app.appState->setScrambled(0);
    PuzzleDefinition& definition = app.appState->getDefinition();
    if (definition.sliceCount > 0) {
        definition.sliceCount -= 1;
    }
    app.rebuildPuzzle(BandageGroups::Drop, VertexCount::Recount);
    if (app.appState->getMode() == Edit) {
        fillSliceList(*app.appState);
        showVertexLimitError();
    }
}

}  // namespace

void onFrameRender(IDirect3DDevice9* device, double time, float elapsed, void* userContext) {
    Application& app = applicationOf(userContext);
    AppState& appState = *app.appState;
    if (appState.getMode() == Play) {
        if (appState.getTimerState() == Running) {
            appState.addElapsedTime(static_cast<double>(elapsed));
        }
        showSolveTimer(appState);
    }
    if (app.vertexBufferCurrent == 0) {
        fillVertexBuffer(app);
    }
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kClearColor, 1.0f, 0);
    if (FAILED(device->BeginScene())) {
        return;
    }
    device->SetStreamSource(0, app.resources.vertexBuffer.get(), 0, kVertexStride);
    device->SetVertexDeclaration(app.resources.vertexDeclaration.get());
    if (appState.getMode() < Help) {
        renderPuzzle(app, device, time, elapsed);
    }
    renderText(app.resources);
    controlPanel.OnRender(elapsed);
    displayPanel.OnRender(elapsed);
    device->EndScene();
}

void renderPuzzle(Application& app, IDirect3DDevice9* device, double time, float) {
    app.turn.frameTime = time;
    D3DXMATRIX projection, view, world, worldView, worldViewProjection;
    D3DXMatrixPerspectiveFovLH(&projection, kFieldOfView,
                               static_cast<float>(app.appState->getAspectRatio()), kNearPlane,
                               kFarPlane);
    app.appState->getViewMatrix(view);
    D3DXMatrixIdentity(&world);
    D3DXMatrixMultiply(&worldView, &world, &view);
    D3DXMatrixMultiply(&worldViewProjection, &worldView, &projection);
    ID3DXEffect* effect = app.resources.puzzleEffect.get();
    if (effect != nullptr) {
        effect->SetMatrix("g_mWorldViewProjection", &worldViewProjection);
    }
    if (app.turn.turnBusy == 1) {
        stepTurn(app);
    }
    if (vertexLimitReached != 0) {
        recoverFromVertexLimit(app);
        return;
    }
    if (effect == nullptr) {
        return;
    }
    UINT passes = 0;
    effect->Begin(&passes, 0);
    for (UINT pass = 0; pass < passes; ++pass) {
        effect->BeginPass(pass);
        device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, static_cast<UINT>(app.puzzleVertexCount / 3));
        effect->EndPass();
    }
    effect->End();
}

void renderText(DeviceResources& resources) {
    CDXUTTextHelper text(resources.textFont.get(), resources.textSprite.get(), 15);
    text.Begin();
    text.SetInsertionPos(5, 5);
    text.SetForegroundColor(D3DXCOLOR(1.0f, 1.0f, 1.0f, 1.0f));
    text.End();
}

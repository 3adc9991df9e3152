#include "startup.h"

#include <new>

#include "application.h"
#include "device_resources.h"
#include "diagnostic_log.h"
#include "frame_render.h"
#include "input.h"
#include "screens.h"

namespace {

void registerCallbacks(Application& app) {
    DXUTSetCallbackDeviceCreated(onCreateDevice, &app);
    DXUTSetCallbackDeviceReset(onResetDevice, &app);
    DXUTSetCallbackDeviceLost(onLostDevice, &app);
    DXUTSetCallbackDeviceDestroyed(onDestroyDevice, &app);
    DXUTSetCallbackMsgProc(msgProc, &app);
    DXUTSetCallbackKeyboard(onKeyboard, &app);
    DXUTSetCallbackFrameRender(onFrameRender, &app);
    DXUTSetCallbackFrameMove(onFrameMove, &app);
}

}  // namespace

HRESULT startApplication(Application& app, const FrameworkStart& start) {
    try {
        app.appState = std::make_unique<AppState>();
        app.rebuildPuzzle(BandageGroups::Keep, VertexCount::Recount);
    } catch (const std::bad_alloc&) {
        logPrintf("out of memory at start-up\n");
        return E_OUTOFMEMORY;
    }
    app.turn.turnBusy = 0;
    // The first fill comes from the device reset.
    app.vertexBufferCurrent = 1;

    registerCallbacks(app);
    DXUTSetCursorSettings(true, true);
    buildGui(app);
    DXUTInit(start.parseCommandLine, true, start.showMessageBoxes);
    DXUTCreateWindow(L"Orvanta");
    return DXUTCreateDevice(D3DADAPTER_DEFAULT, true, 800, 600, isDeviceAcceptable,
                            modifyDeviceSettings, &app);
}

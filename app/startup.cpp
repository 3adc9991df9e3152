#include "startup.h"

#include "device_resources.h"
#include "frame_render.h"
#include "input.h"

void registerCallbacks() {
    DXUTSetCallbackDeviceCreated(onCreateDevice);
    DXUTSetCallbackDeviceReset(onResetDevice);
    DXUTSetCallbackDeviceLost(onLostDevice);
    DXUTSetCallbackDeviceDestroyed(onDestroyDevice);
    DXUTSetCallbackMsgProc(msgProc);
    DXUTSetCallbackKeyboard(onKeyboard);
    DXUTSetCallbackFrameRender(onFrameRender);
    DXUTSetCallbackFrameMove(onFrameMove);
}

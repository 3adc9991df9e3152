#include "framework_probe.h"

namespace probe {

std::vector<std::string> events;
std::vector<double> frameTimes;
std::vector<float> elapsedTimes;
Knobs knobs;

namespace {

struct DeviceObjects {
    IDirect3DVertexDeclaration9* declaration = nullptr;
    IDirect3DVertexBuffer9* buffer = nullptr;
    ID3DXFont* font = nullptr;
    ID3DXEffect* effect = nullptr;
    ID3DXSprite* sprite = nullptr;
} objects;

// What every callback is registered with; a callback handed anything else logs it.
int registeredContext;

void checkContext(void* userContext) {
    if (userContext != &registeredContext) {
        events.push_back("wrong context");
    }
}

std::string size(UINT width, UINT height) {
    return std::to_string(width) + "x" + std::to_string(height);
}

HRESULT onCreated(IDirect3DDevice9* device, const D3DSURFACE_DESC* backBuffer, void* userContext) {
    checkContext(userContext);
    events.push_back("created " + size(backBuffer->Width, backBuffer->Height));
    if (knobs.makeDeviceObjects) {
        const D3DVERTEXELEMENT9 elements[] = {
            {0, 0, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_POSITION, 0},
            {0, 12, D3DDECLTYPE_D3DCOLOR, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_COLOR, 0},
            D3DDECL_END()};
        V_RETURN(device->CreateVertexDeclaration(elements, &objects.declaration));
        V_RETURN(device->CreateVertexBuffer(1600000, D3DUSAGE_WRITEONLY, 0, D3DPOOL_MANAGED,
                                            &objects.buffer, nullptr));
        V_RETURN(D3DXCreateFontW(device, 15, 0, FW_BOLD, 1, FALSE, DEFAULT_CHARSET,
                                 OUT_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                 L"Arial", &objects.font));
        WCHAR path[MAX_PATH];
        V_RETURN(DXUTFindDXSDKMediaFileCch(path, MAX_PATH, L"Velmonde.fx"));
        V_RETURN(D3DXCreateEffectFromFileW(device, path, nullptr, nullptr, 0, nullptr,
                                           &objects.effect, nullptr));
    }
    return knobs.createdResult;
}

HRESULT onReset(IDirect3DDevice9* device, const D3DSURFACE_DESC* backBuffer, void* userContext) {
    checkContext(userContext);
    events.push_back("reset " + size(backBuffer->Width, backBuffer->Height));
    if (knobs.makeDeviceObjects) {
        V_RETURN(objects.font->OnResetDevice());
        V_RETURN(objects.effect->OnResetDevice());
        void* data = nullptr;
        V_RETURN(objects.buffer->Lock(0, 0, &data, 0));
        objects.buffer->Unlock();
        V_RETURN(D3DXCreateSprite(device, &objects.sprite));
    }
    return knobs.resetResult;
}

void onLost(void* userContext) {
    checkContext(userContext);
    events.push_back("lost");
    if (objects.font != nullptr) {
        objects.font->OnLostDevice();
    }
    if (objects.effect != nullptr) {
        objects.effect->OnLostDevice();
    }
    SAFE_RELEASE(objects.sprite);
}

void onDestroyed(void* userContext) {
    checkContext(userContext);
    events.push_back("destroyed");
    SAFE_RELEASE(objects.effect);
    SAFE_RELEASE(objects.font);
    SAFE_RELEASE(objects.declaration);
    SAFE_RELEASE(objects.buffer);
}

LRESULT onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                  bool* noFurtherProcessing, void* userContext) {
    checkContext(userContext);
    if (window == nullptr) {
        events.push_back("message without a window");
    }
    if (message == WM_SIZE) {
        events.push_back("WM_SIZE " + size(LOWORD(lParam), HIWORD(lParam)));
    } else if (message == WM_CLOSE) {
        events.push_back("WM_CLOSE");
    }
    if (knobs.consumeKeys && (message == WM_KEYDOWN || message == WM_SYSKEYDOWN)) {
        *noFurtherProcessing = true;
    }
    (void)wParam;
    return 0;
}

void onKeyboard(UINT key, bool keyDown, bool altDown, void* userContext) {
    checkContext(userContext);
    events.push_back("key " + std::to_string(key) + (keyDown ? " down" : " up") +
                     (altDown ? " alt" : ""));
}

void onFrameMove(IDirect3DDevice9*, double, float, void* userContext) {
    checkContext(userContext);
    events.push_back("move");
}

void onFrameRender(IDirect3DDevice9*, double time, float elapsed, void* userContext) {
    checkContext(userContext);
    events.push_back("render");
    frameTimes.push_back(time);
    elapsedTimes.push_back(elapsed);
}

}  // namespace

bool isDeviceAcceptable(D3DCAPS9* caps, D3DFORMAT adapterFormat, D3DFORMAT backBufferFormat, bool,
                        void* userContext) {
    checkContext(userContext);
    events.push_back("acceptable");
    if (!knobs.acceptAnything || caps->PixelShaderVersion < D3DPS_VERSION(2, 0)) {
        return false;
    }
    return SUCCEEDED(DXUTGetD3DObject()->CheckDeviceFormat(
        caps->AdapterOrdinal, caps->DeviceType, adapterFormat,
        D3DUSAGE_QUERY_POSTPIXELSHADER_BLENDING, D3DRTYPE_TEXTURE, backBufferFormat));
}

void modifyDeviceSettings(DXUTDeviceSettings* settings, const D3DCAPS9* caps, void* userContext) {
    checkContext(userContext);
    events.push_back("modify");
    settings->BehaviorFlags = (caps->DevCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT)
                                  ? D3DCREATE_HARDWARE_VERTEXPROCESSING
                                  : D3DCREATE_SOFTWARE_VERTEXPROCESSING;
    if ((caps->DevCaps & D3DDEVCAPS_PUREDEVICE) &&
        settings->BehaviorFlags == D3DCREATE_HARDWARE_VERTEXPROCESSING) {
        settings->BehaviorFlags |= D3DCREATE_PUREDEVICE;
    }
}

void startRun() {
    framework_testing::reset();
    events.clear();
    frameTimes.clear();
    elapsedTimes.clear();
    knobs = Knobs();
    DXUTSetCallbackDeviceCreated(onCreated, &registeredContext);
    DXUTSetCallbackDeviceReset(onReset, &registeredContext);
    DXUTSetCallbackDeviceLost(onLost, &registeredContext);
    DXUTSetCallbackDeviceDestroyed(onDestroyed, &registeredContext);
    DXUTSetCallbackMsgProc(onMessage, &registeredContext);
    DXUTSetCallbackKeyboard(onKeyboard, &registeredContext);
    DXUTSetCallbackFrameMove(onFrameMove, &registeredContext);
    DXUTSetCallbackFrameRender(onFrameRender, &registeredContext);
    DXUTInit(false, true, false);
    framework_testing::useRecordingDevice();
    DXUTCreateWindow(L"Orvanta");
}

HRESULT createDevice() {
    return DXUTCreateDevice(0, true, 800, 600, isDeviceAcceptable, modifyDeviceSettings,
                            &registeredContext);
}

}  // namespace probe

#include "device_resources.h"

#include "application.h"

CDXUTDialog controlPanel;
CDXUTDialog displayPanel;

namespace {

constexpr int kMediaPathChars = 260;

// Position as three floats, then the colour: the 16-byte vertex of the mesh.
const D3DVERTEXELEMENT9 kMeshDeclaration[] = {
    {0, 0, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_POSITION, 0},
    {0, 12, D3DDECLTYPE_D3DCOLOR, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_COLOR, 0},
    D3DDECL_END(),
};

}  // namespace

bool isDeviceAcceptable(D3DCAPS9* caps, D3DFORMAT adapterFormat, D3DFORMAT backBufferFormat, bool,
                        void*) {
    if (caps->PixelShaderVersion < D3DPS_VERSION(2, 0)) {
        return false;
    }
    IDirect3D9* direct3d = DXUTGetD3DObject();
    return direct3d != nullptr &&
           SUCCEEDED(direct3d->CheckDeviceFormat(
               caps->AdapterOrdinal, caps->DeviceType, adapterFormat,
               D3DUSAGE_QUERY_POSTPIXELSHADER_BLENDING, D3DRTYPE_TEXTURE, backBufferFormat));
}

void modifyDeviceSettings(DXUTDeviceSettings* settings, const D3DCAPS9* caps, void*) {
    const bool hardware = (caps->DevCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT) != 0;
    settings->BehaviorFlags =
        hardware ? D3DCREATE_HARDWARE_VERTEXPROCESSING : D3DCREATE_SOFTWARE_VERTEXPROCESSING;
    if (hardware && (caps->DevCaps & D3DDEVCAPS_PUREDEVICE) != 0) {
        settings->BehaviorFlags |= D3DCREATE_PUREDEVICE;
    }
}

HRESULT onCreateDevice(IDirect3DDevice9* device, const D3DSURFACE_DESC*, void* userContext) {
    DeviceResources& resources = applicationOf(userContext).resources;
    V_RETURN(device->CreateVertexDeclaration(kMeshDeclaration, resources.vertexDeclaration.put()));
    // A managed buffer survives device resets, so it is made only here.
    V_RETURN(device->CreateVertexBuffer(kVertexBufferBytes, D3DUSAGE_WRITEONLY, 0, D3DPOOL_MANAGED,
                                        resources.vertexBuffer.put(), nullptr));
    V_RETURN(D3DXCreateFontW(device, 15, 0, FW_BOLD, 1, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH, L"Arial", resources.textFont.put()));
    WCHAR path[kMediaPathChars];
    V_RETURN(DXUTFindDXSDKMediaFileCch(path, kMediaPathChars, L"Velmonde.fx"));
    V_RETURN(D3DXCreateEffectFromFileW(device, path, nullptr, nullptr, 0, nullptr,
                                       resources.puzzleEffect.put(), nullptr));
    return S_OK;
}

HRESULT onResetDevice(IDirect3DDevice9* device, const D3DSURFACE_DESC* backBuffer,
                      void* userContext) {
    Application& app = applicationOf(userContext);
    DeviceResources& resources = app.resources;
    if (resources.textFont) {
        V_RETURN(resources.textFont->OnResetDevice());
    }
    if (resources.puzzleEffect) {
        V_RETURN(resources.puzzleEffect->OnResetDevice());
    }
    V_RETURN(fillVertexBuffer(app));
    V_RETURN(D3DXCreateSprite(device, resources.textSprite.put()));
    controlPanel.SetLocation(static_cast<int>(backBuffer->Width) - kPanelWidth, 0);
    controlPanel.SetSize(kPanelWidth, static_cast<int>(backBuffer->Height));
    return S_OK;
}

void onLostDevice(void* userContext) {
    DeviceResources& resources = applicationOf(userContext).resources;
    if (resources.textFont) {
        resources.textFont->OnLostDevice();
    }
    if (resources.puzzleEffect) {
        resources.puzzleEffect->OnLostDevice();
    }
    resources.textSprite = {};
}

void onDestroyDevice(void* userContext) {
    DeviceResources& resources = applicationOf(userContext).resources;
    resources.puzzleEffect = {};
    resources.textFont = {};
    resources.vertexDeclaration = {};
    resources.vertexBuffer = {};
}

void onFrameMove(IDirect3DDevice9*, double, float, void*) {}

void onKeyboard(UINT, bool, bool, void*) {}

HRESULT fillVertexBuffer(Application& app) {
    IDirect3DVertexBuffer9* buffer = app.resources.vertexBuffer.get();
    if (buffer == nullptr) {
        return E_FAIL;
    }
    void* data = nullptr;
    V_RETURN(buffer->Lock(0, 0, &data, 0));
    if (app.puzzle) {
        app.puzzle->fillVertices(static_cast<MeshVertex*>(data), kVertexBufferVertices,
                                 1.0 / app.appState->getLineWidth(), app.appState->isColorFade());
    }
    buffer->Unlock();
    app.vertexBufferCurrent = 1;
    return S_OK;
}

#include "device_resources.h"

#include "app_state.h"
#include "process_state.h"
#include "puzzle.h"

IDirect3DVertexDeclaration9* vertexDeclaration = nullptr;
IDirect3DVertexBuffer9* vertexBuffer = nullptr;
ID3DXFont* textFont = nullptr;
ID3DXSprite* textSprite = nullptr;
ID3DXEffect* puzzleEffect = nullptr;
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

bool isDeviceAcceptable(D3DCAPS9* caps, D3DFORMAT adapterFormat, D3DFORMAT backBufferFormat, bool) {
    if (caps->PixelShaderVersion < D3DPS_VERSION(2, 0)) {
        return false;
    }
    IDirect3D9* direct3d = DXUTGetD3DObject();
    return direct3d != nullptr &&
           SUCCEEDED(direct3d->CheckDeviceFormat(
               caps->AdapterOrdinal, caps->DeviceType, adapterFormat,
               D3DUSAGE_QUERY_POSTPIXELSHADER_BLENDING, D3DRTYPE_TEXTURE, backBufferFormat));
}

void modifyDeviceSettings(DXUTDeviceSettings* settings, const D3DCAPS9* caps) {
    const bool hardware = (caps->DevCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT) != 0;
    settings->BehaviorFlags =
        hardware ? D3DCREATE_HARDWARE_VERTEXPROCESSING : D3DCREATE_SOFTWARE_VERTEXPROCESSING;
    if (hardware && (caps->DevCaps & D3DDEVCAPS_PUREDEVICE) != 0) {
        settings->BehaviorFlags |= D3DCREATE_PUREDEVICE;
    }
}

HRESULT onCreateDevice(IDirect3DDevice9* device, const D3DSURFACE_DESC*) {
    V_RETURN(device->CreateVertexDeclaration(kMeshDeclaration, &vertexDeclaration));
    // A managed buffer survives device resets, so it is made only here.
    V_RETURN(device->CreateVertexBuffer(kVertexBufferBytes, D3DUSAGE_WRITEONLY, 0, D3DPOOL_MANAGED,
                                        &vertexBuffer, nullptr));
    V_RETURN(D3DXCreateFontW(device, 15, 0, FW_BOLD, 1, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH, L"Arial", &textFont));
    WCHAR path[kMediaPathChars];
    V_RETURN(DXUTFindDXSDKMediaFileCch(path, kMediaPathChars, L"Velmonde.fx"));
    V_RETURN(D3DXCreateEffectFromFileW(device, path, nullptr, nullptr, 0, nullptr, &puzzleEffect,
                                       nullptr));
    return S_OK;
}

HRESULT onResetDevice(IDirect3DDevice9* device, const D3DSURFACE_DESC* backBuffer) {
    if (textFont != nullptr) {
        V_RETURN(textFont->OnResetDevice());
    }
    if (puzzleEffect != nullptr) {
        V_RETURN(puzzleEffect->OnResetDevice());
    }
    V_RETURN(fillVertexBuffer());
    V_RETURN(D3DXCreateSprite(device, &textSprite));
    controlPanel.SetLocation(static_cast<int>(backBuffer->Width) - kPanelWidth, 0);
    controlPanel.SetSize(kPanelWidth, static_cast<int>(backBuffer->Height));
    return S_OK;
}

void onLostDevice() {
    if (textFont != nullptr) {
        textFont->OnLostDevice();
    }
    if (puzzleEffect != nullptr) {
        puzzleEffect->OnLostDevice();
    }
    SAFE_RELEASE(textSprite);
}

void onDestroyDevice() {
    SAFE_RELEASE(puzzleEffect);
    SAFE_RELEASE(textFont);
    SAFE_RELEASE(vertexDeclaration);
    SAFE_RELEASE(vertexBuffer);
}

void onFrameMove(IDirect3DDevice9*, double, float) {}

void onKeyboard(UINT, bool, bool) {}

HRESULT fillVertexBuffer() {
    if (vertexBuffer == nullptr) {
        return E_FAIL;
    }
    void* data = nullptr;
    V_RETURN(vertexBuffer->Lock(0, 0, &data, 0));
    if (puzzle != nullptr) {
        puzzle->fillVertices(static_cast<MeshVertex*>(data), kVertexBufferVertices,
                             1.0 / appState->getLineWidth(), appState->isColorFade());
    }
    vertexBuffer->Unlock();
    vertexBufferCurrent = 1;
    return S_OK;
}

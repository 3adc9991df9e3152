// platform_scene: a small program on the framework shell that draws the known scene of
// scene.h through media/Velmonde.fx, a translucent canvas rectangle and a line of text.
// The GL tests run it with -quitafterframe and -screenshot and check the picture. When the
// environment names ORVANTA_SCENE_READY, it creates that file once two frames are drawn; when it
// names ORVANTA_SCENE_SPAN, it writes there the seconds from its first frame to its last.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "d3d9/canvas2d.h"
#include "dxut/dxut.h"
#include "scene.h"

namespace {

IDirect3DVertexDeclaration9* declaration = nullptr;
IDirect3DVertexBuffer9* buffer = nullptr;
ID3DXEffect* effect = nullptr;
ID3DXFont* font = nullptr;
ID3DXSprite* sprite = nullptr;
int framesDrawn = 0;
double firstFrameTime = 0.0;
double lastFrameTime = 0.0;

HRESULT onCreated(IDirect3DDevice9* device, const D3DSURFACE_DESC*, void*) {
    const D3DVERTEXELEMENT9 elements[] = {
        {0, 0, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_POSITION, 0},
        {0, 12, D3DDECLTYPE_D3DCOLOR, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_COLOR, 0},
        D3DDECL_END()};
    V_RETURN(device->CreateVertexDeclaration(elements, &declaration));
    V_RETURN(device->CreateVertexBuffer(sizeof scene::kTriangles, D3DUSAGE_WRITEONLY, 0,
                                        D3DPOOL_MANAGED, &buffer, nullptr));
    void* data = nullptr;
    V_RETURN(buffer->Lock(0, 0, &data, 0));
    std::memcpy(data, scene::kTriangles, sizeof scene::kTriangles);
    V_RETURN(buffer->Unlock());
    V_RETURN(D3DXCreateFontW(device, 15, 0, FW_BOLD, 1, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"Arial", &font));
    WCHAR path[MAX_PATH];
    V_RETURN(DXUTFindDXSDKMediaFileCch(path, MAX_PATH, L"Velmonde.fx"));
    return D3DXCreateEffectFromFileW(device, path, nullptr, nullptr, 0, nullptr, &effect, nullptr);
}

HRESULT onReset(IDirect3DDevice9* device, const D3DSURFACE_DESC*, void*) {
    V_RETURN(font->OnResetDevice());
    V_RETURN(effect->OnResetDevice());
    return D3DXCreateSprite(device, &sprite);
}

void onLost(void*) {
    font->OnLostDevice();
    effect->OnLostDevice();
    SAFE_RELEASE(sprite);
}

void onDestroyed(void*) {
    SAFE_RELEASE(effect);
    SAFE_RELEASE(font);
    SAFE_RELEASE(buffer);
    SAFE_RELEASE(declaration);
}

void onFrameRender(IDirect3DDevice9* device, double time, float, void*) {
    firstFrameTime = framesDrawn == 0 ? time : firstFrameTime;
    lastFrameTime = time;
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, scene::kBackground, 1.0f, 0);
    if (FAILED(device->BeginScene())) {
        return;
    }
    device->SetStreamSource(0, buffer, 0, sizeof(scene::Vertex));
    device->SetVertexDeclaration(declaration);
    const D3DSURFACE_DESC* backBuffer = DXUTGetBackBufferSurfaceDesc();
    const D3DXMATRIX wvp = scene::worldViewProjection(backBuffer->Width, backBuffer->Height);
    effect->SetMatrix("g_mWorldViewProjection", &wvp);
    UINT passes = 0;
    effect->Begin(&passes, 0);
    for (UINT pass = 0; pass < passes; ++pass) {
        effect->BeginPass(pass);
        device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2);
        effect->EndPass();
    }
    effect->End();

    canvasOf(device)->fillRect(scene::kPanel, scene::kPanelColor);
    CDXUTTextHelper text(font, sprite, 15);
    text.Begin();
    text.SetInsertionPos(scene::kTextBox.left, scene::kTextBox.top);
    text.SetForegroundColor(D3DXCOLOR(1.0f, 1.0f, 1.0f, 1.0f));
    text.DrawTextLine(scene::kText);
    text.End();
    device->EndScene();

    if (++framesDrawn == 2) {
        if (const char* ready = std::getenv("ORVANTA_SCENE_READY")) {
            if (std::FILE* marker = std::fopen(ready, "w")) {
                std::fclose(marker);
            }
        }
    }
}

}  // namespace

int main() {
    DXUTSetCallbackDeviceCreated(onCreated);
    DXUTSetCallbackDeviceReset(onReset);
    DXUTSetCallbackDeviceLost(onLost);
    DXUTSetCallbackDeviceDestroyed(onDestroyed);
    DXUTSetCallbackFrameRender(onFrameRender);
    DXUTInit(true, true, true);
    DXUTCreateWindow(L"Orvanta scene");
    DXUTCreateDevice(D3DADAPTER_DEFAULT, true, int(scene::kWidth), int(scene::kHeight));
    DXUTMainLoop();
    if (const char* span = std::getenv("ORVANTA_SCENE_SPAN")) {
        if (std::FILE* file = std::fopen(span, "w")) {
            std::fprintf(file, "%.6f\n", lastFrameTime - firstFrameTime);
            std::fclose(file);
        }
    }
    return DXUTGetExitCode();
}

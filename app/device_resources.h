#pragma once
// The application's side of the device lifecycle: the vertex declaration and buffer of the
// puzzle mesh, the text font and sprite and the puzzle effect, which follow the device; and
// the two panels.

#include "dxut/dxut.h"

class Application;

inline constexpr UINT kVertexBufferVertices = 100000;
inline constexpr UINT kVertexBufferBytes = kVertexBufferVertices * 16;
inline constexpr int kPanelWidth = 305;

// Made on device creation (the sprite on each reset) and released when the device goes.
struct DeviceResources {
    RefPtr<IDirect3DVertexDeclaration9> vertexDeclaration;
    RefPtr<IDirect3DVertexBuffer9> vertexBuffer;
    RefPtr<ID3DXFont> textFont;
    RefPtr<ID3DXSprite> textSprite;
    RefPtr<ID3DXEffect> puzzleEffect;
};

// The two panels stay process-wide: the framework's clean-up at process exit runs the device
// callbacks before static objects are destroyed, so the panels outlive every device object
// however the process ends. controlPanel holds every control of the current screen, rebuilt
// by buildGui; displayPanel, without controls, is drawn each frame.
extern CDXUTDialog controlPanel;
extern CDXUTDialog displayPanel;

bool isDeviceAcceptable(D3DCAPS9* caps, D3DFORMAT adapterFormat, D3DFORMAT backBufferFormat,
                        bool windowed, void* userContext);
void modifyDeviceSettings(DXUTDeviceSettings* settings, const D3DCAPS9* caps, void* userContext);
HRESULT onCreateDevice(IDirect3DDevice9* device, const D3DSURFACE_DESC* backBuffer,
                       void* userContext);
HRESULT onResetDevice(IDirect3DDevice9* device, const D3DSURFACE_DESC* backBuffer,
                      void* userContext);
void onLostDevice(void* userContext);
void onDestroyDevice(void* userContext);
void onFrameMove(IDirect3DDevice9* device, double time, float elapsed, void* userContext);
void onKeyboard(UINT key, bool keyDown, bool altDown, void* userContext);

// Copies the current puzzle's mesh into the vertex buffer and marks it current; a failed lock
// leaves it stale so the next frame tries again.
HRESULT fillVertexBuffer(Application& app);

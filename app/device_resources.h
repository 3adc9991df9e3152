#pragma once
// The application's side of the device lifecycle: the vertex declaration and buffer of the
// puzzle mesh, the text font and sprite, the puzzle effect, and the two process-wide panels.

#include "dxut/dxut.h"

inline constexpr UINT kVertexBufferVertices = 100000;
inline constexpr UINT kVertexBufferBytes = kVertexBufferVertices * 16;
inline constexpr int kPanelWidth = 305;

extern IDirect3DVertexDeclaration9* vertexDeclaration;
extern IDirect3DVertexBuffer9* vertexBuffer;
extern ID3DXFont* textFont;
extern ID3DXSprite* textSprite;
extern ID3DXEffect* puzzleEffect;

// Every control of the current screen; rebuilt by buildGui.
extern CDXUTDialog controlPanel;
// A second panel without controls, drawn each frame.
extern CDXUTDialog displayPanel;

bool isDeviceAcceptable(D3DCAPS9* caps, D3DFORMAT adapterFormat, D3DFORMAT backBufferFormat,
                        bool windowed);
void modifyDeviceSettings(DXUTDeviceSettings* settings, const D3DCAPS9* caps);
HRESULT onCreateDevice(IDirect3DDevice9* device, const D3DSURFACE_DESC* backBuffer);
HRESULT onResetDevice(IDirect3DDevice9* device, const D3DSURFACE_DESC* backBuffer);
void onLostDevice();
void onDestroyDevice();
void onFrameMove(IDirect3DDevice9* device, double time, float elapsed);
void onKeyboard(UINT key, bool keyDown, bool altDown);

// Copies the current puzzle's mesh into the vertex buffer and marks it current; a failed lock
// leaves it stale so the next frame tries again.
HRESULT fillVertexBuffer();

// The known scene that platform_scene draws and the GL tests check, shared so that both
// agree on where everything is.
#pragma once

#include "d3dx9/d3dx9.h"

namespace scene {

inline constexpr UINT kWidth = 320;
inline constexpr UINT kHeight = 240;
inline constexpr D3DCOLOR kBackground = 0x00646464;
inline constexpr D3DCOLOR kNear = 0xFFFF0000;  // red, nearer
inline constexpr D3DCOLOR kFar = 0xFF00FF00;   // green, farther, drawn second
inline constexpr RECT kPanel{10, 10, 60, 40};
inline constexpr D3DCOLOR kPanelColor = 0x80FF0000;  // half-transparent red over the grey
inline constexpr RECT kTextBox{10, 190, 200, 230};
inline constexpr const wchar_t* kText = L"Orvanta";

struct Vertex {
    float x, y, z;
    D3DCOLOR color;
};

// Two triangles that overlap in the middle of the window: the near one runs
// counter-clockwise on screen, the far one clockwise, so culling either winding shows.
inline constexpr Vertex kTriangles[6] = {{-2.0f, -1.5f, 0.0f, kNear}, {0.5f, -1.5f, 0.0f, kNear},
                                         {0.5f, 1.5f, 0.0f, kNear},   {-0.5f, -1.5f, 2.0f, kFar},
                                         {-0.5f, 1.5f, 2.0f, kFar},   {2.0f, -1.5f, 2.0f, kFar}};

// The camera of the application at start: distance 7 on -z, π/4, near 1, far 100.
inline D3DXMATRIX worldViewProjection(UINT width, UINT height) {
    const D3DXVECTOR3 eye(0, 0, -7), at(0, 0, 0), up(0, 1, 0);
    D3DXMATRIX view;
    D3DXMATRIX projection;
    D3DXMatrixLookAtLH(&view, &eye, &at, &up);
    D3DXMatrixPerspectiveFovLH(&projection, 0.7853982f, float(width) / float(height), 1.0f, 100.0f);
    D3DXMATRIX product;
    D3DXMatrixMultiply(&product, &view, &projection);
    return product;
}

}  // namespace scene

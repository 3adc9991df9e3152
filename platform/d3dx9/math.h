// D3DX matrices, vectors and colours. Matrices are 4x4 floats, row-major, for row
// vectors (p' = p * M); view and projection are left-handed, as in Direct3D.
#pragma once

#include "d3d9/types.h"

struct D3DXVECTOR3 {
    float x = 0, y = 0, z = 0;
    D3DXVECTOR3() = default;
    D3DXVECTOR3(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}
};

struct D3DXMATRIX {
    float m[4][4] = {};
    D3DXMATRIX() = default;
    D3DXMATRIX(float m11, float m12, float m13, float m14, float m21, float m22, float m23,
               float m24, float m31, float m32, float m33, float m34, float m41, float m42,
               float m43, float m44);
    float& operator()(int row, int column) { return m[row][column]; }
    float operator()(int row, int column) const { return m[row][column]; }
    D3DXMATRIX operator*(const D3DXMATRIX& other) const;
    bool operator==(const D3DXMATRIX& other) const;
};

// Colour as four floats 0..1; converts to and from D3DCOLOR (0xAARRGGBB).
struct D3DXCOLOR {
    float r = 0, g = 0, b = 0, a = 0;
    D3DXCOLOR() = default;
    D3DXCOLOR(float r_, float g_, float b_, float a_) : r(r_), g(g_), b(b_), a(a_) {}
    D3DXCOLOR(D3DCOLOR argb);   // NOLINT: implicit, as the application passes D3DCOLORs
    operator D3DCOLOR() const;  // each channel clamped to 0..1 and rounded
};

D3DXMATRIX* D3DXMatrixIdentity(D3DXMATRIX* out);
// out = m1 * m2; out may be m1 or m2.
D3DXMATRIX* D3DXMatrixMultiply(D3DXMATRIX* out, const D3DXMATRIX* m1, const D3DXMATRIX* m2);
// View from eye towards at: z = normalise(at - eye), x = normalise(up x z), y = z x x.
D3DXMATRIX* D3DXMatrixLookAtLH(D3DXMATRIX* out, const D3DXVECTOR3* eye, const D3DXVECTOR3* at,
                               const D3DXVECTOR3* up);
// Projection to depth 0 at zn and 1 at zf, fovy the vertical field of view in radians.
D3DXMATRIX* D3DXMatrixPerspectiveFovLH(D3DXMATRIX* out, float fovy, float aspect, float zn,
                                       float zf);

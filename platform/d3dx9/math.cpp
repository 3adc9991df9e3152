#include "d3dx9/math.h"

#include <algorithm>
#include <cmath>

namespace {

struct Vector {
    double x, y, z;
};

Vector operator-(const Vector& a, const Vector& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
double dot(const Vector& a, const Vector& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vector cross(const Vector& a, const Vector& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
// A zero vector stays zero rather than becoming NaNs.
Vector normalize(const Vector& v) {
    const double length = std::sqrt(dot(v, v));
    return length > 0 ? Vector{v.x / length, v.y / length, v.z / length} : v;
}
Vector widen(const D3DXVECTOR3& v) {
    return {v.x, v.y, v.z};
}

std::uint32_t channel(float value) {
    return static_cast<std::uint32_t>(std::clamp(value, 0.0f, 1.0f) * 255.0f + 0.5f);
}

}  // namespace

D3DXMATRIX::D3DXMATRIX(float m11, float m12, float m13, float m14, float m21, float m22, float m23,
                       float m24, float m31, float m32, float m33, float m34, float m41, float m42,
                       float m43, float m44)
    : m{{m11, m12, m13, m14}, {m21, m22, m23, m24}, {m31, m32, m33, m34}, {m41, m42, m43, m44}} {}

D3DXMATRIX D3DXMATRIX::operator*(const D3DXMATRIX& other) const {
    D3DXMATRIX product;
    D3DXMatrixMultiply(&product, this, &other);
    return product;
}

bool D3DXMATRIX::operator==(const D3DXMATRIX& other) const {
    return std::equal(&m[0][0], &m[0][0] + 16, &other.m[0][0]);
}

D3DXCOLOR::D3DXCOLOR(D3DCOLOR argb)
    : r(float((argb >> 16) & 0xFF) / 255.0f),
      g(float((argb >> 8) & 0xFF) / 255.0f),
      b(float(argb & 0xFF) / 255.0f),
      a(float((argb >> 24) & 0xFF) / 255.0f) {}

D3DXCOLOR::operator D3DCOLOR() const {
    return (channel(a) << 24) | (channel(r) << 16) | (channel(g) << 8) | channel(b);
}

D3DXMATRIX* D3DXMatrixIdentity(D3DXMATRIX* out) {
    *out = D3DXMATRIX(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
    return out;
}

D3DXMATRIX* D3DXMatrixMultiply(D3DXMATRIX* out, const D3DXMATRIX* m1, const D3DXMATRIX* m2) {
    D3DXMATRIX product;  // a separate result, so out may alias either factor
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            float sum = 0;
            for (int k = 0; k < 4; ++k) {
                sum += m1->m[row][k] * m2->m[k][column];
            }
            product.m[row][column] = sum;
        }
    }
    *out = product;
    return out;
}

D3DXMATRIX* D3DXMatrixLookAtLH(D3DXMATRIX* out, const D3DXVECTOR3* eye, const D3DXVECTOR3* at,
                               const D3DXVECTOR3* up) {
    const Vector e = widen(*eye);
    const Vector z = normalize(widen(*at) - e);
    const Vector x = normalize(cross(widen(*up), z));
    const Vector y = cross(z, x);
    *out = D3DXMATRIX(float(x.x), float(y.x), float(z.x), 0,  //
                      float(x.y), float(y.y), float(z.y), 0,  //
                      float(x.z), float(y.z), float(z.z), 0,  //
                      float(-dot(x, e)), float(-dot(y, e)), float(-dot(z, e)), 1);
    return out;
}

D3DXMATRIX* D3DXMatrixPerspectiveFovLH(D3DXMATRIX* out, float fovy, float aspect, float zn,
                                       float zf) {
    const double yScale = 1.0 / std::tan(double(fovy) / 2.0);
    const double xScale = yScale / aspect;
    const double depth = double(zf) / (double(zf) - double(zn));
    *out = D3DXMATRIX(float(xScale), 0, 0, 0,  //
                      0, float(yScale), 0, 0,  //
                      0, 0, float(depth), 1,   //
                      0, 0, float(-zn * depth), 0);
    return out;
}

// The camera looks at the origin from `eye` at `distance`, with `up`; `right` = up x eye, so
// it points to the viewer's left. Dragging orbits (left button) or rolls (right button); the
// arrow keys zoom. Each product and sum is formed in double and stored back per component as
// a float.

#include <cmath>

#include "app_state.h"

namespace {

constexpr double kOrbitPixels = 28.0;
constexpr double kRollPixels = 150.0;
constexpr double kZoomStep = 0.1;
constexpr double kNearest = 3.0;
constexpr double kFarthest = 10.0;
// The drawn projection's vertical field of view is pi/4: half its height at distance d is
// d tan(pi/8).
const double kTanHalfFov = std::tan(3.14159265358979323846 / 8.0);

// v += w * s, per component in double.
void addScaled(Vec3f& v, const Vec3f& w, double s) {
    v.x = static_cast<float>(static_cast<double>(v.x) + static_cast<double>(w.x) * s);
    v.y = static_cast<float>(static_cast<double>(v.y) + static_cast<double>(w.y) * s);
    v.z = static_cast<float>(static_cast<double>(v.z) + static_cast<double>(w.z) * s);
}

void scale(Vec3f& v, double s) {
    v.x = static_cast<float>(static_cast<double>(v.x) * s);
    v.y = static_cast<float>(static_cast<double>(v.y) * s);
    v.z = static_cast<float>(static_cast<double>(v.z) * s);
}

}  // namespace

void AppState::setLastMouse(int32_t y, int32_t x) {
    lastMouseY = y;
    lastMouseX = x;
}

void AppState::placeEye() {
    normalizeVec3f(eye);
    scale(eye, distance);
}

void AppState::orbitCamera(int32_t y, int32_t x) {
    const int32_t dy = y - lastMouseY;
    const int32_t dx = x - lastMouseX;
    addScaled(eye, up, dy / kOrbitPixels);
    placeEye();
    cross3f(eye, right, up);
    normalizeVec3f(up);
    addScaled(eye, right, dx / kOrbitPixels);
    placeEye();
    cross3f(up, eye, right);
    normalizeVec3f(right);
    lastMouseY = y;
    lastMouseX = x;
}

void AppState::rollCamera(int32_t y, int32_t x) {
    const int32_t dy = y - lastMouseY;
    const int32_t dx = x - lastMouseX;
    // Only the larger mouse component acts; a tie counts as vertical.
    if (std::abs(dx) <= std::abs(dy)) {
        addScaled(up, right, -dy / kRollPixels);
        normalizeVec3f(up);
        cross3f(up, eye, right);
        normalizeVec3f(right);
    } else {
        addScaled(right, up, -dx / kRollPixels);
        normalizeVec3f(right);
        cross3f(eye, right, up);
        normalizeVec3f(up);
    }
    lastMouseY = y;
    lastMouseX = x;
}

void AppState::zoomOut() {
    if (distance < kFarthest) {
        distance += kZoomStep;
    }
    placeEye();
}

void AppState::zoomIn() {
    if (distance > kNearest) {
        distance -= kZoomStep;
    }
    placeEye();
}

void AppState::computePickRay(int32_t y, int32_t x) {
    rayOrigin = {eye.x, eye.y, eye.z};
    const double a = static_cast<double>(y) / windowHeight - 0.5;
    const double b = static_cast<double>(x) / windowWidth - 0.5;
    // Through the pixel under the cursor, on the plane through the origin facing the camera,
    // for the projection that is drawn (vertical field of view pi/4, the window's aspect).
    const double across = -2.0 * kTanHalfFov * getAspectRatio() * distance * b;
    const double down = -2.0 * kTanHalfFov * distance * a;
    rayTarget = {right.x * across + up.x * down, right.y * across + up.y * down,
                 right.z * across + up.z * down};
}

void AppState::setWindowSize(int32_t height, int32_t width) {
    if (height <= 0 || width <= 0) {
        return;
    }
    windowHeight = height;
    windowWidth = width;
}

double AppState::getAspectRatio() const {
    return static_cast<double>(windowWidth) / static_cast<double>(windowHeight);
}

void AppState::getViewMatrix(D3DXMATRIX& out) {
    const D3DXVECTOR3 from(eye.x, eye.y, eye.z);
    const D3DXVECTOR3 at(0.0f, 0.0f, 0.0f);
    const D3DXVECTOR3 upward(up.x, up.y, up.z);
    D3DXMatrixLookAtLH(&viewMatrix, &from, &at, &upward);
    out = viewMatrix;
}

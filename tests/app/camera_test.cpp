#include <cmath>
#include <random>

#include "app_state.h"
#include "app_test_support.h"

namespace {

double length(const Vec3f& v) {
    return std::sqrt(double(v.x) * v.x + double(v.y) * v.y + double(v.z) * v.z);
}
double dot(const Vec3f& a, const Vec3f& b) {
    return double(a.x) * b.x + double(a.y) * b.y + double(a.z) * b.z;
}

}  // namespace

using Camera = InScratchDirectory;

TEST_F(Camera, StartAndOrbit) {
    EXPECT_FLOAT_EQ(appState->getRight().x, -1.0f);
    appState->setLastMouse(100, 100);
    appState->orbitCamera(128, 100);
    const Vec3f& eye = appState->getEye();
    EXPECT_NEAR(eye.x, 0.0, 1e-6);
    EXPECT_NEAR(eye.y, 7.0 / std::sqrt(50.0), 1e-5);  // (0, 1, -7) rescaled to length 7
    EXPECT_NEAR(eye.z, -49.0 / std::sqrt(50.0), 1e-5);
    EXPECT_NEAR(appState->getUp().y, 0.98995, 1e-4);
    EXPECT_NEAR(appState->getUp().z, 0.14142, 1e-4);
    EXPECT_FLOAT_EQ(appState->getRight().x, -1.0f);
}

TEST_F(Camera, RollUsesTheLargerComponent) {
    appState->setLastMouse(0, 0);
    appState->rollCamera(-3, 3);  // tie: vertical, up tilts along right by 3/150
    EXPECT_NEAR(appState->getUp().x, -0.02, 1e-4);
    EXPECT_EQ(appState->getEye().z, -7.0f);
    AppState other;
    other.setLastMouse(0, 0);
    other.rollCamera(3, 4);  // horizontal: right tilts against up
    EXPECT_LT(other.getRight().y, 0.0f);
    EXPECT_NEAR(other.getUp().x, -0.0267, 1e-3);
}

TEST_F(Camera, ZoomStopsOneStepBeyondItsBounds) {
    for (int i = 0; i < 100; ++i)
        appState->zoomOut();
    EXPECT_NEAR(appState->getDistance(), 10.0, 0.1001);
    EXPECT_GE(appState->getDistance(), 10.0 - 1e-9);
    EXPECT_NEAR(length(appState->getEye()), appState->getDistance(), 1e-5);
    for (int i = 0; i < 200; ++i)
        appState->zoomIn();
    EXPECT_LE(appState->getDistance(), 3.0 + 1e-9);
    EXPECT_GT(appState->getDistance(), 2.85);
}

TEST_F(Camera, StaysOrthonormalAfterManyDrags) {
    std::mt19937 rng(5);
    std::uniform_int_distribution<int32_t> step(-40, 40);
    int32_t y = 300, x = 400;
    appState->setLastMouse(y, x);
    for (int i = 0; i < 1000; ++i) {
        y += step(rng);
        x += step(rng);
        if (i % 3 == 0)
            appState->rollCamera(y, x);
        else
            appState->orbitCamera(y, x);
    }
    const Vec3f& e = appState->getEye();
    const Vec3f& u = appState->getUp();
    const Vec3f& r = appState->getRight();
    EXPECT_NEAR(length(u), 1.0, 1e-5);
    EXPECT_NEAR(length(r), 1.0, 1e-5);
    EXPECT_NEAR(length(e), 7.0, 1e-4);
    EXPECT_NEAR(dot(u, r), 0.0, 1e-4);
    EXPECT_NEAR(dot(u, e) / 7.0, 0.0, 1e-4);
    EXPECT_NEAR(dot(r, e) / 7.0, 0.0, 1e-4);
}

TEST_F(Camera, ViewMatrixAtStart) {
    D3DXMATRIX view;
    appState->getViewMatrix(view);
    // x axis = up x z = (0,1,0) x (0,0,1) = (1,0,0); the eye sits 7 behind the origin.
    EXPECT_FLOAT_EQ(view(0, 0), 1.0f);
    EXPECT_FLOAT_EQ(view(1, 1), 1.0f);
    EXPECT_FLOAT_EQ(view(2, 2), 1.0f);
    EXPECT_FLOAT_EQ(view(3, 2), 7.0f);
    EXPECT_FLOAT_EQ(view(3, 0), 0.0f);
}

TEST_F(Camera, PickRayGoesThroughThePixelUnderTheCursor) {
    appState->setWindowSize(600, 800);
    EXPECT_NEAR(appState->getAspectRatio(), 4.0 / 3.0, 1e-12);
    appState->computePickRay(300, 400);
    EXPECT_NEAR(appState->getRayTarget().x, 0.0, 1e-12);
    EXPECT_NEAR(appState->getRayTarget().y, 0.0, 1e-12);
    EXPECT_EQ(appState->getRayOrigin().z, -7.0);

    // Every corner of the window projects onto the corner of the view frustum.
    D3DXMATRIX view, projection, both;
    appState->getViewMatrix(view);
    D3DXMatrixPerspectiveFovLH(&projection, 3.14159265f / 4, 800.0f / 600.0f, 1.0f, 100.0f);
    D3DXMatrixMultiply(&both, &view, &projection);
    const int32_t corners[][2] = {{0, 0}, {0, 800}, {600, 0}, {600, 800}, {150, 600}};
    for (auto [y, x] : corners) {
        appState->computePickRay(y, x);
        const Vec3& t = appState->getRayTarget();
        float p[4];
        for (int c = 0; c < 4; ++c)
            p[c] = float(t.x) * both(0, c) + float(t.y) * both(1, c) + float(t.z) * both(2, c) +
                   both(3, c);
        EXPECT_NEAR(p[0] / p[3], 2.0 * x / 800 - 1.0, 1e-5) << y << "," << x;
        EXPECT_NEAR(p[1] / p[3], 1.0 - 2.0 * y / 600, 1e-5) << y << "," << x;
    }
    // A minimised window keeps its last size.
    appState->setWindowSize(0, 0);
    EXPECT_EQ(appState->getWindowHeight(), 600);
}

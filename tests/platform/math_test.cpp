// D3DX matrix functions against values worked out by hand.
#include "d3dx9/math.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr float kTolerance = 1e-6f;

void expectMatrix(const D3DXMATRIX& actual, const float (&expected)[4][4]) {
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            EXPECT_NEAR(actual(r, c), expected[r][c], kTolerance) << "row " << r << " column " << c;
        }
    }
}

TEST(MatrixLookAtLH, FromTheStartingCameraIsATranslationBySeven) {
    const D3DXVECTOR3 eye(0, 0, -7), at(0, 0, 0), up(0, 1, 0);
    D3DXMATRIX view;
    EXPECT_EQ(D3DXMatrixLookAtLH(&view, &eye, &at, &up), &view);
    expectMatrix(view, {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 7, 1}});
}

TEST(MatrixLookAtLH, FromAnObliqueEyeHasRotatedAxesAndTheDistanceInRowFour) {
    // z = (-1, 0, 1)/sqrt2, x = up x z = (1, 0, 1)/sqrt2, y = z x x = (0, 1, 0).
    const D3DXVECTOR3 eye(2, 0, -2), at(0, 0, 0), up(0, 1, 0);
    D3DXMATRIX view;
    D3DXMatrixLookAtLH(&view, &eye, &at, &up);
    const float a = 1.0f / std::sqrt(2.0f);
    expectMatrix(view, {{a, 0, -a, 0}, {0, 1, 0, 0}, {a, 0, a, 0}, {0, 0, 2 * std::sqrt(2.0f), 1}});
}

TEST(MatrixPerspectiveFovLH, QuarterPiFourThirdsNearOneFarHundred) {
    D3DXMATRIX projection;
    D3DXMatrixPerspectiveFovLH(&projection, 0.7853982f, 4.0f / 3.0f, 1.0f, 100.0f);
    const float yScale = 1.0f + std::sqrt(2.0f);  // cot(pi/8)
    const float xScale = yScale * 3.0f / 4.0f;
    const float depth = 100.0f / 99.0f;
    expectMatrix(projection,
                 {{xScale, 0, 0, 0}, {0, yScale, 0, 0}, {0, 0, depth, 1}, {0, 0, -depth, 0}});

    // Depth 0 on the near plane and 1 on the far plane (row vector times matrix).
    auto depthAt = [&](float z) {
        return (z * projection(2, 2) + projection(3, 2)) / (z * projection(2, 3));
    };
    EXPECT_NEAR(depthAt(1.0f), 0.0f, kTolerance);
    EXPECT_NEAR(depthAt(100.0f), 1.0f, kTolerance);
}

TEST(MatrixMultiply, RowVectorOrderAndSafeWhenTheOutputIsAFactor) {
    const D3DXMATRIX a(1, 2, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 3, 0, 0, 1);
    const D3DXMATRIX b(0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 2, 0, 0, 0, 5, 1);
    D3DXMATRIX product;
    D3DXMatrixMultiply(&product, &a, &b);
    expectMatrix(product, {{-2, 1, 0, 0}, {-1, 0, 0, 0}, {0, 0, 2, 0}, {0, 3, 5, 1}});

    D3DXMATRIX left = a;
    D3DXMatrixMultiply(&left, &left, &b);
    EXPECT_EQ(left, product);
    D3DXMATRIX right = b;
    D3DXMatrixMultiply(&right, &a, &right);
    EXPECT_EQ(right, product);
    D3DXMATRIX square = a;
    D3DXMatrixMultiply(&square, &square, &square);
    EXPECT_EQ(square, a * a);
}

TEST(MatrixIdentity, LeavesEveryMatrixUnchanged) {
    D3DXMATRIX identity;
    D3DXMatrixIdentity(&identity);
    const D3DXMATRIX m(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16);
    EXPECT_EQ(m * identity, m);
    EXPECT_EQ(identity * m, m);
}

TEST(Color, ConvertsBetweenFloatsAndArgbWithRoundingAndClamping) {
    EXPECT_EQ(D3DCOLOR(D3DXCOLOR(1, 1, 1, 1)), 0xFFFFFFFFu);
    EXPECT_EQ(D3DCOLOR(D3DXCOLOR(1.5f, -1, 0.5f, 0)), 0x00FF0080u);
    const D3DXCOLOR red(D3DCOLOR(0x80FF0000u));
    EXPECT_FLOAT_EQ(red.r, 1.0f);
    EXPECT_FLOAT_EQ(red.a, 128.0f / 255.0f);
    EXPECT_EQ(D3DCOLOR(red), 0x80FF0000u);
}

}  // namespace

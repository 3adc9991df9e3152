// Fonts with the real FreeType and fontconfig, headless: faces, measuring and text drawn on
// a recording device; and the text helper that writes lines with them.
#include <gtest/gtest.h>

#include "d3d9/recording/recording_backend.h"
#include "d3dx9/font_face.h"
#include "dxut/dxut.h"

namespace {

IDirect3DDevice9* makeRecordingDevice() {
    D3DPRESENT_PARAMETERS parameters{};
    parameters.BackBufferWidth = 800;
    parameters.BackBufferHeight = 600;
    return IDirect3DDevice9::create(std::make_unique<RecordingBackend>(), parameters, 0);
}

ID3DXFont* makeFont(IDirect3DDevice9* device, int height, UINT weight = FW_BOLD) {
    ID3DXFont* font = nullptr;
    EXPECT_EQ(
        D3DXCreateFontW(device, height, 0, weight, 1, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                        DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"Arial", &font),
        S_OK);
    return font;
}

TEST(Font, ArialBoldResolvesToAMetricCompatibleFaceOfTheAskedHeight) {
    std::string error;
    const auto face = FontFace::get(L"Arial", 15, FW_BOLD, false, error);
    ASSERT_TRUE(face) << error;
    EXPECT_NE(face->file().find("LiberationSans-Bold"), std::string::npos) << face->file();
    EXPECT_EQ(face->lineHeight(), 15);
    EXPECT_GT(face->ascent(), 9);
    EXPECT_LT(face->ascent(), 15);
    EXPECT_EQ(FontFace::get(L"Arial", 15, FW_BOLD, false, error), face) << "faces are shared";
}

TEST(Font, MeasuresWithoutADevice) {
    ID3DXFont* font = makeFont(nullptr, 15);
    ASSERT_NE(font, nullptr);
    const int a = font->measureTextWidth(L"a");
    const int b = font->measureTextWidth(L"b");
    EXPECT_GT(a, 0);
    EXPECT_EQ(font->measureTextWidth(L"ab"), a + b);
    EXPECT_EQ(font->measureTextWidth(L"abc", 2), a + b);
    EXPECT_GT(font->measureTextWidth(L"WWW"), font->measureTextWidth(L"iii"));
    EXPECT_EQ(font->lineHeight(), 15);

    ID3DXFont* big = makeFont(nullptr, 35);
    EXPECT_GT(big->measureTextWidth(L"ab"), 2 * (a + b));
    big->Release();
    font->Release();
}

TEST(Font, CalcRectGivesTheBoxWithoutADevice) {
    ID3DXFont* font = makeFont(nullptr, 15);
    RECT rect{10, 20, 400, 300};
    EXPECT_EQ(font->DrawTextW(nullptr, L"Puzzle saved\nagain", -1, &rect, DT_CALCRECT, 0xFFFFFFFF),
              30);
    EXPECT_EQ(rect.left, 10);
    EXPECT_EQ(rect.top, 20);
    EXPECT_EQ(rect.right, 10 + font->measureTextWidth(L"Puzzle saved"));
    EXPECT_EQ(rect.bottom, 50);
    font->Release();
}

TEST(Font, RefusesWhatItCannotHonour) {
    ID3DXFont* font = nullptr;
    EXPECT_EQ(D3DXCreateFontW(nullptr, 15, 8, FW_BOLD, 1, FALSE, 0, 0, 0, 0, L"Arial", &font),
              D3DERR_INVALIDCALL)
        << "a glyph width of its own is not offered";
    EXPECT_EQ(D3DXCreateFontW(nullptr, 0, 0, FW_BOLD, 1, FALSE, 0, 0, 0, 0, L"Arial", &font),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(font, nullptr);
}

TEST(Font, DeviceFreeFontDrawsOnTheDeviceWhoseSceneIsOpen) {
    IDirect3DDevice9* device = makeRecordingDevice();
    ID3DXFont* font = makeFont(nullptr, 15);
    RECT rect{0, 0, 100, 40};
    EXPECT_EQ(font->DrawTextW(nullptr, L"Undo Move", -1, &rect, DT_CENTER | DT_VCENTER, 0xFF000000),
              0)
        << "no scene, no device: nothing drawn";
    device->BeginScene();
    EXPECT_EQ(font->DrawTextW(nullptr, L"Undo Move", -1, &rect, DT_CENTER | DT_VCENTER, 0xFF000000),
              15);
    device->EndScene();
    const RecordedCall* drawn = device->recording()->last("ID3DXFont::DrawTextW");
    ASSERT_NE(drawn, nullptr);
    EXPECT_EQ(drawn->text, L"Undo Move");
    EXPECT_EQ(drawn->numbers,
              (std::vector<double>{0, 0, 100, 40, DT_CENTER | DT_VCENTER, 0xFF000000u, 15}));
    font->Release();
    EXPECT_EQ(device->Release(), 0u);
}

TEST(Font, ResetAndLostAreRecordedOnTheFontsDevice) {
    IDirect3DDevice9* device = makeRecordingDevice();
    ID3DXFont* font = makeFont(device, 15);
    font->OnLostDevice();
    font->OnResetDevice();
    EXPECT_EQ(device->recording()->count("ID3DXFont::OnLostDevice"), 1u);
    EXPECT_EQ(device->recording()->count("ID3DXFont::OnResetDevice"), 1u);
    EXPECT_EQ(device->Release(), 1u) << "the font holds its device";
    font->Release();
}

TEST(TextHelper, WritesLinesDownwardsInsideTheSpriteBatch) {
    IDirect3DDevice9* device = makeRecordingDevice();
    ID3DXFont* font = makeFont(device, 15);
    ID3DXSprite* sprite = nullptr;
    ASSERT_EQ(D3DXCreateSprite(device, &sprite), S_OK);
    device->recording()->clear();
    {
        CDXUTTextHelper text(font, sprite, 15);
        text.Begin();
        text.SetInsertionPos(5, 5);
        text.SetForegroundColor(D3DXCOLOR(1.0f, 1.0f, 1.0f, 1.0f));
        EXPECT_EQ(text.DrawTextLine(L"first"), S_OK);
        EXPECT_EQ(text.DrawFormattedTextLine(L"%s %d", L"moves", 7), S_OK);
        text.End();
    }
    const Recording& log = *device->recording();
    EXPECT_EQ(log.names(), (std::vector<std::string>{"ID3DXSprite::Begin", "ID3DXFont::DrawTextW",
                                                     "ID3DXFont::DrawTextW", "ID3DXSprite::End"}));
    EXPECT_EQ(log.calls()[1].numbers[1], 5.0);
    EXPECT_EQ(log.calls()[2].numbers[1], 20.0);
    EXPECT_EQ(log.calls()[2].text, L"moves 7");
    EXPECT_EQ(log.calls()[2].numbers[5], double(0xFFFFFFFFu));
    EXPECT_EQ(log.calls()[1].result, S_OK);
    sprite->Release();
    font->Release();
    EXPECT_EQ(device->Release(), 0u);
}

}  // namespace

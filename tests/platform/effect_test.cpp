// Effect files: parsing, and the effect's calls on a recording device.
#include <gtest/gtest.h>

#include <fstream>

#include "d3d9/recording/recording_backend.h"
#include "d3dx9/d3dx9.h"
#include "win32/utf8.h"

namespace {

const std::wstring kVelmonde = wideFromUtf8(ORVANTA_SOURCE_MEDIA "/Velmonde.fx");

TEST(EffectFile, VelmondeDrawsWithDepthLessEqualNoCullingNoBlending) {
    std::ifstream file(ORVANTA_SOURCE_MEDIA "/Velmonde.fx");
    const std::string text((std::istreambuf_iterator<char>(file)),
                           std::istreambuf_iterator<char>());
    EffectDescription effect;
    std::string error;
    ASSERT_TRUE(parseEffect(text, effect, error)) << error;
    EXPECT_EQ(effect.matrixParameters, std::vector<std::string>{"g_mWorldViewProjection"});
    ASSERT_EQ(effect.techniques.size(), 1u);
    ASSERT_EQ(effect.techniques[0].passes.size(), 1u);
    const PassStates& states = effect.techniques[0].passes[0].states;
    EXPECT_TRUE(states.depthTest);
    EXPECT_EQ(states.depthFunction, CompareFunction::lessEqual);
    EXPECT_TRUE(states.depthWrite);
    EXPECT_EQ(states.cull, CullMode::none);
    EXPECT_FALSE(states.blend);
    EXPECT_FALSE(states.wireframe.has_value()) << "the wireframe hotkey must reach it";
}

TEST(EffectFile, UnsetStatesTakeDirect3DDefaultsAndBlendTakesTwoFactors) {
    const char* text =
        "shader vertex v\nvoid main() {}\nend shader\n"
        "shader fragment f\nvoid main() {}\nend shader\n"
        "technique t\npass a\nvertex v\nfragment f\n"
        "pass b\n  vertex v\n  fragment f\n  blend source_alpha inverse_source_alpha\n"
        "  fill wireframe\n";
    EffectDescription effect;
    std::string error;
    ASSERT_TRUE(parseEffect(text, effect, error)) << error;
    const PassStates& a = effect.techniques[0].passes[0].states;
    EXPECT_EQ(a.cull, CullMode::counterClockwise);
    EXPECT_EQ(a.depthFunction, CompareFunction::lessEqual);
    const PassStates& b = effect.techniques[0].passes[1].states;
    EXPECT_TRUE(b.blend);
    EXPECT_EQ(b.sourceBlend, BlendFactor::sourceAlpha);
    EXPECT_EQ(b.destinationBlend, BlendFactor::inverseSourceAlpha);
    EXPECT_EQ(b.wireframe, std::optional<bool>(true));
    EXPECT_EQ(effect.techniques[0].passes[1].vertexSource, "void main() {}\n");
}

TEST(EffectFile, RefusalsNameTheLine) {
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"", "line 0: no technique"},
        {"technique t\n", "line 1: technique t has no pass"},
        {"technique t\npass p\ncull sideways\n", "line 3: unknown pass state \"cull sideways\""},
        {"depth_test on\n", "line 1: \"depth_test\" outside a pass"},
        {"shader vertex v\nvoid main() {}\n", "line 1: shader v has no \"end shader\""},
        {"technique t\n\npass p\nvertex v\n",
         "line 3: pass p needs a defined vertex and fragment shader"},
        {"parameter float3 x\n", "line 1: expected \"parameter float4x4 NAME\""},
    };
    for (const auto& c : cases) {
        EffectDescription effect;
        std::string error;
        EXPECT_FALSE(parseEffect(c.text, effect, error)) << c.text;
        EXPECT_EQ(error, c.error);
    }
}

class EffectOnRecordingDevice : public ::testing::Test {
  protected:
    void SetUp() override {
        D3DPRESENT_PARAMETERS parameters{};
        parameters.BackBufferWidth = 640;
        parameters.BackBufferHeight = 480;
        device = IDirect3DDevice9::create(std::make_unique<RecordingBackend>(), parameters, 0);
        ASSERT_EQ(D3DXCreateEffectFromFileW(device, kVelmonde.c_str(), nullptr, nullptr, 0, nullptr,
                                            &effect, nullptr),
                  S_OK);
        device->recording()->clear();
    }
    void TearDown() override {
        if (effect != nullptr) {
            effect->Release();
        }
        EXPECT_EQ(device->Release(), 0u);
    }
    IDirect3DDevice9* device = nullptr;
    ID3DXEffect* effect = nullptr;
};

TEST_F(EffectOnRecordingDevice, PassesFramePrimitiveDrawsAndRecordsTheMatrix) {
    D3DXMATRIX m(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16);
    ASSERT_EQ(effect->SetMatrix("g_mWorldViewProjection", &m), S_OK);
    UINT passes = 0;
    ASSERT_EQ(effect->Begin(&passes, 0), S_OK);
    ASSERT_EQ(passes, 1u);
    EXPECT_EQ(effect->Begin(&passes, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(effect->BeginPass(1), D3DERR_INVALIDCALL);
    ASSERT_EQ(effect->BeginPass(0), S_OK);
    EXPECT_EQ(effect->End(), D3DERR_INVALIDCALL) << "a pass is still open";
    ASSERT_EQ(effect->EndPass(), S_OK);
    ASSERT_EQ(effect->End(), S_OK);

    const RecordedCall* set = device->recording()->last("ID3DXEffect::SetMatrix");
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(set->text, L"g_mWorldViewProjection");
    EXPECT_EQ(set->numbers.size(), 16u);
    EXPECT_EQ(set->numbers[4], 5.0) << "row-major, as the application wrote it";
}

TEST_F(EffectOnRecordingDevice, UnknownParameterIsRefused) {
    D3DXMATRIX m;
    EXPECT_EQ(effect->SetMatrix("g_mWorld", &m), D3DERR_INVALIDCALL);
    EXPECT_EQ(effect->SetMatrix(nullptr, &m), D3DERR_INVALIDCALL);
}

TEST_F(EffectOnRecordingDevice, LostEffectRefusesBeginUntilReset) {
    ASSERT_EQ(effect->OnLostDevice(), S_OK);
    UINT passes = 0;
    EXPECT_EQ(effect->Begin(&passes, 0), D3DERR_INVALIDCALL);
    ASSERT_EQ(effect->OnResetDevice(), S_OK);
    EXPECT_EQ(effect->Begin(&passes, 0), S_OK);
    EXPECT_EQ(effect->End(), S_OK);
}

TEST(EffectCreation, MissingOrBrokenFileFailsAndSaysWhichFile) {
    D3DPRESENT_PARAMETERS parameters{};
    parameters.BackBufferWidth = 64;
    parameters.BackBufferHeight = 64;
    IDirect3DDevice9* device =
        IDirect3DDevice9::create(std::make_unique<RecordingBackend>(), parameters, 0);
    ID3DXEffect* effect = nullptr;
    ID3DXBuffer* errors = nullptr;
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(D3DXCreateEffectFromFileW(device, L"/nonexistent/Velmonde.fx", nullptr, nullptr, 0,
                                        nullptr, &effect, &errors),
              HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("/nonexistent/Velmonde.fx"),
              std::string::npos);
    EXPECT_EQ(effect, nullptr);
    ASSERT_NE(errors, nullptr);
    EXPECT_NE(
        std::string(static_cast<const char*>(errors->GetBufferPointer())).find("cannot be opened"),
        std::string::npos);
    errors->Release();

    const std::string broken = ::testing::TempDir() + "broken.fx";
    std::ofstream(broken) << "technique t\n";
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(D3DXCreateEffectFromFileW(device, wideFromUtf8(broken).c_str(), nullptr, nullptr, 0,
                                        nullptr, &effect, nullptr),
              D3DXERR_INVALIDDATA);
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("broken.fx: line 1"),
              std::string::npos);
    EXPECT_EQ(device->Release(), 0u);
}

}  // namespace

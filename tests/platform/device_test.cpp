// The device's checks, on a recording device: what is refused, what is recorded.
#include <gtest/gtest.h>

#include <cstring>

#include "d3d9/canvas2d.h"
#include "d3d9/d3d9.h"
#include "d3d9/recording/recording_backend.h"

namespace {

// The application's vertex: three floats, then a colour.
struct Vertex {
    float x, y, z;
    D3DCOLOR color;
};

const D3DVERTEXELEMENT9 kVertexElements[] = {
    {0, 0, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_POSITION, 0},
    {0, 12, D3DDECLTYPE_D3DCOLOR, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_COLOR, 0},
    D3DDECL_END()};

class RecordingDevice : public ::testing::Test {
  protected:
    void SetUp() override {
        D3DPRESENT_PARAMETERS parameters{};
        parameters.BackBufferWidth = 800;
        parameters.BackBufferHeight = 600;
        device = IDirect3DDevice9::create(std::make_unique<RecordingBackend>(), parameters, 0);
        ASSERT_NE(device, nullptr);
        log = device->recording();
    }
    void TearDown() override {
        if (declaration != nullptr) {
            declaration->Release();
        }
        if (buffer != nullptr) {
            buffer->Release();
        }
        EXPECT_EQ(device->Release(), 0u) << "every object released its device";
    }
    void makeBuffer(UINT vertices) {
        ASSERT_EQ(device->CreateVertexDeclaration(kVertexElements, &declaration), S_OK);
        ASSERT_EQ(device->CreateVertexBuffer(vertices * sizeof(Vertex), D3DUSAGE_WRITEONLY, 0,
                                             D3DPOOL_MANAGED, &buffer, nullptr),
                  S_OK);
        ASSERT_EQ(device->SetStreamSource(0, buffer, 0, sizeof(Vertex)), S_OK);
        ASSERT_EQ(device->SetVertexDeclaration(declaration), S_OK);
    }

    IDirect3DDevice9* device = nullptr;
    Recording* log = nullptr;
    IDirect3DVertexDeclaration9* declaration = nullptr;
    IDirect3DVertexBuffer9* buffer = nullptr;
};

TEST_F(RecordingDevice, DeclarationOffersPositionAndColourOnly) {
    IDirect3DVertexDeclaration9* made = nullptr;
    ASSERT_EQ(device->CreateVertexDeclaration(kVertexElements, &made), S_OK);
    ASSERT_EQ(made->attributes().size(), 2u);
    EXPECT_EQ(made->attributes()[1].location, 1u);
    EXPECT_TRUE(made->attributes()[1].bgraBytes);
    EXPECT_EQ(made->extent(), 16u);
    made->Release();

    const D3DVERTEXELEMENT9 texture[] = {
        {0, 0, D3DDECLTYPE_FLOAT2, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_TEXCOORD, 0}, D3DDECL_END()};
    EXPECT_EQ(device->CreateVertexDeclaration(texture, &made), D3DERR_INVALIDCALL);
    EXPECT_EQ(made, nullptr);
    const D3DVERTEXELEMENT9 secondStream[] = {
        {1, 0, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_POSITION, 0}, D3DDECL_END()};
    EXPECT_EQ(device->CreateVertexDeclaration(secondStream, &made), D3DERR_INVALIDCALL);
}

TEST_F(RecordingDevice, ManagedBufferKeepsWhatWasWrittenAndRefusesBadLocks) {
    makeBuffer(4);
    void* data = nullptr;
    ASSERT_EQ(buffer->Lock(0, 0, &data, 0), S_OK);
    const Vertex written{1.0f, 2.0f, 3.0f, 0xFF102030u};
    std::memcpy(static_cast<std::uint8_t*>(data) + sizeof(Vertex), &written, sizeof written);
    void* again = nullptr;
    EXPECT_EQ(buffer->Lock(0, 0, &again, 0), D3DERR_INVALIDCALL) << "one lock at a time";
    ASSERT_EQ(buffer->Unlock(), S_OK);
    EXPECT_EQ(buffer->Unlock(), D3DERR_INVALIDCALL);

    Vertex read{};
    std::memcpy(&read, buffer->contents().data() + sizeof(Vertex), sizeof read);
    EXPECT_EQ(read.color, written.color);
    EXPECT_EQ(buffer->Lock(64, 0, &data, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(buffer->Lock(48, 32, &data, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(data, nullptr);

    IDirect3DVertexBuffer9* other = nullptr;
    EXPECT_EQ(device->CreateVertexBuffer(64, 0, 0, D3DPOOL_DEFAULT, &other, nullptr),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(device->CreateVertexBuffer(64, 0, 0x42, D3DPOOL_MANAGED, &other, nullptr),
              D3DERR_INVALIDCALL)
        << "no fixed-function vertex formats";
}

TEST_F(RecordingDevice, DrawPrimitiveNeedsASceneAPassAndVerticesInsideTheBuffer) {
    makeBuffer(6);
    EXPECT_EQ(device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2), D3DERR_INVALIDCALL) << "no scene";
    ASSERT_EQ(device->BeginScene(), S_OK);
    EXPECT_EQ(device->BeginScene(), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2), D3DERR_INVALIDCALL) << "no pass";
    device->setPassActive(true);
    EXPECT_EQ(device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2), S_OK);
    EXPECT_EQ(device->DrawPrimitive(D3DPT_TRIANGLELIST, 3, 1), S_OK) << "ends at the last vertex";
    EXPECT_EQ(device->DrawPrimitive(D3DPT_TRIANGLELIST, 4, 1), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 3), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->DrawPrimitive(D3DPT_TRIANGLELIST, 0x7FFFFFFF, 0x7FFFFFFF), D3DERR_INVALIDCALL)
        << "no overflow";
    EXPECT_EQ(device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 0), S_OK) << "nothing to draw";
    EXPECT_EQ(device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 1), D3DERR_INVALIDCALL);
    device->setPassActive(false);
    ASSERT_EQ(device->EndScene(), S_OK);
    EXPECT_EQ(device->EndScene(), D3DERR_INVALIDCALL);

    const RecordedCall* draw = log->last("DrawPrimitive");
    ASSERT_NE(draw, nullptr);
    EXPECT_EQ(draw->numbers, (std::vector<double>{D3DPT_TRIANGLESTRIP, 0, 1}));
    EXPECT_EQ(log->count("DrawPrimitive"), 9u);
}

TEST_F(RecordingDevice, ReleasedBufferIsNoLongerDrawn) {
    makeBuffer(3);
    buffer->Release();
    buffer = nullptr;
    device->BeginScene();
    device->setPassActive(true);
    EXPECT_EQ(device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 1), D3DERR_INVALIDCALL);
    device->setPassActive(false);
    device->EndScene();
}

TEST_F(RecordingDevice, ClearIsRecordedWithItsArguments) {
    ASSERT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0x00646464, 1.0f, 0),
              S_OK);
    const RecordedCall* clear = log->last("Clear");
    ASSERT_NE(clear, nullptr);
    EXPECT_EQ(clear->numbers, (std::vector<double>{0, 3, 0x00646464, 1.0, 0}));
    EXPECT_EQ(device->Clear(1, nullptr, D3DCLEAR_TARGET, 0, 1.0f, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->Clear(0, nullptr, 0, 0, 1.0f, 0), D3DERR_INVALIDCALL);
}

TEST_F(RecordingDevice, InjectedFailureFailsTheNextCallOnly) {
    makeBuffer(3);
    log->failNext("Lock", E_OUTOFMEMORY);
    void* data = nullptr;
    EXPECT_EQ(buffer->Lock(0, 0, &data, 0), E_OUTOFMEMORY);
    EXPECT_EQ(data, nullptr);
    EXPECT_EQ(buffer->Lock(0, 0, &data, 0), S_OK);
    buffer->Unlock();
    EXPECT_EQ(log->last("Lock")->result, S_OK);
}

TEST_F(RecordingDevice, ResetChangesTheBackBufferOutsideAScene) {
    D3DPRESENT_PARAMETERS parameters = device->presentParameters();
    parameters.BackBufferWidth = 1024;
    parameters.BackBufferHeight = 768;
    device->BeginScene();
    EXPECT_EQ(device->Reset(&parameters), D3DERR_INVALIDCALL);
    device->EndScene();
    ASSERT_EQ(device->Reset(&parameters), S_OK);
    EXPECT_EQ(device->backBufferDesc().Width, 1024u);
    EXPECT_EQ(canvasOf(device)->height(), 768u);
}

TEST_F(RecordingDevice, CanvasRecordsRectanglesAndScissor) {
    Canvas2D* canvas = canvasOf(device);
    ASSERT_NE(canvas, nullptr);
    EXPECT_EQ(canvasOf(nullptr), nullptr);
    canvas->setScissor(RECT{0, 0, 100, 50});
    EXPECT_EQ(canvas->fillRect(RECT{10, 20, 30, 40}, 0x80FF0000u), S_OK);
    EXPECT_EQ(canvas->frameRect(RECT{1, 2, 3, 4}, 0xFF000000u, 2), S_OK);
    EXPECT_EQ(canvas->frameRect(RECT{1, 2, 3, 4}, 0xFF000000u, 0), D3DERR_INVALIDCALL);
    canvas->clearScissor();
    EXPECT_EQ(log->names(), (std::vector<std::string>{"Canvas2D::setScissor", "Canvas2D::fillRect",
                                                      "Canvas2D::frameRect", "Canvas2D::frameRect",
                                                      "Canvas2D::clearScissor"}));
    EXPECT_EQ(log->last("Canvas2D::fillRect")->numbers,
              (std::vector<double>{10, 20, 30, 40, 0x80FF0000u}));
    EXPECT_FALSE(canvas->scissor().has_value());
}

TEST(Direct3D, OffersPostPixelShaderBlendingOnEightBitRgbOnly) {
    RefPtr<IDirect3D9> direct3d(new IDirect3D9());
    for (D3DFORMAT format : {D3DFMT_X8R8G8B8, D3DFMT_A8R8G8B8}) {
        EXPECT_EQ(direct3d->CheckDeviceFormat(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8,
                                              D3DUSAGE_QUERY_POSTPIXELSHADER_BLENDING,
                                              D3DRTYPE_TEXTURE, format),
                  S_OK);
    }
    EXPECT_EQ(direct3d->CheckDeviceFormat(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8,
                                          D3DUSAGE_QUERY_POSTPIXELSHADER_BLENDING, D3DRTYPE_TEXTURE,
                                          D3DFMT_D24S8),
              D3DERR_NOTAVAILABLE);
    EXPECT_EQ(direct3d->CheckDeviceFormat(1, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, 0, D3DRTYPE_TEXTURE,
                                          D3DFMT_X8R8G8B8),
              D3DERR_NOTAVAILABLE);
    D3DCAPS9 caps{};
    ASSERT_EQ(direct3d->GetDeviceCaps(0, D3DDEVTYPE_HAL, &caps), S_OK);
    EXPECT_GE(caps.PixelShaderVersion, D3DPS_VERSION(2, 0));
    EXPECT_NE(caps.DevCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT, 0u);
    EXPECT_NE(caps.DevCaps & D3DDEVCAPS_PUREDEVICE, 0u);
}

}  // namespace

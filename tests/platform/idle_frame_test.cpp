// A frame that draws what the frame before drew calls no allocator: the device calls, the 2D
// canvas and text, on a device that draws (nothing records). Its own program, since it counts
// every operator new of the process.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "d3d9/canvas2d.h"
#include "d3d9/d3d9.h"
#include "d3d9/recording/recording_backend.h"
#include "d3dx9/d3dx9.h"

namespace {

bool counting = false;
long allocations = 0;

// Draws nothing and records nothing, as far as the device can tell a GL backend.
class SilentBackend final : public RecordingBackend {
  public:
    Recording* recording() override { return nullptr; }
};

const D3DVERTEXELEMENT9 kVertexElements[] = {
    {0, 0, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_POSITION, 0},
    {0, 12, D3DDECLTYPE_D3DCOLOR, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_COLOR, 0},
    D3DDECL_END()};

}  // namespace

void* operator new(std::size_t size) {
    if (counting) {
        ++allocations;
    }
    if (void* p = std::malloc(size > 0 ? size : 1)) {
        return p;
    }
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept {
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

TEST(IdleFrame, DrawingWhatWasDrawnBeforeAllocatesNothing) {
    D3DPRESENT_PARAMETERS parameters{};
    parameters.BackBufferWidth = 800;
    parameters.BackBufferHeight = 600;
    IDirect3DDevice9* device =
        IDirect3DDevice9::create(std::make_unique<SilentBackend>(), parameters, 0);
    ASSERT_NE(device, nullptr);
    IDirect3DVertexDeclaration9* declaration = nullptr;
    IDirect3DVertexBuffer9* buffer = nullptr;
    ASSERT_EQ(device->CreateVertexDeclaration(kVertexElements, &declaration), S_OK);
    ASSERT_EQ(device->CreateVertexBuffer(3 * 16, D3DUSAGE_WRITEONLY, 0, D3DPOOL_MANAGED, &buffer,
                                         nullptr),
              S_OK);
    ID3DXFont* font = nullptr;
    ASSERT_EQ(D3DXCreateFontW(device, 15, 0, FW_BOLD, 1, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                              DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"Arial", &font),
              S_OK);

    auto frame = [&] {
        device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0x00646464, 1.0f, 0);
        device->BeginScene();
        device->SetStreamSource(0, buffer, 0, 16);
        device->SetVertexDeclaration(declaration);
        device->setPassActive(true);
        device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 1);
        device->setPassActive(false);
        Canvas2D& canvas = device->canvas();
        canvas.setScissor(RECT{0, 0, 400, 300});
        canvas.fillRect(RECT{10, 10, 100, 40}, 0xFF808080);
        canvas.frameRect(RECT{10, 10, 100, 40}, 0xFF000000, 2);
        RECT text{10, 50, 300, 120};
        font->DrawTextW(nullptr, L"Congratulations\nYou solved the magic puzzle!", -1, &text,
                        DT_CENTER | DT_WORDBREAK, 0xFFFF0000);
        canvas.clearScissor();
        device->EndScene();
        device->present();
    };
    frame();  // the first frame fills the caches (glyphs, scratch)
    counting = true;
    frame();
    counting = false;
    EXPECT_EQ(allocations, 0);

    font->Release();
    buffer->Release();
    declaration->Release();
    EXPECT_EQ(device->Release(), 0u);
}

// IDirect3DDevice9: the calls the application makes on its device, checked here and
// carried out by a backend (OpenGL, or a recording with no GL for tests).
//
// Drawing works as the application relies on: DrawPrimitive draws triangle lists from
// stream 0 through the active effect pass, inside BeginScene/EndScene, and refuses to
// read past the end of the buffer. Clear clears the whole target whatever states are set.
#pragma once

#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "d3d9/canvas2d.h"
#include "d3d9/device_backend.h"
#include "d3d9/recording.h"
#include "d3d9/ref_counted.h"
#include "d3d9/types.h"
#include "d3d9/vertex_buffer.h"
#include "d3d9/vertex_declaration.h"

class IDirect3DDevice9 : public RefCounted {
  public:
    HRESULT CreateVertexDeclaration(const D3DVERTEXELEMENT9* elements,
                                    IDirect3DVertexDeclaration9** declaration);
    // Pool must be D3DPOOL_MANAGED and the FVF 0: vertices are described by declarations.
    HRESULT CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool,
                               IDirect3DVertexBuffer9** buffer, HANDLE* sharedHandle);
    // count 0 and rects null: the whole target; else the given rectangles.
    HRESULT Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z,
                  DWORD stencil);
    HRESULT BeginScene();
    HRESULT EndScene();
    HRESULT SetStreamSource(UINT streamNumber, IDirect3DVertexBuffer9* buffer, UINT offsetInBytes,
                            UINT stride);
    HRESULT SetVertexDeclaration(IDirect3DVertexDeclaration9* declaration);
    HRESULT DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex, UINT primitiveCount);
    HRESULT GetDeviceCaps(D3DCAPS9* caps);
    // A new back-buffer size (the framework's resize and full-screen toggle).
    HRESULT Reset(D3DPRESENT_PARAMETERS* parameters);

    // ---- platform side: the framework, the D3DX objects and the canvas ----

    static IDirect3DDevice9* create(std::unique_ptr<DeviceBackend> backend,
                                    const D3DPRESENT_PARAMETERS& parameters, DWORD behaviorFlags);
    // The device between BeginScene and EndScene, if any (fonts made without a device).
    static IDirect3DDevice9* deviceInScene();

    DeviceBackend& backend() { return *backend_; }
    Canvas2D& canvas() { return canvas_; }
    Recording* recording() { return backend_->recording(); }
    // An injected failure of `call` on a recording device, else S_OK.
    HRESULT injectedFailure(std::string_view call);
    // Logs a call on a recording device and passes its result through. The record is made
    // only when there is a recording: a device that draws allocates nothing here.
    HRESULT record(std::string_view call, std::span<const double> numbers, HRESULT result,
                   std::wstring_view text = {});
    HRESULT record(std::string_view call, std::initializer_list<double> numbers, HRESULT result,
                   std::wstring_view text = {}) {
        return record(call, std::span<const double>(numbers.begin(), numbers.size()), result, text);
    }

    HRESULT present();
    void setWireframe(bool wireframe);
    // A buffer going away unbinds itself: the binding holds no reference, since the buffer
    // holds one on its device.
    void forgetBuffer(IDirect3DVertexBuffer9* buffer);
    // Set by the effect between BeginPass and EndPass: DrawPrimitive needs a pass.
    void setPassActive(bool active) { passActive_ = active; }

    const D3DPRESENT_PARAMETERS& presentParameters() const { return parameters_; }
    D3DSURFACE_DESC backBufferDesc() const;
    DWORD behaviorFlags() const { return behaviorFlags_; }
    bool inScene() const { return inScene_; }

  private:
    IDirect3DDevice9(std::unique_ptr<DeviceBackend> backend,
                     const D3DPRESENT_PARAMETERS& parameters, DWORD behaviorFlags);
    ~IDirect3DDevice9() override;

    std::unique_ptr<DeviceBackend> backend_;
    Canvas2D canvas_;
    D3DPRESENT_PARAMETERS parameters_;
    DWORD behaviorFlags_;
    bool inScene_ = false;
    bool passActive_ = false;
    IDirect3DVertexBuffer9* stream_ = nullptr;
    UINT streamOffset_ = 0;
    UINT streamStride_ = 0;
    RefPtr<IDirect3DVertexDeclaration9> declaration_;
};

using LPDIRECT3DDEVICE9 = IDirect3DDevice9*;

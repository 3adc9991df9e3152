#include "d3d9/device.h"

#include "d3d9/direct3d.h"

namespace {

IDirect3DDevice9* gDeviceInScene = nullptr;

}  // namespace

IDirect3DDevice9::IDirect3DDevice9(std::unique_ptr<DeviceBackend> backend,
                                   const D3DPRESENT_PARAMETERS& parameters, DWORD behaviorFlags)
    : backend_(std::move(backend)),
      canvas_(*this),
      parameters_(parameters),
      behaviorFlags_(behaviorFlags) {}

IDirect3DDevice9::~IDirect3DDevice9() {
    if (gDeviceInScene == this) {
        gDeviceInScene = nullptr;
    }
}

IDirect3DDevice9* IDirect3DDevice9::create(std::unique_ptr<DeviceBackend> backend,
                                           const D3DPRESENT_PARAMETERS& parameters,
                                           DWORD behaviorFlags) {
    if (!backend || parameters.BackBufferWidth == 0 || parameters.BackBufferHeight == 0) {
        return nullptr;
    }
    backend->resize(parameters.BackBufferWidth, parameters.BackBufferHeight);
    return new IDirect3DDevice9(std::move(backend), parameters, behaviorFlags);
}

IDirect3DDevice9* IDirect3DDevice9::deviceInScene() {
    return gDeviceInScene;
}

HRESULT IDirect3DDevice9::injectedFailure(std::string_view call) {
    Recording* log = recording();
    return log != nullptr ? log->takeFailure(call) : S_OK;
}

HRESULT IDirect3DDevice9::record(std::string_view call, std::span<const double> numbers,
                                 HRESULT result, std::wstring_view text) {
    if (Recording* log = recording()) {
        log->add(RecordedCall{std::string(call),
                              std::vector<double>(numbers.begin(), numbers.end()),
                              std::wstring(text), result});
    }
    return result;
}

D3DSURFACE_DESC IDirect3DDevice9::backBufferDesc() const {
    D3DSURFACE_DESC desc{};
    desc.Format = parameters_.BackBufferFormat;
    desc.Type = D3DRTYPE_SURFACE;
    desc.Usage = D3DUSAGE_RENDERTARGET;
    desc.Pool = D3DPOOL_DEFAULT;
    desc.Width = parameters_.BackBufferWidth;
    desc.Height = parameters_.BackBufferHeight;
    return desc;
}

HRESULT IDirect3DDevice9::CreateVertexDeclaration(const D3DVERTEXELEMENT9* elements,
                                                  IDirect3DVertexDeclaration9** declaration) {
    const char* call = "CreateVertexDeclaration";
    if (declaration == nullptr) {
        return record(call, {}, D3DERR_INVALIDCALL);
    }
    *declaration = nullptr;
    if (const HRESULT failure = injectedFailure(call); FAILED(failure)) {
        return record(call, {}, failure);
    }
    *declaration = IDirect3DVertexDeclaration9::create(elements);
    return record(call, {}, *declaration != nullptr ? S_OK : D3DERR_INVALIDCALL);
}

HRESULT IDirect3DDevice9::CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool,
                                             IDirect3DVertexBuffer9** buffer, HANDLE*) {
    const char* call = "CreateVertexBuffer";
    const std::initializer_list<double> numbers = {double(length), double(usage), double(fvf),
                                                   double(pool)};
    if (buffer == nullptr) {
        return record(call, numbers, D3DERR_INVALIDCALL);
    }
    *buffer = nullptr;
    if (const HRESULT failure = injectedFailure(call); FAILED(failure)) {
        return record(call, numbers, failure);
    }
    constexpr DWORD kAccepted = D3DUSAGE_WRITEONLY | D3DUSAGE_DYNAMIC;
    if (length == 0 || fvf != 0 || pool != D3DPOOL_MANAGED || (usage & ~kAccepted) != 0) {
        return record(call, numbers, D3DERR_INVALIDCALL);
    }
    std::unique_ptr<BackendBuffer> storage = backend_->createBuffer(length);
    if (!storage) {
        return record(call, numbers, D3DERR_OUTOFVIDEOMEMORY);
    }
    *buffer = new IDirect3DVertexBuffer9(*this, length, std::move(storage));
    return record(call, numbers, S_OK);
}

HRESULT IDirect3DDevice9::Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color,
                                float z, DWORD stencil) {
    const char* call = "Clear";
    const std::initializer_list<double> numbers = {double(count), double(flags), double(color),
                                                   double(z), double(stencil)};
    if (const HRESULT failure = injectedFailure(call); FAILED(failure)) {
        return record(call, numbers, failure);
    }
    constexpr DWORD kAllFlags = D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL;
    if ((count > 0) != (rects != nullptr) || flags == 0 || (flags & ~kAllFlags) != 0 || z < 0.0f ||
        z > 1.0f) {
        return record(call, numbers, D3DERR_INVALIDCALL);
    }
    std::vector<RECT> areas;
    for (DWORD i = 0; i < count; ++i) {
        areas.push_back(RECT{rects[i].x1, rects[i].y1, rects[i].x2, rects[i].y2});
    }
    backend_->clear(std::span<const RECT>(areas), flags, color, z, stencil);
    return record(call, numbers, S_OK);
}

HRESULT IDirect3DDevice9::BeginScene() {
    const char* call = "BeginScene";
    if (const HRESULT failure = injectedFailure(call); FAILED(failure)) {
        return record(call, {}, failure);
    }
    if (inScene_) {
        return record(call, {}, D3DERR_INVALIDCALL);
    }
    inScene_ = true;
    gDeviceInScene = this;
    return record(call, {}, S_OK);
}

HRESULT IDirect3DDevice9::EndScene() {
    const char* call = "EndScene";
    if (!inScene_) {
        return record(call, {}, D3DERR_INVALIDCALL);
    }
    inScene_ = false;
    if (gDeviceInScene == this) {
        gDeviceInScene = nullptr;
    }
    return record(call, {}, S_OK);
}

HRESULT IDirect3DDevice9::SetStreamSource(UINT streamNumber, IDirect3DVertexBuffer9* buffer,
                                          UINT offsetInBytes, UINT stride) {
    const char* call = "SetStreamSource";
    const std::initializer_list<double> numbers = {double(streamNumber), double(offsetInBytes),
                                                   double(stride)};
    if (streamNumber != 0 || (buffer != nullptr && stride == 0)) {
        return record(call, numbers, D3DERR_INVALIDCALL);
    }
    stream_ = buffer;
    streamOffset_ = offsetInBytes;
    streamStride_ = stride;
    return record(call, numbers, S_OK);
}

void IDirect3DDevice9::forgetBuffer(IDirect3DVertexBuffer9* buffer) {
    if (stream_ == buffer) {
        stream_ = nullptr;
    }
}

HRESULT IDirect3DDevice9::SetVertexDeclaration(IDirect3DVertexDeclaration9* declaration) {
    if (declaration != nullptr) {
        declaration->AddRef();
    }
    declaration_ = RefPtr<IDirect3DVertexDeclaration9>(declaration);
    return record("SetVertexDeclaration", {}, S_OK);
}

HRESULT IDirect3DDevice9::DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex,
                                        UINT primitiveCount) {
    const char* call = "DrawPrimitive";
    const std::initializer_list<double> numbers = {double(type), double(startVertex),
                                                   double(primitiveCount)};
    if (const HRESULT failure = injectedFailure(call); FAILED(failure)) {
        return record(call, numbers, failure);
    }
    if (type != D3DPT_TRIANGLELIST || !inScene_ || !passActive_ || stream_ == nullptr ||
        !declaration_) {
        return record(call, numbers, D3DERR_INVALIDCALL);
    }
    if (primitiveCount == 0) {
        return record(call, numbers, S_OK);
    }
    // In 64 bits: the last byte read must lie inside the buffer.
    const std::uint64_t vertexCount = std::uint64_t(primitiveCount) * 3;
    const std::uint64_t end = std::uint64_t(streamOffset_) +
                              (std::uint64_t(startVertex) + vertexCount - 1) * streamStride_ +
                              declaration_->extent();
    if (declaration_->extent() > streamStride_ || end > stream_->length()) {
        return record(call, numbers, D3DERR_INVALIDCALL);
    }
    backend_->drawTriangles(stream_->backendBuffer(), streamOffset_, streamStride_,
                            declaration_->attributes(), startVertex,
                            static_cast<UINT>(vertexCount));
    return record(call, numbers, S_OK);
}

HRESULT IDirect3DDevice9::GetDeviceCaps(D3DCAPS9* caps) {
    if (caps == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *caps = platformDeviceCaps();
    return S_OK;
}

HRESULT IDirect3DDevice9::Reset(D3DPRESENT_PARAMETERS* parameters) {
    const char* call = "Reset";
    if (parameters == nullptr) {
        return record(call, {}, D3DERR_INVALIDCALL);
    }
    const std::initializer_list<double> numbers = {double(parameters->BackBufferWidth),
                                                   double(parameters->BackBufferHeight)};
    if (const HRESULT failure = injectedFailure(call); FAILED(failure)) {
        return record(call, numbers, failure);
    }
    if (inScene_ || parameters->BackBufferWidth == 0 || parameters->BackBufferHeight == 0) {
        return record(call, numbers, D3DERR_INVALIDCALL);
    }
    parameters_ = *parameters;
    backend_->resize(parameters->BackBufferWidth, parameters->BackBufferHeight);
    return record(call, numbers, S_OK);
}

HRESULT IDirect3DDevice9::present() {
    const char* call = "Present";
    if (const HRESULT failure = injectedFailure(call); FAILED(failure)) {
        return record(call, {}, failure);
    }
    if (inScene_) {
        return record(call, {}, D3DERR_INVALIDCALL);
    }
    return record(call, {}, backend_->present());
}

void IDirect3DDevice9::setWireframe(bool wireframe) {
    backend_->setWireframe(wireframe);
    record("setWireframe", {wireframe ? 1.0 : 0.0}, S_OK);
}

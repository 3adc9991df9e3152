#include "d3d9/vertex_buffer.h"

#include "d3d9/device.h"

IDirect3DVertexBuffer9::IDirect3DVertexBuffer9(IDirect3DDevice9& device, UINT length,
                                               std::unique_ptr<BackendBuffer> backend)
    : device_(device), contents_(length), backend_(std::move(backend)) {
    device_.AddRef();
}

IDirect3DVertexBuffer9::~IDirect3DVertexBuffer9() {
    device_.forgetBuffer(this);
    backend_.reset();
    device_.Release();
}

HRESULT IDirect3DVertexBuffer9::Lock(UINT offsetToLock, UINT sizeToLock, void** data, DWORD flags) {
    const char* call = "Lock";
    const std::initializer_list<double> numbers = {double(offsetToLock), double(sizeToLock),
                                                   double(flags)};
    if (data == nullptr) {
        return device_.record(call, numbers, D3DERR_INVALIDCALL);
    }
    *data = nullptr;
    if (const HRESULT failure = device_.injectedFailure(call); FAILED(failure)) {
        return device_.record(call, numbers, failure);
    }
    const UINT size = sizeToLock == 0 ? length() - std::min(offsetToLock, length()) : sizeToLock;
    if (locked_ || offsetToLock >= length() || std::uint64_t(offsetToLock) + size > length()) {
        return device_.record(call, numbers, D3DERR_INVALIDCALL);
    }
    locked_ = true;
    lockedOffset_ = offsetToLock;
    lockedSize_ = size;
    *data = contents_.data() + offsetToLock;
    return device_.record(call, numbers, S_OK);
}

HRESULT IDirect3DVertexBuffer9::Unlock() {
    if (!locked_) {
        return device_.record("Unlock", {}, D3DERR_INVALIDCALL);
    }
    locked_ = false;
    backend_->upload(lockedOffset_, contents_.data() + lockedOffset_, lockedSize_);
    return device_.record("Unlock", {}, S_OK);
}

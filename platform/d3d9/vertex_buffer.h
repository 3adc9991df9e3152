// IDirect3DVertexBuffer9 in the managed pool: a CPU copy that survives device resets,
// uploaded to the backend on Unlock.
#pragma once

#include <memory>
#include <vector>

#include "d3d9/device_backend.h"
#include "d3d9/ref_counted.h"
#include "d3d9/types.h"

class IDirect3DDevice9;

class IDirect3DVertexBuffer9 : public RefCounted {
  public:
    // sizeToLock 0 locks from offset to the end. One lock at a time.
    HRESULT Lock(UINT offsetToLock, UINT sizeToLock, void** data, DWORD flags);
    HRESULT Unlock();

    UINT length() const { return static_cast<UINT>(contents_.size()); }
    const std::vector<std::uint8_t>& contents() const { return contents_; }
    BackendBuffer& backendBuffer() { return *backend_; }

  private:
    friend class IDirect3DDevice9;
    IDirect3DVertexBuffer9(IDirect3DDevice9& device, UINT length,
                           std::unique_ptr<BackendBuffer> backend);
    ~IDirect3DVertexBuffer9() override;

    IDirect3DDevice9& device_;
    std::vector<std::uint8_t> contents_;
    std::unique_ptr<BackendBuffer> backend_;
    bool locked_ = false;
    UINT lockedOffset_ = 0;
    UINT lockedSize_ = 0;
};

using LPDIRECT3DVERTEXBUFFER9 = IDirect3DVertexBuffer9*;

// ID3DXBuffer: a block of bytes handed out by D3DX, here the effect compiler's messages.
#pragma once

#include <string>

#include "d3d9/ref_counted.h"

class ID3DXBuffer : public RefCounted {
  public:
    explicit ID3DXBuffer(std::string bytes) : bytes_(std::move(bytes)) {}
    LPVOID GetBufferPointer() { return bytes_.data(); }
    DWORD GetBufferSize() const { return static_cast<DWORD>(bytes_.size()); }

  private:
    ~ID3DXBuffer() override = default;
    std::string bytes_;  // zero-terminated, as text messages are read
};

using LPD3DXBUFFER = ID3DXBuffer*;

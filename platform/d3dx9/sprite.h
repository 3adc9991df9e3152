// ID3DXSprite: the batch that text is drawn in between Begin and End. Text is drawn at once
// on the sprite's device, in order, so the sprite only checks that Begin and End pair up.
#pragma once

#include "d3d9/device.h"

inline constexpr DWORD D3DXSPRITE_DONOTSAVESTATE = 0x04;
inline constexpr DWORD D3DXSPRITE_ALPHABLEND = 0x10;
inline constexpr DWORD D3DXSPRITE_SORT_TEXTURE = 0x80;

class ID3DXSprite : public RefCounted {
  public:
    HRESULT Begin(DWORD flags);
    HRESULT End();
    HRESULT OnLostDevice();
    HRESULT OnResetDevice();

    IDirect3DDevice9& device() { return device_; }

  private:
    friend HRESULT D3DXCreateSprite(IDirect3DDevice9*, ID3DXSprite**);
    explicit ID3DXSprite(IDirect3DDevice9& device) : device_(device) { device_.AddRef(); }
    ~ID3DXSprite() override { device_.Release(); }

    IDirect3DDevice9& device_;
    bool begun_ = false;
};

using LPD3DXSPRITE = ID3DXSprite*;

HRESULT D3DXCreateSprite(IDirect3DDevice9* device, ID3DXSprite** sprite);

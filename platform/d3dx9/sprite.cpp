#include "d3dx9/sprite.h"

HRESULT ID3DXSprite::Begin(DWORD flags) {
    const HRESULT result = begun_ ? D3DERR_INVALIDCALL : S_OK;
    begun_ = true;
    return device_.record("ID3DXSprite::Begin", {double(flags)}, result);
}

HRESULT ID3DXSprite::End() {
    const HRESULT result = begun_ ? S_OK : D3DERR_INVALIDCALL;
    begun_ = false;
    return device_.record("ID3DXSprite::End", {}, result);
}

HRESULT ID3DXSprite::OnLostDevice() {
    return device_.record("ID3DXSprite::OnLostDevice", {}, S_OK);
}

HRESULT ID3DXSprite::OnResetDevice() {
    return device_.record("ID3DXSprite::OnResetDevice", {}, S_OK);
}

HRESULT D3DXCreateSprite(IDirect3DDevice9* device, ID3DXSprite** sprite) {
    if (sprite == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *sprite = nullptr;
    if (device == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    if (const HRESULT failure = device->injectedFailure("D3DXCreateSprite"); FAILED(failure)) {
        return device->record("D3DXCreateSprite", {}, failure);
    }
    *sprite = new ID3DXSprite(*device);
    return device->record("D3DXCreateSprite", {}, S_OK);
}

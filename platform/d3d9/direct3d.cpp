#include "d3d9/direct3d.h"

namespace {

bool isOfferedColorFormat(D3DFORMAT format) {
    return format == D3DFMT_X8R8G8B8 || format == D3DFMT_A8R8G8B8;
}

}  // namespace

D3DCAPS9 platformDeviceCaps() {
    D3DCAPS9 caps{};
    caps.DeviceType = D3DDEVTYPE_HAL;
    caps.AdapterOrdinal = D3DADAPTER_DEFAULT;
    caps.DevCaps = D3DDEVCAPS_HWTRANSFORMANDLIGHT | D3DDEVCAPS_PUREDEVICE;
    caps.VertexShaderVersion = D3DVS_VERSION(3, 0);
    caps.PixelShaderVersion = D3DPS_VERSION(3, 0);
    caps.MaxPrimitiveCount = 0xFFFFFF;
    caps.MaxStreams = 1;
    return caps;
}

HRESULT IDirect3D9::CheckDeviceFormat(UINT adapter, D3DDEVTYPE deviceType, D3DFORMAT adapterFormat,
                                      DWORD usage, D3DRESOURCETYPE resourceType,
                                      D3DFORMAT checkFormat) {
    if (adapter != D3DADAPTER_DEFAULT || deviceType != D3DDEVTYPE_HAL ||
        adapterFormat != D3DFMT_X8R8G8B8) {
        return D3DERR_NOTAVAILABLE;
    }
    constexpr DWORD kOffered = D3DUSAGE_RENDERTARGET | D3DUSAGE_QUERY_POSTPIXELSHADER_BLENDING;
    const bool colorResource = resourceType == D3DRTYPE_TEXTURE || resourceType == D3DRTYPE_SURFACE;
    if (colorResource && isOfferedColorFormat(checkFormat) && (usage & ~kOffered) == 0) {
        return S_OK;
    }
    if (resourceType == D3DRTYPE_SURFACE && checkFormat == D3DFMT_D24S8 &&
        usage == D3DUSAGE_DEPTHSTENCIL) {
        return S_OK;
    }
    return D3DERR_NOTAVAILABLE;
}

HRESULT IDirect3D9::GetDeviceCaps(UINT adapter, D3DDEVTYPE deviceType, D3DCAPS9* caps) {
    if (caps == nullptr || adapter != D3DADAPTER_DEFAULT || deviceType != D3DDEVTYPE_HAL) {
        return D3DERR_INVALIDCALL;
    }
    *caps = platformDeviceCaps();
    return S_OK;
}

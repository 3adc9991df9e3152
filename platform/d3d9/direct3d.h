// IDirect3D9: the adapter the framework asks about formats and capabilities. There is
// one adapter (0) with one device type (HAL); its capabilities are those of the platform:
// pixel shader 3.0, hardware transform and lighting, pure device; 8-bit RGB formats with
// post-pixel-shader blending.
#pragma once

#include "d3d9/ref_counted.h"
#include "d3d9/types.h"

class IDirect3D9 : public RefCounted {
  public:
    IDirect3D9() = default;

    // S_OK when a resource of `checkFormat` with `usage` can be made on an adapter in
    // `adapterFormat`; D3DERR_NOTAVAILABLE otherwise.
    HRESULT CheckDeviceFormat(UINT adapter, D3DDEVTYPE deviceType, D3DFORMAT adapterFormat,
                              DWORD usage, D3DRESOURCETYPE resourceType, D3DFORMAT checkFormat);
    HRESULT GetDeviceCaps(UINT adapter, D3DDEVTYPE deviceType, D3DCAPS9* caps);
    UINT GetAdapterCount() { return 1; }

  private:
    ~IDirect3D9() override = default;
};

using LPDIRECT3D9 = IDirect3D9*;

// The capabilities every device of this platform has.
D3DCAPS9 platformDeviceCaps();

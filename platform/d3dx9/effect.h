// ID3DXEffect: techniques of passes read from an effect file (d3dx9/effect_file.h),
// compiled for the device. The first technique applies.
//
// SetMatrix may be called at any time; the matrices reach the shaders at BeginPass (and at
// once while a pass is active). Begin saves the states passes change and End restores them,
// so a pass never leaks its states into later drawing. After OnLostDevice the effect
// refuses Begin until OnResetDevice.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "d3d9/device.h"
#include "d3dx9/buffer.h"
#include "d3dx9/effect_file.h"
#include "d3dx9/math.h"

using D3DXHANDLE = LPCSTR;  // a parameter named by its name

struct D3DXMACRO {
    LPCSTR Name;
    LPCSTR Definition;
};
class ID3DXInclude;
class ID3DXEffectPool;

inline constexpr DWORD D3DXFX_DONOTSAVESTATE = 0x1;

class ID3DXEffect : public RefCounted {
  public:
    HRESULT SetMatrix(D3DXHANDLE parameter, const D3DXMATRIX* matrix);
    HRESULT Begin(UINT* passes, DWORD flags);
    HRESULT BeginPass(UINT pass);
    HRESULT EndPass();
    HRESULT End();
    HRESULT OnLostDevice();
    HRESULT OnResetDevice();

  private:
    friend HRESULT D3DXCreateEffectFromFileW(IDirect3DDevice9*, LPCWSTR, const D3DXMACRO*,
                                             ID3DXInclude*, DWORD, ID3DXEffectPool*, ID3DXEffect**,
                                             ID3DXBuffer**);
    struct CompiledPass {
        PassStates states;
        std::unique_ptr<BackendProgram> program;
    };
    ID3DXEffect(IDirect3DDevice9& device, std::vector<CompiledPass> passes,
                const std::vector<std::string>& parameters);
    ~ID3DXEffect() override;
    void uploadMatrices(BackendProgram& program) const;

    IDirect3DDevice9& device_;
    std::vector<CompiledPass> passes_;  // of the first technique
    std::map<std::string, D3DXMATRIX, std::less<>> matrices_;
    bool begun_ = false;
    bool savedStates_ = false;
    int activePass_ = -1;
    bool lost_ = false;
};

using LPD3DXEFFECT = ID3DXEffect*;

// Reads, checks and compiles the effect file. A missing file or one that does not parse or
// compile fails, with a message on stderr that names the file (and in *errors if wanted).
// Macros, include handlers and effect pools are not offered: pass nulls.
HRESULT D3DXCreateEffectFromFileW(IDirect3DDevice9* device, LPCWSTR sourceFile,
                                  const D3DXMACRO* defines, ID3DXInclude* include, DWORD flags,
                                  ID3DXEffectPool* pool, ID3DXEffect** effect,
                                  ID3DXBuffer** errors);

inline constexpr HRESULT D3DXERR_INVALIDDATA = MAKE_HRESULT(1, 0x876, 2905);

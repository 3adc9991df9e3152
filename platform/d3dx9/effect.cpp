#include "d3dx9/effect.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "win32/utf8.h"

namespace {

std::array<double, 16> matrixNumbers(const D3DXMATRIX& m) {
    std::array<double, 16> numbers;
    std::copy(&m.m[0][0], &m.m[0][0] + 16, numbers.begin());
    return numbers;
}

}  // namespace

ID3DXEffect::ID3DXEffect(IDirect3DDevice9& device, std::vector<CompiledPass> passes,
                         const std::vector<std::string>& parameters)
    : device_(device), passes_(std::move(passes)) {
    device_.AddRef();
    for (const std::string& name : parameters) {
        D3DXMatrixIdentity(&matrices_[name]);
    }
}

ID3DXEffect::~ID3DXEffect() {
    if (activePass_ >= 0) {
        device_.setPassActive(false);
    }
    passes_.clear();
    device_.Release();
}

void ID3DXEffect::uploadMatrices(BackendProgram& program) const {
    for (const auto& [name, matrix] : matrices_) {
        program.setMatrix(name, &matrix.m[0][0]);
    }
}

HRESULT ID3DXEffect::SetMatrix(D3DXHANDLE parameter, const D3DXMATRIX* matrix) {
    const char* call = "ID3DXEffect::SetMatrix";
    // The name is wide text only for the record, made only when there is one.
    const std::wstring name =
        parameter != nullptr && device_.recording() != nullptr ? wideFromUtf8(parameter) : L"";
    if (parameter == nullptr || matrix == nullptr) {
        return device_.record(call, {}, D3DERR_INVALIDCALL, name);
    }
    const auto found = matrices_.find(std::string_view(parameter));
    if (found == matrices_.end()) {
        return device_.record(call, matrixNumbers(*matrix), D3DERR_INVALIDCALL, name);
    }
    found->second = *matrix;
    if (activePass_ >= 0) {
        passes_[std::size_t(activePass_)].program->setMatrix(found->first, &matrix->m[0][0]);
    }
    return device_.record(call, matrixNumbers(*matrix), S_OK, name);
}

HRESULT ID3DXEffect::Begin(UINT* passes, DWORD flags) {
    const char* call = "ID3DXEffect::Begin";
    if (const HRESULT failure = device_.injectedFailure(call); FAILED(failure)) {
        return device_.record(call, {double(flags)}, failure);
    }
    if (passes == nullptr || begun_ || lost_) {
        return device_.record(call, {double(flags)}, D3DERR_INVALIDCALL);
    }
    begun_ = true;
    savedStates_ = (flags & D3DXFX_DONOTSAVESTATE) == 0;
    if (savedStates_) {
        device_.backend().saveStates();
    }
    *passes = static_cast<UINT>(passes_.size());
    return device_.record(call, {double(flags), double(passes_.size())}, S_OK);
}

HRESULT ID3DXEffect::BeginPass(UINT pass) {
    const char* call = "ID3DXEffect::BeginPass";
    if (!begun_ || activePass_ >= 0 || pass >= passes_.size()) {
        return device_.record(call, {double(pass)}, D3DERR_INVALIDCALL);
    }
    CompiledPass& compiled = passes_[pass];
    device_.backend().applyPass(*compiled.program, compiled.states);
    uploadMatrices(*compiled.program);
    activePass_ = static_cast<int>(pass);
    device_.setPassActive(true);
    return device_.record(call, {double(pass)}, S_OK);
}

HRESULT ID3DXEffect::EndPass() {
    if (activePass_ < 0) {
        return device_.record("ID3DXEffect::EndPass", {}, D3DERR_INVALIDCALL);
    }
    activePass_ = -1;
    device_.setPassActive(false);
    return device_.record("ID3DXEffect::EndPass", {}, S_OK);
}

HRESULT ID3DXEffect::End() {
    if (!begun_ || activePass_ >= 0) {
        return device_.record("ID3DXEffect::End", {}, D3DERR_INVALIDCALL);
    }
    begun_ = false;
    if (savedStates_) {
        device_.backend().restoreStates();
    }
    return device_.record("ID3DXEffect::End", {}, S_OK);
}

HRESULT ID3DXEffect::OnLostDevice() {
    lost_ = true;
    return device_.record("ID3DXEffect::OnLostDevice", {}, S_OK);
}

HRESULT ID3DXEffect::OnResetDevice() {
    const char* call = "ID3DXEffect::OnResetDevice";
    if (const HRESULT failure = device_.injectedFailure(call); FAILED(failure)) {
        return device_.record(call, {}, failure);
    }
    lost_ = false;
    return device_.record(call, {}, S_OK);
}

HRESULT D3DXCreateEffectFromFileW(IDirect3DDevice9* device, LPCWSTR sourceFile,
                                  const D3DXMACRO* defines, ID3DXInclude* include, DWORD,
                                  ID3DXEffectPool* pool, ID3DXEffect** effect,
                                  ID3DXBuffer** errors) {
    if (errors != nullptr) {
        *errors = nullptr;
    }
    if (effect == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *effect = nullptr;
    if (device == nullptr || sourceFile == nullptr || include != nullptr || pool != nullptr ||
        (defines != nullptr && defines[0].Name != nullptr)) {
        return D3DERR_INVALIDCALL;
    }
    const char* call = "D3DXCreateEffectFromFileW";
    const std::string path = utf8FromWide(sourceFile);
    auto refuse = [&](HRESULT result, const std::string& reason) {
        const std::string message = path + ": " + reason;
        std::fprintf(stderr, "effect %s\n", message.c_str());
        if (errors != nullptr) {
            *errors = new ID3DXBuffer(message);
        }
        return device->record(call, {}, result, sourceFile);
    };
    if (const HRESULT failure = device->injectedFailure(call); FAILED(failure)) {
        return refuse(failure, "refused by the recording device");
    }

    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return refuse(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), "cannot be opened");
    }
    std::ostringstream text;
    text << file.rdbuf();
    EffectDescription description;
    std::string error;
    if (!parseEffect(text.str(), description, error)) {
        return refuse(D3DXERR_INVALIDDATA, error);
    }

    // Every technique is compiled, so that a broken one is reported now, not when used.
    std::vector<ID3DXEffect::CompiledPass> firstTechnique;
    for (std::size_t t = 0; t < description.techniques.size(); ++t) {
        for (const EffectPass& pass : description.techniques[t].passes) {
            std::string log;
            std::unique_ptr<BackendProgram> program =
                device->backend().compileProgram(pass.vertexSource, pass.fragmentSource, log);
            if (!program) {
                return refuse(E_FAIL, "technique " + description.techniques[t].name + ", pass " +
                                          pass.name + " does not compile:\n" + log);
            }
            if (t == 0) {
                firstTechnique.push_back({pass.states, std::move(program)});
            }
        }
    }
    *effect = new ID3DXEffect(*device, std::move(firstTechnique), description.matrixParameters);
    return device->record(call, {}, S_OK, sourceFile);
}

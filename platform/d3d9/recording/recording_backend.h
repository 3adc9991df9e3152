// A backend that draws nothing: the device objects log every call into its Recording.
// Needs no display and no GL, so application tests run anywhere.
#pragma once

#include <memory>

#include "d3d9/device_backend.h"
#include "d3d9/recording.h"

class RecordingBackend : public DeviceBackend {
  public:
    Recording* recording() override { return &recording_; }

    void resize(UINT, UINT) override {}
    void clear(std::span<const RECT>, DWORD, D3DCOLOR, float, DWORD) override {}
    std::unique_ptr<BackendBuffer> createBuffer(UINT length) override;
    std::unique_ptr<BackendProgram> compileProgram(const std::string& vertexSource,
                                                   const std::string& fragmentSource,
                                                   std::string& log) override;
    void saveStates() override {}
    void restoreStates() override {}
    void applyPass(BackendProgram&, const PassStates&) override {}
    void setWireframe(bool) override {}
    void drawTriangles(BackendBuffer&, UINT, UINT, const std::vector<VertexAttribute>&, UINT,
                       UINT) override {}
    void fillRects(std::span<const ColoredRect>, const std::optional<RECT>&) override {}
    void drawGlyphs(std::span<const PlacedGlyph>, D3DCOLOR, const std::optional<RECT>&) override {}
    HRESULT present() override { return S_OK; }
    bool readPixels(std::vector<std::uint8_t>&, UINT&, UINT&) override { return false; }

  private:
    Recording recording_;
};

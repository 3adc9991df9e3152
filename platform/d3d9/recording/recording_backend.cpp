#include "d3d9/recording/recording_backend.h"

namespace {

// Contents live in the vertex buffer's CPU copy; nothing more to keep.
class NullBuffer final : public BackendBuffer {
  public:
    void upload(UINT, const void*, UINT) override {}
};

// Matrices set on an effect are logged by the effect itself.
class NullProgram final : public BackendProgram {
  public:
    void setMatrix(const std::string&, const float[16]) override {}
};

}  // namespace

std::unique_ptr<BackendBuffer> RecordingBackend::createBuffer(UINT) {
    return std::make_unique<NullBuffer>();
}

std::unique_ptr<BackendProgram> RecordingBackend::compileProgram(const std::string&,
                                                                 const std::string&, std::string&) {
    return std::make_unique<NullProgram>();
}

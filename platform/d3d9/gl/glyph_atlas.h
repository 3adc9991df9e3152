// One texture that holds the glyphs drawn on a device, packed in shelves and uploaded on
// first use. When it is full it starts over empty; glyphs are small and re-uploaded cheaply.
#pragma once

#include <cstdint>
#include <optional>
#include <unordered_map>

#include "d3d9/device_backend.h"
#include "d3d9/gl/gl_context.h"

class GlyphAtlas {
  public:
    static constexpr int kSize = 1024;

    struct Slot {
        int x;
        int y;
    };

    explicit GlyphAtlas(std::shared_ptr<const GlContextLife> life);

    // Where the glyph is in the texture, uploading it first; none when the atlas is full
    // (call reset and try again) or the glyph is larger than the whole atlas.
    std::optional<Slot> place(const GlyphImage& glyph);
    void reset();
    GLuint texture() const { return texture_.get(); }
    bool empty() const { return slots_.empty(); }

  private:
    GlName texture_;
    std::unordered_map<std::uint64_t, Slot> slots_;
    int shelfX_ = 0;
    int shelfY_ = 0;
    int shelfHeight_ = 0;
};

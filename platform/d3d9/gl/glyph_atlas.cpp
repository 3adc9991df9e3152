#include "d3d9/gl/glyph_atlas.h"

#include <vector>

namespace {

// Empty pixels between glyphs, so that no glyph's quad ever samples its neighbour.
constexpr int kGap = 1;

}  // namespace

GlyphAtlas::GlyphAtlas(std::shared_ptr<const GlContextLife> life)
    : texture_(GlName::make(GlKind::texture, std::move(life))) {
    glBindTexture(GL_TEXTURE_2D, texture_.get());
    const std::vector<std::uint8_t> zeros(std::size_t(kSize) * kSize, 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_R8, kSize, kSize, 0, GL_RED, GL_UNSIGNED_BYTE, zeros.data());
    // Glyphs are drawn pixel for pixel, so nearest sampling keeps them exact.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
}

void GlyphAtlas::reset() {
    slots_.clear();
    shelfX_ = 0;
    shelfY_ = 0;
    shelfHeight_ = 0;
}

std::optional<GlyphAtlas::Slot> GlyphAtlas::place(const GlyphImage& glyph) {
    if (const auto found = slots_.find(glyph.key); found != slots_.end()) {
        return found->second;
    }
    if (glyph.width > kSize || glyph.height > kSize) {
        return std::nullopt;
    }
    if (shelfX_ + glyph.width > kSize) {
        shelfX_ = 0;
        shelfY_ += shelfHeight_ + kGap;
        shelfHeight_ = 0;
    }
    if (shelfY_ + glyph.height > kSize) {
        return std::nullopt;
    }
    const Slot slot{shelfX_, shelfY_};
    if (glyph.width > 0 && glyph.height > 0) {
        glBindTexture(GL_TEXTURE_2D, texture_.get());
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexSubImage2D(GL_TEXTURE_2D, 0, slot.x, slot.y, glyph.width, glyph.height, GL_RED,
                        GL_UNSIGNED_BYTE, glyph.coverage);
    }
    shelfX_ += glyph.width + kGap;
    shelfHeight_ = std::max(shelfHeight_, glyph.height);
    slots_.emplace(glyph.key, slot);
    return slot;
}

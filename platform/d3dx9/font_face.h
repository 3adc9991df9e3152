// FontFace: one face at one size, resolved by fontconfig and rasterised by FreeType into
// coverage bitmaps on demand. Faces are shared: every font asking for the same face, height,
// weight and slant gets the same FontFace, so glyphs are rasterised (and kept in a device's
// atlas) once. CPU only: needs no device and no display.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "d3d9/device_backend.h"

class FontFace {
  public:
    struct Glyph {
        GlyphImage image;
        std::vector<std::uint8_t> coverage;
        int left;     // from the pen position to the bitmap's left edge
        int top;      // from the baseline up to the bitmap's top edge
        int advance;  // pen movement in whole pixels
    };

    // height > 0: ascent + descent in pixels; height < 0: the em size. Null with the reason
    // in `error` when no scalable face can be found or loaded.
    static std::shared_ptr<FontFace> get(const std::wstring& face, int height, unsigned weight,
                                         bool italic, std::string& error);
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    int lineHeight() const { return lineHeight_; }
    int ascent() const { return ascent_; }
    const std::string& file() const { return file_; }
    const Glyph& glyph(char32_t codePoint);
    int advance(char32_t codePoint) { return glyph(codePoint).advance; }

  private:
    struct Library;
    static std::shared_ptr<Library> sharedLibrary(std::string& error);
    FontFace() = default;

    std::shared_ptr<Library> library_;
    void* face_ = nullptr;  // FT_Face, owned
    std::uint64_t serial_ = 0;
    std::string file_;
    int lineHeight_ = 0;
    int ascent_ = 0;
    std::unordered_map<char32_t, Glyph> glyphs_;
};

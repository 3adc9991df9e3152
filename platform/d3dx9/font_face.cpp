#include "d3dx9/font_face.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

#include "win32/utf8.h"

// The FreeType library and the fontconfig configuration, shared by every face.
struct FontFace::Library {
    FT_Library freetype = nullptr;
    FcConfig* fontconfig = nullptr;
    ~Library() {
        if (freetype != nullptr) {
            FT_Done_FreeType(freetype);
        }
        if (fontconfig != nullptr) {
            FcConfigDestroy(fontconfig);
        }
    }
};

namespace {

using FacePattern = std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)>;

std::uint64_t nextSerial() {
    static std::uint64_t serial = 0;
    return ++serial;
}

}  // namespace

std::shared_ptr<FontFace::Library> FontFace::sharedLibrary(std::string& error) {
    static std::weak_ptr<FontFace::Library> shared;
    if (auto existing = shared.lock()) {
        return existing;
    }
    auto library = std::make_shared<FontFace::Library>();
    if (FT_Init_FreeType(&library->freetype) != 0) {
        library->freetype = nullptr;
        error = "FreeType cannot be initialised";
        return nullptr;
    }
    library->fontconfig = FcInitLoadConfigAndFonts();
    if (library->fontconfig == nullptr) {
        error = "fontconfig has no configuration";
        return nullptr;
    }
    shared = library;
    return library;
}

std::shared_ptr<FontFace> FontFace::get(const std::wstring& face, int height, unsigned weight,
                                        bool italic, std::string& error) {
    using Key = std::tuple<std::wstring, int, unsigned, bool>;
    static std::map<Key, std::shared_ptr<FontFace>> cache;
    const Key key{face, height, weight, italic};
    if (const auto found = cache.find(key); found != cache.end()) {
        return found->second;
    }
    if (height == 0 || face.empty()) {
        error = "a font needs a face name and a non-zero height";
        return nullptr;
    }
    std::shared_ptr<Library> library = sharedLibrary(error);
    if (!library) {
        return nullptr;
    }

    const std::string family = utf8FromWide(face);
    FacePattern pattern(FcPatternCreate(), &FcPatternDestroy);
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern.get(), FC_WEIGHT,
                        FcWeightFromOpenType(int(weight == 0 ? 400 : weight)));
    FcPatternAddInteger(pattern.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    // Only outlines scale to the exact cell height asked for.
    FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
    FcConfigSubstitute(library->fontconfig, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    FacePattern match(FcFontMatch(library->fontconfig, pattern.get(), &result), &FcPatternDestroy);
    FcChar8* file = nullptr;
    int index = 0;
    if (!match || FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch) {
        error = "fontconfig finds no font for \"" + family + "\"";
        return nullptr;
    }
    FcPatternGetInteger(match.get(), FC_INDEX, 0, &index);

    std::shared_ptr<FontFace> out(new FontFace());
    out->library_ = library;
    out->file_ = reinterpret_cast<const char*>(file);
    FT_Face ftFace = nullptr;
    if (FT_New_Face(library->freetype, out->file_.c_str(), index, &ftFace) != 0) {
        error = "FreeType cannot load " + out->file_;
        return nullptr;
    }
    out->face_ = ftFace;
    if (!FT_IS_SCALABLE(ftFace)) {
        error = out->file_ + " is not scalable";
        return nullptr;
    }

    // The cell (ascent + descent) as Windows measures it: the OS/2 table's win metrics.
    double cellAscent = ftFace->ascender;
    double cellHeight = double(ftFace->ascender) - ftFace->descender;
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(ftFace, FT_SFNT_OS2));
    if (os2 != nullptr && os2->usWinAscent + os2->usWinDescent > 0) {
        cellAscent = os2->usWinAscent;
        cellHeight = double(os2->usWinAscent) + os2->usWinDescent;
    }
    const double unitsPerEm = ftFace->units_per_EM;
    const double emPixels = height > 0 ? height * unitsPerEm / cellHeight : -height;
    if (FT_Set_Char_Size(ftFace, 0, FT_F26Dot6(std::lround(emPixels * 64)), 72, 72) != 0) {
        error = "FreeType cannot size " + out->file_;
        return nullptr;
    }
    out->lineHeight_ = height > 0 ? height : int(std::lround(cellHeight * emPixels / unitsPerEm));
    out->ascent_ = int(std::lround(cellAscent * emPixels / unitsPerEm));
    out->serial_ = nextSerial();
    cache.emplace(key, out);
    return out;
}

FontFace::~FontFace() {
    if (face_ != nullptr) {
        FT_Done_Face(static_cast<FT_Face>(face_));
    }
}

const FontFace::Glyph& FontFace::glyph(char32_t codePoint) {
    if (const auto found = glyphs_.find(codePoint); found != glyphs_.end()) {
        return found->second;
    }
    Glyph glyph{};
    const auto ftFace = static_cast<FT_Face>(face_);
    // A character the face lacks, or one that fails to render, is drawn as the face's
    // missing-glyph box (glyph 0) or left empty; it still advances the pen.
    if (FT_Load_Char(ftFace, codePoint, FT_LOAD_RENDER) == 0) {
        const FT_Bitmap& bitmap = ftFace->glyph->bitmap;
        glyph.advance = int((ftFace->glyph->advance.x + 32) >> 6);
        if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
            glyph.left = ftFace->glyph->bitmap_left;
            glyph.top = ftFace->glyph->bitmap_top;
            glyph.image.width = int(bitmap.width);
            glyph.image.height = int(bitmap.rows);
            glyph.coverage.resize(std::size_t(bitmap.width) * bitmap.rows);
            for (unsigned row = 0; row < bitmap.rows; ++row) {
                const unsigned char* source = bitmap.buffer + std::ptrdiff_t(row) * bitmap.pitch;
                std::copy_n(source, bitmap.width, glyph.coverage.data() + row * bitmap.width);
            }
        }
    }
    glyph.image.key = (serial_ << 32) | codePoint;
    auto [it, inserted] = glyphs_.emplace(codePoint, std::move(glyph));
    (void)inserted;
    // The bitmap now lives in the map's node, whose address never changes.
    it->second.image.coverage = it->second.coverage.data();
    return it->second;
}

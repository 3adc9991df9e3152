#include "d3dx9/font.h"

#include <cstdio>
#include <cwchar>

#include "d3d9/device.h"
#include "d3dx9/font_face.h"
#include "d3dx9/sprite.h"
#include "d3dx9/text_layout.h"
#include "win32/utf8.h"

ID3DXFont::ID3DXFont(IDirect3DDevice9* device, std::wstring face, int height, unsigned weight,
                     bool italic)
    : device_(device),
      faceName_(std::move(face)),
      height_(height),
      weight_(weight),
      italic_(italic) {
    if (device_ != nullptr) {
        device_->AddRef();
    }
}

ID3DXFont::~ID3DXFont() {
    if (device_ != nullptr) {
        device_->Release();
    }
}

FontFace* ID3DXFont::face() {
    if (!face_ && !faceFailed_) {
        std::string error;
        face_ = FontFace::get(faceName_, height_, weight_, italic_, error);
        if (!face_) {
            faceFailed_ = true;
            std::fprintf(stderr, "font \"%s\" %d: %s\n", utf8FromWide(faceName_).c_str(), height_,
                         error.c_str());
        }
    }
    return face_.get();
}

int ID3DXFont::measureTextWidth(LPCWSTR text, INT count) {
    FontFace* f = face();
    if (f == nullptr || text == nullptr) {
        return 0;
    }
    const std::size_t length = count < 0 ? std::wcslen(text) : std::size_t(count);
    int width = 0;
    for (std::size_t i = 0; i < length; ++i) {
        width += f->advance(static_cast<char32_t>(text[i]));
    }
    return width;
}

int ID3DXFont::lineHeight() {
    FontFace* f = face();
    return f != nullptr ? f->lineHeight() : 0;
}

int ID3DXFont::ascent() {
    FontFace* f = face();
    return f != nullptr ? f->ascent() : 0;
}

INT ID3DXFont::DrawTextW(ID3DXSprite* sprite, LPCWSTR text, INT count, LPRECT rect, DWORD format,
                         D3DCOLOR color) {
    IDirect3DDevice9* target = sprite != nullptr    ? &sprite->device()
                               : device_ != nullptr ? device_
                                                    : IDirect3DDevice9::deviceInScene();
    const RECT passed = rect != nullptr ? *rect : RECT{0, 0, 0, 0};
    const std::wstring_view drawn =
        text == nullptr
            ? std::wstring_view()
            : std::wstring_view(text, count < 0 ? std::wcslen(text) : std::size_t(count));
    auto finish = [&](int height) {
        if (target != nullptr) {
            target->record("ID3DXFont::DrawTextW",
                           {double(passed.left), double(passed.top), double(passed.right),
                            double(passed.bottom), double(format), double(color), double(height)},
                           S_OK, drawn);
        }
        return height;
    };
    FontFace* f = face();
    if (f == nullptr || text == nullptr) {
        return finish(0);
    }
    // Without a rectangle nothing can wrap or clip.
    const DWORD effective = rect != nullptr ? format : (format | DT_NOCLIP) & ~DT_WORDBREAK;
    TextLayout& layout = layout_;
    layoutText(
        drawn, passed, effective, [f](wchar_t c) { return f->advance(static_cast<char32_t>(c)); },
        f->lineHeight(), layout);
    if ((format & DT_CALCRECT) != 0) {
        if (rect != nullptr) {
            *rect = layout.extent;
        }
        return finish(layout.height);
    }
    if (target == nullptr) {
        return finish(0);
    }
    std::vector<PlacedGlyph>& glyphs = glyphs_;
    glyphs.clear();
    for (const TextLine& line : layout.lines) {
        int pen = line.x;
        const int baseline = line.y + f->ascent();
        for (wchar_t c : line.text) {
            const FontFace::Glyph& g = f->glyph(static_cast<char32_t>(c));
            glyphs.push_back(PlacedGlyph{&g.image, pen + g.left, baseline - g.top});
            pen += g.advance;
        }
    }
    target->canvas().drawGlyphs(
        glyphs, color, (effective & DT_NOCLIP) != 0 ? std::nullopt : std::optional<RECT>(passed));
    return finish(layout.height);
}

HRESULT ID3DXFont::OnLostDevice() {
    if (device_ != nullptr) {
        device_->record("ID3DXFont::OnLostDevice", {}, S_OK);
    }
    return S_OK;
}

HRESULT ID3DXFont::OnResetDevice() {
    if (device_ != nullptr) {
        return device_->record("ID3DXFont::OnResetDevice", {},
                               device_->injectedFailure("ID3DXFont::OnResetDevice"));
    }
    return S_OK;
}

HRESULT D3DXCreateFontW(IDirect3DDevice9* device, INT height, UINT width, UINT weight, UINT,
                        BOOL italic, DWORD, DWORD, DWORD, DWORD, LPCWSTR faceName,
                        ID3DXFont** font) {
    if (font == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *font = nullptr;
    if (height == 0 || width != 0 || faceName == nullptr || faceName[0] == L'\0') {
        return D3DERR_INVALIDCALL;
    }
    if (device != nullptr) {
        if (const HRESULT failure = device->injectedFailure("D3DXCreateFontW"); FAILED(failure)) {
            return device->record("D3DXCreateFontW", {double(height), double(weight)}, failure,
                                  faceName);
        }
    }
    RefPtr<ID3DXFont> made(new ID3DXFont(device, faceName, height, weight, italic != FALSE));
    // With a device there is nothing to wait for: a face that cannot be loaded fails now.
    if (device != nullptr && made->face() == nullptr) {
        return device->record("D3DXCreateFontW", {double(height), double(weight)}, E_FAIL,
                              faceName);
    }
    *font = made.detach();
    if (device != nullptr) {
        device->record("D3DXCreateFontW", {double(height), double(weight)}, S_OK, faceName);
    }
    return S_OK;
}

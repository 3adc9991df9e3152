#include "dxut/text_helper.h"

#include <cstdarg>

#include "win32/string_format.h"

namespace {

// Longest line the helper formats; longer lines are cut.
constexpr SIZE_T kLineCapacity = 512;

}  // namespace

CDXUTTextHelper::CDXUTTextHelper(ID3DXFont* font, ID3DXSprite* sprite, int lineHeight)
    : font_(font), sprite_(sprite), lineHeight_(lineHeight) {}

void CDXUTTextHelper::SetInsertionPos(int x, int y) {
    position_ = POINT{x, y};
}

void CDXUTTextHelper::SetForegroundColor(D3DXCOLOR color) {
    color_ = color;
}

void CDXUTTextHelper::Begin() {
    if (sprite_ != nullptr) {
        sprite_->Begin(D3DXSPRITE_ALPHABLEND | D3DXSPRITE_SORT_TEXTURE);
    }
}

void CDXUTTextHelper::End() {
    if (sprite_ != nullptr) {
        sprite_->End();
    }
}

HRESULT CDXUTTextHelper::DrawTextLine(const WCHAR* text) {
    if (font_ == nullptr || text == nullptr) {
        return E_INVALIDARG;
    }
    RECT rect{position_.x, position_.y, 0, 0};
    const int drawn = font_->DrawTextW(sprite_, text, -1, &rect, DT_NOCLIP, color_);
    position_.y += lineHeight_;
    return drawn == 0 && text[0] != L'\0' ? E_FAIL : S_OK;
}

HRESULT CDXUTTextHelper::DrawFormattedTextLine(const WCHAR* format, ...) {
    WCHAR line[kLineCapacity];
    va_list args;
    va_start(args, format);
    StringCchVPrintfW(line, kLineCapacity, format, args);
    va_end(args);
    return DrawTextLine(line);
}

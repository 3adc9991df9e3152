// CDXUTTextHelper: lines of text written down the screen from an insertion point, in one
// colour, through a font and (optionally) a sprite batch opened by Begin and closed by End.
#pragma once

#include "d3dx9/font.h"
#include "d3dx9/math.h"
#include "d3dx9/sprite.h"

class CDXUTTextHelper {
  public:
    CDXUTTextHelper(ID3DXFont* font, ID3DXSprite* sprite, int lineHeight);

    void SetInsertionPos(int x, int y);
    void SetForegroundColor(D3DXCOLOR color);
    void Begin();
    // Draws one line at the insertion point and moves it down by the line height.
    HRESULT DrawTextLine(const WCHAR* text);
    HRESULT DrawFormattedTextLine(const WCHAR* format, ...);
    void End();

  private:
    ID3DXFont* font_;
    ID3DXSprite* sprite_;
    int lineHeight_;
    POINT position_{0, 0};
    D3DXCOLOR color_{1.0f, 1.0f, 1.0f, 1.0f};
};

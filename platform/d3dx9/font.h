// ID3DXFont: text drawn in a face chosen by name, height and weight.
//
// What it offers:
//   - D3DXCreateFontW(device, height, 0, weight, mips, italic, charset, precision, quality,
//     pitch, face, &font). The face is resolved with fontconfig ("Arial" bold gives
//     Liberation Sans Bold when that is what is installed) and loaded with FreeType, at the
//     pixel size whose ascent + descent equals a positive height (a negative height is the
//     em size). Width must be 0; charset, precision, quality and pitch are not used.
//   - The device may be null. Creating a font then needs no device and touches no GL, so a
//     dialog may create its fonts before any window exists; the face is loaded on first use.
//     Such a font draws on the device of the sprite passed to DrawTextW, else on the device
//     whose scene is open (between BeginScene and EndScene). A font never owns GL objects:
//     glyphs live in an atlas of the device, created on the first draw, so releasing a font
//     before or after its device is equally safe. A font made with a device holds a reference
//     to it, like every device object; keep long-lived fonts (dialogs) device-free.
//   - DrawTextW(sprite, text, count, rect, format, color): count -1 means zero-terminated.
//     '\n' starts a new line (a "\r\n" pair counts as one). Lines are one line height apart
//     (lineHeight()). Format flags:
//       DT_LEFT (0) / DT_CENTER / DT_RIGHT   each line within rect's width
//       DT_TOP (0) / DT_VCENTER / DT_BOTTOM  the whole block of lines within rect's height
//       DT_WORDBREAK  wrap lines at spaces to rect's width; without it lines never wrap;
//                     a word wider than the rectangle stays whole
//       DT_NOCLIP     draw outside rect too; without it glyphs are clipped to rect
//       DT_CALCRECT   draw nothing; set rect to the box the text would occupy (the
//                     aligned lines' extent horizontally, the block vertically)
//     Returns the height of the block of lines in pixels, 0 on failure. A null rect means
//     a rectangle of no size at (0, 0), drawn without clipping or wrapping. The colour is
//     0xAARRGGBB; alpha blends. The canvas scissor (d3d9/canvas2d.h) clips as well.
//   - measureTextWidth(text, count): the advance width in pixels of the characters as one
//     line (for a caret: the width of the text before it). lineHeight(), ascent(): pixels.
//     Measuring needs no device and no display.
//   - On a recording device DrawTextW is recorded as "ID3DXFont::DrawTextW" with numbers
//     (left, top, right, bottom, format, colour) of the rectangle as passed, the text, and
//     the result height; layout (and DT_CALCRECT) work as on the GL device.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "d3d9/device_backend.h"
#include "d3d9/ref_counted.h"
#include "d3d9/types.h"
#include "d3dx9/text_layout.h"
#include "win32/text_format.h"

class IDirect3DDevice9;
class ID3DXSprite;
class FontFace;

class ID3DXFont : public RefCounted {
  public:
    INT DrawTextW(ID3DXSprite* sprite, LPCWSTR text, INT count, LPRECT rect, DWORD format,
                  D3DCOLOR color);
    HRESULT OnLostDevice();
    HRESULT OnResetDevice();

    int measureTextWidth(LPCWSTR text, INT count = -1);
    int lineHeight();
    int ascent();

  private:
    friend HRESULT D3DXCreateFontW(IDirect3DDevice9*, INT, UINT, UINT, UINT, BOOL, DWORD, DWORD,
                                   DWORD, DWORD, LPCWSTR, ID3DXFont**);
    ID3DXFont(IDirect3DDevice9* device, std::wstring face, int height, unsigned weight,
              bool italic);
    ~ID3DXFont() override;
    // The loaded face, or null (reported once on stderr) when none can be loaded.
    FontFace* face();

    IDirect3DDevice9* device_;
    std::wstring faceName_;
    int height_;
    unsigned weight_;
    bool italic_;
    std::shared_ptr<FontFace> face_;
    bool faceFailed_ = false;
    // Kept from one DrawTextW to the next, so that drawing text allocates nothing once they
    // have grown.
    TextLayout layout_;
    std::vector<PlacedGlyph> glyphs_;
};

using LPD3DXFONT = ID3DXFont*;

HRESULT D3DXCreateFontW(IDirect3DDevice9* device, INT height, UINT width, UINT weight,
                        UINT mipLevels, BOOL italic, DWORD charSet, DWORD outputPrecision,
                        DWORD quality, DWORD pitchAndFamily, LPCWSTR faceName, ID3DXFont** font);

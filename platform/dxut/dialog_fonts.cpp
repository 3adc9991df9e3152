// CDXUTDialog: the font objects behind the font nodes, made on first use.
#include "dxut/dialog.h"

ID3DXFont* CDXUTDialog::FontObject(UINT fontIndex) {
    DXUTFontNode* node = GetFont(fontIndex);
    if (!node)
        node = &m_Fonts[0];
    if (!node->pFont) {
        ID3DXFont* font = nullptr;
        // No device: the font draws on the device whose scene is open.
        HRESULT hr = D3DXCreateFontW(nullptr, node->nHeight, 0, static_cast<UINT>(node->nWeight), 1,
                                     FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                     DEFAULT_PITCH | FF_DONTCARE, node->strFace.c_str(), &font);
        if (FAILED(hr))
            return nullptr;
        node->pFont = RefPtr<ID3DXFont>(font);
    }
    return node->pFont.get();
}

#include "d3d9/vertex_declaration.h"

namespace {

constexpr unsigned kPositionLocation = 0;
constexpr unsigned kColorLocation = 1;
// A declaration longer than this is certainly missing its end marker.
constexpr int kMaxElements = 64;

}  // namespace

IDirect3DVertexDeclaration9* IDirect3DVertexDeclaration9::create(
    const D3DVERTEXELEMENT9* elements) {
    if (elements == nullptr) {
        return nullptr;
    }
    std::vector<VertexAttribute> attributes;
    UINT extent = 0;
    bool seen[2] = {false, false};
    for (int i = 0;; ++i) {
        if (i == kMaxElements) {
            return nullptr;
        }
        const D3DVERTEXELEMENT9& e = elements[i];
        if (e.Stream == 0xFF) {
            break;
        }
        if (e.Stream != 0 || e.Method != D3DDECLMETHOD_DEFAULT || e.UsageIndex != 0) {
            return nullptr;
        }
        VertexAttribute attribute{};
        attribute.offset = e.Offset;
        UINT size = 0;
        switch (e.Type) {
            case D3DDECLTYPE_FLOAT1:
            case D3DDECLTYPE_FLOAT2:
            case D3DDECLTYPE_FLOAT3:
            case D3DDECLTYPE_FLOAT4:
                attribute.components = e.Type - D3DDECLTYPE_FLOAT1 + 1;
                size = attribute.components * 4;
                break;
            case D3DDECLTYPE_D3DCOLOR:
                attribute.components = 4;
                attribute.bgraBytes = true;
                size = 4;
                break;
            default:
                return nullptr;
        }
        if (e.Usage == D3DDECLUSAGE_POSITION) {
            attribute.location = kPositionLocation;
        } else if (e.Usage == D3DDECLUSAGE_COLOR) {
            attribute.location = kColorLocation;
        } else {
            return nullptr;
        }
        if (seen[attribute.location]) {
            return nullptr;
        }
        seen[attribute.location] = true;
        extent = std::max<UINT>(extent, e.Offset + size);
        attributes.push_back(attribute);
    }
    if (attributes.empty()) {
        return nullptr;
    }
    return new IDirect3DVertexDeclaration9(std::move(attributes), extent);
}

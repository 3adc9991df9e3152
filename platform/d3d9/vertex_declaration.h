// IDirect3DVertexDeclaration9: the layout of one vertex in stream 0. The shaders see the
// position (FLOAT1..FLOAT4) at attribute location 0 and the colour (D3DCOLOR or FLOAT4)
// at location 1; other usages, streams or types are refused at creation.
#pragma once

#include <vector>

#include "d3d9/device_backend.h"
#include "d3d9/ref_counted.h"
#include "d3d9/types.h"

class IDirect3DVertexDeclaration9 : public RefCounted {
  public:
    const std::vector<VertexAttribute>& attributes() const { return attributes_; }
    // Bytes of a vertex the declaration reads, from its start.
    UINT extent() const { return extent_; }

    // Checks the elements up to D3DDECL_END(); null when a type or usage is not offered.
    static IDirect3DVertexDeclaration9* create(const D3DVERTEXELEMENT9* elements);

  private:
    IDirect3DVertexDeclaration9(std::vector<VertexAttribute> attributes, UINT extent)
        : attributes_(std::move(attributes)), extent_(extent) {}
    ~IDirect3DVertexDeclaration9() override = default;

    std::vector<VertexAttribute> attributes_;
    UINT extent_;
};

using LPDIRECT3DVERTEXDECLARATION9 = IDirect3DVertexDeclaration9*;

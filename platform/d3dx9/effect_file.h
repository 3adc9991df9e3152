// Orvanta's effect file format, read by D3DXCreateEffectFromFileW.
//
// A line-oriented text file. Blank lines and lines starting with '#' (outside shader
// bodies) are ignored; leading white space never matters.
//
//   parameter float4x4 NAME          a matrix the application sets with SetMatrix
//   shader vertex|fragment NAME      GLSL 3.30 source follows, complete with #version,
//   ...                              up to a line "end shader"
//   end shader
//   technique NAME                   techniques in order; the first one is used
//   pass NAME                        passes of the latest technique, in order
//
// Inside a pass (each line optional; unset states take Direct3D's defaults shown):
//   vertex NAME / fragment NAME      the shaders of the pass (both required)
//   depth_test on|off                (on)
//   depth_function never|less|equal|less_equal|greater|not_equal|greater_equal|always
//                                    (less_equal)
//   depth_write on|off               (on)
//   cull none|clockwise|counterclockwise   triangles culled by their winding on screen
//                                    (counterclockwise)
//   blend off | blend SOURCE DEST    factors zero, one, source_alpha, inverse_source_alpha,
//                                    source_color, inverse_source_color (off)
//   fill solid|wireframe             (unset: the device's, i.e. the wireframe hotkey's)
//
// Shader conventions: the vertex position arrives at location 0 and the colour at
// location 1 (see d3d9/vertex_declaration.h); matrices arrive as written by the
// application, row-major for row vectors, so a shader computes M * vec4(p, 1). Clip-space
// depth is Direct3D's 0..w: a vertex shader converts it for GL with z' = 2z - w.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "d3d9/device_backend.h"

struct EffectPass {
    std::string name;
    std::string vertexSource;
    std::string fragmentSource;
    PassStates states;
};

struct EffectTechnique {
    std::string name;
    std::vector<EffectPass> passes;
};

struct EffectDescription {
    std::vector<std::string> matrixParameters;
    std::vector<EffectTechnique> techniques;
};

// False with "line N: reason" in `error` when the text is not a complete effect.
bool parseEffect(std::string_view text, EffectDescription& effect, std::string& error);

# Orvanta's puzzle effect (format: platform/d3dx9/effect_file.h).
#
# Each vertex at its position times g_mWorldViewProjection, in its own colour. Sticker
# triangles lie in the plane of the black background drawn before them, so the depth test
# passes on equal depth; faces run both ways, so nothing is culled.

parameter float4x4 g_mWorldViewProjection

shader vertex puzzleVertex
#version 330 core
layout(location = 0) in vec3 position;
layout(location = 1) in vec4 color;
uniform mat4 g_mWorldViewProjection;
out vec4 vertexColor;
void main() {
    vec4 clip = g_mWorldViewProjection * vec4(position, 1.0);
    // Direct3D's clip-space depth runs 0..w, GL's -w..w.
    clip.z = 2.0 * clip.z - clip.w;
    gl_Position = clip;
    vertexColor = color;
}
end shader

shader fragment puzzleFragment
#version 330 core
in vec4 vertexColor;
out vec4 fragmentColor;
void main() {
    fragmentColor = vertexColor;
}
end shader

technique RenderPuzzle
pass Stickers
    vertex puzzleVertex
    fragment puzzleFragment
    depth_test on
    depth_function less_equal
    depth_write on
    cull none
    blend off

// Builds the engine's default state without any window and prints what it made: a quick
// check that the engine stands on this machine.
#include <cstdio>

#include "cuby.h"

int main() {
    Cuby cube;
    cube.vertex = {{1, 1, -1}, {-1, 1, -1}, {-1, -1, -1}, {1, -1, -1},
                   {1, 1, 1},  {-1, 1, 1},  {-1, -1, 1},  {1, -1, 1}};
    cube.vertexcount = 8;
    cube.vindex = {0, 1, 2, 3, 0, 4, 5, 1, 3, 7, 4, 0, 3, 2, 6, 7, 4, 7, 6, 5, 1, 5, 6, 2};
    cube.indexcount = 24;
    cube.facecount = 6;
    cube.facestart = {0, 4, 8, 12, 16, 20, 24};
    cube.facecolor = {0, 1, 2, 3, 4, 5};
    cube.edgeflag.assign(24, 0);
    Cuby front;
    Cuby back;
    int split = splitCuby(cube, front, back, Plane{1, 0, 0, 0});
    std::printf("split %d: front %d vertices %d faces, back %d vertices %d faces\n", split,
                front.vertexcount, front.facecount, back.vertexcount, back.facecount);
    return split == 1 ? 0 : 1;
}

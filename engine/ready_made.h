#pragma once
// The nine ready-made puzzles: what each is made of, the name it is offered under and the tag
// its item carries in the play screen's drop-down list.

#include <cstdint>

#include "puzzle_definition.h"

// One slice of a ready-made puzzle: its kind (SliceType) and thickness.
struct ReadyMadeSlice {
    int32_t kind;
    int32_t thickness;
};

// One ready-made puzzle: the solid and up to two slices.
struct ReadyMadePuzzle {
    const wchar_t* name;
    uint32_t tag;
    int32_t shape;
    int32_t sliceCount;
    ReadyMadeSlice slices[2];
    int32_t turningKind;  // picks the radio button and the anchor kind
};

inline constexpr ReadyMadePuzzle kReadyMadePuzzles[] = {
    {L"Pyraminx", 0x11111111, TetraHedron, 2, {{PointSlice, 120}, {PointSlice, 240}}, PointSlice},
    {L"Pyracopter", 0x12121212, TetraHedron, 1, {{EdgeSlice, 120}, {}}, EdgeSlice},
    {L"3x3 Cube", 0x13131313, Cube, 1, {{FaceSlice, 120}, {}}, FaceSlice},
    {L"Dino Cube", 0x14141414, Cube, 1, {{PointSlice, 120}, {}}, PointSlice},
    {L"Dino Ultimate", 0x15151515, Cube, 2, {{FaceSlice, 120}, {PointSlice, 120}}, FaceSlice},
    {L"Helicopter Cube", 0x19191919, Cube, 1, {{EdgeSlice, 90}, {}}, EdgeSlice},
    {L"Octahedron", 0x16161616, OctaHedron, 1, {{FaceSlice, 180}, {}}, FaceSlice},
    {L"Octapyramid", 0x17171717, OctaHedron, 1, {{PointSlice, 120}, {}}, PointSlice},
    {L"Megaminx", 0x18181818, DodecaHedron, 1, {{FaceSlice, 65}, {}}, FaceSlice},
};

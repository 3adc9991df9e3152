#pragma once
// What a puzzle is made of: the solid, its slices, the stored bandage groups, the erase
// threshold and the turn metric. The application holds one inside its state and saves it in
// puzzle files; the engine reads it when it builds a Puzzle and writes only the group fields.

#include <cstdint>

enum ShapeType : int32_t {
    TetraHedron = 0,
    Cube = 1,
    OctaHedron = 2,
    DodecaHedron = 3,
    IcosaHedron = 4,
};
inline constexpr int32_t kShapeCount = 5;

// The kinds of slices; the same values name the kinds of anchors.
enum SliceType : int32_t {
    FaceSlice = 0,
    PointSlice = 1,
    EdgeSlice = 2,
};

enum TurnMetric : int32_t {
    Single = 0,
    Multi = 1,  // any other value acts as Single
};

inline constexpr int32_t kMaxSlices = 16;
inline constexpr int32_t kMaxGroupIds = 10000;

struct PuzzleDefinition {
    int32_t shape = Cube;
    int32_t sliceCount = 0;
    int32_t sliceKinds[kMaxSlices] = {};
    int32_t sliceThicknesses[kMaxSlices] = {};
    uint8_t groupsValid = 0;              // 1: groupIds holds groups that the next build restores
    int32_t groupIds[kMaxGroupIds] = {};  // bandage group of cubie i, -1 none
    int32_t eraseThreshold = 0;  // stickers under eraseThreshold / 1000 in area may be erased
    int32_t turnMetric = Single;
};

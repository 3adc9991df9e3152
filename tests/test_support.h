#pragma once
// Shared helpers of the engine suites.

#include <cstdio>
#include <functional>
#include <string>

#include "cuby.h"

// Points the diagnostic log at a temporary file for the life of the object.
class CapturedLog {
  public:
    CapturedLog();
    ~CapturedLog();
    CapturedLog(const CapturedLog&) = delete;
    CapturedLog& operator=(const CapturedLog&) = delete;
    // Everything written to the log so far.
    std::string text();

  private:
    FILE* file_;
    FILE* previous_;
};

// The cube with corners (±1, ±1, ±1), faces as the cube builder lists them.
Cuby makeCube();

#include <memory>
#include <vector>

#include "puzzle.h"
#include "ready_made.h"

// A definition with the given solid and slices, no groups, threshold 0, single-turn metric.
std::unique_ptr<PuzzleDefinition> makeDefinition(int32_t shape,
                                                 const std::vector<ReadyMadeSlice>& slices);
// The definition of a ready-made puzzle, built the same way.
std::unique_ptr<PuzzleDefinition> makeDefinition(const ReadyMadePuzzle& puzzle);
// A tetrahedron whose point slice of thickness 6, with erase threshold 3, keeps a sliver in one
// corner and erases its turned copy in another: layer 1 of a face anchor would carry the
// sliver where no home cubie is, so that turn is refused.
std::unique_ptr<PuzzleDefinition> refusingTetrahedron();

// True when both puzzles' live vertices are equal, bit for bit.
bool samePositions(const Puzzle& a, const Puzzle& b);

bool sameMove(const Move& a, const Move& b);
// True when both puzzles hold the same moves (the turn metric aside).
bool sameHistory(const Puzzle& a, const Puzzle& b);

// The live cubie whose vertex mean lies within 1e-9 of `centre`, or -1.
int32_t cubyAt(const Puzzle& puzzle, Vec3 centre);

// True when every live vertex equals, bit for bit, some vertex of some home cubie.
bool onHomePositions(const Puzzle& puzzle);
// A fresh temporary file name under the test's temporary directory.
std::string temporaryPath(const char* name);

// Runs `run` in a child process, so that one that blocks or never returns fails its test
// instead of hanging the suite: 1 when it returned true, 0 when false, -1 when it died or was
// still running after ten seconds, kNoChild (said on stderr) when no child could be started,
// which no test may take for a result.
inline constexpr int kNoChild = -2;
int runInChild(const std::function<bool()>& run);

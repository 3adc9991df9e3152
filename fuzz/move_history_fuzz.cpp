// Feeds arbitrary bytes to the move-history section loader of a 2x2 cube and a Pyraminx
// (small puzzles keep the long replays that valid sections may ask for quick).
// A refused section must leave the puzzle exactly as it was; an accepted one leaves a history
// that passes the loader's own checks.

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "file_io.h"
#include "puzzle.h"
#include "test_support.h"

namespace {

bool sameState(const Puzzle& a, const Puzzle& b) {
    return a.turnMetric == b.turnMetric && sameHistory(a, b) && samePositions(a, b);
}

// A puzzle with one turn made and recorded: the state a refused section must leave alone.
std::unique_ptr<Puzzle> turnedOnce(PuzzleDefinition& definition) {
    auto puzzle = std::make_unique<Puzzle>(&definition);
    puzzle->turnLayer(0, 1, 1, 1.0, 0);
    puzzle->recordMove(0, 1, 1);
    return puzzle;
}

void check(PuzzleDefinition& definition, const Puzzle& before, const std::string& path) {
    std::unique_ptr<Puzzle> puzzle = turnedOnce(definition);
    FileReader reader(path.c_str());
    if (!puzzle->loadMoves(reader)) {
        if (!sameState(*puzzle, before))
            std::abort();
        return;
    }
    if (puzzle->moveCount < 0 || puzzle->moveCount > puzzle->moveCapacity)
        std::abort();
    for (int32_t i = 0; i < puzzle->moveCount; ++i) {
        const Move& m = puzzle->moves[i];
        if (m.anchor < 0 || m.anchor >= puzzle->anchorCount || m.turnnr < 1 || m.clockwise > 1)
            std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The loader reads files; a memory file keeps each run off the disk.
    static const int fd = memfd_create("section", 0);
    static const std::string path = "/proc/self/fd/" + std::to_string(fd);
    if (ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) {
        return 0;
    }
    static const std::unique_ptr<PuzzleDefinition> cube = makeDefinition(Cube, {{FaceSlice, 180}});
    static const std::unique_ptr<PuzzleDefinition> pyraminx =
        makeDefinition(TetraHedron, {{PointSlice, 120}});
    static const std::unique_ptr<Puzzle> cubeBefore = turnedOnce(*cube);
    static const std::unique_ptr<Puzzle> pyraminxBefore = turnedOnce(*pyraminx);
    check(*cube, *cubeBefore, path);
    check(*pyraminx, *pyraminxBefore, path);
    return 0;
}

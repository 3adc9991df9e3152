// The move history: recording with merging and cancelling under the two turn metrics, the
// last-move queries, the file section, and the scramble.
//
// File section (little-endian, packed): turn metric i32, move count i32, then per move
// anchor i32, layer i32, turnnr i32, clockwise u8 — 8 + 13·k bytes.

#include <cstdlib>
#include <ctime>

#include "diagnostic_log.h"
#include "file_io.h"
#include "puzzle.h"

namespace {

constexpr int32_t kScrambleMoves = 200;
// Anchor draws for one scramble move before the scramble gives up (the last is not used).
constexpr int32_t kScrambleDraws = 1000;
// Replays turn layers 1 to 19 of a mask, as the turn animation does.
constexpr int32_t kReplayLayers = 19;
// Bound on the layer turns a loaded history may replay, so a damaged file cannot hang the
// load: as many as a full history of single-layer moves.
constexpr int64_t kMaxReplayTurns = kMoveCapacity;

void logMove(int32_t position, const Move& move) {
    logPrintf("%d: anchor = %d, layer = %d, turnnr = %d, clockwise = %d\n", position, move.anchor,
              move.layer, move.turnnr, move.clockwise);
}

bool sameLayers(const Move& move, int32_t anchor, int32_t layerMask) {
    return move.anchor == anchor && move.layer == layerMask;
}

}  // namespace

void Puzzle::recordMove(int32_t anchor, int32_t layerMask, uint8_t clockwise) {
    if (turnMetric == Multi && moveCount > 0) {
        Move& last = moves[moveCount - 1];
        if (sameLayers(last, anchor, layerMask) && last.clockwise == clockwise) {
            last.turnnr += 1;
            return;
        }
        if (sameLayers(last, anchor, layerMask) && last.turnnr > 1) {
            last.turnnr -= 1;
            return;
        }
    }
    const bool reversesLast = moveCount > 0 &&
                              sameLayers(moves[moveCount - 1], anchor, layerMask) &&
                              moves[moveCount - 1].clockwise != clockwise;
    if (reversesLast) {
        // Appending and cancelling both: the history only shrinks.
        moves.pop_back();
        moveCount -= 1;
        return;
    }
    if (moveCount >= moveCapacity) {
        return;  // a full history records no more moves
    }
    moves.push_back(Move{anchor, layerMask, 1, clockwise});
    moveCount += 1;
}

int32_t Puzzle::getLastMoveAnchor() const {
    return moveCount > 0 ? moves[moveCount - 1].anchor : -1;
}

int32_t Puzzle::getLastMoveLayerMask() const {
    return moveCount > 0 ? moves[moveCount - 1].layer : -1;
}

uint8_t Puzzle::getLastMoveClockwise() const {
    return moveCount > 0 ? moves[moveCount - 1].clockwise : 1;
}

void Puzzle::saveMoves(FileWriter& writer) const {
    writer.write(&turnMetric, 4);
    writer.write(&moveCount, 4);
    for (int32_t i = 0; i < moveCount; ++i) {
        const Move& move = moves[i];
        writer.write(&move.anchor, 4);
        writer.write(&move.layer, 4);
        writer.write(&move.turnnr, 4);
        writer.write(&move.clockwise, 1);
        logMove(i, move);
    }
}

bool Puzzle::loadMoves(FileReader& reader) {
    int32_t metric = 0;
    int32_t count = 0;
    if (reader.read(&metric, 4) != 4 || reader.read(&count, 4) != 4) {
        return false;
    }
    if ((metric != Single && metric != Multi) || count < 0 || count > moveCapacity) {
        return false;
    }
    // The whole section is read and checked before anything changes.
    std::vector<Move> loaded(count);
    int64_t turns = 0;
    for (int32_t i = 0; i < count; ++i) {
        Move& move = loaded[i];
        if (reader.read(&move.anchor, 4) != 4 || reader.read(&move.layer, 4) != 4 ||
            reader.read(&move.turnnr, 4) != 4 || reader.read(&move.clockwise, 1) != 1) {
            return false;
        }
        const bool valid = move.anchor >= 0 && move.anchor < anchorCount && move.clockwise <= 1 &&
                           move.turnnr >= 1 && (metric == Multi || move.turnnr == 1);
        int64_t layers = 0;
        for (int32_t layer = 1; layer <= kReplayLayers; ++layer) {
            layers += (static_cast<uint32_t>(move.layer) >> (layer - 1)) & 1u;
        }
        // Every repeat records a move even when it turns no layer.
        turns += valid ? static_cast<int64_t>(move.turnnr) * (layers > 0 ? layers : 1) : 0;
        if (!valid || turns > kMaxReplayTurns) {
            return false;
        }
    }

    // Logged once the section is accepted, so a refused one leaves no trace of moves.
    for (int32_t i = 0; i < count; ++i) {
        logMove(i, loaded[i]);
    }
    turnMetric = metric;
    moves.clear();
    moveCount = 0;
    for (const Move& move : loaded) {
        const uint32_t mask = static_cast<uint32_t>(move.layer);
        for (int32_t repeat = 0; repeat < move.turnnr; ++repeat) {
            for (int32_t layer = 1; layer <= kReplayLayers; ++layer) {
                if ((mask >> (layer - 1)) & 1u) {
                    turnLayer(move.anchor, layer, move.clockwise, 1.0, 0);
                }
            }
            recordMove(move.anchor, move.layer, move.clockwise);
        }
    }
    return true;
}

void Puzzle::scramble() {
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    bool anyPlanes = false;
    for (const Anchor& anchor : anchors) {
        anyPlanes = anyPlanes || anchor.planeCount > 0;
    }
    // Only a fresh history reaches exactly 200 by appending; nothing to draw without planes.
    if (!anyPlanes || moveCount >= kScrambleMoves) {
        return;
    }
    while (moveCount != kScrambleMoves) {
        int32_t anchor = 0;
        for (int32_t draws = 1;; ++draws) {
            anchor = std::rand() % anchorCount;
            if (draws == kScrambleDraws) {
                return;
            }
            if (anchors[anchor].planeCount != 0) {
                break;
            }
        }
        const int32_t layer = std::rand() % anchors[anchor].planeCount + 1;
        turnLayer(anchor, layer, 0, 1.0, 0);
        // Layers above 32 have no bit in a mask.
        const uint32_t bit = layer <= 32 ? 1u << (layer - 1) : 0u;
        recordMove(anchor, static_cast<int32_t>(bit), 0);
    }
}

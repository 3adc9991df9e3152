// The move history: recording with merging and cancelling under the two turn metrics, the
// last-move queries, the file section, and the scramble.
//
// File section (little-endian, packed): turn metric i32, move count i32, then per move
// anchor i32, layer i32, turnnr i32, clockwise u8 — 8 + 13·k bytes.

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <numbers>

#include "diagnostic_log.h"
#include "file_io.h"
#include "puzzle.h"

namespace {

// Anchor draws without a new move before the scramble gives up (the last is not used): the
// count starts again only when the move count rises.
constexpr int32_t kScrambleDraws = 1000;

void logMove(int32_t position, const Move& move) {
    logPrintf("%d: anchor = %d, layer = %d, turnnr = %d, clockwise = %d\n", position, move.anchor,
              move.layer, move.turnnr, move.clockwise);
}

bool sameLayers(const Move& move, int32_t anchor, int32_t layerMask) {
    return move.anchor == anchor && move.layer == layerMask;
}

// What recording a turn does to a history.
enum class Recording { Raise, Lower, Cancel, Append };

Recording recordingOf(const std::vector<Move>& history, int32_t metric, int32_t anchor,
                      int32_t layerMask, uint8_t clockwise) {
    if (history.empty() || !sameLayers(history.back(), anchor, layerMask)) {
        return Recording::Append;
    }
    const Move& last = history.back();
    if (metric == Multi && last.clockwise == clockwise) {
        return Recording::Raise;
    }
    if (metric == Multi && last.turnnr > 1) {
        return Recording::Lower;
    }
    // Appending and cancelling both: the history only shrinks.
    return last.clockwise != clockwise ? Recording::Cancel : Recording::Append;
}

// Why a history cannot hold a move, if it cannot.
enum class Unfit { None, Full, TurnnrOverflow };

Unfit unfitOf(const std::vector<Move>& history, Recording recording, int32_t capacity) {
    if (recording == Recording::Raise && history.back().turnnr == INT32_MAX) {
        return Unfit::TurnnrOverflow;
    }
    if (recording == Recording::Append && static_cast<int64_t>(history.size()) >= capacity) {
        return Unfit::Full;
    }
    return Unfit::None;
}

// Leaves the history unchanged when it cannot hold the move.
Unfit recordOnce(std::vector<Move>& history, int32_t metric, int32_t capacity, int32_t anchor,
                 int32_t layerMask, uint8_t clockwise) {
    const Recording recording = recordingOf(history, metric, anchor, layerMask, clockwise);
    const Unfit unfit = unfitOf(history, recording, capacity);
    if (unfit != Unfit::None) {
        return unfit;
    }
    switch (recording) {
        case Recording::Raise:
            history.back().turnnr += 1;
            break;
        case Recording::Lower:
            history.back().turnnr -= 1;
            break;
        case Recording::Cancel:
            history.pop_back();
            break;
        case Recording::Append:
            history.push_back(Move{anchor, layerMask, 1, clockwise});
            break;
    }
    return Unfit::None;
}

// Exactly what turnnr recordings of the move give, without making each one: a run that only
// raises or lowers the last move's turnnr is taken at once. Says why when the history could
// not hold the result.
Unfit recordRepeated(std::vector<Move>& history, int32_t metric, int32_t capacity,
                     const Move& move) {
    int32_t left = move.turnnr;
    while (left > 0) {
        switch (recordingOf(history, metric, move.anchor, move.layer, move.clockwise)) {
            case Recording::Raise:
                if (history.back().turnnr > INT32_MAX - left) {
                    return Unfit::TurnnrOverflow;
                }
                history.back().turnnr += left;
                return Unfit::None;
            case Recording::Lower: {
                const int32_t lowered = std::min(history.back().turnnr - 1, left);
                history.back().turnnr -= lowered;
                left -= lowered;
                break;
            }
            default:
                // Every append or cancel changes the length, so a run of them ends within
                // twice the capacity.
                if (const Unfit unfit = recordOnce(history, metric, capacity, move.anchor,
                                                   move.layer, move.clockwise);
                    unfit != Unfit::None) {
                    return unfit;
                }
                left -= 1;
        }
    }
    return Unfit::None;
}

}  // namespace

void Puzzle::recordMove(int32_t anchor, int32_t layerMask, uint8_t clockwise) {
    recordOnce(moves, turnMetric, moveCapacity, anchor, layerMask, clockwise);
    moveCount = static_cast<int32_t>(moves.size());
}

bool Puzzle::canRecord(int32_t anchor, int32_t layerMask, uint8_t clockwise) const {
    if (unfitOf(moves, recordingOf(moves, turnMetric, anchor, layerMask, clockwise),
                moveCapacity) == Unfit::None) {
        return true;
    }
    logPrintf("turn refused: anchor %d, layer mask %d, clockwise %d: "
              "the move history cannot hold it\n",
              anchor, layerMask, clockwise);
    return false;
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
    if (count > moveCapacity) {
        logPrintf("the move section counts %d moves, more than the history holds\n", count);
        return false;
    }
    // The whole section is read and checked before anything changes. A count of 0 or below
    // holds no moves; any metric but multi acts as single; a turnnr of 0 or below replays
    // nothing. A direction byte other than 0 or 1 refuses the section: turnLayer would turn
    // it counter-clockwise while the recorder compares bytes, so the history would not match
    // the position.
    std::vector<Move> loaded(count > 0 ? count : 0);
    for (size_t i = 0; i < loaded.size(); ++i) {
        Move& move = loaded[i];
        if (reader.read(&move.anchor, 4) != 4 || reader.read(&move.layer, 4) != 4 ||
            reader.read(&move.turnnr, 4) != 4 || reader.read(&move.clockwise, 1) != 1 ||
            move.anchor < 0 || move.anchor >= anchorCount) {
            return false;
        }
        if (move.clockwise > 1) {
            logPrintf("move %zu of the file has direction %d, neither 0 nor 1\n", i,
                      move.clockwise);
            return false;
        }
    }

    // What the replay records follows from the section alone: one that would record more than
    // the history holds is refused before anything turns.
    std::vector<Move> recorded;
    for (const Move& move : loaded) {
        const Unfit unfit = recordRepeated(recorded, metric, moveCapacity, move);
        if (unfit != Unfit::None) {
            logPrintf(unfit == Unfit::Full
                          ? "the moves of the file record more than the history holds\n"
                          : "the moves of the file overflow a move's turn count\n");
            return false;
        }
    }

    // A move that cannot be replayed refuses the whole section: put everything back.
    std::vector<Vec3> positions;
    savePositions(positions);
    size_t failed = 0;
    if (!replayMoves(loaded, failed)) {
        logPrintf("move %zu of the history cannot be replayed\n", failed);
        restorePositions(positions);
        return false;
    }
    turnMetric = metric;
    moves = std::move(recorded);
    moveCount = static_cast<int32_t>(moves.size());
    // Logged once the section is accepted, so a refused one leaves no trace of moves.
    for (size_t i = 0; i < loaded.size(); ++i) {
        logMove(static_cast<int32_t>(i), loaded[i]);
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
    // The draws of one move count until the move count rises: under the multi-turn metric a
    // turn that repeats the last move only raises its turnnr, so on a puzzle that refuses
    // nearly every draw the bound would otherwise start again forever.
    int32_t draws = 0;
    // An anchor with planes, or -1 once this move has had its draws.
    const auto drawAnchor = [this, &draws]() {
        for (;;) {
            const int32_t anchor = std::rand() % anchorCount;
            if (++draws == kScrambleDraws) {
                return -1;
            }
            if (anchors[anchor].planeCount > 0) {
                return anchor;
            }
        }
    };
    int32_t refused = 0;
    while (moveCount != kScrambleMoves) {
        const int32_t anchor = drawAnchor();
        if (anchor < 0) {
            break;
        }
        // Only layers that a replay turns, so a saved scramble loads back to this position.
        const int32_t layers = std::min(anchors[anchor].planeCount, kTurnedLayers);
        const int32_t layer = std::rand() % layers + 1;
        int32_t unfit = -1;
        if (tryTurnLayer(anchor, layer, 0, 1.0, 0, unfit) == TurnResult::Refused) {
            ++refused;  // drawn again, towards the same bound
            continue;
        }
        const int32_t before = moveCount;
        recordMove(anchor, static_cast<int32_t>(1u << (layer - 1)), 0);
        if (moveCount > before) {
            draws = 0;
        }
    }
    if (refused > 0) {
        logPrintf("scramble: %d drawn turns refused\n", refused);
    }
}

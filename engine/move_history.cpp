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

// Anchor draws for one scramble move before the scramble gives up (the last is not used).
constexpr int32_t kScrambleDraws = 1000;

// Turns of an anchor's step angle that make a whole revolution; 0 when they do not.
int32_t turnsPerRevolution(const Anchor& anchor) {
    if (!(anchor.stepAngle > 0.0)) {
        return 0;
    }
    const double turns = std::round(2.0 * std::numbers::pi / anchor.stepAngle);
    return turns >= 1.0 && turns <= 64.0 ? static_cast<int32_t>(turns) : 0;
}

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
    if (reader.read(&metric, 4) != 4 || reader.read(&count, 4) != 4 || count > moveCapacity) {
        return false;
    }
    // The whole section is read and checked before anything changes. A count of 0 or below
    // holds no moves; any metric but multi acts as single; any clockwise byte turns as
    // turnLayer reads it; a turnnr of 0 or below replays nothing.
    std::vector<Move> loaded(count > 0 ? count : 0);
    for (Move& move : loaded) {
        if (reader.read(&move.anchor, 4) != 4 || reader.read(&move.layer, 4) != 4 ||
            reader.read(&move.turnnr, 4) != 4 || reader.read(&move.clockwise, 1) != 1 ||
            move.anchor < 0 || move.anchor >= anchorCount) {
            return false;
        }
    }

    // A move that cannot be replayed refuses the whole section: put everything back.
    std::vector<Vec3> positions;
    savePositions(positions);
    const std::vector<Move> history(moves.begin(), moves.begin() + moveCount);
    const int32_t previousMetric = turnMetric;
    turnMetric = metric;
    moves.clear();
    moveCount = 0;
    for (size_t i = 0; i < loaded.size(); ++i) {
        if (!replayMove(loaded[i])) {
            logPrintf("move %zu of the history cannot be replayed\n", i);
            restorePositions(positions);
            moves = history;
            moveCount = static_cast<int32_t>(history.size());
            turnMetric = previousMetric;
            return false;
        }
    }
    // Logged once the section is accepted, so a refused one leaves no trace of moves.
    for (size_t i = 0; i < loaded.size(); ++i) {
        logMove(static_cast<int32_t>(i), loaded[i]);
    }
    return true;
}

bool Puzzle::replayMove(const Move& move) {
    if (move.turnnr <= 0) {
        return true;
    }
    // Refit makes a full revolution exact, so only the repeats beyond whole revolutions turn.
    const int32_t revolution = turnsPerRevolution(anchors[move.anchor]);
    const int32_t turns = revolution > 0 ? move.turnnr % revolution : move.turnnr;
    const uint32_t mask = static_cast<uint32_t>(move.layer);
    for (int32_t repeat = 0; repeat < turns; ++repeat) {
        for (int32_t layer = 1; layer <= kTurnedLayers; ++layer) {
            if (((mask >> (layer - 1)) & 1u) != 0 &&
                turnLayer(move.anchor, layer, move.clockwise, 1.0, 0) == TurnResult::Refused) {
                return false;
            }
        }
    }
    return recordRepeated(move.anchor, move.layer, move.clockwise, move.turnnr);
}

bool Puzzle::recordRepeated(int32_t anchor, int32_t layerMask, uint8_t clockwise, int32_t times) {
    // Exactly what `times` calls of recordMove give, without making each call: a run of calls
    // that only raises or lowers the last move's turnnr is taken at once, and once a call
    // changes nothing (a full history) neither does any later one.
    int32_t done = 0;
    while (done < times) {
        const int32_t left = times - done;
        if (turnMetric == Multi && moveCount > 0 &&
            sameLayers(moves[moveCount - 1], anchor, layerMask)) {
            Move& last = moves[moveCount - 1];
            if (last.clockwise == clockwise) {
                if (static_cast<int64_t>(last.turnnr) + left > INT32_MAX) {
                    return false;  // no history the program records turns that often
                }
                last.turnnr += left;
                return true;
            }
            if (last.turnnr > 1) {
                const int32_t lowered = std::min(last.turnnr - 1, left);
                last.turnnr -= lowered;
                done += lowered;
                continue;
            }
        }
        const int32_t countBefore = moveCount;
        recordMove(anchor, layerMask, clockwise);
        if (moveCount == countBefore) {
            return true;  // the history is full
        }
        done += 1;
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
        // A refused turn is drawn again, and its draws count towards the same bound.
        int32_t draws = 0;
        for (;;) {
            int32_t anchor = 0;
            do {
                anchor = std::rand() % anchorCount;
                if (++draws == kScrambleDraws) {
                    return;
                }
            } while (anchors[anchor].planeCount == 0);
            // Only layers that a replay turns, so a saved scramble loads back to this position.
            const int32_t layers = std::min(anchors[anchor].planeCount, kTurnedLayers);
            const int32_t layer = std::rand() % layers + 1;
            if (turnLayer(anchor, layer, 0, 1.0, 0) != TurnResult::Refused) {
                recordMove(anchor, static_cast<int32_t>(1u << (layer - 1)), 0);
                break;
            }
        }
    }
}

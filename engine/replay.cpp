// Replaying a loaded move history: every move's layers turned as its turnnr says, a whole step
// at a time, by place states while the cubies stand at rest (place_replay.h) and by the plain
// turn from the first turn that needs it on.
//
// A run of moves that turn the same layers the same way is turned until the position repeats
// one it had within the run: from there on its turns go round a cycle the replay has seen, so
// only what is left of the last round is turned. The positions are compared bit for bit, so
// the end is the one that turning every time reaches.

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <numbers>

#include "place_replay.h"

namespace {

// Turns a run makes, comparing positions, before it stops looking for a repeat.
constexpr int64_t kLongestCycle = 1024;

bool sameTurn(const Move& a, const Move& b) {
    return a.anchor == b.anchor && a.layer == b.layer && a.clockwise == b.clockwise;
}

// Turns of an anchor's step angle that make a whole revolution; 0 when they do not.
int32_t turnsPerRevolution(const Anchor& anchor) {
    if (!(anchor.stepAngle > 0.0)) {
        return 0;
    }
    const double turns = std::round(2.0 * std::numbers::pi / anchor.stepAngle);
    return turns >= 1.0 && turns <= 64.0 ? static_cast<int32_t>(turns) : 0;
}

// The move of the run starting at `first` that makes its turn number `turn` (from 0).
size_t moveOfTurn(const std::vector<Move>& moves, size_t first, int64_t turn) {
    size_t i = first;
    for (; i + 1 < moves.size(); ++i) {
        const int64_t turns = std::max(moves[i].turnnr, 0);
        if (turn < turns) {
            break;
        }
        turn -= turns;
    }
    return i;
}

bool samePositions(const std::vector<Vec3>& a, const std::vector<Vec3>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), sizeof(Vec3) * a.size()) == 0;
}

}  // namespace

bool Puzzle::replayMoves(const std::vector<Move>& moves, size_t& failed) {
    PlaceReplay places(*this);
    bool byPlaces = places.ready();
    const auto turnOnce = [&](const Move& move) {
        const uint32_t mask = static_cast<uint32_t>(move.layer);
        const uint32_t turned = mask & ((1u << kTurnedLayers) - 1);
        // One layer is one turn either way.
        if (byPlaces && std::popcount(turned) > 1 &&
            places.turnMove(move.anchor, turned, move.clockwise)) {
            return true;
        }
        for (int32_t layer = 1; layer <= kTurnedLayers; ++layer) {
            if (((mask >> (layer - 1)) & 1u) == 0) {
                continue;
            }
            if (byPlaces) {
                if (places.turn(move.anchor, layer, move.clockwise)) {
                    continue;
                }
                places.finish();
                byPlaces = false;
            }
            if (turnLayer(move.anchor, layer, move.clockwise, 1.0, 0) == TurnResult::Refused) {
                return false;
            }
        }
        return true;
    };

    // The marked position of a run: place states while the replay keeps them, else coordinates.
    bool markedByPlaces = false;
    std::vector<int32_t> markedStates;
    std::vector<Vec3> markedPositions;
    std::vector<Vec3> current;
    const auto mark = [&]() {
        markedByPlaces = byPlaces;
        if (byPlaces) {
            markedStates = places.states();
        } else {
            savePositions(markedPositions);
        }
    };
    const auto atMark = [&]() {
        if (byPlaces) {
            return places.states() == markedStates;
        }
        savePositions(current);
        return samePositions(current, markedPositions);
    };

    for (size_t i = 0; i < moves.size();) {
        if (moves[i].turnnr <= 0) {
            ++i;  // replays nothing
            continue;
        }
        size_t end = i + 1;
        int64_t total = moves[i].turnnr;
        for (; end < moves.size() && (moves[end].turnnr <= 0 || sameTurn(moves[end], moves[i]));
             ++end) {
            total += std::max(moves[end].turnnr, 0);
        }
        // Brent's search: the position is marked after 1, 3, 7, .. turns, and each mark is
        // compared with the positions after it, up to as many turns again as led to it.
        bool seeking = total > 1;
        int64_t markedAt = 0;
        int64_t span = 1;
        if (seeking) {
            mark();
        }
        for (int64_t done = 0; done < total;) {
            if (!turnOnce(moves[i])) {
                failed = moveOfTurn(moves, i, done);
                return false;
            }
            ++done;
            if (!seeking || done == total) {
                continue;
            }
            if (markedByPlaces != byPlaces) {
                mark();  // the plain turn took over: seek afresh in coordinates
                markedAt = done;
                span = 1;
            } else if (atMark()) {
                total = done + (total - done) % (done - markedAt);
                seeking = false;
            } else if (done - markedAt == span) {
                if (span == kLongestCycle) {
                    // No repeat within any cycle of that length: the cubies no longer stand on
                    // home cubies. Whole revolutions are taken as turning nothing.
                    const int32_t revolution = turnsPerRevolution(anchors[moves[i].anchor]);
                    total = revolution > 0 ? done + (total - done) % revolution : total;
                    seeking = false;
                } else {
                    mark();
                    markedAt = done;
                    span *= 2;
                }
            }
        }
        i = end;
    }
    places.finish();
    return true;
}

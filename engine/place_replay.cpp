#include "place_replay.h"

#include <algorithm>
#include <bit>

namespace {

// Past this many states or this much memory for turns, the replay hands over or starts its
// turns afresh: a history of the largest puzzles needs a small part of either.
constexpr int32_t kMaxStates = 1 << 20;
constexpr size_t kMaxTurnBytes = 64u << 20;

uint64_t lowBits(int32_t count) {
    return count >= 64 ? ~0ull : (1ull << count) - 1;
}

}  // namespace

size_t Puzzle::PlaceReplay::MoveKeyHash::operator()(const MoveKey& k) const {
    uint64_t h = (static_cast<uint64_t>(static_cast<uint32_t>(k.anchor)) << 32 | k.layerMask) *
                 0x9E3779B97F4A7C15ull;
    h = (h ^ k.clockwise ^ k.across) * 0x100000001B3ull;
    return static_cast<size_t>(h ^ (h >> 29));
}

size_t Puzzle::PlaceReplay::SlabKeyHash::operator()(const SlabKey& k) const {
    uint64_t h = 0x9E3779B97F4A7C15ull;
    for (int32_t v : {k.anchor, k.i1, k.i2, k.form, k.clockwise}) {
        h = (h ^ static_cast<uint32_t>(v)) * 0x100000001B3ull;
    }
    return static_cast<size_t>(h ^ (h >> 29));
}

Puzzle::PlaceReplay::PlaceReplay(Puzzle& puzzle) : puzzle_(puzzle) {
    puzzle.prepareTurning();
    TurnMemo& memo = puzzle.turnMemo_;
    if (!puzzle.homesUnchanged() || memo.cubyCount() != puzzle.cubyCount) {
        return;
    }
    for (const Anchor& anchor : puzzle.anchors) {
        if (anchor.planeCount > TurnMemo::kMaskedPlanes) {
            return;
        }
    }
    state_.resize(puzzle.cubyCount);
    place_.resize(puzzle.cubyCount);
    for (int32_t i = 0; i < puzzle.cubyCount; ++i) {
        const Cuby& cuby = puzzle.cubies[i];
        if (!memo.atRest(i, cuby)) {
            return;
        }
        state_[i] = places_.intern(memo.place(i), memo.positions(i), cuby.vertexcount);
        place_[i] = memo.place(i);
    }
    puzzle.groupRings_.update(puzzle.cubies, puzzle.cubyCount, puzzle.groupCount);
    sides_.resize(puzzle.anchors.size());
    ready_ = true;
}

const Puzzle::PlaceReplay::AnchorSides& Puzzle::PlaceReplay::sidesOf(int32_t anchorIndex) {
    AnchorSides& sides = sides_[anchorIndex];
    if (!sides.layer.empty()) {
        return sides;
    }
    const int32_t n = puzzle_.anchors[anchorIndex].planeCount;
    const int32_t homes = puzzle_.homeIndex_.homeCount();
    sides.positive.assign(homes, 0);
    sides.negative.assign(homes, 0);
    for (int32_t j = 0; j < n; ++j) {
        const int32_t* outside = puzzle_.planeSides(anchorIndex, j);
        for (int32_t h = 0; h < homes; ++h) {
            sides.positive[h] |= outside[2 * h] < 0 ? 1ull << j : 0;
            sides.negative[h] |= outside[2 * h + 1] < 0 ? 1ull << j : 0;
        }
    }
    // In layer l exactly when on the negative side of the planes before it and the positive
    // side of the rest (layer 1 lies at the anchor, on every plane's positive side).
    sides.layer.assign(homes, 0);
    for (int32_t h = 0; h < homes; ++h) {
        const int32_t before = std::popcount(sides.negative[h]);
        if (sides.negative[h] == lowBits(before) &&
            sides.positive[h] == (lowBits(n) & ~lowBits(before))) {
            sides.layer[h] = before + 1;
        }
    }
    // Only groups are widened by crossings.
    sides.crossings = puzzle_.groupCount > 0 ? puzzle_.planeCrossings(anchorIndex) : nullptr;
    return sides;
}

void Puzzle::PlaceReplay::sortIntoLayers(int32_t anchorIndex) {
    const AnchorSides& sides = sidesOf(anchorIndex);
    const int32_t n = puzzle_.anchors[anchorIndex].planeCount;
    const int32_t unsorted = n + 2;
    const int32_t count = static_cast<int32_t>(place_.size());
    layerStart_.assign(n + 4, 0);
    layerOf_.resize(count);
    for (int32_t i = 0; i < count; ++i) {
        const int32_t layer = sides.layer[place_[i]];
        layerOf_[i] = layer > 0 ? layer : unsorted;
        layerStart_[layerOf_[i] + 1] += 1;
    }
    for (int32_t b = 1; b < n + 4; ++b) {
        layerStart_[b] += layerStart_[b - 1];
    }
    sorted_.resize(count);
    fill_.assign(layerStart_.begin(), layerStart_.end());
    for (int32_t i = 0; i < count; ++i) {
        sorted_[fill_[layerOf_[i]]++] = i;
    }
    sortedAnchor_ = anchorIndex;
}

void Puzzle::PlaceReplay::findCrossings(int32_t anchorIndex) {
    across_ = 0;
    const GroupRings& rings = puzzle_.groupRings_;
    if (rings.ringCount() > 0) {
        const uint64_t* crossings = sidesOf(anchorIndex).crossings;
        for (int32_t ring = 0; ring < rings.ringCount(); ++ring) {
            uint64_t below = 0;
            uint64_t above = 0;
            for (const int32_t* member = rings.begin(ring); member != rings.end(ring); ++member) {
                below |= crossings[2 * place_[*member]];
                above |= crossings[2 * place_[*member] + 1];
            }
            across_ |= below & above;
        }
    }
    acrossAnchor_ = anchorIndex;
}

bool Puzzle::PlaceReplay::inside(const AnchorSides& sides, int32_t place, const Slab& slab) const {
    const uint64_t first = slab.layerOneForm ? sides.positive[place] : sides.negative[place];
    const uint64_t second = slab.twoPlanes ? sides.positive[place] >> slab.i2 : 1u;
    return ((first >> slab.i1) & second & 1u) != 0;
}

Puzzle::PlaceReplay::SlabTurn* Puzzle::PlaceReplay::turnOf(const SlabKey& key, const Slab& slab,
                                                           uint8_t clockwise) {
    auto found = turns_.find(key);
    if (found != turns_.end()) {
        return found->second.get();
    }
    Vec3 axis;
    double alpha = 0.0;
    if (!Puzzle::slabTurn(puzzle_.anchors[key.anchor], slab, clockwise, 1.0, axis, alpha)) {
        return nullptr;
    }
    auto made = std::make_unique<SlabTurn>(Rotation(axis, alpha), slab);
    const HomeIndex& index = puzzle_.homeIndex_;
    made->turn.nextPlace.assign(index.homeCount(), TurnMemo::kUnknown);
    made->turn.nextPosition.assign(index.homeVertexTotal(), 0);
    turnBytes_ += sizeof(int32_t) * (static_cast<size_t>(index.homeCount()) +
                                     static_cast<size_t>(index.homeVertexTotal()));
    return turns_.emplace(key, std::move(made)).first->second.get();
}

int32_t& Puzzle::PlaceReplay::grown(std::vector<int32_t>& table, int32_t state) {
    const size_t size = static_cast<size_t>(places_.size());
    turnBytes_ += sizeof(int32_t) * (size - table.size());
    table.resize(size, kUnknown);
    return table[state];
}

int32_t Puzzle::PlaceReplay::nextState(SlabTurn& turn, int32_t anchorIndex, int32_t state) {
    int32_t& next = entryOf(turn.next, state);
    if (next != kUnknown) {
        return next;
    }
    const int32_t place = places_.place(state);
    const int32_t nextPlace = puzzle_.nextPlace(turn.turn, turn.test, turn.rotation, place);
    if (nextPlace < 0 || places_.size() >= kMaxStates) {
        next = kPlain;
        return next;
    }
    const int32_t count = places_.count(state);
    const int32_t* moved =
        turn.turn.nextPosition.data() + puzzle_.homeIndex_.homeVertexStart(place);
    const int32_t* positions = places_.positions(state);
    positions_.resize(count);
    for (int32_t k = 0; k < count; ++k) {
        positions_[k] = moved[positions[k]];
    }
    const int32_t reached = places_.intern(nextPlace, positions_.data(), count);
    const AnchorSides& sides = sidesOf(anchorIndex);
    const bool resorts = sides.positive[place] != sides.positive[nextPlace] ||
                         sides.negative[place] != sides.negative[nextPlace] ||
                         (sides.crossings != nullptr &&
                          (sides.crossings[2 * place] != sides.crossings[2 * nextPlace] ||
                           sides.crossings[2 * place + 1] != sides.crossings[2 * nextPlace + 1]));
    next = reached | (resorts ? kResorts : 0);
    return next;
}

Puzzle::PlaceReplay::SlabTurn* Puzzle::PlaceReplay::layerTurn(int32_t anchorIndex, int32_t layer,
                                                              uint8_t clockwise, Slab& slab) {
    if (!puzzle_.initialSlab(anchorIndex, layer, slab)) {
        return nullptr;  // no such layer
    }
    if (puzzle_.groupCount > 0 &&
        !widenSlab(puzzle_.anchors[anchorIndex], slab,
                   [this](int32_t plane) { return ((across_ >> plane) & 1u) != 0; })) {
        return nullptr;  // the slab would hold the whole puzzle
    }
    return turnOf(SlabKey{anchorIndex, slab.i1, slab.twoPlanes ? slab.i2 : -1,
                          slab.layerOneForm ? 1 : 0, clockwise},
                  slab, clockwise);
}

void Puzzle::PlaceReplay::prepare(int32_t anchorIndex) {
    if (turnBytes_ > kMaxTurnBytes) {
        turns_.clear();
        moveTurns_.clear();
        turnBytes_ = 0;
    }
    if (acrossAnchor_ != anchorIndex) {
        findCrossings(anchorIndex);
    }
}

int32_t Puzzle::PlaceReplay::firstLayer(const Slab& slab) {
    return slab.twoPlanes || !slab.layerOneForm ? slab.i1 + 2 : 1;
}

int32_t Puzzle::PlaceReplay::lastLayer(const Slab& slab, int32_t planeCount) {
    return slab.twoPlanes ? slab.i2 + 1 : slab.layerOneForm ? slab.i1 + 1 : planeCount + 1;
}

bool Puzzle::PlaceReplay::turn(int32_t anchorIndex, int32_t layer, uint8_t clockwise) {
    prepare(anchorIndex);
    Slab slab;
    SlabTurn* turn = layerTurn(anchorIndex, layer, clockwise, slab);
    if (turn == nullptr) {
        return true;  // nothing turns
    }
    // The layers the slab holds, and the cubies in no one layer that lie inside it; on the
    // first turn about an anchor, every cubie tested, as a sorting would cost more.
    const int32_t n = puzzle_.anchors[anchorIndex].planeCount;
    const AnchorSides& sides = sidesOf(anchorIndex);
    if (sortedAnchor_ != anchorIndex && lastAnchor_ != anchorIndex) {
        // Without branches: which cubies are inside cannot be foreseen.
        selected_.resize(place_.size());
        size_t count = 0;
        for (int32_t i = 0; i < static_cast<int32_t>(place_.size()); ++i) {
            selected_[count] = i;
            count += inside(sides, place_[i], slab) ? 1 : 0;
        }
        selected_.resize(count);
    } else {
        if (sortedAnchor_ != anchorIndex) {
            sortIntoLayers(anchorIndex);
        }
        selected_.assign(sorted_.begin() + layerStart_[firstLayer(slab)],
                         sorted_.begin() + layerStart_[lastLayer(slab, n) + 1]);
        for (int32_t k = layerStart_[n + 2]; k < layerStart_[n + 3]; ++k) {
            if (inside(sides, place_[sorted_[k]], slab)) {
                selected_.push_back(sorted_[k]);
            }
        }
    }
    lastAnchor_ = anchorIndex;
    // Every turned cubie's next state is known before any changes.
    nextOf_.resize(selected_.size());
    for (size_t k = 0; k < selected_.size(); ++k) {
        nextOf_[k] = nextState(*turn, anchorIndex, state_[selected_[k]]);
        if (nextOf_[k] == kPlain) {
            return false;
        }
    }
    bool resorts = false;
    for (size_t k = 0; k < selected_.size(); ++k) {
        const int32_t next = nextOf_[k] & ~kResorts;
        state_[selected_[k]] = next;
        place_[selected_[k]] = places_.place(next);
        resorts = resorts || (nextOf_[k] & kResorts) != 0;
    }
    // A turn about another anchor than the sorted one moves cubies between its layers.
    if (resorts || sortedAnchor_ != anchorIndex) {
        sortedAnchor_ = -1;
    }
    if (resorts) {
        acrossAnchor_ = -1;
    }
    return true;
}

bool Puzzle::PlaceReplay::turnMove(int32_t anchorIndex, uint32_t layerMask, uint8_t clockwise) {
    prepare(anchorIndex);
    const MoveKey key{anchorIndex, layerMask, clockwise, across_};
    auto found = moveTurns_.find(key);
    if (found == moveTurns_.end()) {
        auto made = std::make_unique<MoveTurn>();
        for (int32_t layer = 1; layer <= kTurnedLayers; ++layer) {
            Slab slab;
            SlabTurn* turn = ((layerMask >> (layer - 1)) & 1u) != 0
                                 ? layerTurn(anchorIndex, layer, clockwise, slab)
                                 : nullptr;
            if (turn != nullptr) {
                made->steps.push_back({slab, turn});
            }
        }
        found = moveTurns_.emplace(key, std::move(made)).first;
    }
    MoveTurn& move = *found->second;
    // Worth it when the slabs hold at least half the cubies, as whole turns and widened
    // bandaged layers do.
    if (move.steps.size() < 2) {
        return false;
    }
    if (sortedAnchor_ != anchorIndex) {
        sortIntoLayers(anchorIndex);
    }
    const int32_t n = puzzle_.anchors[anchorIndex].planeCount;
    int64_t turned = 0;
    for (const MoveTurn::Step& step : move.steps) {
        turned += layerStart_[lastLayer(step.slab, n) + 1] - layerStart_[firstLayer(step.slab)];
    }
    if (2 * (turned + (layerStart_[n + 3] - layerStart_[n + 2])) <= puzzle_.cubyCount) {
        return false;
    }
    const int32_t count = static_cast<int32_t>(state_.size());
    nextOf_.resize(count);
    for (int32_t i = 0; i < count; ++i) {
        nextOf_[i] = moveState(move, anchorIndex, state_[i]);
        if (nextOf_[i] == kPlain || (nextOf_[i] & kResorts) != 0) {
            return false;
        }
    }
    for (int32_t i = 0; i < count; ++i) {
        state_[i] = nextOf_[i];
        place_[i] = places_.place(nextOf_[i]);
    }
    return true;
}

int32_t Puzzle::PlaceReplay::moveState(MoveTurn& move, int32_t anchorIndex, int32_t state) {
    // Only the steps' tables grow meanwhile.
    int32_t& next = entryOf(move.next, state);
    if (next != kUnknown) {
        return next;
    }
    const AnchorSides& sides = sidesOf(anchorIndex);
    int32_t reached = state;
    int32_t resorts = 0;
    for (const MoveTurn::Step& step : move.steps) {
        if (!inside(sides, places_.place(reached), step.slab)) {
            continue;
        }
        const int32_t stepped = nextState(*step.turn, anchorIndex, reached);
        if (stepped == kPlain) {
            reached = kPlain;
            break;
        }
        resorts |= stepped & kResorts;
        reached = stepped & ~kResorts;
    }
    next = reached == kPlain ? kPlain : reached | resorts;
    return next;
}

void Puzzle::PlaceReplay::finish() {
    if (!ready_) {
        return;
    }
    TurnMemo& memo = puzzle_.turnMemo_;
    for (int32_t i = 0; i < puzzle_.cubyCount; ++i) {
        const int32_t s = state_[i];
        const int32_t* positions = places_.positions(s);
        const Vec3* coordinates = puzzle_.homeIndex_.homeCoordinates(places_.place(s));
        Cuby& cuby = puzzle_.cubies[i];
        for (int32_t k = 0; k < places_.count(s); ++k) {
            cuby.vertex[k] = coordinates[positions[k]];
        }
        memo.settle(puzzle_.homeIndex_, i, places_.place(s), positions);
    }
    ready_ = false;
}

#pragma once
// The replay of a loaded move history on cubies at rest, kept as place states (PlaceStates)
// instead of coordinates: a turned cubie's next state is looked up, and the coordinates and
// TurnMemo are written once, when the replay is done or hands over to the plain turn. Private
// to the replay's sources.
//
// Everything is decided on the very bits the plain turn decides on. A cubie at rest has the
// coordinates of its place's vertices, so the slab's sides and the groups' crossings of the
// anchor's planes are those TurnMemo remembers of the places, and a turn takes it where
// Puzzle::nextPlace says. Where that says the plain computation must decide, the replay hands
// over before anything of that turn changed.
//
// From the second turn in a row about an anchor on, the cubies are sorted into its layers: a
// turn about an anchor keeps every cubie's sides of that anchor's planes, and a turned cubie
// whose new place has other sides has the layers sorted again.

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "place_states.h"
#include "turn_slab.h"

struct Puzzle::PlaceReplay {
    // Ready when every cubie stands at rest on the home cubies as indexed.
    explicit PlaceReplay(Puzzle& puzzle);
    bool ready() const { return ready_; }

    // A whole step of the layer, as turnLayer(anchor, layer, clockwise, 1.0, 0) would turn it;
    // false, with nothing changed, when the plain computation must decide this turn.
    bool turn(int32_t anchor, int32_t layer, uint8_t clockwise);
    // A whole step of every layer of the mask in turn, each as turn() would, in one pass over
    // the cubies; false, with nothing changed, when turn() by turn() is the better or the only
    // way (the slabs hold few cubies, a cubie changes sides, or the plain turn must decide).
    bool turnMove(int32_t anchor, uint32_t layerMask, uint8_t clockwise);
    // Writes every cubie's coordinates and what TurnMemo remembers of it; no longer ready.
    void finish();

    // The state of every cubie: equal states are equal positions of every cubie.
    const std::vector<int32_t>& states() const { return state_; }

  private:
    // What one slab and direction does to each state: the next state, kUnknown, or kPlain.
    struct SlabTurn {
        SlabTurn(const Rotation& rotation, const Slab& slab)
            : rotation(rotation), test(slab, turning::kTurnMembership) {}
        Rotation rotation;
        SlabTest test;
        TurnMemo::Turn turn;
        std::vector<int32_t> next;
    };
    struct SlabKey {
        int32_t anchor;
        int32_t i1;
        int32_t i2;  // -1 for one bounding plane
        int32_t form;
        int32_t clockwise;
        bool operator==(const SlabKey&) const = default;
    };
    struct SlabKeyHash {
        size_t operator()(const SlabKey& k) const;
    };
    // One step of each layer of a move's mask, in order: where each state ends, kUnknown, or
    // kPlain; with kResorts when some step changes the cubie's sides.
    struct MoveTurn {
        struct Step {
            Slab slab;
            SlabTurn* turn;
        };
        std::vector<Step> steps;
        std::vector<int32_t> next;
    };
    struct MoveKey {
        int32_t anchor;
        uint32_t layerMask;
        uint8_t clockwise;
        uint64_t across;  // the slabs widen by it
        bool operator==(const MoveKey&) const = default;
    };
    struct MoveKeyHash {
        size_t operator()(const MoveKey& k) const;
    };
    // Per home cubie, for one anchor: the planes it lies wholly on the positive side of, and
    // wholly on the negative side of (at the turning threshold); and its layer, when those say
    // it lies in exactly one, else 0.
    struct AnchorSides {
        std::vector<uint64_t> positive;
        std::vector<uint64_t> negative;
        std::vector<int32_t> layer;
        const uint64_t* crossings = nullptr;
    };

    static constexpr int32_t kUnknown = -1;
    static constexpr int32_t kPlain = -2;
    // A next state that has other sides of the turning anchor's planes.
    static constexpr int32_t kResorts = 1 << 30;

    const AnchorSides& sidesOf(int32_t anchor);
    // The cubies by layer of the anchor.
    void sortIntoLayers(int32_t anchor);
    // The planes of the anchor that some group lies across.
    void findCrossings(int32_t anchor);
    // The turn of the slab, made on first use; null when the slab has no axis.
    SlabTurn* turnOf(const SlabKey& key, const Slab& slab, uint8_t clockwise);
    // The turn of the layer's slab, widened; null when nothing turns.
    SlabTurn* layerTurn(int32_t anchor, int32_t layer, uint8_t clockwise, Slab& slab);
    // Before a turn about the anchor: memory kept in bounds, the groups' crossings found.
    void prepare(int32_t anchor);
    int32_t moveState(MoveTurn& move, int32_t anchor, int32_t state);
    // A table's entry for the state, the table grown to every state known when it is short.
    int32_t& entryOf(std::vector<int32_t>& table, int32_t state) {
        return static_cast<size_t>(state) < table.size() ? table[state] : grown(table, state);
    }
    int32_t& grown(std::vector<int32_t>& table, int32_t state);
    // The first and last layer a slab holds.
    static int32_t firstLayer(const Slab& slab);
    static int32_t lastLayer(const Slab& slab, int32_t planeCount);
    // The state a cubie in `state` goes to, with kResorts when its sides change; kPlain.
    int32_t nextState(SlabTurn& turn, int32_t anchor, int32_t state);
    bool inside(const AnchorSides& sides, int32_t place, const Slab& slab) const;

    Puzzle& puzzle_;
    bool ready_ = false;
    PlaceStates places_;
    std::vector<int32_t> state_;  // per cubie
    std::vector<int32_t> place_;  // per cubie, its state's place
    std::vector<AnchorSides> sides_;
    std::unordered_map<SlabKey, std::unique_ptr<SlabTurn>, SlabKeyHash> turns_;
    std::unordered_map<MoveKey, std::unique_ptr<MoveTurn>, MoveKeyHash> moveTurns_;
    size_t turnBytes_ = 0;
    // The cubies sorted by the layers of sortedAnchor_: layer l's from layerStart_[l] (l from
    // 1), then those in no one layer (from layerStart_[n + 2]).
    int32_t sortedAnchor_ = -1;
    std::vector<int32_t> layerStart_;
    std::vector<int32_t> sorted_;
    int32_t lastAnchor_ = -1;  // of the last turn
    // The planes of acrossAnchor_ some group lies across.
    int32_t acrossAnchor_ = -1;
    uint64_t across_ = 0;
    // Scratch of the sorting and of a turn.
    std::vector<int32_t> layerOf_;
    std::vector<int32_t> fill_;
    std::vector<int32_t> selected_;
    std::vector<int32_t> nextOf_;
    std::vector<int32_t> positions_;
};

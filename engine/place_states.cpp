#include "place_states.h"

#include <algorithm>

uint64_t PlaceStates::hashOf(int32_t place, const int32_t* positions, int32_t count) {
    uint64_t h = 0x9E3779B97F4A7C15ull ^ static_cast<uint32_t>(place);
    for (int32_t k = 0; k < count; ++k) {
        h = (h ^ static_cast<uint32_t>(positions[k])) * 0x100000001B3ull;
        h ^= h >> 29;
    }
    return h * 0xBF58476D1CE4E5B9ull;
}

bool PlaceStates::equals(int32_t state, int32_t place, const int32_t* positions,
                         int32_t count) const {
    return place_[state] == place && this->count(state) == count &&
           std::equal(positions, positions + count, this->positions(state));
}

void PlaceStates::grow() {
    slots_.assign(slots_.empty() ? 1024 : 2 * slots_.size(), -1);
    const uint64_t mask = slots_.size() - 1;
    for (int32_t s = 0; s < size(); ++s) {
        uint64_t slot = hashes_[s] & mask;
        while (slots_[slot] >= 0) {
            slot = (slot + 1) & mask;
        }
        slots_[slot] = s;
    }
}

int32_t PlaceStates::intern(int32_t place, const int32_t* positions, int32_t count) {
    if (2 * (place_.size() + 1) > slots_.size()) {
        grow();
    }
    const uint64_t hash = hashOf(place, positions, count);
    const uint64_t mask = slots_.size() - 1;
    uint64_t slot = hash & mask;
    for (; slots_[slot] >= 0; slot = (slot + 1) & mask) {
        const int32_t s = slots_[slot];
        if (hashes_[s] == hash && equals(s, place, positions, count)) {
            return s;
        }
    }
    const int32_t state = size();
    slots_[slot] = state;
    place_.push_back(place);
    hashes_.push_back(hash);
    pool_.insert(pool_.end(), positions, positions + count);
    start_.push_back(static_cast<int32_t>(pool_.size()));
    return state;
}

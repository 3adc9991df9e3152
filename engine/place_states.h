#pragma once
// Where a cubie at rest stands: the home cubie it fills (its place) and, for each of its
// vertices, the position in the place's vertex order of the vertex whose coordinates it has.
// Each distinct one is given a number on first sight, so that a replay can turn a cubie at
// rest by looking its number up.

#include <cstdint>
#include <vector>

class PlaceStates {
  public:
    // The number of the place and positions, given anew when not seen before.
    int32_t intern(int32_t place, const int32_t* positions, int32_t count);

    int32_t size() const { return static_cast<int32_t>(place_.size()); }
    int32_t place(int32_t state) const { return place_[state]; }
    int32_t count(int32_t state) const { return start_[state + 1] - start_[state]; }
    const int32_t* positions(int32_t state) const { return pool_.data() + start_[state]; }

  private:
    static uint64_t hashOf(int32_t place, const int32_t* positions, int32_t count);
    bool equals(int32_t state, int32_t place, const int32_t* positions, int32_t count) const;
    void grow();

    std::vector<int32_t> place_;
    std::vector<int32_t> start_{0};
    std::vector<int32_t> pool_;
    std::vector<uint64_t> hashes_;
    std::vector<int32_t> slots_;  // open addressing: a state, or -1
};

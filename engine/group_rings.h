#pragma once
// The bandage groups as the widening of a turn walks them: for each group number, the cubies
// a walk of its ring visits, from the group's lowest-numbered member through `next` until the
// walk is back at it. Read from the cubies' group links and read again whenever they differ,
// so a turn never scans every cubie to find each group's first member.

#include <cstdint>
#include <vector>

#include "cuby.h"

class GroupRings {
  public:
    // Reads the rings of the first `count` cubies anew when their group links changed.
    void update(const std::vector<Cuby>& cubies, int32_t count, int32_t groupCount);

    int32_t ringCount() const { return static_cast<int32_t>(start_.size()) - 1; }
    const int32_t* begin(int32_t ring) const { return members_.data() + start_[ring]; }
    const int32_t* end(int32_t ring) const { return members_.data() + start_[ring + 1]; }

  private:
    bool unchanged(const std::vector<Cuby>& cubies, int32_t count, int32_t groupCount) const;

    int32_t groupCount_ = -1;
    std::vector<int32_t> links_;  // group and next of every cubie, as read
    std::vector<int32_t> start_{0};
    std::vector<int32_t> members_;
};

#include "group_rings.h"

bool GroupRings::unchanged(const std::vector<Cuby>& cubies, int32_t count,
                           int32_t groupCount) const {
    if (groupCount != groupCount_ || links_.size() != 2 * static_cast<size_t>(count)) {
        return false;
    }
    for (int32_t i = 0; i < count; ++i) {
        if (cubies[i].group != links_[2 * i] || cubies[i].next != links_[2 * i + 1]) {
            return false;
        }
    }
    return true;
}

void GroupRings::update(const std::vector<Cuby>& cubies, int32_t count, int32_t groupCount) {
    if (unchanged(cubies, count, groupCount)) {
        return;
    }
    groupCount_ = groupCount;
    links_.resize(2 * static_cast<size_t>(count));
    std::vector<int32_t> first(groupCount > 0 ? groupCount : 0, -1);
    for (int32_t i = 0; i < count; ++i) {
        const int32_t g = cubies[i].group;
        links_[2 * i] = g;
        links_[2 * i + 1] = cubies[i].next;
        if (g >= 0 && g < groupCount && first[g] < 0) {
            first[g] = i;
        }
    }
    start_.assign(1, 0);
    members_.clear();
    for (int32_t g = 0; g < groupCount; ++g) {
        // A group without members has an empty ring. The walk ends at a link out of range too,
        // and a ring that never comes back is walked once round the cubies.
        int32_t member = first[g];
        for (int32_t steps = 0; member >= 0 && member < count && steps < count; ++steps) {
            members_.push_back(member);
            member = cubies[member].next;
            if (member == first[g]) {
                break;
            }
        }
        start_.push_back(static_cast<int32_t>(members_.size()));
    }
}

#include "dxut/frame_pacer.h"

#include <algorithm>

namespace {

// A frame whose present returned within this share of a refresh period did not wait for
// the display: a waiting present takes up the rest of the period after the frame's work.
constexpr double kWaitingShare = 0.75;

}  // namespace

void FramePacer::start(int refreshRate, bool swapIntervalSet) {
    refreshPeriod_ = refreshRate > 0
                         ? Clock::duration(std::chrono::nanoseconds(1'000'000'000 / refreshRate))
                         : kPacedPeriod;
    mode_ = swapIntervalSet ? Mode::measuring : Mode::paced;
    measured_.clear();
    due_.reset();
}

void FramePacer::framePresented(Clock::time_point began, Clock::time_point presented) {
    if (mode_ == Mode::measuring) {
        measured_.push_back(presented - began);
        if (measured_.size() < kMeasuredFrames) {
            return;
        }
        // The median: a frame slowed by the machine or sped by a queued present decides
        // nothing.
        std::vector<Clock::duration> counted(measured_.begin() + kUncountedFrames, measured_.end());
        std::nth_element(counted.begin(), counted.begin() + counted.size() / 2, counted.end());
        const auto median = counted[counted.size() / 2];
        mode_ =
            median >= std::chrono::duration_cast<Clock::duration>(refreshPeriod_ * kWaitingShare)
                ? Mode::followsDisplay
                : Mode::paced;
        measured_.clear();
    }
    if (mode_ != Mode::paced) {
        return;
    }
    // Due times keep to a grid from the first paced frame, so that sleeping a little long
    // does not slow the pace; a frame that ran late moves the grid rather than be made up
    // with a burst of frames.
    const Clock::time_point next = due_.value_or(began) + kPacedPeriod;
    due_ = std::max(next, presented);
}

// When the main loop may start its next frame.
//
// Where presenting waits for the display's refresh (a swap interval the driver honours),
// frames follow the display and the pacer adds nothing. Where it does not (a software
// renderer, a virtual X server, vertical sync turned off in the driver), the loop would draw
// as fast as it can; there the pacer has it sleep until the next frame is due, 60 a second.
//
// A driver that accepts a swap interval may still not wait, so after every start the first
// frames run free and are measured: from the start of a frame to the return of its present,
// a display that paces the loop shows as most of a refresh period. Once paced by sleeping the
// loop could no longer tell, which is why the measure comes first.
#pragma once

#include <chrono>
#include <optional>
#include <vector>

class FramePacer {
  public:
    using Clock = std::chrono::steady_clock;

    // The pace where presenting does not wait.
    static constexpr Clock::duration kPacedPeriod = std::chrono::nanoseconds(1'000'000'000 / 60);
    // Frames measured after a start; the first ones are not counted, as a driver may queue
    // a few presents before it first waits.
    static constexpr std::size_t kMeasuredFrames = 12;
    static constexpr std::size_t kUncountedFrames = 4;

    // A new window, display or swap interval. `refreshRate` in Hz, 0 when unknown (taken as
    // 60); `swapIntervalSet` false when the driver refused every swap interval, so that
    // presenting surely does not wait.
    void start(int refreshRate, bool swapIntervalSet);
    // After a stop (pause, minimise): no frame is owed, the next is due at once.
    void restart() { due_.reset(); }

    // When the next frame is due: a time not after now means at once.
    Clock::time_point due() const { return due_.value_or(Clock::time_point::min()); }
    // A frame that began at `began` (at its due time or later) was presented at `presented`.
    void framePresented(Clock::time_point began, Clock::time_point presented);

    // Presenting is known to wait for the display; false while still measuring.
    bool followsDisplay() const { return mode_ == Mode::followsDisplay; }
    bool sleepsToPace() const { return mode_ == Mode::paced; }

  private:
    enum class Mode { measuring, followsDisplay, paced };

    Mode mode_ = Mode::paced;
    Clock::duration refreshPeriod_ = kPacedPeriod;
    std::vector<Clock::duration> measured_;
    std::optional<Clock::time_point> due_;
};

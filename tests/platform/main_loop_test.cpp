// The main loop on a recording device: frames, time, hotkeys, pause, minimise, keys, the
// framework's command-line flags, and the pacing of frames on times given by the test.
#include <gtest/gtest.h>

#include <algorithm>

#include "dxut/command_line.h"
#include "dxut/frame_pacer.h"
#include "framework_probe.h"

namespace {

using Events = std::vector<std::string>;

class MainLoop : public ::testing::Test {
  protected:
    void SetUp() override {
        probe::startRun();
        framework_testing::setFlags({L"-constantframetime:0.25"});
        ASSERT_EQ(probe::createDevice(), S_OK);
        probe::events.clear();
    }
    void TearDown() override { framework_testing::reset(); }

    std::size_t countOf(const std::string& event) const {
        return std::size_t(std::count(probe::events.begin(), probe::events.end(), event));
    }
};

TEST_F(MainLoop, RunsTheFramesAskedForWithConstantTimeThenShutsDown) {
    framework_testing::setFlags({L"-quitafterframe:3", L"-constantframetime:0.25"});
    ASSERT_EQ(DXUTMainLoop(), S_OK);
    EXPECT_EQ(probe::frameTimes, (std::vector<double>{0.25, 0.5, 0.75}));
    EXPECT_EQ(probe::elapsedTimes, (std::vector<float>{0.25f, 0.25f, 0.25f}));
    EXPECT_EQ(probe::events,
              (Events{"move", "render", "move", "render", "move", "render", "lost", "destroyed"}));
    EXPECT_EQ(DXUTGetExitCode(), DXUT_EXIT_NORMAL);
    EXPECT_EQ(DXUTGetD3DDevice(), nullptr);
}

TEST_F(MainLoop, RealTimeIsMonotonicSecondsSinceTheStart) {
    framework_testing::setFlags({});
    framework_testing::runLoopPasses(3);
    ASSERT_EQ(probe::frameTimes.size(), 3u);
    EXPECT_GE(probe::frameTimes[0], 0.0);
    EXPECT_LT(probe::frameTimes[0], 5.0);
    EXPECT_LE(probe::frameTimes[0], probe::frameTimes[1]);
    EXPECT_LE(probe::frameTimes[1], probe::frameTimes[2]);
    EXPECT_NEAR(probe::frameTimes[2] - probe::frameTimes[1], probe::elapsedTimes[2], 1e-6);
}

TEST_F(MainLoop, EscapeQuitsWithExitCodeZeroAfterTheApplicationSawTheKey) {
    framework_testing::postMessage(WM_KEYDOWN, VK_ESCAPE, 1);
    ASSERT_EQ(DXUTMainLoop(), S_OK);
    EXPECT_EQ(probe::events, (Events{"key 27 down", "lost", "destroyed"}));
    EXPECT_EQ(DXUTGetExitCode(), DXUT_EXIT_NORMAL);
}

TEST_F(MainLoop, NoFurtherProcessingKeepsKeysFromHotkeysAndTheKeyboardCallback) {
    probe::knobs.consumeKeys = true;
    framework_testing::postMessage(WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_EQ(framework_testing::runLoopPasses(1), 1) << "still running";
    EXPECT_EQ(countOf("key 27 down"), 0u);
}

TEST_F(MainLoop, PauseFreezesTimeAndRenderingUntilPressedAgain) {
    framework_testing::runLoopPasses(1);
    framework_testing::postMessage(WM_KEYDOWN, VK_PAUSE, 1);
    EXPECT_EQ(framework_testing::runLoopPasses(3), 0);
    EXPECT_TRUE(DXUTIsTimePaused());
    EXPECT_TRUE(DXUTIsRenderingPaused());
    framework_testing::postMessage(WM_KEYDOWN, VK_PAUSE, 1 | kKeyRepeat);
    EXPECT_EQ(framework_testing::runLoopPasses(1), 0) << "a held key does not toggle again";
    framework_testing::postMessage(WM_KEYDOWN, VK_PAUSE, 1);
    EXPECT_EQ(framework_testing::runLoopPasses(1), 1);
    EXPECT_EQ(probe::frameTimes, (std::vector<double>{0.25, 0.5}));
}

TEST_F(MainLoop, MinimisedWindowDrawsNothing) {
    framework_testing::setMinimized(true);
    EXPECT_EQ(framework_testing::runLoopPasses(3), 0);
    framework_testing::setMinimized(false);
    EXPECT_EQ(framework_testing::runLoopPasses(1), 1);
}

TEST_F(MainLoop, F8TogglesWireframeOnTheDevice) {
    framework_testing::postMessage(WM_KEYDOWN, VK_F8, 1);
    framework_testing::runLoopPasses(1);
    framework_testing::postMessage(WM_KEYDOWN, VK_F8, 1);
    framework_testing::runLoopPasses(1);
    const Recording* log = framework_testing::recording();
    ASSERT_EQ(log->count("setWireframe"), 2u);
    EXPECT_EQ(log->last("setWireframe")->numbers, std::vector<double>{0});
}

TEST_F(MainLoop, KeyboardCallbackGetsKeyDirectionAndAlt) {
    framework_testing::postMessage(WM_KEYDOWN, 'Q', 1);
    framework_testing::postMessage(WM_KEYUP, 'Q', 1 | kKeyRepeat | kKeyReleased);
    framework_testing::postMessage(WM_SYSKEYDOWN, 'W', 1 | kKeyAltDown);
    framework_testing::postMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 6));
    framework_testing::runLoopPasses(1);
    EXPECT_EQ(Events(probe::events.begin(), probe::events.begin() + 3),
              (Events{"key 81 down", "key 81 up", "key 87 down alt"}));
}

TEST(FrameworkFlags, ReadsTheFlagsTheFrameworkOffersInAnyCase) {
    const FrameworkFlags flags = parseFrameworkFlags(
        {L"-width:1024", L"-HEIGHT:768", L"-fullscreen", L"-windowed", L"-quitafterframe:5",
         L"-constantframetime:0.02", L"-screenshot:/tmp/a b.png", L"-unknown:3", L"plain"});
    EXPECT_EQ(flags.width, 1024);
    EXPECT_EQ(flags.height, 768);
    EXPECT_EQ(flags.windowed, true) << "the later flag wins";
    EXPECT_EQ(flags.quitAfterFrame, 5);
    EXPECT_EQ(flags.constantFrameTime, 0.02);
    EXPECT_EQ(flags.screenshot, L"/tmp/a b.png");
}

TEST(FrameworkFlags, IgnoresValuesThatAreNotPositiveNumbers) {
    const FrameworkFlags flags = parseFrameworkFlags(
        {L"-width:0", L"-height:-5", L"-quitafterframe:x", L"-constantframetime:nan"});
    EXPECT_FALSE(flags.width);
    EXPECT_FALSE(flags.height);
    EXPECT_EQ(flags.quitAfterFrame, 0);
    EXPECT_FALSE(flags.constantFrameTime);
    EXPECT_FALSE(flags.windowed);
}

using PacerClock = FramePacer::Clock;
using namespace std::chrono_literals;

// Runs frames as the main loop does: each begins when it is due (at once when that has
// passed) and is presented `busy` later. Returns the times between the frames' beginnings.
std::vector<PacerClock::duration> runFrames(FramePacer& pacer, PacerClock::time_point& now,
                                            int frames, PacerClock::duration busy) {
    std::vector<PacerClock::duration> intervals;
    std::optional<PacerClock::time_point> last;
    for (int i = 0; i < frames; ++i) {
        now = std::max(now, pacer.due());
        if (last) {
            intervals.push_back(now - *last);
        }
        last = now;
        pacer.framePresented(now, now + busy);
        now += busy;
    }
    return intervals;
}

bool allEqual(const std::vector<PacerClock::duration>& intervals, PacerClock::duration value) {
    return std::all_of(intervals.begin(), intervals.end(),
                       [&](PacerClock::duration d) { return d == value; });
}

TEST(FramePacing, WherePresentingCannotWaitFramesAreDueSixtyASecondWithoutBursts) {
    FramePacer pacer;
    pacer.start(0, false);  // the driver took no swap interval
    PacerClock::time_point now{1s};
    EXPECT_TRUE(allEqual(runFrames(pacer, now, 61, 2ms), FramePacer::kPacedPeriod));

    // Waking a little late does not slow the pace.
    now = pacer.due() + 1ms;
    const PacerClock::time_point due = pacer.due();
    pacer.framePresented(now, now + 2ms);
    EXPECT_EQ(pacer.due(), due + FramePacer::kPacedPeriod);

    // A frame that took long is not made up for with frames in a row.
    now = pacer.due();
    pacer.framePresented(now, now + 50ms);
    now += 50ms;
    EXPECT_EQ(pacer.due(), now) << "the next at once";
    EXPECT_TRUE(allEqual(runFrames(pacer, now, 5, 2ms), FramePacer::kPacedPeriod));

    // After a pause or minimise no frame is owed: the next is due at once.
    now += 10s;
    pacer.restart();
    EXPECT_LE(pacer.due(), now);
}

TEST(FramePacing, ASwapIntervalIsTrustedOnlyWhenPresentsWaitForTheDisplay) {
    // A driver that takes the interval and does not wait (no display, vertical sync turned
    // off): the frames measured run free, then the loop is paced.
    FramePacer free;
    free.start(60, true);
    PacerClock::time_point now{1s};
    const auto measured = runFrames(free, now, int(FramePacer::kMeasuredFrames), 2ms);
    EXPECT_TRUE(allEqual(measured, 2ms));
    EXPECT_TRUE(free.sleepsToPace());
    EXPECT_TRUE(allEqual(runFrames(free, now, 10, 2ms), FramePacer::kPacedPeriod));

    // Presents that wait for a 60 Hz or a 144 Hz display, after a few queued ones that
    // return at once: frames follow the display, with no sleep of the pacer's own.
    for (const int refreshRate : {60, 144}) {
        const PacerClock::duration period = std::chrono::nanoseconds(1'000'000'000 / refreshRate);
        FramePacer synced;
        synced.start(refreshRate, true);
        runFrames(synced, now, int(FramePacer::kUncountedFrames), 1ms);
        runFrames(synced, now, int(FramePacer::kMeasuredFrames), period);
        EXPECT_TRUE(synced.followsDisplay()) << refreshRate << " Hz";
        EXPECT_TRUE(allEqual(runFrames(synced, now, 20, period), period)) << refreshRate << " Hz";
    }
}

}  // namespace

// The device lifecycle the framework drives, on a recording device: creation, resize,
// full-screen toggle, failures, and the order of shutdown.
#include <gtest/gtest.h>

#include "framework_probe.h"

namespace {

using Events = std::vector<std::string>;

class FrameworkLifecycle : public ::testing::Test {
  protected:
    void SetUp() override { probe::startRun(); }
    void TearDown() override { framework_testing::reset(); }
};

TEST_F(FrameworkLifecycle, CreationAsksAcceptsCreatesResetsThenSendsTheSize) {
    ASSERT_EQ(probe::createDevice(), S_OK);
    EXPECT_EQ(probe::events, (Events{"acceptable", "modify", "created 800x600", "reset 800x600",
                                     "WM_SIZE 800x600"}));
    IDirect3DDevice9* device = DXUTGetD3DDevice();
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(device->behaviorFlags(), D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_PUREDEVICE);
    EXPECT_EQ(DXUTGetBackBufferSurfaceDesc()->Width, 800u);
    EXPECT_TRUE(DXUTIsWindowed());
    EXPECT_NE(DXUTGetHWND(), nullptr);
}

TEST_F(FrameworkLifecycle, ResizeSendsSizeThenLostThenResetWithTheNewSize) {
    ASSERT_EQ(probe::createDevice(), S_OK);
    probe::events.clear();
    framework_testing::resizeClient(1024, 768);
    EXPECT_EQ(probe::events, (Events{"WM_SIZE 1024x768", "lost", "reset 1024x768"}));
    const RecordedCall* reset = framework_testing::recording()->last("Reset");
    ASSERT_NE(reset, nullptr);
    EXPECT_EQ(reset->numbers, (std::vector<double>{1024, 768}));

    probe::events.clear();
    framework_testing::resizeClient(1024, 768);
    framework_testing::resizeClient(0, 768);
    EXPECT_TRUE(probe::events.empty()) << "same size, or a zero-sized client area: nothing";
}

TEST_F(FrameworkLifecycle, AltEnterTogglesFullScreenThroughLostAndReset) {
    ASSERT_EQ(probe::createDevice(), S_OK);
    probe::events.clear();
    framework_testing::postMessage(WM_SYSKEYDOWN, VK_RETURN, 1 | kKeyAltDown);
    framework_testing::runLoopPasses(1);
    EXPECT_FALSE(DXUTIsWindowed());
    const Events expected = {"key 13 down alt", "WM_SIZE 800x600", "lost", "reset 800x600"};
    ASSERT_GE(probe::events.size(), expected.size());
    EXPECT_EQ(Events(probe::events.begin(), probe::events.begin() + 4), expected);
    EXPECT_FALSE(DXUTGetD3DDevice()->presentParameters().Windowed);
}

TEST_F(FrameworkLifecycle, WholeCycleWithTheApplicationsDeviceObjectsLeavesNothingBehind) {
    probe::knobs.makeDeviceObjects = true;
    ASSERT_EQ(probe::createDevice(), S_OK);
    framework_testing::resizeClient(1024, 768);
    const Events calls = framework_testing::recording()->names();
    const Events expected = {"CreateVertexDeclaration", "CreateVertexBuffer", "D3DXCreateFontW",
                             "D3DXCreateEffectFromFileW", "ID3DXFont::OnResetDevice",
                             "ID3DXEffect::OnResetDevice", "Lock", "Unlock", "D3DXCreateSprite",
                             // the resize
                             "ID3DXFont::OnLostDevice", "ID3DXEffect::OnLostDevice", "Reset",
                             "ID3DXFont::OnResetDevice", "ID3DXEffect::OnResetDevice", "Lock",
                             "Unlock", "D3DXCreateSprite"};
    EXPECT_EQ(calls, expected);

    ::testing::internal::CaptureStderr();
    DXUTShutdown(0);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << "no reference left on the device";
    EXPECT_EQ(probe::events.back(), "destroyed");
    EXPECT_EQ(probe::events[probe::events.size() - 2], "lost");
    EXPECT_EQ(DXUTGetD3DDevice(), nullptr);
}

TEST_F(FrameworkLifecycle, NoAcceptableDeviceEndsTheRunBeforeAnyCallback) {
    probe::knobs.acceptAnything = false;
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(probe::createDevice(), DXUTERR_NOCOMPATIBLEDEVICES);
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("no device"), std::string::npos);
    EXPECT_EQ(probe::events, (Events{"acceptable", "acceptable"})) << "both back-buffer formats";
    EXPECT_EQ(DXUTGetExitCode(), DXUT_EXIT_NO_COMPATIBLE_DEVICE);
    EXPECT_EQ(DXUTMainLoop(), E_FAIL);
    EXPECT_EQ(DXUTGetExitCode(), DXUT_EXIT_NO_COMPATIBLE_DEVICE);
}

TEST_F(FrameworkLifecycle, FailedCreationReleasesWhatWasMadeAndNamesTheFailure) {
    probe::knobs.makeDeviceObjects = true;
    probe::knobs.createdResult = E_OUTOFMEMORY;
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(probe::createDevice(), E_OUTOFMEMORY);
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("device-created callback failed"),
              std::string::npos);
    EXPECT_EQ(probe::events, (Events{"acceptable", "modify", "created 800x600", "destroyed"}));
    EXPECT_EQ(DXUTGetExitCode(), DXUT_EXIT_CREATING_DEVICE_OBJECTS);
    EXPECT_EQ(DXUTMainLoop(), E_FAIL) << "the loop does not run";
    EXPECT_EQ(probe::events.back(), "destroyed");
    EXPECT_EQ(DXUTGetD3DDevice(), nullptr);
}

TEST_F(FrameworkLifecycle, MissingMediaHasItsOwnExitCode) {
    probe::knobs.createdResult = DXUTERR_MEDIANOTFOUND;
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(probe::createDevice(), DXUTERR_MEDIANOTFOUND);
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(DXUTGetExitCode(), DXUT_EXIT_MEDIA_NOT_FOUND);
}

TEST_F(FrameworkLifecycle, FailedResetCallsLostAndEndsTheRunWithDestroyed) {
    probe::knobs.resetResult = E_FAIL;
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(probe::createDevice(), E_FAIL);
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(DXUTGetExitCode(), DXUT_EXIT_RESETTING_DEVICE_OBJECTS);
    DXUTMainLoop();
    EXPECT_EQ(probe::events, (Events{"acceptable", "modify", "created 800x600", "reset 800x600",
                                     "lost", "destroyed"}));
}

TEST_F(FrameworkLifecycle, DeviceNeedsTheWindowFirst) {
    framework_testing::reset();
    DXUTInit(false, true, false);
    framework_testing::useRecordingDevice();
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(probe::createDevice(), DXUTERR_NOWINDOW);
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(DXUTGetExitCode(), DXUT_EXIT_NO_WINDOW);
}

}  // namespace

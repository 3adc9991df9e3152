// Hooks for tests of the framework and of the application on it: a recording device with
// no window and no GL, messages as if from the window, size changes, and single passes
// of the main loop.
#pragma once

#include <string>
#include <vector>

#include "d3d9/recording.h"
#include "dxut/framework.h"

namespace framework_testing {

// Before DXUTCreateWindow: the run uses a recording device and opens no window.
void useRecordingDevice();
// The recording of the current device, or null.
Recording* recording();
// Flags as if given on the command line.
void setFlags(const std::vector<std::wstring>& arguments);
// The client area changed size, as a window resize reports it.
void resizeClient(UINT width, UINT height);
void setMinimized(bool minimized);
// Queued and handled at the next loop pass, as a message from the window.
void postMessage(UINT message, WPARAM wParam, LPARAM lParam);
// Runs passes of the main loop without waiting; returns the frames drawn in them.
int runLoopPasses(int passes);
// Ends any run and forgets everything, callbacks included.
void reset();

}  // namespace framework_testing

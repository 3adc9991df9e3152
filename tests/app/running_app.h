#pragma once
// The application brought up by the program's own start-up on the framework's recording
// device: no window, no GL. Frames are driven by calling the frame callback with chosen times.

#include "app_test_support.h"
#include "dxut/dxut.h"
#include "dxut/framework_testing.h"

class RunningApp : public InScratchDirectory {
  protected:
    void SetUp() override;
    void TearDown() override;

    // One frame at `time` seconds, `elapsed` since the previous one.
    void frame(double time, float elapsed = 0.016f);
    // A control event as the panel raises it.
    void event(int id, UINT code = 0x0101);
    // A window message through the application's callback; returns no-further-processing.
    bool message(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    bool mouse(UINT msg, int y, int x) { return message(msg, 0, (y << 16) | (x & 0xFFFF)); }
    void key(WPARAM virtualKey) { message(WM_KEYDOWN, virtualKey, 0); }
    std::wstring staticText(int id);
    std::string logText();
    Recording& recording() { return *framework_testing::recording(); }

    std::string logPath;
};

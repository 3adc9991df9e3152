#include "dxut/framework_testing.h"

#include "dxut/framework_state.h"

namespace framework_testing {

void useRecordingDevice() {
    framework().recordingDevice = true;
}

Recording* recording() {
    IDirect3DDevice9* device = framework().device;
    return device != nullptr ? device->recording() : nullptr;
}

void setFlags(const std::vector<std::wstring>& arguments) {
    framework().flags = parseFrameworkFlags(arguments);
}

void resizeClient(UINT width, UINT height) {
    resizeBackBuffer(width, height, false);
}

void setMinimized(bool minimized) {
    Framework& f = framework();
    if (f.minimized && !minimized) {
        restartTiming();
    }
    f.minimized = minimized;
}

void postMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    framework().posted.push_back({message, wParam, lParam});
}

int runLoopPasses(int passes) {
    Framework& f = framework();
    const int before = f.framesRendered;
    for (int i = 0; i < passes && !f.quit; ++i) {
        runLoopIteration(false);
    }
    return f.framesRendered - before;
}

void reset() {
    shutdown();
    framework() = Framework();
}

}  // namespace framework_testing

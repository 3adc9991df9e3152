#include "running_app.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "app_state.h"
#include "control_events.h"
#include "device_resources.h"
#include "diagnostic_log.h"
#include "frame_render.h"
#include "input.h"
#include "process_state.h"
#include "puzzle.h"
#include "screens.h"
#include "startup.h"
#include "turn_animation.h"

void RunningApp::SetUp() {
    InScratchDirectory::SetUp();
    logPath = directory + "/output.txt";
    logFile = std::fopen(logPath.c_str(), "w");
    puzzle = new Puzzle(&appState->getDefinition());
    vertexLimitReached = 0;
    puzzleVertexCount = puzzle->countVertices();
    turnBusy = 0;
    frameTime = 0.0;
    vertexBufferCurrent = 1;
    framework_testing::useRecordingDevice();
    registerCallbacks();
    buildGui();
    DXUTInit(false, true, false);
    DXUTCreateWindow(L"Orvanta");
    ASSERT_EQ(DXUTCreateDevice(D3DADAPTER_DEFAULT, true, 800, 600, isDeviceAcceptable,
                               modifyDeviceSettings),
              S_OK);
}

void RunningApp::TearDown() {
    framework_testing::reset();
    controlPanel.RemoveAllControls();
    turnBusy = 0;
    delete puzzle;
    puzzle = nullptr;
    std::fclose(logFile);
    logFile = nullptr;
    InScratchDirectory::TearDown();
}

void RunningApp::frame(double time, float elapsed) {
    onFrameRender(DXUTGetD3DDevice(), time, elapsed);
}

void RunningApp::event(int id, UINT code) {
    onGuiEvent(code, id, controlPanel.GetControl(id), nullptr);
}

bool RunningApp::message(UINT msg, WPARAM wParam, LPARAM lParam) {
    bool noFurther = false;
    msgProc(DXUTGetHWND(), msg, wParam, lParam, &noFurther);
    return noFurther;
}

std::wstring RunningApp::staticText(int id) {
    CDXUTStatic* control = controlPanel.GetStatic(id);
    return control != nullptr ? control->GetText() : L"<none>";
}

std::string RunningApp::logText() {
    std::fflush(logFile);
    std::ifstream in(logPath);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

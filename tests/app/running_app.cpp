#include "running_app.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "control_events.h"
#include "diagnostic_log.h"
#include "frame_render.h"
#include "input.h"
#include "startup.h"

void RunningApp::SetUp() {
    InScratchDirectory::SetUp();
    logPath = directory + "/output.txt";
    logFile = std::fopen(logPath.c_str(), "w");
    framework_testing::useRecordingDevice();
    ASSERT_EQ(startApplication(app, {.parseCommandLine = false, .showMessageBoxes = false}), S_OK);
}

void RunningApp::TearDown() {
    framework_testing::reset();
    controlPanel.RemoveAllControls();
    controlPanel.SetCallback(nullptr);
    std::fclose(logFile);
    logFile = nullptr;
    InScratchDirectory::TearDown();
}

void RunningApp::frame(double time, float elapsed) {
    onFrameRender(DXUTGetD3DDevice(), time, elapsed, &app);
}

void RunningApp::event(int id, UINT code) {
    onGuiEvent(code, id, controlPanel.GetControl(id), &app);
}

bool RunningApp::message(UINT msg, WPARAM wParam, LPARAM lParam) {
    bool noFurther = false;
    msgProc(DXUTGetHWND(), msg, wParam, lParam, &noFurther, &app);
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

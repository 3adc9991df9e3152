#pragma once
// Start-up, the one sequence the program and the tests' harness both run: the application
// state and the first puzzle, the framework's callbacks reaching the application, the play
// screen, the window and the device. The main loop is the caller's.

#include "dxut/dxut.h"

class Application;

// How the framework is brought up: the program reads its command-line flags and reports
// failures in message boxes; the tests' harness does neither.
struct FrameworkStart {
    bool parseCommandLine = true;
    bool showMessageBoxes = true;
};

// S_OK with the device up; E_OUTOFMEMORY (and a log line) when the state or the first puzzle
// could not be had, before anything of the framework, and then app.puzzle is null; else what
// DXUTCreateDevice returned.
HRESULT startApplication(Application& app, const FrameworkStart& start);

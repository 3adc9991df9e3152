// Callbacks that log what the framework calls, for the framework's tests; each logs "wrong
// context" when it is not handed the context it was registered with.
#pragma once

#include <string>
#include <vector>

#include "dxut/dxut.h"
#include "dxut/framework_testing.h"

namespace probe {

struct Knobs {
    bool acceptAnything = true;
    HRESULT createdResult = S_OK;
    HRESULT resetResult = S_OK;
    bool consumeKeys = false;        // the message callback sets no-further-processing for keys
    bool makeDeviceObjects = false;  // the callbacks create and release objects as the
                                     // application does
};

extern std::vector<std::string> events;
extern std::vector<double> frameTimes;
extern std::vector<float> elapsedTimes;
extern Knobs knobs;

bool isDeviceAcceptable(D3DCAPS9* caps, D3DFORMAT adapterFormat, D3DFORMAT backBufferFormat,
                        bool windowed, void* userContext);
void modifyDeviceSettings(DXUTDeviceSettings* settings, const D3DCAPS9* caps, void* userContext);

// Forgets every run, registers the probes, initialises without the command line and opens
// a recording "window".
void startRun();
// Creates the device as the application does: adapter 0, windowed, 800 by 600.
HRESULT createDevice();

}  // namespace probe

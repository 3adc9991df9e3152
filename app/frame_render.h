#pragma once
// What happens once per frame: the solve timer, the vertex buffer refill, the puzzle drawn
// through the effect while the turn animation takes its step, and the two panels.

#include "dxut/dxut.h"

class Application;
struct DeviceResources;

void onFrameRender(IDirect3DDevice9* device, double time, float elapsed, void* userContext);
void renderPuzzle(Application& app, IDirect3DDevice9* device, double time, float elapsed);
void renderText(DeviceResources& resources);

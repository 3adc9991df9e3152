#pragma once
// The window-message callback: the control panel first, then camera drags and zoom, turns of
// the layer under the mouse, cubie selection in the editor, the turning selection from keys
// and the wheel, and a rebuild of the controls when the window changes size.

#include "dxut/dxut.h"

LRESULT msgProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool* noFurtherProcessing,
                void* userContext);

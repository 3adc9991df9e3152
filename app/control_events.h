#pragma once
// The one event callback of the control panel: every control on every screen reports here,
// with the Application as its user context, and controls are told apart by id alone.

#include "dxut/dxut.h"

void CALLBACK onGuiEvent(UINT event, int id, CDXUTControl* control, void* userContext);

// Reads a decimal number at the start of `text` (blanks first allowed): false for text that
// does not start with one, and for hexadecimal, infinities and NaN.
bool readDecimal(const WCHAR* text, double& value);

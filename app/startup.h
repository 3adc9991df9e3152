#pragma once
// Registers the application's callbacks with the framework: device created, reset, lost and
// destroyed, window messages, keyboard, frame render and frame move.

void registerCallbacks();

// The framework's own command-line flags (the application reads none of its own).
#pragma once

#include <optional>
#include <string>
#include <vector>

struct FrameworkFlags {
    std::optional<int> width;
    std::optional<int> height;
    std::optional<bool> windowed;
    int quitAfterFrame = 0;  // 0: run until quit
    std::optional<double> constantFrameTime;
    std::wstring screenshot;  // empty: none
};

// Flags are "-name" or "-name:value", names in any case. Values that are not positive
// numbers leave the flag unset; unknown flags are ignored.
FrameworkFlags parseFrameworkFlags(const std::vector<std::wstring>& arguments);

// This process's arguments after the program name.
std::vector<std::wstring> processArguments();

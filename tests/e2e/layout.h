// Where the program's controls are in its 800 x 600 window: the control panel is 305 pixels
// wide at the right edge, so its origin is at x = 495.
#pragma once

#include <string>

#include "picture.h"

namespace layout {

constexpr int kPanel = 495;

constexpr Area button(int panelX, int y) {
    return {kPanel + panelX, y, 125, 22};
}
constexpr int centreX(Area a) {
    return a.x + a.width / 2;
}
constexpr int centreY(Area a) {
    return a.y + a.height / 2;
}

// Play screen.
constexpr Area kVersion = button(-320, 10);
constexpr Area kHelp = button(-160, 10);
constexpr Area kOptions = button(-160, 34);
constexpr Area kLoadPuzzle = button(0, 10);
constexpr Area kSavePuzzle = button(0, 34);
constexpr Area kEditPuzzle = button(160, 10);
constexpr Area kSolved = button(160, 34);
constexpr Area kFullyScrambled = button(160, 58);
constexpr Area kColorFade = button(160, 82);
constexpr Area kUndo = button(160, 130);
constexpr Area kPlayButtons[] = {kVersion,    kHelp,   kOptions,        kLoadPuzzle, kSavePuzzle,
                                 kEditPuzzle, kSolved, kFullyScrambled, kColorFade,  kUndo};
constexpr Area kReadyMade{kPanel + 140, 202, 150, 24};
// The round marks of the radio buttons Face, Point and Edge (the labels left out).
constexpr Area kRadios[] = {
    {kPanel + 180, 250, 20, 24}, {kPanel + 180, 274, 20, 24}, {kPanel + 180, 298, 20, 24}};
// The move counter, above the solve timer.
constexpr Area kCounter{kPanel + 25, 495, 250, 47};
constexpr Area kTimer{kPanel + 100, 545, 200, 55};
// The layer check box squares: a column of n at the window's x = 45, centred on the height.
constexpr Area layerBox(int i, int n) {
    return {45, 300 - (n * 25) / 2 + 25 * i, 20, 24};
}
// Where puzzles are drawn, clear of every control of the play, edit, save and load screens.
constexpr Area kPuzzleArea{100, 60, 415, 430};

// Edit screen.
constexpr Area kEditorHelp = button(0, 10);
constexpr Area kPlayPuzzle = button(160, 10);  // also on the save and load screens
constexpr Area kAdd = button(160, 130);
constexpr Area kConnect = button(160, 394);
// Save and load screens.
constexpr Area kFileName{kPanel + 160, 58, 125, 32};
constexpr Area kSave = button(160, 106);
constexpr Area kLoad = button(160, 58);
constexpr Area kFileList{kPanel + 160, 106, 125, 250};
// Screens whose controls stand left of the panel (x = 150 - W/2 or 250 - W/2).
constexpr Area kOptionsPlay = button(150 - 400, 10);
constexpr Area kTurnSeconds{kPanel + 150 - 400, 274, 75, 32};
constexpr Area kHelpPlay = button(250 - 400, 320);
constexpr Area kVersionPlay = button(250 - 400, 260);
constexpr Area kEditorHelpEdit = button(250 - 400, 370);

}  // namespace layout

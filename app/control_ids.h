#pragma once
// Control ids of the panel, its fonts, and the items of the editor's list of solids. Several
// ids are reused with another kind or text on other screens; the control events tell controls
// apart by id alone.

#include <cstdint>

enum ControlId : int {
    kIdCongratulation = 17,
    kIdMessage = 20,  // play: move counter; edit: thickness label; save: message; options: label
    kIdUndo = 21,
    kIdSolved = 22,
    kIdScramble = 23,
    kIdSolid = 25,
    kIdReadyMade = 26,
    kIdEditPuzzle = 27,
    kIdPlayPuzzle = 28,
    kIdSliceKind = 29,
    kIdSliceList = 30,
    kIdAdd = 31,
    kIdRemove = 32,
    kIdThickness = 33,
    kIdFace = 34,
    kIdPoint = 35,
    kIdEdge = 36,
    kIdConnect = 38,
    kIdDisconnect = 39,
    kIdColorFade = 40,
    kIdLoadPuzzle = 41,
    kIdSavePuzzle = 42,
    kIdFileList = 43,
    kIdSave = 44,
    kIdLoad = 45,
    kIdFileName = 46,
    kIdHelp = 47,
    kIdEditHelp = 48,  // edit: button "Help"; help, options, editor help, version: a static
    kIdOptions = 49,   // play: button "Options"; edit: the error line; help texts: a static
    kIdText50 = 50,
    kIdLeftAnticlockwise = 51,
    kIdLeftClockwise = 52,
    kIdHighlightsOn = 53,
    kIdHighlightsOff = 54,
    kIdLineWidth = 55,
    kIdText56 = 56,
    kIdVersion = 57,
    kIdHours = 58,
    kIdMinutes = 59,
    kIdSeconds = 60,
    kIdHundredths = 61,
    kIdEraseThreshold = 62,
    kIdText63 = 63,
    kIdFirstLayer = 64,  // layer check boxes 64..83 for layers 1..20
    kIdLastLayer = 83,
    kIdSingleMetric = 84,
    kIdMultiMetric = 85,
    kIdPulldownVisible = 86,
    kIdPulldownHidden = 87,
    kIdTurnSeconds = 88,
};

inline constexpr int kIdErrorLine = kIdOptions;
inline constexpr int kMaxLayerBoxes = 20;

// Fonts of the control panel.
enum PanelFont : unsigned {
    kFontDefault = 0,
    kFontStatic = 1,
    kFontCongratulation = 2,
    kFontLabel = 3,
    kFontCounter = 4,
    kFontHundredths = 5,
};

// The editor's solids, in list order: item n is the shape n.
struct SolidItem {
    const wchar_t* name;
    uint32_t tag;
};

inline constexpr SolidItem kSolidItems[] = {
    {L"TetraHedron", 0x11111111},  {L"Cube", 0x12121212},        {L"OctaHedron", 0x13131313},
    {L"DodecaHedron", 0x14141414}, {L"IcosaHedron", 0x15151515},
};

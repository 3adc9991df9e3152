// The eight screens of the control panel.
//
// [SECTION] fonts and shared helpers
// [SECTION] play, edit, save, load
// [SECTION] help, options, editor help, version
// [SECTION] layer check boxes and the slice list
// [SECTION] texts that change while a screen is shown
//
// Positions are relative to the panel, whose origin lies at (W - 305, 0) in the window; W/2
// and H/2 truncate. A negative x lies left of the panel.

#include "screens.h"

#include <cstdint>
#include <cwchar>

#include "application.h"
#include "control_events.h"
#include "control_ids.h"
#include "diagnostic_log.h"
#include "puzzle_file.h"
#include "ready_made.h"

namespace {

constexpr int kRowChars = 50;
constexpr int kSliceRows = 10;
constexpr const wchar_t* kCongratulation = L"Congratulations\nYou solved the magic puzzle!";
constexpr const wchar_t* kVertexLimitError = L"Error: Maximum vertex limit reached.";

// [SECTION] fonts and shared helpers

void* itemData(intptr_t value) {
    return reinterpret_cast<void*>(value);
}

void setFontAndFormat(CDXUTControl* control, UINT font, DWORD format) {
    if (control != nullptr) {
        control->GetElement(0)->iFont = font;
        control->GetElement(0)->dwTextFormat = format;
    }
}

void setFont(CDXUTControl* control, UINT font) {
    if (control != nullptr) {
        control->GetElement(0)->iFont = font;
    }
}

void addLabel(int id, const wchar_t* text, int x, int y, int width, int height, UINT font) {
    CDXUTStatic* label = nullptr;
    controlPanel.AddStatic(id, text, x, y, width, height, false, &label);
    setFont(label, font);
}

void setPanelFonts() {
    controlPanel.SetFont(kFontStatic, L"Arial", 18, 700);
    controlPanel.SetFont(kFontCongratulation, L"Arial", 35, 700);
    controlPanel.SetFont(kFontLabel, L"Arial", 14, 700);
    controlPanel.SetFont(kFontCounter, L"Arial", 40, 700);
    controlPanel.SetFont(kFontHundredths, L"Arial", 25, 700);
    if (CDXUTElement* element = controlPanel.GetDefaultElement(DXUT_CONTROL_STATIC, 0)) {
        element->iFont = kFontStatic;
        element->dwTextFormat = DT_LEFT | DT_BOTTOM;
    }
    displayPanel.SetFont(kFontStatic, L"Arial", 18, 700);
    if (CDXUTElement* element = displayPanel.GetDefaultElement(DXUT_CONTROL_STATIC, 0)) {
        element->iFont = kFontStatic;
        element->dwTextFormat = DT_LEFT | DT_BOTTOM;
        element->FontColor.Init(0xFF00C8C8, 0xC8808080, 0);
    }
}

// [SECTION] play, edit, save, load

void buildPlay(Application& app, int w, int h) {
    AppState& appState = *app.appState;
    controlPanel.AddButton(kIdVersion, L"Version", -320, 10, 125, 22);
    controlPanel.AddButton(kIdHelp, L"Help", -160, 10, 125, 22);
    controlPanel.AddButton(kIdOptions, L"Options", -160, 34, 125, 22);
    controlPanel.AddButton(kIdLoadPuzzle, L"Load Puzzle", 0, 10, 125, 22);
    controlPanel.AddButton(kIdSavePuzzle, L"Save Puzzle", 0, 34, 125, 22);
    controlPanel.AddButton(kIdEditPuzzle, L"Edit Puzzle", 160, 10, 125, 22);
    controlPanel.AddButton(kIdSolved, L"Solved", 160, 34, 125, 22);
    controlPanel.AddButton(kIdScramble, L"Fully Scrambled", 160, 58, 125, 22);
    controlPanel.AddButton(kIdColorFade, L"Color Fade", 160, 82, 125, 22);
    controlPanel.AddButton(kIdUndo, L"Undo Move", 160, 130, 125, 22);
    const bool pulldown = appState.isPulldownVisible();
    if (pulldown) {
        CDXUTComboBox* combo = nullptr;
        controlPanel.AddComboBox(kIdReadyMade, 140, 202, 150, 24, 0, false, &combo);
        if (combo != nullptr) {
            combo->SetDropHeight(140);
            for (const ReadyMadePuzzle& p : kReadyMadePuzzles) {
                combo->AddItem(p.name, itemData(p.tag));
            }
        }
    }
    const int radioY = pulldown ? 250 : 178;
    controlPanel.AddRadioButton(kIdFace, 1, L"Face", 180, radioY, 100, 24);
    controlPanel.AddRadioButton(kIdPoint, 1, L"Point", 180, radioY + 24, 100, 24);
    controlPanel.AddRadioButton(kIdEdge, 1, L"Edge", 180, radioY + 48, 100, 24);
    const int32_t kind = appState.getAnchorKind();
    if (kind >= FaceSlice && kind <= EdgeSlice) {
        if (CDXUTRadioButton* radio = controlPanel.GetRadioButton(kIdFace + kind)) {
            radio->SetChecked(true, true);
        }
    }
    appState.setSingleLayer(1);
    logPrintf("YLength = %d\n", w);
    buildLayerCheckBoxes(app);

    CDXUTStatic* counter = nullptr;
    controlPanel.AddStatic(kIdMessage, L"0", 25, h - 100, 245, 50, false, &counter);
    setFontAndFormat(counter, kFontCounter, DT_RIGHT | DT_WORDBREAK);
    addLabel(kIdHours, L"00:", 105, h - 70, 200, 50, kFontCounter);
    addLabel(kIdMinutes, L"00:", 155, h - 70, 200, 50, kFontCounter);
    addLabel(kIdSeconds, L"00", 205, h - 70, 200, 50, kFontCounter);
    addLabel(kIdHundredths, L"00", 245, h - 73, 200, 50, kFontHundredths);
    showMoveCount(app);
}

void buildEdit(const AppState& appState) {
    controlPanel.AddButton(kIdEditHelp, L"Help", 0, 10, 125, 22);
    controlPanel.AddButton(kIdPlayPuzzle, L"Play Puzzle", 160, 10, 125, 22);
    CDXUTComboBox* solids = nullptr;
    controlPanel.AddComboBox(kIdSolid, 140, 82, 150, 24, 0, false, &solids);
    if (solids != nullptr) {
        solids->SetDropHeight(100);
        for (const SolidItem& solid : kSolidItems) {
            solids->AddItem(solid.name, itemData(solid.tag));
        }
        const int32_t shape = appState.getDefinition().shape;
        if (shape >= 0 && shape < kShapeCount) {
            solids->SetSelectedByText(kSolidItems[shape].name);
        }
    }
    CDXUTListBox* kinds = nullptr;
    controlPanel.AddListBox(kIdSliceKind, 25, 130, 100, 60, 0, &kinds);
    if (kinds != nullptr) {
        kinds->AddItem(L"Face", itemData(FaceSlice));
        kinds->AddItem(L"Point", itemData(PointSlice));
        kinds->AddItem(L"Edge", itemData(EdgeSlice));
        kinds->SelectItem(0);  // its event is ignored
    }
    controlPanel.AddButton(kIdAdd, L"Add", 160, 130, 125, 22);
    controlPanel.AddListBox(kIdSliceList, 0, 250, 125, 120, 0);
    fillSliceList(appState);
    controlPanel.AddButton(kIdRemove, L"Remove", 160, 250, 125, 22);
    CDXUTEditBox* thickness = nullptr;
    controlPanel.AddEditBox(kIdThickness, L"", 160, 298, 50, 32, false, &thickness);
    if (thickness != nullptr) {
        thickness->SetEnabled(false);
    }
    addLabel(kIdMessage, L"Slice Thickness\n(0-360)", 215, 298, 100, 30, kFontLabel);
    addLabel(kIdErrorLine, L"", -275, 298, 250, 24, kFontStatic);
    controlPanel.AddButton(kIdConnect, L"Connect cubies", 160, 394, 125, 22);
    controlPanel.AddButton(kIdDisconnect, L"Disconnect cubies", 160, 418, 125, 22);
    WCHAR text[kTextChars];
    StringCchPrintfW(text, kTextChars, L"%d", shownLineWidth(appState.getLineWidth()));
    controlPanel.AddEditBox(kIdLineWidth, text, 130, 466, 50, 32);
    addLabel(kIdText50, L"Line width (0-100)", 190, 466, 120, 24, kFontLabel);
    StringCchPrintfW(text, kTextChars, L"%d", appState.getEraseThreshold());
    controlPanel.AddEditBox(kIdEraseThreshold, text, 130, 514, 50, 32);
    addLabel(kIdText56, L"Erase Threshold \n(0-100)", 190, 494, 120, 48, kFontLabel);
}

void buildSave(const AppState& appState) {
    controlPanel.AddButton(kIdPlayPuzzle, L"Play Puzzle", 160, 10, 125, 22);
    WCHAR name[kPuzzleNameBytes] = L"";
    char fileName[kFileNameSize];
    appState.getFileName(fileName);
    if (MultiByteToWideChar(CP_ACP, 0, fileName, -1, name, static_cast<int>(kPuzzleNameBytes)) ==
        0) {
        name[0] = L'\0';
    }
    controlPanel.AddEditBox(kIdFileName, name, 160, 58, 125, 32);
    controlPanel.AddButton(kIdSave, L"Save", 160, 106, 125, 22);
    addLabel(kIdMessage, L"Press button to save", 160, 106, 125, 50, kFontLabel);
}

void buildLoad() {
    controlPanel.AddButton(kIdPlayPuzzle, L"Play Puzzle", 160, 10, 125, 22);
    controlPanel.AddButton(kIdLoad, L"Load", 160, 58, 125, 22);
    controlPanel.AddListBox(kIdFileList, 160, 106, 125, 250, 0);
}

// [SECTION] help, options, editor help, version

void buildTexts(const int (&ids)[5], const wchar_t* const (&texts)[5], const int (&ys)[5],
                int count, int w) {
    for (int i = 0; i < count; ++i) {
        addLabel(ids[i], texts[i], 150 - w / 2, ys[i], 400, 200, kFontLabel);
    }
}

void buildHelp(int w) {
    static const int ids[5] = {kIdEditHelp, kIdOptions, kIdText50, kIdText56, 0};
    static const wchar_t* const texts[5] = {
        L"Press left mouse button or right mouse button on the cube\nto rotate a layer.\n",
        L"Press and hold left or right mouse button in the grey area and drag,\nto rotate the "
        L"whole cube.\n\nPress the numbers 1 to 9 to select layer 1 to 9, use 'a' and 's' "
        L"keys\nor use mousewheel.\n",
        L"Press 'q', 'w' and 'e' to rotate a face, point or edge layer,\nor use the radio "
        L"buttons.",
        L"Click on the pull down menu on the right to select other puzzles.\n\nPress arrows up "
        L"and down to zoom in and zoom out.",
        nullptr};
    static const int ys[5] = {-83, 0, 40, 95, 0};
    buildTexts(ids, texts, ys, 4, w);
    controlPanel.AddButton(kIdPlayPuzzle, L"Play Puzzle", 250 - w / 2, 320, 125, 22);
}

void addRadioPair(int firstId, int secondId, UINT group, const wchar_t* first,
                  const wchar_t* second, int x, int y, bool firstChecked) {
    controlPanel.AddRadioButton(firstId, group, first, x, y, 300, 24);
    controlPanel.AddRadioButton(secondId, group, second, x, y + 24, 300, 24);
    if (CDXUTRadioButton* radio = controlPanel.GetRadioButton(firstChecked ? firstId : secondId)) {
        radio->SetChecked(true, true);
    }
}

void buildOptions(const AppState& appState, int w) {
    const int x = 150 - w / 2;
    controlPanel.AddButton(kIdPlayPuzzle, L"Play Puzzle", x, 10, 125, 22);
    addRadioPair(kIdLeftAnticlockwise, kIdLeftClockwise, 1,
                 L"Left mouse button: rotate anti-clockwise",
                 L"Left mouse button: rotate clockwise", x, 58, !appState.isLeftButtonClockwise());
    addRadioPair(kIdHighlightsOn, kIdHighlightsOff, 2, L"Cuby highlights on",
                 L"Cuby highlights off", x, 130, appState.isCubyHighlights());
    addRadioPair(kIdPulldownVisible, kIdPulldownHidden, 4, L"Pulldown menu visible",
                 L"Pulldown menu not visible", x, 202, appState.isPulldownVisible());
    // "%lf" cut after its fifth character: 0.25 shows as 0.250, 10 as 10.00.
    WCHAR seconds[kTextChars];
    StringCchPrintfW(seconds, kTextChars, L"%lf", appState.getTurnSeconds());
    seconds[5] = L'\0';
    controlPanel.AddEditBox(kIdTurnSeconds, seconds, x, 274, 75, 32);
    addLabel(kIdMessage, L"Rotation speed in seconds (0-10)\nPress enter to take effect",
             230 - w / 2, 274, 200, 30, kFontLabel);
    addLabel(kIdEditHelp,
             L"Warning: Changing the turn metric will reset your puzzle to solved state.", x, 289,
             400, 100, kFontLabel);
    addRadioPair(kIdSingleMetric, kIdMultiMetric, 3, L"Single turn metric", L"Multi turn metric", x,
                 322, appState.getDefinition().turnMetric == Single);
}

void buildEditorHelp(int w) {
    static const int ids[5] = {kIdEditHelp, kIdOptions, kIdText50, kIdText56, kIdText63};
    static const wchar_t* const texts[5] = {
        L"Use the pull down menu on the right to select the puzzle shape.\n\nPress 'Add' "
        L"button to add face, point or edge slices to the puzzle.\n",
        L"Click on a slice in the lower listbox and press 'Remove' button\nto remove the "
        L"selected slice from the puzzle.\n\nClick on a slice in the lower listbox and change "
        L"the slice's value\nin the editbox to the right with a number between 0 and 360.",
        L"Click on cubies in the cube to highlight them, and press\n'Connect Cubies' button to "
        L"connect the highlighted cubies.\n\nPress 'Disconnect Cubies' to disconnect "
        L"highlighted cubies.",
        L"Enter a value in the editbox with (10-200) next to it\nto change the width of the "
        L"black lines.",
        L"If cuttinglines are very close together, cubies can become too small \nto see "
        L"properly. To erase these cubies, raise the value in threshold \neditbox."};
    static const int ys[5] = {-83, 0, 70, 110, 160};
    buildTexts(ids, texts, ys, 5, w);
    controlPanel.AddButton(kIdEditPuzzle, L"Edit Puzzle", 250 - w / 2, 370, 125, 22);
}

void buildVersion(int w) {
    addLabel(kIdEditHelp,
             L"Version 1.21\n\nOrvanta, a simulator and editor of twisty puzzles,\nwritten by "
             L"the Orvanta developers.\nThanks to everyone who turns, builds and shares puzzles.",
             150 - w / 2, 27, 500, 200, kFontLabel);
    addLabel(kIdOptions, L"Questions or comments? Write to orvanta@example.org", 150 - w / 2, 50,
             500, 200, kFontLabel);
    controlPanel.AddButton(kIdPlayPuzzle, L"Play Puzzle", 250 - w / 2, 260, 125, 22);
}

}  // namespace

void buildGui(Application& app) {
    const AppState& appState = *app.appState;
    controlPanel.RemoveAllControls();
    setPanelFonts();
    const int w = appState.getWindowWidth();
    const int h = appState.getWindowHeight();
    const int32_t mode = appState.getMode();
    if (mode < Play || mode > Version) {
        return;
    }
    controlPanel.SetCallback(onGuiEvent, &app);
    switch (mode) {
        case Play:
            buildPlay(app, w, h);
            break;
        case Edit:
            buildEdit(appState);
            break;
        case Save:
            buildSave(appState);
            break;
        case Load:
            buildLoad();
            break;
        case Help:
            buildHelp(w);
            break;
        case Options:
            buildOptions(appState, w);
            break;
        case EditorHelp:
            buildEditorHelp(w);
            break;
        default:
            buildVersion(w);
            break;
    }
}

// [SECTION] layer check boxes and the slice list

void buildLayerCheckBoxes(Application& app) {
    AppState& appState = *app.appState;
    for (int id = kIdFirstLayer; id <= kIdLastLayer; ++id) {
        controlPanel.RemoveControl(id);
    }
    const int32_t n = app.puzzle->getLayerCountOfKind(appState.getAnchorKind());
    const int w = appState.getWindowWidth();
    const int h = appState.getWindowHeight();
    // The column is centred on all n layers even when only the first 20 get a box.
    for (int32_t i = 0; i < n && i < kMaxLayerBoxes; ++i) {
        WCHAR text[8];
        StringCchPrintfW(text, 8, L"%d", i + 1);
        CDXUTCheckBox* box = nullptr;
        controlPanel.AddCheckBox(kIdFirstLayer + i, text, 350 - w, h / 2 - (n * 25) / 2 + 25 * i,
                                 50, 24, false, 0, false, &box);
        if (box != nullptr) {
            box->SetChecked(i == 0);
        }
    }
    appState.setSingleLayer(n != 0 ? 1 : 0);
}

void updateLayerCheckBoxes(const Application& app) {
    const uint32_t mask = static_cast<uint32_t>(app.appState->getLayerMask());
    const int32_t n = app.puzzle->getLayerCountOfKind(app.appState->getAnchorKind());
    for (int32_t i = 0; i < n && i < kMaxLayerBoxes; ++i) {
        if (CDXUTCheckBox* box = controlPanel.GetCheckBox(kIdFirstLayer + i)) {
            box->SetChecked(((mask >> i) & 1u) != 0);
        }
    }
}

void fillSliceList(const AppState& appState) {
    CDXUTListBox* list = controlPanel.GetListBox(kIdSliceList);
    if (list == nullptr) {
        return;
    }
    list->RemoveAllItems();
    const PuzzleDefinition& d = appState.getDefinition();
    const int32_t count =
        d.sliceCount < 0 ? 0 : (d.sliceCount > kMaxSlices ? kMaxSlices : d.sliceCount);
    WCHAR row[kRowChars];
    for (int32_t n = 1; n <= count; ++n) {
        static const wchar_t* const formats[] = {L"%d: Face    %d", L"%d: Point   %d",
                                                 L"%d: Edge    %d"};
        const int32_t kind = d.sliceKinds[n - 1];
        if (kind >= FaceSlice && kind <= EdgeSlice) {
            StringCchPrintfW(row, kRowChars, formats[kind], n, d.sliceThicknesses[n - 1]);
        } else {
            StringCchPrintfW(row, kRowChars, L"%d:", n);
        }
        list->AddItem(row, itemData(n - 1));
    }
    for (int32_t n = count + 1; n <= kSliceRows; ++n) {
        StringCchPrintfW(row, kRowChars, L"%d:", n);
        list->AddItem(row, itemData(n - 1));
    }
}

void onSliceSelected(const AppState& appState, const WCHAR* rowText) {
    CDXUTEditBox* thickness = controlPanel.GetEditBox(kIdThickness);
    if (thickness == nullptr) {
        return;
    }
    int slot = 0;
    if (rowText != nullptr) {
        // The slot number stands in the first two characters ("3:" or "10").
        const WCHAR number[3] = {rowText[0], rowText[0] != L'\0' ? rowText[1] : L'\0', L'\0'};
        slot = _wtoi(number);
    }
    if (rowText != nullptr && slot >= 1 && slot - 1 < appState.getDefinition().sliceCount) {
        const WCHAR* last = std::wcsrchr(rowText, L' ');
        WCHAR text[kTextChars];
        StringCchPrintfW(text, kTextChars, L"%d", _wtoi(last != nullptr ? last + 1 : rowText));
        thickness->SetText(text);
        thickness->SetEnabled(true);
    } else {
        thickness->SetText(L"");
        thickness->SetEnabled(false);
    }
}

DXUTListBoxItem* getSelectedListItem(CDXUTListBox* list) {
    return list != nullptr ? list->GetItem(list->GetSelectedIndex()) : nullptr;
}

// [SECTION] texts that change while a screen is shown

void setStaticText(int id, const wchar_t* text) {
    if (CDXUTStatic* control = controlPanel.GetStatic(id)) {
        control->SetText(text);
    }
}

void showMoveCount(const Application& app) {
    const int32_t count =
        app.puzzle->getMoveCount() - (app.appState->isScrambled() ? kScrambleMoves : 0);
    WCHAR text[kTextChars];
    StringCchPrintfW(text, kTextChars, L"%d", count);
    setStaticText(kIdMessage, text);
}

void showCongratulation(const AppState& appState) {
    CDXUTStatic* text = nullptr;
    controlPanel.AddStatic(kIdCongratulation, kCongratulation, 50 - appState.getWindowWidth() / 2,
                           50, 500, 100, false, &text);
    if (text != nullptr) {
        text->GetElement(0)->iFont = kFontCongratulation;
        text->SetTextColor(0xFFFF0000);
        text->GetElement(0)->dwTextFormat = DT_CENTER | DT_VCENTER | DT_WORDBREAK;
    }
}

void hideCongratulation() {
    controlPanel.RemoveControl(kIdCongratulation);
}

void showVertexLimitError() {
    if (CDXUTStatic* line = controlPanel.GetStatic(kIdErrorLine)) {
        line->SetText(kVertexLimitError);
        line->GetElement(0)->iFont = kFontLabel;
    }
}

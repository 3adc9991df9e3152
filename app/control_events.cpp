// What the controls do.
//
// [SECTION] shared steps: busy guard, rebuild, screens
// [SECTION] play screen
// [SECTION] editor
// [SECTION] options, files
// [SECTION] dispatch

#include "control_events.h"

#include <cwchar>
#include <cwctype>
#include <string>

#include "app_state.h"
#include "control_ids.h"
#include "device_resources.h"
#include "process_state.h"
#include "puzzle.h"
#include "puzzle_file.h"
#include "ready_made.h"
#include "screens.h"
#include "turn_animation.h"

namespace {

constexpr int kMaxEditorSlices = 10;

// [SECTION] shared steps: busy guard, rebuild, screens

// Ids that do nothing while a turn animates.
bool isBusyGuarded(int id) {
    switch (id) {
        case kIdUndo:
        case kIdSolved:
        case kIdScramble:
        case kIdReadyMade:
        case kIdEditPuzzle:
        case kIdColorFade:
        case kIdLoadPuzzle:
        case kIdSavePuzzle:
        case kIdHelp:
        case kIdOptions:
        case kIdVersion:
            return true;
        default:
            return false;
    }
}

void showScreen(int32_t mode) {
    appState->setMode(mode);
    buildGui();
}

// The text of an edit box, bounded as the handlers read it.
std::wstring editText(CDXUTControl* control) {
    WCHAR text[kTextChars] = L"";
    if (control != nullptr && control->GetType() == DXUT_CONTROL_EDITBOX) {
        StringCchPrintfW(text, kTextChars, L"%s", static_cast<CDXUTEditBox*>(control)->GetText());
    }
    return text;
}

int clampInt(int value, int low, int high) {
    return value < low ? low : (value > high ? high : value);
}

uint32_t selectedTag(CDXUTControl* control) {
    if (control == nullptr || control->GetType() != DXUT_CONTROL_COMBOBOX) {
        return 0;
    }
    const DXUTComboBoxItem* item = static_cast<CDXUTComboBox*>(control)->GetSelectedItem();
    return item != nullptr ? static_cast<uint32_t>(reinterpret_cast<uintptr_t>(item->pData)) : 0;
}

int32_t rowData(const DXUTListBoxItem* item) {
    return static_cast<int32_t>(reinterpret_cast<intptr_t>(item->pData));
}

// [SECTION] play screen

void undo() {
    const int32_t n = puzzle->getMoveCount();
    // The moves of a full scramble are never undone.
    if (n <= (appState->isScrambled() ? kScrambleMoves : 0)) {
        return;
    }
    startTurn(puzzle->getLastMoveAnchor(), puzzle->getLastMoveLayerMask(),
              puzzle->getLastMoveClockwise() != 1 ? 1 : 0);
}

void solved() {
    appState->setTimerState(Idle);
    rebuildPuzzle(BandageGroups::Keep, VertexCount::Keep);
    appState->setScrambled(0);
    showMoveCount();  // the new puzzle's count: 0
    hideCongratulation();
}

void fullyScramble() {
    appState->setTimerState(Idle);
    rebuildPuzzle(BandageGroups::Keep, VertexCount::Keep);
    puzzle->scramble();
    setStaticText(kIdMessage, L"0");
    hideCongratulation();
    appState->setScrambled(puzzle->getMoveCount() == kScrambleMoves ? 1 : 0);
}

void chooseReadyMade(CDXUTControl* control) {
    hideCongratulation();
    appState->setTimerState(Idle);
    const uint32_t tag = selectedTag(control);
    for (const ReadyMadePuzzle& p : kReadyMadePuzzles) {
        if (p.tag != tag) {
            continue;
        }
        appState->clearGroupsValid();
        appState->setScrambled(0);
        appState->setShape(p.shape);
        appState->setSliceCount(p.sliceCount);
        for (int32_t i = 0; i < p.sliceCount; ++i) {
            appState->setSlice(i, p.slices[i].kind, p.slices[i].thickness);
        }
        rebuildPuzzle(BandageGroups::Keep, VertexCount::Recount);
        if (CDXUTRadioButton* radio = controlPanel.GetRadioButton(kIdFace + p.turningKind)) {
            radio->SetChecked(true, true);
        }
        appState->setAnchorKind(p.turningKind);
        buildLayerCheckBoxes();
        return;
    }
}

void editPuzzle() {
    appState->setTimerState(Idle);
    rebuildPuzzle(BandageGroups::Keep, VertexCount::Keep);
    appState->setScrambled(0);
    showScreen(Edit);
}

// The 8-bit form of a name typed or listed as wide text; empty when it does not fit.
std::string narrowName(const WCHAR* wide) {
    WCHAR text[kTextChars];
    StringCchPrintfW(text, kTextChars, L"%s", wide);
    char name[kPuzzleNameBytes];
    if (WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, -1, name,
                            static_cast<int>(kPuzzleNameBytes), nullptr, nullptr) == 0) {
        return std::string();
    }
    return name;
}

void listPuzzles() {
    showScreen(Load);
    CDXUTListBox* list = controlPanel.GetListBox(kIdFileList);
    if (list == nullptr) {
        return;
    }
    intptr_t index = 0;
    for (const std::string& name : listPuzzleFiles()) {
        // Only names whose row text converts back to the same bytes can be loaded again (a
        // name that is no valid UTF-8 would not).
        WCHAR wide[kPuzzleNameBytes];
        if (MultiByteToWideChar(CP_ACP, 0, name.c_str(), -1, wide,
                                static_cast<int>(kPuzzleNameBytes)) != 0 &&
            narrowName(wide) == name) {
            list->AddItem(wide, reinterpret_cast<void*>(index++));
        }
    }
}

// [SECTION] editor

void chooseSolid(CDXUTControl* control) {
    const uint32_t tag = selectedTag(control);
    for (int32_t shape = 0; shape < kShapeCount; ++shape) {
        if (kSolidItems[shape].tag != tag) {
            continue;
        }
        appState->clearGroupsValid();
        appState->setScrambled(0);
        appState->setShape(shape);
        appState->setSliceCount(0);
        rebuildPuzzle(BandageGroups::Keep, VertexCount::Recount);
        fillSliceList();
        return;
    }
}

void addSlice() {
    if (appState->getDefinition().sliceCount >= kMaxEditorSlices) {
        return;
    }
    const DXUTListBoxItem* kind = getSelectedListItem(controlPanel.GetListBox(kIdSliceKind));
    if (kind == nullptr) {
        return;
    }
    appState->addSlice(rowData(kind), 90);
    fillSliceList();
    // Raises list 30's selection event at once: the new slice's thickness shows.
    if (CDXUTListBox* slices = controlPanel.GetListBox(kIdSliceList)) {
        slices->SelectItem(appState->getDefinition().sliceCount - 1);
    }
    rebuildPuzzle(BandageGroups::Drop, VertexCount::Recount);
    setStaticText(kIdErrorLine, L"");
}

void removeSlice() {
    CDXUTListBox* slices = controlPanel.GetListBox(kIdSliceList);
    const DXUTListBoxItem* row = getSelectedListItem(slices);
    if (row == nullptr) {
        return;
    }
    const WCHAR number[3] = {row->strText[0], row->strText[0] != L'\0' ? row->strText[1] : L'\0',
                             L'\0'};
    if (_wtoi(number) - 1 >= appState->getDefinition().sliceCount) {
        return;  // an empty row
    }
    appState->removeSlice(rowData(row));
    fillSliceList();
    const DXUTListBoxItem* now = getSelectedListItem(slices);
    onSliceSelected(now != nullptr ? now->strText : nullptr);
    rebuildPuzzle(BandageGroups::Drop, VertexCount::Recount);
}

void setThickness(CDXUTControl* control) {
    const int value = _wtoi(editText(control).c_str());
    const DXUTListBoxItem* row = getSelectedListItem(controlPanel.GetListBox(kIdSliceList));
    if (row == nullptr) {
        return;
    }
    PuzzleDefinition& d = appState->getDefinition();
    // A row without a slice takes no thickness (the field can be left enabled by a rebuild).
    const int32_t slot = rowData(row);
    if (slot < 0 || slot >= d.sliceCount || slot >= kMaxSlices) {
        return;
    }
    // Stored as typed: any whole number, drawn outside the solid when beyond 0..360.
    d.sliceThicknesses[slot] = value;
    fillSliceList();
    rebuildPuzzle(BandageGroups::Drop, VertexCount::Recount);
}

enum class Bandage { Connect, Disconnect };

// The selected cubies leave their groups; connecting then joins them into one.
void changeBandage(Bandage change) {
    puzzle->disconnectSelected(&appState->getDefinition());
    if (change == Bandage::Connect) {
        puzzle->connectSelected(&appState->getDefinition());
    }
    puzzle->clearSelection();
    vertexBufferCurrent = 0;
    setStaticText(kIdErrorLine, L"");
}

void setLineWidth(CDXUTControl* control) {
    const int v = clampInt(_wtoi(editText(control).c_str()), 0, 100);
    appState->setLineWidth(lineWidthFromShown(v));
    vertexBufferCurrent = 0;
}

void setEraseThreshold(CDXUTControl* control) {
    appState->setEraseThreshold(clampInt(_wtoi(editText(control).c_str()), 0, 100));
    rebuildPuzzle(BandageGroups::Drop, VertexCount::Recount);
}

// [SECTION] options, files

void setOption(void (AppState::*setter)(uint8_t), uint8_t value) {
    (appState->*setter)(value);
    saveOptions();
}

void setTurnMetric(int32_t metric) {
    appState->getDefinition().turnMetric = metric;
    appState->setTimerState(Idle);
    rebuildPuzzle(BandageGroups::Keep, VertexCount::Keep);
    appState->setScrambled(0);
}

void setTurnSeconds(CDXUTControl* control) {
    double seconds = 0.0;
    if (!readDecimal(editText(control).c_str(), seconds)) {
        return;
    }
    appState->setTurnSeconds(
        seconds < 0.0 ? 0.0 : (seconds > kMaxTurnSeconds ? kMaxTurnSeconds : seconds));
    saveOptions();
}

void savePuzzle() {
    CDXUTEditBox* field = controlPanel.GetEditBox(kIdFileName);
    const std::string name = field != nullptr ? narrowName(field->GetText()) : std::string();
    setStaticText(kIdMessage, savePuzzleFile(name) ? L"Puzzle saved" : L"Puzzle not saved");
}

void loadPuzzle() {
    const DXUTListBoxItem* row = getSelectedListItem(controlPanel.GetListBox(kIdFileList));
    if (row == nullptr) {
        return;
    }
    const bool loaded = loadPuzzleFile(narrowName(row->strText));
    controlPanel.RemoveControl(kIdMessage);
    if (!loaded) {
        CDXUTStatic* message = nullptr;
        controlPanel.AddStatic(kIdMessage, L"This puzzle file cannot be loaded", 0, 58, 150, 40,
                               false, &message);
        if (message != nullptr) {
            message->GetElement(0)->iFont = kFontLabel;
            message->GetElement(0)->dwTextFormat = DT_LEFT | DT_TOP | DT_WORDBREAK;
        }
    }
}

}  // namespace

bool readDecimal(const WCHAR* text, double& value) {
    const WCHAR* p = text;
    while (*p != L'\0' && std::iswspace(static_cast<wint_t>(*p))) {
        ++p;
    }
    const WCHAR* start = p;
    if (*p == L'+' || *p == L'-') {
        ++p;
    }
    // Only "0x" right after the sign makes a number hexadecimal; "3x" is still 3.
    if (p[0] == L'0' && (p[1] == L'x' || p[1] == L'X')) {
        return false;
    }
    bool digits = false;
    while (*p >= L'0' && *p <= L'9') {
        ++p;
        digits = true;
    }
    if (*p == L'.') {
        ++p;
        while (*p >= L'0' && *p <= L'9') {
            ++p;
            digits = true;
        }
    }
    if (!digits) {
        return false;
    }
    value = _wtof(start);
    return true;
}

// [SECTION] dispatch

void CALLBACK onGuiEvent(UINT event, int id, CDXUTControl* control, void*) {
    if (turnBusy == 1 && isBusyGuarded(id)) {
        return;
    }
    switch (id) {
        case kIdUndo:
            undo();
            break;
        case kIdSolved:
            solved();
            break;
        case kIdScramble:
            fullyScramble();
            break;
        case kIdReadyMade:
            chooseReadyMade(control);
            break;
        case kIdEditPuzzle:
            editPuzzle();
            break;
        case kIdFace:
        case kIdPoint:
        case kIdEdge:
            appState->setAnchorKind(id - kIdFace);
            buildLayerCheckBoxes();
            break;
        case kIdColorFade:
            appState->toggleColorFade();
            vertexBufferCurrent = 0;
            break;
        case kIdLoadPuzzle:
            listPuzzles();
            break;
        case kIdSavePuzzle:
            showScreen(Save);
            break;
        case kIdHelp:
            showScreen(Help);
            break;
        case kIdOptions:
            // On the play screen a button; elsewhere a static that raises nothing.
            showScreen(Options);
            break;
        case kIdVersion:
            showScreen(Version);
            break;
        case kIdSolid:
            chooseSolid(control);
            break;
        case kIdPlayPuzzle:
            appState->setMode(Play);
            puzzle->clearSelection();
            vertexBufferCurrent = 0;
            buildGui();
            break;
        case kIdSliceList:
            if (event == EVENT_LISTBOX_SELECTION) {
                const DXUTListBoxItem* row =
                    getSelectedListItem(controlPanel.GetListBox(kIdSliceList));
                onSliceSelected(row != nullptr ? row->strText : nullptr);
            }
            break;
        case kIdAdd:
            addSlice();
            break;
        case kIdRemove:
            removeSlice();
            break;
        case kIdThickness:
            if (event == EVENT_EDITBOX_STRING)
                setThickness(control);
            break;
        case kIdConnect:
            changeBandage(Bandage::Connect);
            break;
        case kIdDisconnect:
            changeBandage(Bandage::Disconnect);
            break;
        case kIdEditHelp:
            showScreen(EditorHelp);
            break;
        case kIdLineWidth:
            if (event == EVENT_EDITBOX_STRING)
                setLineWidth(control);
            break;
        case kIdEraseThreshold:
            if (event == EVENT_EDITBOX_STRING)
                setEraseThreshold(control);
            break;
        case kIdLeftAnticlockwise:
            setOption(&AppState::setLeftButtonClockwise, 0);
            break;
        case kIdLeftClockwise:
            setOption(&AppState::setLeftButtonClockwise, 1);
            break;
        case kIdHighlightsOn:
            setOption(&AppState::setCubyHighlights, 1);
            break;
        case kIdHighlightsOff:
            setOption(&AppState::setCubyHighlights, 0);
            break;
        case kIdPulldownVisible:
            setOption(&AppState::setPulldownVisible, 1);
            break;
        case kIdPulldownHidden:
            setOption(&AppState::setPulldownVisible, 0);
            break;
        case kIdSingleMetric:
            setTurnMetric(Single);
            break;
        case kIdMultiMetric:
            setTurnMetric(Multi);
            break;
        case kIdTurnSeconds:
            if (event == EVENT_EDITBOX_STRING)
                setTurnSeconds(control);
            break;
        case kIdSave:
            savePuzzle();
            break;
        case kIdLoad:
            loadPuzzle();
            break;
        default:
            if (id >= kIdFirstLayer && id <= kIdLastLayer) {
                appState->toggleLayer(id - kIdFirstLayer + 1);
            }
            break;
    }
}

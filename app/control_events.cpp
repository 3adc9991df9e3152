// What the controls do.
//
// [SECTION] shared steps: busy guard, screens, texts of the controls
// [SECTION] play screen
// [SECTION] editor
// [SECTION] options, files
// [SECTION] dispatch

#include "control_events.h"

#include <cwchar>
#include <cwctype>
#include <string>

#include "application.h"
#include "control_ids.h"
#include "puzzle_file.h"
#include "ready_made.h"
#include "screens.h"

namespace {

constexpr int kMaxEditorSlices = 10;

// [SECTION] shared steps: busy guard, screens, texts of the controls

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

void showScreen(Application& app, int32_t mode) {
    app.appState->setMode(mode);
    buildGui(app);
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

void undo(Application& app) {
    const int32_t n = app.puzzle->getMoveCount();
    // The moves of a full scramble are never undone.
    if (n <= (app.appState->isScrambled() ? kScrambleMoves : 0)) {
        return;
    }
    startTurn(app, app.puzzle->getLastMoveAnchor(), app.puzzle->getLastMoveLayerMask(),
              app.puzzle->getLastMoveClockwise() != 1 ? 1 : 0, TurnKind::Undo);
}

void solved(Application& app) {
    app.appState->setTimerState(Idle);
    app.rebuildPuzzle(BandageGroups::Keep, VertexCount::Keep);
    app.appState->setScrambled(0);
    showMoveCount(app);  // the new puzzle's count: 0
    hideCongratulation();
}

void fullyScramble(Application& app) {
    app.appState->setTimerState(Idle);
    app.rebuildPuzzle(BandageGroups::Keep, VertexCount::Keep);
    app.puzzle->scramble();
    setStaticText(kIdMessage, L"0");
    hideCongratulation();
    app.appState->setScrambled(app.puzzle->getMoveCount() == kScrambleMoves ? 1 : 0);
}

void chooseReadyMade(Application& app, CDXUTControl* control) {
    hideCongratulation();
    app.appState->setTimerState(Idle);
    const uint32_t tag = selectedTag(control);
    for (const ReadyMadePuzzle& p : kReadyMadePuzzles) {
        if (p.tag != tag) {
            continue;
        }
        app.appState->setScrambled(0);
        app.appState->setShape(p.shape);
        app.appState->setSliceCount(p.sliceCount);
        for (int32_t i = 0; i < p.sliceCount; ++i) {
            app.appState->setSlice(i, p.slices[i].kind, p.slices[i].thickness);
        }
        app.rebuildPuzzle(BandageGroups::Drop, VertexCount::Recount);
        if (CDXUTRadioButton* radio = controlPanel.GetRadioButton(kIdFace + p.turningKind)) {
            radio->SetChecked(true, true);
        }
        app.appState->setAnchorKind(p.turningKind);
        buildLayerCheckBoxes(app);
        return;
    }
}

void editPuzzle(Application& app) {
    app.appState->setTimerState(Idle);
    app.rebuildPuzzle(BandageGroups::Keep, VertexCount::Keep);
    app.appState->setScrambled(0);
    showScreen(app, Edit);
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

void listPuzzles(Application& app) {
    showScreen(app, Load);
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

void chooseSolid(Application& app, CDXUTControl* control) {
    const uint32_t tag = selectedTag(control);
    for (int32_t shape = 0; shape < kShapeCount; ++shape) {
        if (kSolidItems[shape].tag != tag) {
            continue;
        }
        app.appState->setScrambled(0);
        app.appState->setShape(shape);
        app.appState->setSliceCount(0);
        app.rebuildPuzzle(BandageGroups::Drop, VertexCount::Recount);
        fillSliceList(*app.appState);
        return;
    }
}

void addSlice(Application& app) {
    if (app.appState->getDefinition().sliceCount >= kMaxEditorSlices) {
        return;
    }
    const DXUTListBoxItem* kind = getSelectedListItem(controlPanel.GetListBox(kIdSliceKind));
    if (kind == nullptr) {
        return;
    }
    app.appState->addSlice(rowData(kind), 90);
    fillSliceList(*app.appState);
    // Raises list 30's selection event at once: the new slice's thickness shows.
    if (CDXUTListBox* slices = controlPanel.GetListBox(kIdSliceList)) {
        slices->SelectItem(app.appState->getDefinition().sliceCount - 1);
    }
    app.rebuildPuzzle(BandageGroups::Drop, VertexCount::Recount);
    setStaticText(kIdErrorLine, L"");
}

void removeSlice(Application& app) {
    CDXUTListBox* slices = controlPanel.GetListBox(kIdSliceList);
    const DXUTListBoxItem* row = getSelectedListItem(slices);
    if (row == nullptr) {
        return;
    }
    const WCHAR number[3] = {row->strText[0], row->strText[0] != L'\0' ? row->strText[1] : L'\0',
                             L'\0'};
    if (_wtoi(number) - 1 >= app.appState->getDefinition().sliceCount) {
        return;  // an empty row
    }
    app.appState->removeSlice(rowData(row));
    fillSliceList(*app.appState);
    const DXUTListBoxItem* now = getSelectedListItem(slices);
    onSliceSelected(*app.appState, now != nullptr ? now->strText : nullptr);
    app.rebuildPuzzle(BandageGroups::Drop, VertexCount::Recount);
}

void setThickness(Application& app, CDXUTControl* control) {
    const int value = _wtoi(editText(control).c_str());
    const DXUTListBoxItem* row = getSelectedListItem(controlPanel.GetListBox(kIdSliceList));
    if (row == nullptr) {
        return;
    }
    PuzzleDefinition& d = app.appState->getDefinition();
    // A row without a slice takes no thickness (the field can be left enabled by a rebuild).
    const int32_t slot = rowData(row);
    if (slot < 0 || slot >= d.sliceCount || slot >= kMaxSlices) {
        return;
    }
    // Stored as typed: any whole number, drawn outside the solid when beyond 0..360.
    d.sliceThicknesses[slot] = value;
    fillSliceList(*app.appState);
    app.rebuildPuzzle(BandageGroups::Drop, VertexCount::Recount);
}

enum class Bandage { Connect, Disconnect };

// The selected cubies leave their groups; connecting then joins them into one.
void changeBandage(Application& app, Bandage change) {
    app.puzzle->disconnectSelected(&app.appState->getDefinition());
    if (change == Bandage::Connect) {
        app.puzzle->connectSelected(&app.appState->getDefinition());
    }
    app.puzzle->clearSelection();
    app.vertexBufferCurrent = 0;
    setStaticText(kIdErrorLine, L"");
}

void setLineWidth(Application& app, CDXUTControl* control) {
    const int v = clampInt(_wtoi(editText(control).c_str()), 0, 100);
    app.appState->setLineWidth(lineWidthFromShown(v));
    app.vertexBufferCurrent = 0;
}

void setEraseThreshold(Application& app, CDXUTControl* control) {
    app.appState->setEraseThreshold(clampInt(_wtoi(editText(control).c_str()), 0, 100));
    app.rebuildPuzzle(BandageGroups::Drop, VertexCount::Recount);
}

// [SECTION] options, files

void setOption(AppState& appState, void (AppState::*setter)(uint8_t), uint8_t value) {
    (appState.*setter)(value);
    saveOptions(appState);
}

void setTurnMetric(Application& app, int32_t metric) {
    app.appState->getDefinition().turnMetric = metric;
    app.appState->setTimerState(Idle);
    app.rebuildPuzzle(BandageGroups::Keep, VertexCount::Keep);
    app.appState->setScrambled(0);
}

void setTurnSeconds(Application& app, CDXUTControl* control) {
    double seconds = 0.0;
    if (!readDecimal(editText(control).c_str(), seconds)) {
        return;
    }
    app.appState->setTurnSeconds(
        seconds < 0.0 ? 0.0 : (seconds > kMaxTurnSeconds ? kMaxTurnSeconds : seconds));
    saveOptions(*app.appState);
}

void savePuzzle(Application& app) {
    CDXUTEditBox* field = controlPanel.GetEditBox(kIdFileName);
    const std::string name = field != nullptr ? narrowName(field->GetText()) : std::string();
    setStaticText(kIdMessage, savePuzzleFile(app, name) ? L"Puzzle saved" : L"Puzzle not saved");
}

void loadPuzzle(Application& app) {
    const DXUTListBoxItem* row = getSelectedListItem(controlPanel.GetListBox(kIdFileList));
    if (row == nullptr) {
        return;
    }
    const bool loaded = loadPuzzleFile(app, narrowName(row->strText));
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

void CALLBACK onGuiEvent(UINT event, int id, CDXUTControl* control, void* userContext) {
    Application& app = applicationOf(userContext);
    if (app.turn.turnBusy == 1 && isBusyGuarded(id)) {
        return;
    }
    switch (id) {
        case kIdUndo:
            undo(app);
            break;
        case kIdSolved:
            solved(app);
            break;
        case kIdScramble:
            fullyScramble(app);
            break;
        case kIdReadyMade:
            chooseReadyMade(app, control);
            break;
        case kIdEditPuzzle:
            editPuzzle(app);
            break;
        case kIdFace:
        case kIdPoint:
        case kIdEdge:
            app.appState->setAnchorKind(id - kIdFace);
            buildLayerCheckBoxes(app);
            break;
        case kIdColorFade:
            app.appState->toggleColorFade();
            app.vertexBufferCurrent = 0;
            break;
        case kIdLoadPuzzle:
            listPuzzles(app);
            break;
        case kIdSavePuzzle:
            showScreen(app, Save);
            break;
        case kIdHelp:
            showScreen(app, Help);
            break;
        case kIdOptions:
            // On the play screen a button; elsewhere a static that raises nothing.
            showScreen(app, Options);
            break;
        case kIdVersion:
            showScreen(app, Version);
            break;
        case kIdSolid:
            chooseSolid(app, control);
            break;
        case kIdPlayPuzzle:
            app.appState->setMode(Play);
            app.puzzle->clearSelection();
            app.vertexBufferCurrent = 0;
            buildGui(app);
            break;
        case kIdSliceList:
            if (event == EVENT_LISTBOX_SELECTION) {
                const DXUTListBoxItem* row =
                    getSelectedListItem(controlPanel.GetListBox(kIdSliceList));
                onSliceSelected(*app.appState, row != nullptr ? row->strText : nullptr);
            }
            break;
        case kIdAdd:
            addSlice(app);
            break;
        case kIdRemove:
            removeSlice(app);
            break;
        case kIdThickness:
            if (event == EVENT_EDITBOX_STRING)
                setThickness(app, control);
            break;
        case kIdConnect:
            changeBandage(app, Bandage::Connect);
            break;
        case kIdDisconnect:
            changeBandage(app, Bandage::Disconnect);
            break;
        case kIdEditHelp:
            showScreen(app, EditorHelp);
            break;
        case kIdLineWidth:
            if (event == EVENT_EDITBOX_STRING)
                setLineWidth(app, control);
            break;
        case kIdEraseThreshold:
            if (event == EVENT_EDITBOX_STRING)
                setEraseThreshold(app, control);
            break;
        case kIdLeftAnticlockwise:
            setOption(*app.appState, &AppState::setLeftButtonClockwise, 0);
            break;
        case kIdLeftClockwise:
            setOption(*app.appState, &AppState::setLeftButtonClockwise, 1);
            break;
        case kIdHighlightsOn:
            setOption(*app.appState, &AppState::setCubyHighlights, 1);
            break;
        case kIdHighlightsOff:
            setOption(*app.appState, &AppState::setCubyHighlights, 0);
            break;
        case kIdPulldownVisible:
            setOption(*app.appState, &AppState::setPulldownVisible, 1);
            break;
        case kIdPulldownHidden:
            setOption(*app.appState, &AppState::setPulldownVisible, 0);
            break;
        case kIdSingleMetric:
            setTurnMetric(app, Single);
            break;
        case kIdMultiMetric:
            setTurnMetric(app, Multi);
            break;
        case kIdTurnSeconds:
            if (event == EVENT_EDITBOX_STRING)
                setTurnSeconds(app, control);
            break;
        case kIdSave:
            savePuzzle(app);
            break;
        case kIdLoad:
            loadPuzzle(app);
            break;
        default:
            if (id >= kIdFirstLayer && id <= kIdLastLayer) {
                app.appState->toggleLayer(id - kIdFirstLayer + 1);
            }
            break;
    }
}

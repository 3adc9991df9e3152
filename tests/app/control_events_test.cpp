// What the panel's controls do, pressed through the dialog as the user does or raised with the
// panel's own event codes.
//
// [SECTION] play screen
// [SECTION] editor
// [SECTION] options

#include "control_events.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "app_state.h"
#include "application.h"
#include "control_ids.h"
#include "device_resources.h"
#include "frame_render.h"
#include "puzzle.h"
#include "puzzle_file.h"
#include "running_app.h"
#include "screens.h"
#include "test_support.h"

namespace {

// One call of the event callback, entered or left, with what it saw at that moment.
struct Seen {
    int id;
    UINT event;
    bool entering;
    int32_t vertexCount;
    int32_t sliceCount;
    std::wstring thickness;
};
std::vector<Seen> seen;

void note(const Application& app, UINT event, int id, bool entering) {
    CDXUTEditBox* field = controlPanel.GetEditBox(kIdThickness);
    seen.push_back({id, event, entering, app.puzzleVertexCount,
                    app.appState->getDefinition().sliceCount,
                    field != nullptr ? field->GetText() : L""});
}

void CALLBACK spy(UINT event, int id, CDXUTControl* control, void* userContext) {
    note(applicationOf(userContext), event, id, true);
    onGuiEvent(event, id, control, userContext);
    note(applicationOf(userContext), event, id, false);
}

// A tetrahedron with edge slices of the given thicknesses: cheap to build even with many.
void useEdgeSlices(Application& app, const std::vector<int>& thicknesses) {
    PuzzleDefinition& d = app.appState->getDefinition();
    d.shape = TetraHedron;
    d.sliceCount = static_cast<int32_t>(thicknesses.size());
    for (size_t i = 0; i < thicknesses.size(); ++i) {
        d.sliceKinds[i] = EdgeSlice;
        d.sliceThicknesses[i] = thicknesses[i];
    }
    app.rebuildPuzzle(BandageGroups::Drop, VertexCount::Recount);
}

// Cubies 0 and 1 stored as one bandage group, as a saved puzzle keeps them.
void storeAGroup(AppState& appState) {
    PuzzleDefinition& d = appState.getDefinition();
    d.groupsValid = 1;
    d.groupIds[0] = 0;
    d.groupIds[1] = 0;
}

// The next build did not restore the stored groups.
bool groupsDropped(const AppState& appState) {
    return appState.getDefinition().groupIds[0] == -1;
}

int highlightedCubies(const Puzzle& puzzle) {
    int lit = 0;
    for (const Cuby& c : puzzle.cubies)
        lit += c.highlighted;
    return lit;
}

int selectedCubies(const Puzzle& puzzle) {
    int count = 0;
    for (const Cuby& c : puzzle.cubies)
        count += c.selected;
    return count;
}

int32_t readInt32(const std::vector<unsigned char>& bytes, size_t at) {
    int32_t value = 0;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

double readDouble(const std::vector<unsigned char>& bytes, size_t at) {
    double value = 0;
    std::memcpy(&value, bytes.data() + at, 8);
    return value;
}

}  // namespace

class ControlEvents : public RunningApp {
  protected:
    // A left click in the middle of a control, through the window's messages.
    void click(int id) {
        CDXUTControl* control = controlPanel.GetControl(id);
        ASSERT_NE(control, nullptr) << id;
        clickAt(control->GetY() + control->GetHeight() / 2,
                control->GetX() + control->GetWidth() / 2);
    }
    // A left click at panel coordinates.
    void clickAt(int y, int x) {
        mouse(WM_LBUTTONDOWN, y, controlPanel.GetX() + x);
        mouse(WM_LBUTTONUP, y, controlPanel.GetX() + x);
    }
    void clickRow(int listId, int row) {
        CDXUTListBox* list = controlPanel.GetListBox(listId);
        ASSERT_NE(list, nullptr);
        const RECT r = list->ItemRect(row);
        ASSERT_GT(r.bottom, r.top) << "row " << row << " is out of view";
        clickAt((r.top + r.bottom) / 2, (r.left + r.right) / 2);
    }
    // Typed into the edit box with the keyboard, replacing its text, then Enter.
    void typeAndEnter(int id, const std::wstring& text) {
        click(id);
        message(WM_CHAR, 1);  // Ctrl+A
        for (wchar_t c : text)
            message(WM_CHAR, c);
        key(VK_RETURN);
    }
    // The edit box's text set from code, then the Enter event the panel raises.
    void enter(int id, const wchar_t* text) {
        CDXUTEditBox* field = controlPanel.GetEditBox(id);
        ASSERT_NE(field, nullptr) << id;
        field->SetText(text);
        event(id, EVENT_EDITBOX_STRING);
    }
    void showScreen(int32_t mode) {
        appState->setMode(mode);
        buildGui(app);
    }
    void finishTurn() {
        frame(app.turn.frameTime + 1.0);
        ASSERT_EQ(app.turn.turnBusy, 0);
    }
};

// [SECTION] play screen

TEST_F(ControlEvents, UndoWaitsForAMoveBeyondTheScramble) {
    appState->setTurnSeconds(0.0);
    event(kIdUndo);
    EXPECT_EQ(app.turn.turnBusy, 0) << "nothing to undo";

    event(kIdScramble);
    ASSERT_EQ(puzzle->getMoveCount(), 200);
    ASSERT_EQ(appState->isScrambled(), 1);
    EXPECT_EQ(staticText(kIdMessage), L"0");
    event(kIdUndo);
    EXPECT_EQ(app.turn.turnBusy, 0) << "the scramble itself is never undone";

    // The 201st move: the last scramble move's layers once more, in the same direction.
    const int32_t anchor = puzzle->getLastMoveAnchor();
    const int32_t mask = puzzle->getLastMoveLayerMask();
    frame(1.0);
    startTurn(app, anchor, mask, puzzle->getLastMoveClockwise());
    finishTurn();
    ASSERT_EQ(puzzle->getMoveCount(), 201);
    EXPECT_EQ(staticText(kIdMessage), L"1");

    frame(2.0);
    event(kIdUndo);
    ASSERT_EQ(app.turn.turnBusy, 1);
    EXPECT_EQ(app.turn.turnAnchor, anchor);
    EXPECT_EQ(app.turn.turnLayerMask, mask);
    EXPECT_EQ(app.turn.turnClockwise, puzzle->getLastMoveClockwise() == 1 ? 0 : 1);
    EXPECT_EQ(app.turn.turnStep, 0);
    EXPECT_EQ(app.turn.lastStepTime, 2.0);
    finishTurn();
    EXPECT_EQ(puzzle->getMoveCount(), 200);
    EXPECT_EQ(staticText(kIdMessage), L"0");
    event(kIdUndo);
    EXPECT_EQ(app.turn.turnBusy, 0);
}

TEST_F(ControlEvents, UndoOfAMergedMoveTurnsOneStepBack) {
    event(kIdMultiMetric);
    appState->setTurnSeconds(0.0);
    for (int i = 0; i < 3; ++i) {
        startTurn(app, 0, 1, 1);
        finishTurn();
    }
    ASSERT_EQ(puzzle->getMoveCount(), 1);
    ASSERT_EQ(puzzle->moves[0].turnnr, 3);
    event(kIdUndo);
    EXPECT_EQ(app.turn.turnClockwise, 0);
    finishTurn();
    EXPECT_EQ(puzzle->getMoveCount(), 1);
    EXPECT_EQ(puzzle->moves[0].turnnr, 2);
}

// Moves recorded whatever their turn did (a replay, a scramble) may turn nothing; their undo
// turns nothing either, yet takes them off.
TEST_F(ControlEvents, UndoTakesOffAMoveThatTurnsNothing) {
    appState->setTurnSeconds(0.0);
    puzzle->turnLayer(0, 1, 1, 1.0, 0);
    puzzle->recordMove(0, 1, 1);
    puzzle->recordMove(0, 0, 0);  // no layer
    ASSERT_TRUE(savePuzzleFile(app, "nothing.pzl"));
    app.rebuildPuzzle(BandageGroups::Drop, VertexCount::Recount);
    ASSERT_TRUE(loadPuzzleFile(app, "nothing.pzl"));
    ASSERT_EQ(puzzle->getMoveCount(), 2);
    for (int32_t left : {1, 0}) {
        event(kIdUndo);
        ASSERT_EQ(app.turn.turnBusy, 1);
        finishTurn();
        EXPECT_EQ(puzzle->getMoveCount(), left);
    }
    event(kIdUndo);
    EXPECT_EQ(app.turn.turnBusy, 0);

    // A column of three bandaged cubies spans every layer of anchor 0: its slab would be the
    // whole puzzle, so none of them turns.
    app.rebuildPuzzle(BandageGroups::Drop, VertexCount::Recount);
    constexpr double kThird = 2.0 / 3.0;
    for (double z : {-kThird, 0.0, kThird})
        puzzle->cubies[cubyAt(*puzzle, {kThird, kThird, z})].selected = 1;
    puzzle->connectSelected(&appState->getDefinition());
    ASSERT_EQ(puzzle->turnLayer(0, 2, 0, 1.0, 0), TurnResult::Unturned);
    puzzle->recordMove(0, 2, 0);
    event(kIdUndo);
    finishTurn();
    EXPECT_EQ(puzzle->getMoveCount(), 0);
}

TEST_F(ControlEvents, SolvedAndFullyScrambledStartAgain) {
    puzzle->scramble();
    appState->setScrambled(1);
    appState->setTimerState(Running);
    appState->setElapsedTime(12.0);
    controlPanel.AddStatic(kIdCongratulation, L"Congratulations", 0, 0, 10, 10);
    app.puzzleVertexCount = 12345;  // the slices did not change: the count is kept
    event(kIdSolved);
    EXPECT_EQ(puzzle->getMoveCount(), 0);
    EXPECT_EQ(staticText(kIdMessage), L"0");
    EXPECT_EQ(appState->isScrambled(), 0);
    EXPECT_EQ(appState->getTimerState(), Idle);
    EXPECT_EQ(appState->getElapsedTime(), 12.0);
    EXPECT_EQ(controlPanel.GetControl(kIdCongratulation), nullptr);
    EXPECT_EQ(app.puzzleVertexCount, 12345);

    // An uncut cube has nothing to scramble: it does not count as scrambled.
    appState->setSliceCount(0);
    app.rebuildPuzzle(BandageGroups::Drop, VertexCount::Recount);
    appState->setScrambled(1);
    event(kIdScramble);
    EXPECT_EQ(puzzle->getMoveCount(), 0);
    EXPECT_EQ(appState->isScrambled(), 0);
    EXPECT_EQ(staticText(kIdMessage), L"0");
}

TEST_F(ControlEvents, EachReadyMadePuzzle) {
    struct Expected {
        int32_t shape;
        std::vector<std::pair<int32_t, int32_t>> slices;
        int32_t kind;
    };
    const Expected expected[] = {
        {TetraHedron, {{PointSlice, 120}, {PointSlice, 240}}, PointSlice},
        {TetraHedron, {{EdgeSlice, 120}}, EdgeSlice},
        {Cube, {{FaceSlice, 120}}, FaceSlice},
        {Cube, {{PointSlice, 120}}, PointSlice},
        {Cube, {{FaceSlice, 120}, {PointSlice, 120}}, FaceSlice},
        {Cube, {{EdgeSlice, 90}}, EdgeSlice},
        {OctaHedron, {{FaceSlice, 180}}, FaceSlice},
        {OctaHedron, {{PointSlice, 120}}, PointSlice},
        {DodecaHedron, {{FaceSlice, 65}}, FaceSlice},
    };
    PuzzleDefinition& d = appState->getDefinition();
    d.turnMetric = Multi;
    d.eraseThreshold = 3;
    CDXUTComboBox* list = controlPanel.GetComboBox(kIdReadyMade);
    for (UINT i = 0; i < 9; ++i) {
        SCOPED_TRACE(i);
        list->SetSelectedByIndex(i);
        storeAGroup(*appState);
        appState->setScrambled(1);
        appState->setTimerState(Solved);
        appState->setSingleLayer(2);
        controlPanel.GetStatic(kIdMessage)->SetText(L"7");
        controlPanel.AddStatic(kIdCongratulation, L"Congratulations", 0, 0, 10, 10);
        event(kIdReadyMade, EVENT_COMBOBOX_SELECTION_CHANGED);

        const Expected& e = expected[i];
        EXPECT_EQ(d.shape, e.shape);
        ASSERT_EQ(d.sliceCount, static_cast<int32_t>(e.slices.size()));
        for (size_t s = 0; s < e.slices.size(); ++s) {
            EXPECT_EQ(d.sliceKinds[s], e.slices[s].first);
            EXPECT_EQ(d.sliceThicknesses[s], e.slices[s].second);
        }
        EXPECT_EQ(appState->getAnchorKind(), e.kind);
        for (int32_t k = 0; k < 3; ++k) {
            EXPECT_EQ(controlPanel.GetRadioButton(kIdFace + k)->GetChecked(), k == e.kind);
        }
        // The boxes show the new puzzle's layers of that kind, layer 1 alone.
        const int32_t layers = puzzle->getLayerCountOfKind(e.kind);
        EXPECT_GT(layers, 1);
        EXPECT_NE(controlPanel.GetCheckBox(kIdFirstLayer + layers - 1), nullptr);
        EXPECT_EQ(controlPanel.GetCheckBox(kIdFirstLayer + layers), nullptr);
        EXPECT_EQ(appState->getLayerMask(), 1);
        EXPECT_TRUE(groupsDropped(*appState));
        EXPECT_EQ(d.turnMetric, Multi);
        EXPECT_EQ(d.eraseThreshold, 3);
        EXPECT_EQ(appState->isScrambled(), 0);
        EXPECT_EQ(appState->getTimerState(), Idle);
        EXPECT_EQ(staticText(kIdMessage), L"7");
        EXPECT_EQ(controlPanel.GetControl(kIdCongratulation), nullptr);
    }
}

TEST_F(ControlEvents, ReadyMadePuzzleChosenInTheOpenList) {
    click(kIdReadyMade);
    CDXUTComboBox* list = controlPanel.GetComboBox(kIdReadyMade);
    ASSERT_TRUE(list->IsOpened());
    const RECT row = list->ItemRect(3);  // "Dino Cube"
    ASSERT_GT(row.bottom, row.top);
    clickAt((row.top + row.bottom) / 2, (row.left + row.right) / 2);
    EXPECT_EQ(appState->getDefinition().shape, Cube);
    EXPECT_EQ(appState->getDefinition().sliceKinds[0], PointSlice);
    EXPECT_TRUE(controlPanel.GetRadioButton(kIdPoint)->GetChecked());
    EXPECT_FALSE(controlPanel.GetRadioButton(kIdFace)->GetChecked());
}

TEST_F(ControlEvents, TurningKindAndLayerBoxesLeaveTheHoverHighlight) {
    mouse(WM_MOUSEMOVE, 300, 400);  // over the middle of face 0
    ASSERT_EQ(highlightedCubies(*puzzle), 9);
    click(kIdPoint);  // the 3x3 has no point layers
    EXPECT_EQ(appState->getAnchorKind(), PointSlice);
    EXPECT_EQ(controlPanel.GetCheckBox(kIdFirstLayer), nullptr);
    EXPECT_EQ(appState->getLayerMask(), 0);
    EXPECT_EQ(highlightedCubies(*puzzle), 9);
    click(kIdFace);
    EXPECT_EQ(appState->getLayerMask(), 1);
    ASSERT_NE(controlPanel.GetCheckBox(kIdFirstLayer + 2), nullptr);
    click(kIdFirstLayer + 2);
    EXPECT_EQ(appState->getLayerMask(), 5);
    EXPECT_TRUE(controlPanel.GetCheckBox(kIdFirstLayer)->GetChecked());
    EXPECT_TRUE(controlPanel.GetCheckBox(kIdFirstLayer + 2)->GetChecked());
    EXPECT_EQ(highlightedCubies(*puzzle), 9) << "the highlight waits for the next mouse move";
}

namespace {

// Everything an event can change, as text so that a difference shows what changed.
std::string fingerprint(const Application& app, bool withBusy) {
    std::ostringstream out;
    const PuzzleDefinition& d = app.appState->getDefinition();
    CDXUTStatic* counter = controlPanel.GetStatic(kIdMessage);
    char counterText[64] = "";
    if (counter != nullptr)
        std::snprintf(counterText, sizeof counterText, "%ls", counter->GetText());
    out << "mode " << app.appState->getMode() << " fade " << int(app.appState->isColorFade())
        << " kind " << app.appState->getAnchorKind() << " mask " << app.appState->getLayerMask()
        << " scrambled " << int(app.appState->isScrambled()) << " timer "
        << app.appState->getTimerState() << " options "
        << int(app.appState->isLeftButtonClockwise()) << int(app.appState->isCubyHighlights())
        << int(app.appState->isPulldownVisible()) << " seconds " << app.appState->getTurnSeconds()
        << "/" << app.appState->getTurnFrames() << " width " << app.appState->getLineWidth()
        << " threshold " << d.eraseThreshold << " shape " << d.shape << " slices " << d.sliceCount
        << " metric " << d.turnMetric << " moves " << app.puzzle->getMoveCount() << " turn "
        << app.turn.turnStep << "," << app.turn.turnAnchor << "," << app.turn.turnLayerMask << ","
        << int(app.turn.turnClockwise) << "," << app.turn.lastStepTime << " congratulation "
        << (controlPanel.GetControl(kIdCongratulation) != nullptr) << " counter " << counterText
        << " buffer " << int(app.vertexBufferCurrent) << " file " << fileExists(kOptionsFile);
    if (withBusy)
        out << " busy " << int(app.turn.turnBusy);
    return out.str();
}

}  // namespace

TEST_F(ControlEvents, BusyGuardBlocksExactlyItsElevenIds) {
    const std::vector<int> guarded = {kIdUndo,       kIdSolved,    kIdScramble,   kIdReadyMade,
                                      kIdEditPuzzle, kIdColorFade, kIdLoadPuzzle, kIdSavePuzzle,
                                      kIdHelp,       kIdOptions,   kIdVersion};
    // The play screen with one move to undo, a congratulation and a running timer, and a turn
    // half done (or just ended).
    auto prepare = [&](bool busy) {
        std::remove(kOptionsFile);
        appState = std::make_unique<AppState>();
        appState->setWindowSize(600, 800);
        app.rebuildPuzzle(BandageGroups::Keep, VertexCount::Recount);
        puzzle->recordMove(0, 1, 1);
        buildGui(app);
        controlPanel.AddStatic(kIdCongratulation, L"Congratulations", 0, 0, 10, 10);
        appState->setTimerState(Running);
        app.turn.turnBusy = busy ? 1 : 0;
        app.turn.turnStep = 7;
        app.turn.turnAnchor = 5;
        app.turn.turnLayerMask = 2;
        app.turn.turnClockwise = 0;
        app.turn.lastStepTime = 1.0;
        app.turn.frameTime = 2.0;
        app.vertexBufferCurrent = 1;
    };
    auto run = [&](int id, bool busy) {
        prepare(busy);
        UINT code = EVENT_BUTTON_CLICKED;
        if (id == kIdThickness || id == kIdLineWidth || id == kIdEraseThreshold ||
            id == kIdTurnSeconds)
            code = EVENT_EDITBOX_STRING;
        if (id == kIdSliceList)
            code = EVENT_LISTBOX_SELECTION;
        event(id, code);
        return std::make_pair(fingerprint(app, false), fingerprint(app, true));
    };
    prepare(true);
    const std::string untouched = fingerprint(app, true);
    for (int id = -1; id <= 100; ++id) {
        SCOPED_TRACE(id);
        const auto duringTurn = run(id, true);
        const auto afterTurn = run(id, false);
        if (std::find(guarded.begin(), guarded.end(), id) != guarded.end()) {
            EXPECT_EQ(duringTurn.second, untouched);
            EXPECT_NE(afterTurn.first, duringTurn.first) << "acts once no turn runs";
        } else {
            EXPECT_EQ(duringTurn.first, afterTurn.first) << "acts during a turn as well";
        }
    }
    // Two that must act during a turn, so the comparison above is not empty-handed.
    prepare(true);
    event(kIdPoint, EVENT_RADIOBUTTON_CHANGED);
    EXPECT_EQ(appState->getAnchorKind(), PointSlice);
    event(kIdFirstLayer + 1, EVENT_CHECKBOX_CHANGED);
    EXPECT_EQ(appState->getLayerMask(), 2);
    EXPECT_EQ(app.turn.turnBusy, 1);
}

TEST_F(ControlEvents, ScreenChanges) {
    puzzle->recordMove(0, 1, 1);
    appState->setScrambled(1);
    appState->setTimerState(Solved);
    click(kIdEditPuzzle);
    EXPECT_EQ(appState->getMode(), Edit);
    EXPECT_EQ(puzzle->getMoveCount(), 0);
    EXPECT_EQ(appState->isScrambled(), 0);
    EXPECT_EQ(appState->getTimerState(), Idle);
    ASSERT_NE(controlPanel.GetListBox(kIdSliceList), nullptr);

    click(kIdEditHelp);
    EXPECT_EQ(appState->getMode(), EditorHelp);
    click(kIdEditPuzzle);
    EXPECT_EQ(appState->getMode(), Edit);

    puzzle->toggleCubySelection(0);
    app.vertexBufferCurrent = 1;
    click(kIdPlayPuzzle);
    EXPECT_EQ(appState->getMode(), Play);
    EXPECT_EQ(selectedCubies(*puzzle), 0);
    EXPECT_EQ(app.vertexBufferCurrent, 0);
    EXPECT_NE(controlPanel.GetButton(kIdUndo), nullptr);

    const std::pair<int, int32_t> roads[] = {
        {kIdSavePuzzle, Save}, {kIdHelp, Help}, {kIdOptions, Options}, {kIdVersion, Version}};
    for (const auto& road : roads) {
        click(road.first);
        EXPECT_EQ(appState->getMode(), road.second) << road.first;
        click(kIdPlayPuzzle);
        EXPECT_EQ(appState->getMode(), Play);
    }

    writeFileBytes("b.pzl", {0});
    writeFileBytes("a.pzl", {0});
    click(kIdLoadPuzzle);
    EXPECT_EQ(appState->getMode(), Load);
    CDXUTListBox* files = controlPanel.GetListBox(kIdFileList);
    ASSERT_EQ(files->GetSize(), 2);
    EXPECT_STREQ(files->GetItem(0)->strText, L"a.pzl");
    EXPECT_STREQ(files->GetItem(1)->strText, L"b.pzl");
    // Choosing a file loads nothing; only the Load button does.
    const size_t logBefore = logText().size();
    clickRow(kIdFileList, 0);
    EXPECT_EQ(files->GetSelectedIndex(), 0);
    EXPECT_EQ(appState->getMode(), Load);
    EXPECT_EQ(logText().size(), logBefore);
    EXPECT_NE(controlPanel.GetListBox(kIdFileList), nullptr);
}

// [SECTION] editor

TEST_F(ControlEvents, AddRaisesTheSliceListEventBeforeTheRebuild) {
    showScreen(Edit);
    storeAGroup(*appState);
    controlPanel.GetStatic(kIdErrorLine)->SetText(L"Error: Maximum vertex limit reached.");
    clickRow(kIdSliceKind, 1);  // "Point"
    const int32_t before = app.puzzleVertexCount;
    seen.clear();
    controlPanel.SetCallback(spy, &app);
    click(kIdAdd);

    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0].id, kIdAdd);
    EXPECT_TRUE(seen[0].entering);
    // Re-entered from inside Add: the new slice is listed, the puzzle not yet rebuilt.
    EXPECT_EQ(seen[1].id, kIdSliceList);
    EXPECT_EQ(seen[1].event, EVENT_LISTBOX_SELECTION);
    EXPECT_TRUE(seen[1].entering);
    EXPECT_EQ(seen[1].sliceCount, 2);
    EXPECT_EQ(seen[1].vertexCount, before);
    EXPECT_EQ(seen[2].id, kIdSliceList);
    EXPECT_EQ(seen[2].thickness, L"90");
    EXPECT_EQ(seen[2].vertexCount, before);
    EXPECT_EQ(seen[3].id, kIdAdd);
    EXPECT_NE(seen[3].vertexCount, before);

    const PuzzleDefinition& d = appState->getDefinition();
    EXPECT_EQ(d.sliceKinds[1], PointSlice);
    EXPECT_EQ(d.sliceThicknesses[1], 90);
    EXPECT_TRUE(groupsDropped(*appState));
    CDXUTListBox* list = controlPanel.GetListBox(kIdSliceList);
    EXPECT_EQ(list->GetSelectedIndex(), 1);
    EXPECT_STREQ(list->GetItem(1)->strText, L"2: Point   90");
    EXPECT_TRUE(controlPanel.GetEditBox(kIdThickness)->GetEnabled());
    EXPECT_EQ(staticText(kIdErrorLine), L"");
}

TEST_F(ControlEvents, AddRefusedAtTenSlicesOrWithoutAKind) {
    useEdgeSlices(app, {5, 6, 7, 8, 9, 10, 11, 12, 13});
    showScreen(Edit);
    controlPanel.GetListBox(kIdSliceKind)->SelectItem(2);  // "Edge"
    event(kIdAdd);
    ASSERT_EQ(appState->getDefinition().sliceCount, 10);
    EXPECT_EQ(appState->getDefinition().sliceKinds[9], EdgeSlice);
    EXPECT_STREQ(controlPanel.GetEditBox(kIdThickness)->GetText(), L"90");

    const Puzzle* built = puzzle.get();
    controlPanel.GetStatic(kIdErrorLine)->SetText(L"x");
    seen.clear();
    controlPanel.SetCallback(spy, &app);
    click(kIdAdd);
    EXPECT_EQ(appState->getDefinition().sliceCount, 10);
    EXPECT_EQ(seen.size(), 2u) << "no list event";
    EXPECT_EQ(puzzle.get(), built);
    EXPECT_EQ(staticText(kIdErrorLine), L"x");

    // No row of the kind list selected: nothing either.
    appState->setSliceCount(3);
    controlPanel.GetListBox(kIdSliceKind)->RemoveAllItems();
    event(kIdAdd);
    EXPECT_EQ(appState->getDefinition().sliceCount, 3);
    EXPECT_EQ(puzzle.get(), built);
}

TEST_F(ControlEvents, RemoveMovesTheLastSliceIntoTheFreedRow) {
    useEdgeSlices(app, {10, 20, 30, 40, 50});
    showScreen(Edit);
    CDXUTListBox* list = controlPanel.GetListBox(kIdSliceList);
    CDXUTEditBox* field = controlPanel.GetEditBox(kIdThickness);
    const Puzzle* built = puzzle.get();
    event(kIdRemove);
    EXPECT_EQ(appState->getDefinition().sliceCount, 5) << "no row selected";

    controlPanel.GetStatic(kIdErrorLine)->SetText(L"x");
    storeAGroup(*appState);
    clickRow(kIdSliceList, 1);
    EXPECT_STREQ(field->GetText(), L"20");
    click(kIdRemove);
    const PuzzleDefinition& d = appState->getDefinition();
    ASSERT_EQ(d.sliceCount, 4);
    EXPECT_EQ(d.sliceThicknesses[1], 50);
    EXPECT_STREQ(list->GetItem(1)->strText, L"2: Edge    50");
    EXPECT_STREQ(list->GetItem(4)->strText, L"5:");
    EXPECT_STREQ(field->GetText(), L"50");
    EXPECT_TRUE(field->GetEnabled());
    EXPECT_TRUE(groupsDropped(*appState));
    EXPECT_EQ(staticText(kIdErrorLine), L"x");

    // Row 7 is empty: nothing.
    built = puzzle.get();
    list->SelectItem(6);
    event(kIdRemove);
    EXPECT_EQ(d.sliceCount, 4);
    EXPECT_EQ(puzzle.get(), built);
}

TEST_F(ControlEvents, RemovingTheLastOfTwelveRowsEmptiesTheField) {
    // Only a loaded puzzle has more than ten slices: one row each, no empty rows.
    useEdgeSlices(app, {5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16});
    showScreen(Edit);
    CDXUTListBox* list = controlPanel.GetListBox(kIdSliceList);
    ASSERT_EQ(list->GetSize(), 12);
    EXPECT_STREQ(list->GetItem(11)->strText, L"12: Edge    16");
    list->SelectItem(11);
    CDXUTEditBox* field = controlPanel.GetEditBox(kIdThickness);
    ASSERT_STREQ(field->GetText(), L"16");
    event(kIdRemove);
    EXPECT_EQ(appState->getDefinition().sliceCount, 11);
    EXPECT_EQ(list->GetSize(), 11);
    EXPECT_STREQ(field->GetText(), L"");
    EXPECT_FALSE(field->GetEnabled());
}

TEST_F(ControlEvents, ThicknessIsStoredAsTyped) {
    showScreen(Edit);
    const Puzzle* built = puzzle.get();
    enter(kIdThickness, L"45");
    EXPECT_EQ(appState->getDefinition().sliceThicknesses[0], 120) << "no row selected";
    EXPECT_EQ(puzzle.get(), built);

    clickRow(kIdSliceList, 0);
    storeAGroup(*appState);
    click(kIdThickness);
    message(WM_CHAR, L'5');
    EXPECT_EQ(appState->getDefinition().sliceThicknesses[0], 120) << "typing alone stores nothing";
    typeAndEnter(kIdThickness, L"500");
    const PuzzleDefinition& d = appState->getDefinition();
    EXPECT_EQ(d.sliceThicknesses[0], 500);
    EXPECT_STREQ(controlPanel.GetListBox(kIdSliceList)->GetItem(0)->strText, L"1: Face    500");
    EXPECT_TRUE(groupsDropped(*appState));
    EXPECT_EQ(puzzle->getCubyCount(), 1) << "a plane outside the cube cuts nothing";

    enter(kIdThickness, L"-20");
    EXPECT_EQ(d.sliceThicknesses[0], -20);
    enter(kIdThickness, L"99999999999");
    EXPECT_EQ(d.sliceThicknesses[0], 2147483647);
}

TEST_F(ControlEvents, LineWidthEnter) {
    showScreen(Edit);
    const std::pair<const wchar_t*, int32_t> cases[] = {
        {L"0", 200},  {L"1", 198},  {L"40", 124},         {L"99", 11},   {L"100", 10},
        {L"150", 10}, {L"-5", 200}, {L"99999999999", 10}, {L"abc", 200}, {L"50", 105}};
    for (const auto& c : cases) {
        appState->setLineWidth(77);
        app.vertexBufferCurrent = 1;
        enter(kIdLineWidth, c.first);
        EXPECT_EQ(appState->getLineWidth(), c.second) << c.first;
        EXPECT_EQ(app.vertexBufferCurrent, 0);
    }
    typeAndEnter(kIdLineWidth, L"0");
    EXPECT_EQ(appState->getLineWidth(), 200);
    message(WM_CHAR, L'9');  // "09" typed, no Enter
    EXPECT_EQ(appState->getLineWidth(), 200);
    EXPECT_FALSE(fileExists(kOptionsFile));
    showScreen(Edit);
    EXPECT_STREQ(controlPanel.GetEditBox(kIdLineWidth)->GetText(), L"0");
}

TEST_F(ControlEvents, EraseThresholdAppliesEveryEnter) {
    showScreen(Edit);
    controlPanel.GetStatic(kIdErrorLine)->SetText(L"x");
    const std::pair<const wchar_t*, int32_t> cases[] = {
        {L"250", 100}, {L"-3", 0}, {L"99999999999", 100}, {L"42", 42}, {L"42", 42}, {L"0", 0}};
    PuzzleDefinition& d = appState->getDefinition();
    for (const auto& c : cases) {
        storeAGroup(*appState);
        puzzle->recordMove(0, 1, 1);
        enter(kIdEraseThreshold, c.first);
        EXPECT_EQ(d.eraseThreshold, c.second) << c.first;
        EXPECT_TRUE(groupsDropped(*appState)) << c.first;
        EXPECT_EQ(puzzle->getMoveCount(), 0) << "rebuilt: " << c.first;
    }
    typeAndEnter(kIdEraseThreshold, L"17");
    EXPECT_EQ(d.eraseThreshold, 17);
    EXPECT_EQ(staticText(kIdErrorLine), L"x");
    showScreen(Edit);
    EXPECT_STREQ(controlPanel.GetEditBox(kIdEraseThreshold)->GetText(), L"17");
}

TEST_F(ControlEvents, SolidChoiceGivesTheUncutSolid) {
    showScreen(Edit);
    storeAGroup(*appState);
    appState->setScrambled(1);
    click(kIdSolid);
    CDXUTComboBox* solids = controlPanel.GetComboBox(kIdSolid);
    ASSERT_TRUE(solids->IsOpened());
    const RECT row = solids->ItemRect(2);  // "OctaHedron"
    clickAt((row.top + row.bottom) / 2, (row.left + row.right) / 2);
    const PuzzleDefinition& d = appState->getDefinition();
    EXPECT_EQ(d.shape, OctaHedron);
    EXPECT_EQ(d.sliceCount, 0);
    EXPECT_TRUE(groupsDropped(*appState));
    EXPECT_EQ(appState->isScrambled(), 0);
    EXPECT_EQ(puzzle->getCubyCount(), 1);
    EXPECT_STREQ(controlPanel.GetListBox(kIdSliceList)->GetItem(0)->strText, L"1:");
}

TEST_F(ControlEvents, ConnectAndDisconnectWithoutARebuild) {
    showScreen(Edit);
    const Puzzle* built = puzzle.get();
    puzzle->toggleCubySelection(0);
    puzzle->toggleCubySelection(1);
    controlPanel.GetStatic(kIdErrorLine)->SetText(L"x");
    app.vertexBufferCurrent = 1;
    click(kIdConnect);
    EXPECT_EQ(puzzle.get(), built);
    EXPECT_NE(puzzle->cubies[0].group, -1);
    EXPECT_EQ(puzzle->cubies[0].group, puzzle->cubies[1].group);
    EXPECT_EQ(appState->getDefinition().groupIds[0], appState->getDefinition().groupIds[1]);
    EXPECT_EQ(selectedCubies(*puzzle), 0);
    EXPECT_EQ(app.vertexBufferCurrent, 0);
    EXPECT_EQ(staticText(kIdErrorLine), L"");

    puzzle->toggleCubySelection(1);
    controlPanel.GetStatic(kIdErrorLine)->SetText(L"x");
    click(kIdDisconnect);
    EXPECT_EQ(puzzle->cubies[0].group, -1);
    EXPECT_EQ(puzzle->cubies[1].group, -1);
    EXPECT_EQ(selectedCubies(*puzzle), 0);
    EXPECT_EQ(staticText(kIdErrorLine), L"");
}

// [SECTION] options

TEST_F(ControlEvents, TurnSecondsEnter) {
    showScreen(Options);
    typeAndEnter(kIdTurnSeconds, L"12.5");
    EXPECT_EQ(appState->getTurnSeconds(), 10.0);
    EXPECT_EQ(appState->getTurnFrames(), 800);
    const std::vector<unsigned char> bytes = readFileBytes(kOptionsFile);
    ASSERT_EQ(bytes.size(), 15u);
    EXPECT_EQ(readInt32(bytes, 3), 800);
    EXPECT_EQ(readDouble(bytes, 7), 10.0);

    enter(kIdTurnSeconds, L"-1");
    EXPECT_EQ(appState->getTurnSeconds(), 0.0);
    EXPECT_EQ(appState->getTurnFrames(), 1);
    enter(kIdTurnSeconds, L" 0.3");
    EXPECT_EQ(appState->getTurnFrames(), 24);
    enter(kIdTurnSeconds, L"1e999");
    EXPECT_EQ(appState->getTurnSeconds(), 10.0);
    enter(kIdTurnSeconds, L"2 seconds");
    EXPECT_EQ(appState->getTurnSeconds(), 2.0);
    enter(kIdTurnSeconds, L"3x");
    EXPECT_EQ(appState->getTurnSeconds(), 3.0) << "a trailing x does not make it hexadecimal";

    // Not decimal numbers: nothing changes, options.inf is not rewritten.
    std::remove(kOptionsFile);
    for (const wchar_t* text :
         {L"nan", L"-nan", L"inf", L"infinity", L"0x10", L"-0X1p3", L"", L"abc", L"."}) {
        enter(kIdTurnSeconds, text);
        EXPECT_EQ(appState->getTurnSeconds(), 3.0) << text;
        EXPECT_EQ(appState->getTurnFrames(), 240) << text;
    }
    EXPECT_FALSE(fileExists(kOptionsFile));
    controlPanel.GetEditBox(kIdTurnSeconds)->SetText(L"1");
    event(kIdTurnSeconds, EVENT_EDITBOX_CHANGE);
    EXPECT_EQ(appState->getTurnSeconds(), 3.0) << "only Enter applies";
}

TEST_F(ControlEvents, OptionRadiosAreSavedTheMetricRebuilds) {
    showScreen(Options);
    click(kIdLeftClockwise);
    click(kIdHighlightsOff);
    click(kIdPulldownHidden);
    EXPECT_EQ(appState->isLeftButtonClockwise(), 1);
    EXPECT_EQ(appState->isCubyHighlights(), 0);
    EXPECT_EQ(appState->isPulldownVisible(), 0);
    std::vector<unsigned char> bytes = readFileBytes(kOptionsFile);
    ASSERT_EQ(bytes.size(), 15u);
    EXPECT_EQ(bytes[0], 1);
    EXPECT_EQ(bytes[1], 0);
    EXPECT_EQ(bytes[2], 0);
    click(kIdLeftAnticlockwise);
    click(kIdHighlightsOn);
    click(kIdPulldownVisible);
    bytes = readFileBytes(kOptionsFile);
    EXPECT_EQ(bytes[0], 0);
    EXPECT_EQ(bytes[1], 1);
    EXPECT_EQ(bytes[2], 1);

    std::remove(kOptionsFile);
    puzzle->recordMove(0, 1, 1);
    appState->setScrambled(1);
    appState->setTimerState(Running);
    click(kIdMultiMetric);
    EXPECT_EQ(appState->getDefinition().turnMetric, Multi);
    EXPECT_EQ(puzzle->getTurnMetric(), Multi);
    EXPECT_EQ(puzzle->getMoveCount(), 0);
    EXPECT_EQ(appState->isScrambled(), 0);
    EXPECT_EQ(appState->getTimerState(), Idle);
    click(kIdSingleMetric);
    EXPECT_EQ(puzzle->getTurnMetric(), Single);
    EXPECT_FALSE(fileExists(kOptionsFile)) << "the metric belongs to the puzzle";
}

// The screens of the control panel, read back through the dialog's own lookups; the order in
// which controls were added is read from the order in which the panel draws their texts.
//
// [SECTION] the eight screens
// [SECTION] layer check boxes
// [SECTION] the slice list

#include "screens.h"

#include <string>
#include <vector>

#include "app_state.h"
#include "application.h"
#include "control_ids.h"
#include "device_resources.h"
#include "dxut/dialog_painter.h"
#include "puzzle.h"
#include "running_app.h"

namespace {

// Keeps the texts the panel draws, in drawing order.
class TextRecorder : public DialogPainter {
  public:
    std::vector<std::wstring> texts;
    void Fill(const RECT&, D3DCOLOR) override {}
    void Text(UINT, std::wstring_view text, const RECT&, DWORD, D3DCOLOR) override {
        texts.emplace_back(text);
    }
    int TextWidth(UINT, std::wstring_view, int count) override { return 7 * count; }
    void PushClip(const RECT&) override {}
    void PopClip() override {}
    bool CaretShown() const override { return false; }
};

std::vector<std::wstring> drawnTexts() {
    TextRecorder recorder;
    controlPanel.Render(recorder);
    return recorder.texts;
}

std::wstring textOf(CDXUTControl* control) {
    switch (control->GetType()) {
        case DXUT_CONTROL_EDITBOX:
            return static_cast<CDXUTEditBox*>(control)->GetText();
        case DXUT_CONTROL_COMBOBOX: {
            const DXUTComboBoxItem* item = static_cast<CDXUTComboBox*>(control)->GetSelectedItem();
            return item != nullptr ? item->strText : L"<none>";
        }
        case DXUT_CONTROL_LISTBOX:
            return L"";
        default:
            return static_cast<CDXUTStatic*>(control)->GetText();
    }
}

struct Placed {
    int id;
    UINT type;
    std::wstring text;  // a list box's is empty
    int x, y, width, height;
    UINT font = kFontDefault;  // checked for statics only
};

constexpr UINT kButton = DXUT_CONTROL_BUTTON;
constexpr UINT kStatic = DXUT_CONTROL_STATIC;
constexpr UINT kRadio = DXUT_CONTROL_RADIOBUTTON;
constexpr UINT kCheck = DXUT_CONTROL_CHECKBOX;
constexpr UINT kEdit = DXUT_CONTROL_EDITBOX;
constexpr UINT kList = DXUT_CONTROL_LISTBOX;
constexpr UINT kCombo = DXUT_CONTROL_COMBOBOX;

// The screen holds exactly the table's controls, added in its order.
void expectScreen(const std::vector<Placed>& table) {
    std::vector<std::wstring> order;
    bool hasList = false;
    for (const Placed& p : table) {
        SCOPED_TRACE(p.id);
        CDXUTControl* control = controlPanel.GetControl(p.id);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->GetType(), p.type);
        EXPECT_EQ(textOf(control), p.text);
        EXPECT_EQ(control->GetX(), p.x);
        EXPECT_EQ(control->GetY(), p.y);
        EXPECT_EQ(control->GetWidth(), p.width);
        EXPECT_EQ(control->GetHeight(), p.height);
        if (p.type == kStatic) {
            EXPECT_EQ(control->GetElement(0)->iFont, p.font);
        }
        if (p.type == kList) {
            hasList = true;
        } else {
            order.push_back(p.text);
        }
    }
    // A list box draws its rows too: keep the texts that follow the table's order.
    std::vector<std::wstring> drawn;
    for (const std::wstring& text : drawnTexts()) {
        if (!hasList || (drawn.size() < order.size() && text == order[drawn.size()])) {
            drawn.push_back(text);
        }
    }
    EXPECT_EQ(drawn, order);
}

bool checked(int id) {
    CDXUTCheckBox* box = controlPanel.GetCheckBox(id);
    if (box == nullptr)
        box = controlPanel.GetRadioButton(id);
    return box != nullptr && box->GetChecked();
}

void showScreen(Application& app, int32_t mode) {
    app.appState->setMode(mode);
    buildGui(app);
}

// A tetrahedron cut by twelve edge slices: 25 layers on every edge anchor, cheap to build.
void useTwentyFiveEdgeLayers(Application& app) {
    PuzzleDefinition& d = app.appState->getDefinition();
    d.shape = TetraHedron;
    d.sliceCount = 12;
    for (int i = 0; i < 12; ++i) {
        d.sliceKinds[i] = EdgeSlice;
        d.sliceThicknesses[i] = 5 + i;
    }
    app.rebuildPuzzle(BandageGroups::Drop, VertexCount::Recount);
    ASSERT_EQ(app.puzzle->getLayerCountOfKind(EdgeSlice), 25);
}

}  // namespace

using Screens = RunningApp;

// [SECTION] the eight screens

TEST_F(Screens, PlayScreenAt800x600WithThePuzzleList) {
    ASSERT_EQ(appState->getWindowWidth(), 800);
    ASSERT_EQ(appState->getWindowHeight(), 600);
    EXPECT_EQ(controlPanel.GetX(), 495);
    appState->setSingleLayer(3);
    controlPanel.AddStatic(kIdCongratulation, L"Congratulations", 0, 0, 10, 10);
    const size_t logBefore = logText().size();
    showScreen(app, Play);
    expectScreen({
        {kIdVersion, kButton, L"Version", -320, 10, 125, 22},
        {kIdHelp, kButton, L"Help", -160, 10, 125, 22},
        {kIdOptions, kButton, L"Options", -160, 34, 125, 22},
        {kIdLoadPuzzle, kButton, L"Load Puzzle", 0, 10, 125, 22},
        {kIdSavePuzzle, kButton, L"Save Puzzle", 0, 34, 125, 22},
        {kIdEditPuzzle, kButton, L"Edit Puzzle", 160, 10, 125, 22},
        {kIdSolved, kButton, L"Solved", 160, 34, 125, 22},
        {kIdScramble, kButton, L"Fully Scrambled", 160, 58, 125, 22},
        {kIdColorFade, kButton, L"Color Fade", 160, 82, 125, 22},
        {kIdUndo, kButton, L"Undo Move", 160, 130, 125, 22},
        {kIdReadyMade, kCombo, L"Pyraminx", 140, 202, 150, 24},
        {kIdFace, kRadio, L"Face", 180, 250, 100, 24},
        {kIdPoint, kRadio, L"Point", 180, 274, 100, 24},
        {kIdEdge, kRadio, L"Edge", 180, 298, 100, 24},
        {kIdFirstLayer, kCheck, L"1", -450, 263, 50, 24},
        {kIdFirstLayer + 1, kCheck, L"2", -450, 288, 50, 24},
        {kIdFirstLayer + 2, kCheck, L"3", -450, 313, 50, 24},
        {kIdMessage, kStatic, L"0", 25, 500, 245, 50, kFontCounter},
        {kIdHours, kStatic, L"00:", 105, 530, 200, 50, kFontCounter},
        {kIdMinutes, kStatic, L"00:", 155, 530, 200, 50, kFontCounter},
        {kIdSeconds, kStatic, L"00", 205, 530, 200, 50, kFontCounter},
        {kIdHundredths, kStatic, L"00", 245, 527, 200, 50, kFontHundredths},
    });
    EXPECT_EQ(controlPanel.GetControl(kIdCongratulation), nullptr) << "nothing survives a build";
    EXPECT_EQ(controlPanel.GetControl(kIdFirstLayer + 3), nullptr);
    EXPECT_TRUE(checked(kIdFace));
    EXPECT_FALSE(checked(kIdPoint));
    EXPECT_FALSE(checked(kIdEdge));
    EXPECT_TRUE(checked(kIdFirstLayer));
    EXPECT_FALSE(checked(kIdFirstLayer + 1));
    EXPECT_EQ(appState->getLayerMask(), 1);
    EXPECT_EQ(logText().substr(logBefore), "YLength = 800\n");

    // The counter is right-aligned and wraps; the timer keeps the statics' bottom-left format.
    EXPECT_EQ(controlPanel.GetStatic(kIdMessage)->GetElement(0)->dwTextFormat,
              DWORD(DT_RIGHT | DT_WORDBREAK));
    EXPECT_EQ(controlPanel.GetStatic(kIdHours)->GetElement(0)->dwTextFormat,
              DWORD(DT_LEFT | DT_BOTTOM));

    CDXUTComboBox* list = controlPanel.GetComboBox(kIdReadyMade);
    const std::pair<const wchar_t*, uint32_t> items[] = {
        {L"Pyraminx", 0x11111111},      {L"Pyracopter", 0x12121212},
        {L"3x3 Cube", 0x13131313},      {L"Dino Cube", 0x14141414},
        {L"Dino Ultimate", 0x15151515}, {L"Helicopter Cube", 0x19191919},
        {L"Octahedron", 0x16161616},    {L"Octapyramid", 0x17171717},
        {L"Megaminx", 0x18181818}};
    ASSERT_EQ(list->GetNumItems(), 9u);
    for (UINT i = 0; i < 9; ++i) {
        EXPECT_STREQ(list->GetItem(i)->strText, items[i].first);
        EXPECT_EQ(reinterpret_cast<uintptr_t>(list->GetItem(i)->pData), items[i].second);
    }
    const RECT drop = list->DropDownRect();
    EXPECT_EQ(drop.bottom - drop.top, 140) << "nine rows need more than the drop height";
}

TEST_F(Screens, PanelFontsAndDefaultElements) {
    const struct {
        UINT index;
        LONG height;
        LONG weight;
    } fonts[] = {{0, 14, 400}, {1, 18, 700}, {2, 35, 700},
                 {3, 14, 700}, {4, 40, 700}, {5, 25, 700}};
    for (const auto& f : fonts) {
        const DXUTFontNode* node = controlPanel.GetFont(f.index);
        ASSERT_NE(node, nullptr) << f.index;
        EXPECT_EQ(node->strFace, L"Arial");
        EXPECT_EQ(node->nHeight, f.height) << f.index;
        EXPECT_EQ(node->nWeight, f.weight) << f.index;
    }
    const CDXUTElement* statics = controlPanel.GetDefaultElement(DXUT_CONTROL_STATIC, 0);
    EXPECT_EQ(statics->iFont, kFontStatic);
    EXPECT_EQ(statics->dwTextFormat, DWORD(DT_LEFT | DT_BOTTOM));
    // A button is not a static: its element keeps the framework's default font.
    EXPECT_EQ(controlPanel.GetButton(kIdUndo)->GetElement(0)->iFont, kFontDefault);

    const DXUTFontNode* display = displayPanel.GetFont(1);
    ASSERT_NE(display, nullptr);
    EXPECT_EQ(display->nHeight, 18);
    EXPECT_EQ(display->nWeight, 700);
    const CDXUTElement* shown = displayPanel.GetDefaultElement(DXUT_CONTROL_STATIC, 0);
    EXPECT_EQ(shown->iFont, 1u);
    EXPECT_EQ(shown->dwTextFormat, DWORD(DT_LEFT | DT_BOTTOM));
    EXPECT_EQ(shown->FontColor.States[DXUT_STATE_NORMAL], 0xFF00C8C8u);
    EXPECT_EQ(shown->FontColor.States[DXUT_STATE_DISABLED], 0xC8808080u);
    EXPECT_EQ(shown->FontColor.States[DXUT_STATE_HIDDEN], 0u);
}

TEST_F(Screens, PlayScreenWithoutThePuzzleList) {
    appState->setPulldownVisible(0);
    appState->setAnchorKind(EdgeSlice);
    showScreen(app, Play);
    EXPECT_EQ(controlPanel.GetControl(kIdReadyMade), nullptr);
    EXPECT_EQ(controlPanel.GetRadioButton(kIdFace)->GetY(), 178);
    EXPECT_EQ(controlPanel.GetRadioButton(kIdPoint)->GetY(), 202);
    EXPECT_EQ(controlPanel.GetRadioButton(kIdEdge)->GetY(), 226);
    EXPECT_TRUE(checked(kIdEdge));
    EXPECT_FALSE(checked(kIdFace));
    // A turning kind outside the three checks no radio button and has no layers.
    appState->setAnchorKind(5);
    showScreen(app, Play);
    EXPECT_FALSE(checked(kIdFace) || checked(kIdPoint) || checked(kIdEdge));
    EXPECT_EQ(appState->getLayerMask(), 0);
}

TEST_F(Screens, MoveCounterLeavesOutTheTwoHundredScrambleMoves) {
    puzzle->scramble();
    ASSERT_EQ(puzzle->getMoveCount(), 200);
    showScreen(app, Play);
    EXPECT_EQ(staticText(kIdMessage), L"200");
    appState->setScrambled(1);
    showScreen(app, Play);
    EXPECT_EQ(staticText(kIdMessage), L"0");
}

TEST_F(Screens, EditScreen) {
    appState->setLineWidth(124);
    appState->setEraseThreshold(7);
    showScreen(app, Edit);
    expectScreen({
        {kIdEditHelp, kButton, L"Help", 0, 10, 125, 22},
        {kIdPlayPuzzle, kButton, L"Play Puzzle", 160, 10, 125, 22},
        {kIdSolid, kCombo, L"Cube", 140, 82, 150, 24},
        {kIdSliceKind, kList, L"", 25, 130, 100, 60},
        {kIdAdd, kButton, L"Add", 160, 130, 125, 22},
        {kIdSliceList, kList, L"", 0, 250, 125, 120},
        {kIdRemove, kButton, L"Remove", 160, 250, 125, 22},
        {kIdThickness, kEdit, L"", 160, 298, 50, 32},
        {kIdMessage, kStatic, L"Slice Thickness\n(0-360)", 215, 298, 100, 30, kFontLabel},
        {kIdErrorLine, kStatic, L"", -275, 298, 250, 24, kFontStatic},
        {kIdConnect, kButton, L"Connect cubies", 160, 394, 125, 22},
        {kIdDisconnect, kButton, L"Disconnect cubies", 160, 418, 125, 22},
        {kIdLineWidth, kEdit, L"40", 130, 466, 50, 32},
        {kIdText50, kStatic, L"Line width (0-100)", 190, 466, 120, 24, kFontLabel},
        {kIdEraseThreshold, kEdit, L"7", 130, 514, 50, 32},
        {kIdText56, kStatic, L"Erase Threshold \n(0-100)", 190, 494, 120, 48, kFontLabel},
    });
    EXPECT_FALSE(controlPanel.GetEditBox(kIdThickness)->GetEnabled());

    CDXUTComboBox* solids = controlPanel.GetComboBox(kIdSolid);
    const wchar_t* names[] = {L"TetraHedron", L"Cube", L"OctaHedron", L"DodecaHedron",
                              L"IcosaHedron"};
    ASSERT_EQ(solids->GetNumItems(), 5u);
    for (UINT i = 0; i < 5; ++i) {
        EXPECT_STREQ(solids->GetItem(i)->strText, names[i]);
        EXPECT_EQ(reinterpret_cast<uintptr_t>(solids->GetItem(i)->pData),
                  0x11111111u + 0x01010101u * i);
    }
    CDXUTListBox* kinds = controlPanel.GetListBox(kIdSliceKind);
    ASSERT_EQ(kinds->GetSize(), 3);
    EXPECT_EQ(kinds->GetSelectedIndex(), 0);
    const wchar_t* kindNames[] = {L"Face", L"Point", L"Edge"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_STREQ(kinds->GetItem(i)->strText, kindNames[i]);
        EXPECT_EQ(reinterpret_cast<intptr_t>(kinds->GetItem(i)->pData), i);
    }
    EXPECT_EQ(controlPanel.GetListBox(kIdSliceList)->GetSelectedIndex(), -1);

    appState->setShape(DodecaHedron);
    showScreen(app, Edit);
    EXPECT_EQ(textOf(controlPanel.GetComboBox(kIdSolid)), L"DodecaHedron");
}

TEST_F(Screens, LineWidthShownOnAHundredScaleTruncated) {
    const std::pair<int, const wchar_t*> cases[] = {{40, L"85"}, {10, L"100"}, {11, L"100"},
                                                    {198, L"2"}, {200, L"0"},  {124, L"40"}};
    for (const auto& c : cases) {
        appState->setLineWidth(c.first);
        showScreen(app, Edit);
        EXPECT_STREQ(controlPanel.GetEditBox(kIdLineWidth)->GetText(), c.second) << c.first;
    }
}

TEST_F(Screens, SaveAndLoadScreens) {
    ASSERT_TRUE(appState->setFileName("würfel.pzl"));
    showScreen(app, Save);
    expectScreen({
        {kIdPlayPuzzle, kButton, L"Play Puzzle", 160, 10, 125, 22},
        {kIdFileName, kEdit, L"würfel.pzl", 160, 58, 125, 32},
        {kIdSave, kButton, L"Save", 160, 106, 125, 22},
        {kIdMessage, kStatic, L"Press button to save", 160, 106, 125, 50, kFontLabel},
    });
    showScreen(app, Load);
    expectScreen({
        {kIdPlayPuzzle, kButton, L"Play Puzzle", 160, 10, 125, 22},
        {kIdLoad, kButton, L"Load", 160, 58, 125, 22},
        {kIdFileList, kList, L"", 160, 106, 125, 250},
    });
    EXPECT_EQ(controlPanel.GetListBox(kIdFileList)->GetSize(), 0);
}

TEST_F(Screens, HelpAndEditorHelpScreens) {
    showScreen(app, Help);
    expectScreen({
        {kIdEditHelp, kStatic,
         L"Press left mouse button or right mouse button on the cube\nto rotate a layer.\n", -250,
         -83, 400, 200, kFontLabel},
        {kIdOptions, kStatic,
         L"Press and hold left or right mouse button in the grey area and drag,\nto rotate the "
         L"whole cube.\n\nPress the numbers 1 to 9 to select layer 1 to 9, use 'a' and 's' "
         L"keys\nor use mousewheel.\n",
         -250, 0, 400, 200, kFontLabel},
        {kIdText50, kStatic,
         L"Press 'q', 'w' and 'e' to rotate a face, point or edge layer,\nor use the radio "
         L"buttons.",
         -250, 40, 400, 200, kFontLabel},
        {kIdText56, kStatic,
         L"Click on the pull down menu on the right to select other puzzles.\n\nPress arrows up "
         L"and down to zoom in and zoom out.",
         -250, 95, 400, 200, kFontLabel},
        {kIdPlayPuzzle, kButton, L"Play Puzzle", -150, 320, 125, 22},
    });
    showScreen(app, EditorHelp);
    expectScreen({
        {kIdEditHelp, kStatic,
         L"Use the pull down menu on the right to select the puzzle shape.\n\nPress 'Add' "
         L"button to add face, point or edge slices to the puzzle.\n",
         -250, -83, 400, 200, kFontLabel},
        {kIdOptions, kStatic,
         L"Click on a slice in the lower listbox and press 'Remove' button\nto remove the "
         L"selected slice from the puzzle.\n\nClick on a slice in the lower listbox and change "
         L"the slice's value\nin the editbox to the right with a number between 0 and 360.",
         -250, 0, 400, 200, kFontLabel},
        {kIdText50, kStatic,
         L"Click on cubies in the cube to highlight them, and press\n'Connect Cubies' button to "
         L"connect the highlighted cubies.\n\nPress 'Disconnect Cubies' to disconnect "
         L"highlighted cubies.",
         -250, 70, 400, 200, kFontLabel},
        {kIdText56, kStatic,
         L"Enter a value in the editbox with (10-200) next to it\nto change the width of the "
         L"black lines.",
         -250, 110, 400, 200, kFontLabel},
        {kIdText63, kStatic,
         L"If cuttinglines are very close together, cubies can become too small \nto see "
         L"properly. To erase these cubies, raise the value in threshold \neditbox.",
         -250, 160, 400, 200, kFontLabel},
        {kIdEditPuzzle, kButton, L"Edit Puzzle", -150, 370, 125, 22},
    });
}

TEST_F(Screens, OptionsScreen) {
    showScreen(app, Options);
    expectScreen({
        {kIdPlayPuzzle, kButton, L"Play Puzzle", -250, 10, 125, 22},
        {kIdLeftAnticlockwise, kRadio, L"Left mouse button: rotate anti-clockwise", -250, 58, 300,
         24},
        {kIdLeftClockwise, kRadio, L"Left mouse button: rotate clockwise", -250, 82, 300, 24},
        {kIdHighlightsOn, kRadio, L"Cuby highlights on", -250, 130, 300, 24},
        {kIdHighlightsOff, kRadio, L"Cuby highlights off", -250, 154, 300, 24},
        {kIdPulldownVisible, kRadio, L"Pulldown menu visible", -250, 202, 300, 24},
        {kIdPulldownHidden, kRadio, L"Pulldown menu not visible", -250, 226, 300, 24},
        {kIdTurnSeconds, kEdit, L"0.250", -250, 274, 75, 32},
        {kIdMessage, kStatic, L"Rotation speed in seconds (0-10)\nPress enter to take effect", -170,
         274, 200, 30, kFontLabel},
        {kIdEditHelp, kStatic,
         L"Warning: Changing the turn metric will reset your puzzle to solved state.", -250, 289,
         400, 100, kFontLabel},
        {kIdSingleMetric, kRadio, L"Single turn metric", -250, 322, 300, 24},
        {kIdMultiMetric, kRadio, L"Multi turn metric", -250, 346, 300, 24},
    });
    EXPECT_TRUE(controlPanel.GetEditBox(kIdTurnSeconds)->GetEnabled());
    // Defaults: anti-clockwise, highlights on, list visible, single metric.
    const int onByDefault[] = {kIdLeftAnticlockwise, kIdHighlightsOn, kIdPulldownVisible,
                               kIdSingleMetric};
    for (int id : onByDefault) {
        EXPECT_TRUE(checked(id)) << id;
        EXPECT_FALSE(checked(id + 1)) << id + 1;
    }
    appState->setLeftButtonClockwise(1);
    appState->setCubyHighlights(2);   // only 1 counts as on
    appState->setPulldownVisible(2);  // anything but 0 counts as visible
    appState->getDefinition().turnMetric = 7;
    appState->setTurnSeconds(10.0);
    showScreen(app, Options);
    EXPECT_TRUE(checked(kIdLeftClockwise));
    EXPECT_TRUE(checked(kIdHighlightsOff));
    EXPECT_TRUE(checked(kIdPulldownVisible));
    EXPECT_TRUE(checked(kIdMultiMetric));
    EXPECT_FALSE(checked(kIdLeftAnticlockwise) || checked(kIdHighlightsOn) ||
                 checked(kIdPulldownHidden) || checked(kIdSingleMetric));
    EXPECT_STREQ(controlPanel.GetEditBox(kIdTurnSeconds)->GetText(), L"10.00");
}

TEST_F(Screens, VersionScreenAndModesOutOfRange) {
    showScreen(app, Version);
    CDXUTStatic* about = controlPanel.GetStatic(kIdEditHelp);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(std::wstring(about->GetText()).rfind(L"Version 1.21\n\n", 0), 0u);
    EXPECT_EQ(about->GetX(), -250);
    EXPECT_EQ(about->GetY(), 27);
    EXPECT_EQ(about->GetWidth(), 500);
    EXPECT_EQ(about->GetElement(0)->iFont, kFontLabel);
    CDXUTStatic* contact = controlPanel.GetStatic(kIdOptions);
    ASSERT_NE(contact, nullptr);
    EXPECT_NE(std::wstring(contact->GetText()).find(L'@'), std::wstring::npos);
    EXPECT_EQ(contact->GetY(), 50);
    CDXUTButton* back = controlPanel.GetButton(kIdPlayPuzzle);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->GetX(), -150);
    EXPECT_EQ(back->GetY(), 260);

    for (int32_t mode : {-1, 8}) {
        showScreen(app, mode);
        EXPECT_TRUE(drawnTexts().empty()) << mode;
    }
}

// [SECTION] layer check boxes

TEST_F(Screens, ThreeLayerBoxesCentredOnTheWindow) {
    appState->setSingleLayer(4);
    buildLayerCheckBoxes(app);
    for (int i = 0; i < 3; ++i) {
        CDXUTCheckBox* box = controlPanel.GetCheckBox(kIdFirstLayer + i);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->GetX(), 350 - 800);
        EXPECT_EQ(box->GetY(), 263 + 25 * i);
        EXPECT_EQ(box->GetChecked(), i == 0);
    }
    EXPECT_EQ(appState->getLayerMask(), 1);
}

TEST_F(Screens, TwentyFiveLayersMakeTwentyBoxesCentredOnAll) {
    useTwentyFiveEdgeLayers(app);
    appState->setAnchorKind(EdgeSlice);
    buildLayerCheckBoxes(app);
    for (int i = 0; i < 20; ++i) {
        CDXUTCheckBox* box = controlPanel.GetCheckBox(kIdFirstLayer + i);
        ASSERT_NE(box, nullptr) << i;
        EXPECT_EQ(box->GetText(), std::to_wstring(i + 1));
        EXPECT_EQ(box->GetY(), 300 - 312 + 25 * i);
        EXPECT_EQ(box->GetWidth(), 50);
        EXPECT_EQ(box->GetHeight(), 24);
    }
    EXPECT_EQ(controlPanel.GetCheckBox(kIdLastLayer + 1), nullptr);
    EXPECT_EQ(appState->getLayerMask(), 1);

    // Layers 1 and 19 selected by the keys: exactly their boxes follow.
    appState->setSingleLayer(1);
    appState->toggleLayer(19);
    appState->toggleLayer(25);  // no box for it
    updateLayerCheckBoxes(app);
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(checked(kIdFirstLayer + i), i == 0 || i == 18) << i;
    }
}

TEST_F(Screens, NoLayersNoBoxesAndNoLayer) {
    appState->setAnchorKind(PointSlice);  // the 3x3 has no point layers
    buildLayerCheckBoxes(app);
    EXPECT_EQ(controlPanel.GetControl(kIdFirstLayer), nullptr) << "the face boxes are gone";
    EXPECT_EQ(appState->getLayerMask(), 0);
    appState->setSingleLayer(2);
    updateLayerCheckBoxes(app);
    EXPECT_EQ(controlPanel.GetControl(kIdFirstLayer), nullptr);
}

// [SECTION] the slice list

TEST_F(Screens, SliceListOfTheDefaultDefinition) {
    showScreen(app, Edit);
    CDXUTListBox* list = controlPanel.GetListBox(kIdSliceList);
    ASSERT_EQ(list->GetSize(), 10);
    EXPECT_STREQ(list->GetItem(0)->strText, L"1: Face    120");
    for (int i = 1; i < 10; ++i) {
        EXPECT_EQ(std::wstring(list->GetItem(i)->strText), std::to_wstring(i + 1) + L":");
    }
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(reinterpret_cast<intptr_t>(list->GetItem(i)->pData), i);
    }
}

TEST_F(Screens, ChoosingARowShowsItsThicknessOrDisablesTheField) {
    PuzzleDefinition& d = appState->getDefinition();
    d.sliceCount = 10;
    for (int i = 0; i < 10; ++i) {
        d.sliceKinds[i] = i % 3;
        d.sliceThicknesses[i] = 10 + i;
    }
    d.sliceThicknesses[2] = -7;
    d.sliceKinds[9] = EdgeSlice;
    d.sliceThicknesses[9] = 135;
    showScreen(app, Edit);
    CDXUTListBox* list = controlPanel.GetListBox(kIdSliceList);
    CDXUTEditBox* field = controlPanel.GetEditBox(kIdThickness);
    ASSERT_EQ(list->GetSize(), 10);
    EXPECT_STREQ(list->GetItem(1)->strText, L"2: Point   11");
    EXPECT_STREQ(list->GetItem(2)->strText, L"3: Edge    -7");
    EXPECT_STREQ(list->GetItem(9)->strText, L"10: Edge    135");

    // Click on row 10 as the user does; the list's own event runs the handler.
    list->SelectItem(9);  // scrolls row 10 into view
    field->SetText(L"");
    const RECT row = list->ItemRect(9);
    ASSERT_GT(row.bottom, row.top);
    const int y = (row.top + row.bottom) / 2;
    const int x = controlPanel.GetX() + (row.left + row.right) / 2;
    mouse(WM_LBUTTONDOWN, y, x);
    mouse(WM_LBUTTONUP, y, x);
    EXPECT_EQ(list->GetSelectedIndex(), 9);
    EXPECT_STREQ(field->GetText(), L"135");
    EXPECT_TRUE(field->GetEnabled());
    list->SelectItem(2);
    EXPECT_STREQ(field->GetText(), L"-7");

    // The same list for three slices: row 4 is an empty slot.
    d.sliceCount = 3;
    fillSliceList(*appState);
    EXPECT_STREQ(list->GetItem(3)->strText, L"4:");
    list->SelectItem(3);
    EXPECT_STREQ(field->GetText(), L"");
    EXPECT_FALSE(field->GetEnabled());
    onSliceSelected(*appState, L"1: Face    10");
    EXPECT_TRUE(field->GetEnabled());
    onSliceSelected(*appState, nullptr);
    EXPECT_STREQ(field->GetText(), L"");
    EXPECT_FALSE(field->GetEnabled());
}

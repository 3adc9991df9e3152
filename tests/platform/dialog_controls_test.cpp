// Behaviour of each control kind: radio groups, edit box editing, list and combo selection by
// mouse and keys, elements and fonts, and what is drawn.
//
// [SECTION] radio groups
// [SECTION] edit box
// [SECTION] list box
// [SECTION] combo box
// [SECTION] elements, fonts, refusals
// [SECTION] drawing

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "dialog_test_support.h"

using namespace dialog_test;

namespace {

class DialogControls : public ::testing::Test {
  protected:
    void SetUp() override {
        Recorder::Reset();
        dialog.SetCallback(Recorder::Callback);
    }
    void TearDown() override {
        Recorder::Reset();
        SDL_SetModState(KMOD_NONE);
    }

    CDXUTDialog dialog;
};

// [SECTION] radio groups

TEST_F(DialogControls, RadioGroupsHoldAtMostOneCheckedButton) {
    CDXUTRadioButton *face, *point, *edge, *other;
    dialog.AddRadioButton(34, 1, L"Face", 0, 0, 100, 24, true, 0, false, &face);
    dialog.AddRadioButton(35, 1, L"Point", 0, 24, 100, 24, false, 0, false, &point);
    dialog.AddRadioButton(36, 1, L"Edge", 0, 48, 100, 24, true, 0, false, &edge);
    dialog.AddRadioButton(53, 2, L"on", 0, 72, 100, 24, true, 0, false, &other);
    EXPECT_FALSE(face->GetChecked());  // adding Edge checked cleared its group
    EXPECT_TRUE(edge->GetChecked());
    EXPECT_TRUE(other->GetChecked());  // another group

    point->SetChecked(true, true);
    EXPECT_TRUE(point->GetChecked());
    EXPECT_FALSE(edge->GetChecked());
    face->SetChecked(true, false);  // without clearing the group
    EXPECT_TRUE(point->GetChecked());

    Click(dialog, 5, 50);  // the user checks Edge: the rest of group 1 is cleared
    EXPECT_TRUE(edge->GetChecked());
    EXPECT_FALSE(face->GetChecked());
    EXPECT_FALSE(point->GetChecked());
    EXPECT_TRUE(other->GetChecked());
    EXPECT_EQ(Recorder::events, (std::vector<Event>{{EVENT_RADIOBUTTON_CHANGED, 36}}));

    dialog.ClearRadioButtonGroup(1);
    EXPECT_FALSE(edge->GetChecked());
    EXPECT_TRUE(other->GetChecked());
}

// [SECTION] edit box

class EditBox : public DialogControls {
  protected:
    void SetUp() override {
        DialogControls::SetUp();
        dialog.AddEditBox(88, L"0.250", 0, 0, 200, 32, false, &edit);
        Click(dialog, 150, 10);  // focus, caret at the end (not drawn yet)
        Recorder::events.clear();
    }
    CDXUTEditBox* edit = nullptr;
};

TEST_F(EditBox, CaretKeysAndDeletion) {
    EXPECT_EQ(edit->GetCaret(), 5);
    Key(dialog, VK_HOME);
    Key(dialog, VK_DELETE);  // "250" after removing "0."? one character at a time
    EXPECT_STREQ(edit->GetText(), L".250");
    Key(dialog, VK_BACK);  // nothing before the caret
    EXPECT_STREQ(edit->GetText(), L".250");
    Key(dialog, VK_RIGHT);
    Key(dialog, VK_RIGHT);
    Type(dialog, L"9");
    EXPECT_STREQ(edit->GetText(), L".2950");
    Key(dialog, VK_LEFT);
    Key(dialog, VK_BACK);
    EXPECT_STREQ(edit->GetText(), L".950");
    Key(dialog, VK_END);
    Key(dialog, VK_DELETE);  // nothing after the caret
    EXPECT_EQ(edit->GetCaret(), 4);
    // Backspace, Delete that changed something, and the typed character raised changes.
    EXPECT_EQ(Recorder::events.size(), 3u);
}

TEST_F(EditBox, SelectAllThenTypingReplacesTheText) {
    EXPECT_TRUE(Key(dialog, 'A'));    // with Ctrl held, the key message is followed by
    EXPECT_TRUE(Char(dialog, 0x01));  // the control character it types
    EXPECT_EQ(edit->GetSelectionAnchor(), 0);
    EXPECT_EQ(edit->GetCaret(), 5);
    Type(dialog, L"12.5");
    EXPECT_STREQ(edit->GetText(), L"12.5");
    Key(dialog, VK_RETURN);
    EXPECT_EQ(Recorder::events.back(), (Event{EVENT_EDITBOX_STRING, 88}));
}

TEST_F(EditBox, ShiftExtendsTheSelectionWhichLeftCollapses) {
    SDL_SetModState(KMOD_LSHIFT);
    Key(dialog, VK_LEFT);
    Key(dialog, VK_LEFT);
    SDL_SetModState(KMOD_NONE);
    EXPECT_EQ(edit->GetSelectionAnchor(), 5);
    EXPECT_EQ(edit->GetCaret(), 3);
    Key(dialog, VK_BACK);  // deletes the selection only
    EXPECT_STREQ(edit->GetText(), L"0.2");
    SDL_SetModState(KMOD_LSHIFT);
    Key(dialog, VK_HOME);
    SDL_SetModState(KMOD_NONE);
    Key(dialog, VK_RIGHT);  // collapses to the selection's end
    EXPECT_EQ(edit->GetCaret(), 3);
    EXPECT_EQ(edit->GetSelectionAnchor(), 3);
}

TEST_F(EditBox, CopyAndPasteGoThroughTheClipboard) {
    // The clipboard needs SDL's video subsystem; the dummy driver keeps it in memory.
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    Char(dialog, 0x01);  // Ctrl+A
    Char(dialog, 0x03);  // Ctrl+C
    char* copied = SDL_GetClipboardText();
    EXPECT_STREQ(copied, "0.250");
    SDL_free(copied);

    SDL_SetClipboardText("7\u00b0x\nsecond line");
    Key(dialog, VK_HOME);
    Char(dialog, 0x16);                               // Ctrl+V
    EXPECT_STREQ(edit->GetText(), L"7\u00b0x0.250");  // the first line only
    EXPECT_EQ(edit->GetCaret(), 3);
    EXPECT_EQ(Recorder::events, (std::vector<Event>{{EVENT_EDITBOX_CHANGE, 88}}));
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

TEST_F(EditBox, AClickPlacesTheCaretAtTheNearestCharacterDrawn) {
    RecordingPainter painter;
    dialog.Render(painter);  // 7-pixel glyphs from x = 4
    Click(dialog, 4 + 7 * 2 + 2, 10);
    EXPECT_EQ(edit->GetCaret(), 2);
    Click(dialog, 4 + 7 * 2 + 5, 10);
    EXPECT_EQ(edit->GetCaret(), 3);
    Click(dialog, 190, 10);
    EXPECT_EQ(edit->GetCaret(), 5);
}

TEST_F(EditBox, LongTextScrollsToKeepTheCaretInView) {
    edit->SetText(std::wstring(60, L'8').c_str());  // 420 pixels in a 192-pixel field
    RecordingPainter painter;
    dialog.Render(painter);
    const auto* text = painter.FindText(std::wstring(60, L'8'));
    ASSERT_NE(text, nullptr);
    // The text area spans x 4 to 196; the caret after the last glyph stands in its last column.
    EXPECT_EQ(text->rect.left + 60 * RecordingPainter::kGlyph, 195);
    Key(dialog, VK_HOME);
    RecordingPainter again;
    dialog.Render(again);
    EXPECT_EQ(again.FindText(std::wstring(60, L'8'))->rect.left, 4);
}

TEST_F(EditBox, SetTextRaisesNothingAndCanSelectAll) {
    edit->SetText(L"120", true);
    EXPECT_EQ(edit->GetSelectionAnchor(), 0);
    EXPECT_EQ(edit->GetCaret(), 3);
    Type(dialog, L"9");
    EXPECT_STREQ(edit->GetText(), L"9");
    EXPECT_EQ(Recorder::events.size(), 1u);
}

// [SECTION] list box

class ListBox : public DialogControls {
  protected:
    void SetUp() override {
        DialogControls::SetUp();
        dialog.AddListBox(30, 0, 250, 125, 120, 0, &list);  // six 18-pixel rows fit
        for (long i = 0; i < 10; ++i)
            list->AddItem((std::to_wstring(i + 1) + L":").c_str(), reinterpret_cast<void*>(i));
    }
    CDXUTListBox* list = nullptr;
};

TEST_F(ListBox, ItemsKeepTextAndDataAndLookupsOutsideAreNull) {
    EXPECT_EQ(list->GetSize(), 10);
    EXPECT_STREQ(list->GetItem(9)->strText, L"10:");
    EXPECT_EQ(list->GetItem(9)->pData, reinterpret_cast<void*>(9));
    EXPECT_EQ(list->GetItem(10), nullptr);
    EXPECT_EQ(list->GetItem(-1), nullptr);
    EXPECT_EQ(list->GetSelectedIndex(), -1);
}

TEST_F(ListBox, RemoveAllItemsKeepsTheSelectedIndex) {
    list->SelectItem(4);
    list->RemoveAllItems();
    EXPECT_EQ(list->GetSelectedIndex(), 4);
    EXPECT_EQ(list->GetItem(4), nullptr);
    for (int i = 0; i < 10; ++i)
        list->AddItem(L"again", nullptr);
    EXPECT_EQ(list->GetSelectedIndex(), 4);
    EXPECT_NE(list->GetItem(list->GetSelectedIndex()), nullptr);
}

TEST_F(ListBox, KeysMoveTheSelectionAndRaiseIt) {
    Click(dialog, 10, 255);  // row 0
    EXPECT_TRUE(Key(dialog, VK_DOWN));
    EXPECT_EQ(list->GetSelectedIndex(), 1);
    Key(dialog, VK_END);
    EXPECT_EQ(list->GetSelectedIndex(), 9);
    EXPECT_GT(list->ItemRect(9).bottom, 0);  // scrolled into view
    EXPECT_EQ(list->ItemRect(0).bottom, 0);
    EXPECT_TRUE(Key(dialog, VK_DOWN));  // already last: consumed, nothing raised
    Key(dialog, VK_PRIOR);
    EXPECT_EQ(list->GetSelectedIndex(), 4);
    Key(dialog, VK_HOME);
    EXPECT_EQ(list->GetSelectedIndex(), 0);
    EXPECT_FALSE(Key(dialog, 'Q'));
    EXPECT_EQ(Recorder::events.size(), 5u);  // the click and four moves
}

TEST_F(ListBox, TheScrollBarAppearsOnlyWhenRowsDoNotFit) {
    RECT firstRow = list->ItemRect(0);
    EXPECT_EQ(firstRow.right, 125 - 2 - 14);  // room left for the bar
    EXPECT_EQ(list->ItemRect(6).bottom, 0);   // the seventh row is below the fold
    // The down arrow at the bottom of the bar scrolls by one row; clicking it selects nothing.
    EXPECT_TRUE(Click(dialog, 125 - 5, 250 + 120 - 5));
    EXPECT_EQ(list->ItemRect(0).bottom, 0);
    EXPECT_GT(list->ItemRect(6).bottom, 0);
    EXPECT_TRUE(Recorder::events.empty());

    CDXUTListBox* shortList = nullptr;
    dialog.AddListBox(29, 200, 0, 100, 60, 0, &shortList);
    for (const wchar_t* row : {L"Face", L"Point", L"Edge"})
        shortList->AddItem(row, nullptr);
    EXPECT_EQ(shortList->ItemRect(2).right, 300 - 2);  // no bar
}

TEST_F(ListBox, DraggingTheThumbScrolls) {
    Click(dialog, 125 - 5, 250 + 120 - 5);  // lay out the bar
    RECT rowBefore = list->ItemRect(1);
    EXPECT_GT(rowBefore.bottom, 0);
    // The thumb lies below the up arrow; drag it to the bottom of the track.
    Press(dialog, 125 - 8, 250 + 2 + 14 + 20);
    Move(dialog, 125 - 8, 250 + 400);
    Release(dialog, 125 - 8, 250 + 400);
    EXPECT_GT(list->ItemRect(9).bottom, 0);
    EXPECT_EQ(list->ItemRect(3).bottom, 0);
}

// [SECTION] combo box

class ComboBox : public DialogControls {
  protected:
    void SetUp() override {
        DialogControls::SetUp();
        dialog.AddComboBox(26, 140, 202, 150, 24, 0, false, &combo);
        combo->SetDropHeight(140);
        const wchar_t* names[] = {L"Pyraminx",   L"Pyracopter",    L"3x3 Cube",
                                  L"Dino Cube",  L"Dino Ultimate", L"Helicopter Cube",
                                  L"Octahedron", L"Octapyramid",   L"Megaminx"};
        for (int i = 0; i < 9; ++i)
            combo->AddItem(names[i], reinterpret_cast<void*>(0x11111111L * (i + 1)));
        // A radio button that the open drop-down covers.
        dialog.AddRadioButton(34, 1, L"Face", 180, 250, 100, 24, true);
    }
    CDXUTComboBox* combo = nullptr;
};

TEST_F(ComboBox, TheFirstItemIsSelectedAndSelectionByTextRaisesNothing) {
    EXPECT_STREQ(combo->GetSelectedItem()->strText, L"Pyraminx");
    EXPECT_EQ(combo->SetSelectedByText(L"Megaminx"), S_OK);
    EXPECT_EQ(combo->GetSelectedItem()->pData, reinterpret_cast<void*>(0x11111111L * 9));
    EXPECT_EQ(combo->SetSelectedByText(L"Square-1"), E_FAIL);
    EXPECT_STREQ(combo->GetSelectedItem()->strText, L"Megaminx");
    EXPECT_TRUE(Recorder::events.empty());
}

TEST_F(ComboBox, AClickInTheOpenDropDownChoosesOverTheControlBelow) {
    EXPECT_TRUE(Click(dialog, 200, 210));
    ASSERT_TRUE(combo->IsOpened());
    RECT drop = combo->DropDownRect();
    EXPECT_EQ(drop.bottom - drop.top, 140);  // nine rows need 166 pixels
    RECT item = combo->ItemRect(2);          // over the radio button
    ASSERT_GT(item.bottom, 250);
    EXPECT_TRUE(Click(dialog, 185, item.top + 2));
    EXPECT_FALSE(combo->IsOpened());
    EXPECT_STREQ(combo->GetSelectedItem()->strText, L"3x3 Cube");
    EXPECT_EQ(Recorder::events, (std::vector<Event>{{EVENT_COMBOBOX_SELECTION_CHANGED, 26}}));
}

TEST_F(ComboBox, TheDropDownScrollsToItemsBelowItsHeight) {
    Click(dialog, 200, 210);
    EXPECT_EQ(combo->ItemRect(8).bottom, 0);
    Move(dialog, 200, 260);
    EXPECT_TRUE(Wheel(dialog, -3));
    RECT last = combo->ItemRect(8);
    ASSERT_GT(last.bottom, 0);
    Click(dialog, 150, last.top + 1);
    EXPECT_STREQ(combo->GetSelectedItem()->strText, L"Megaminx");
}

TEST_F(ComboBox, AClickOutsideClosesAndGoesToWhatIsThere) {
    dialog.AddButton(21, L"Undo Move", 160, 130, 125, 22);
    Click(dialog, 200, 210);
    EXPECT_TRUE(Click(dialog, 200, 140));
    EXPECT_FALSE(combo->IsOpened());
    EXPECT_EQ(Recorder::events, (std::vector<Event>{{EVENT_BUTTON_CLICKED, 21}}));
    Click(dialog, 200, 210);
    EXPECT_FALSE(Click(dialog, 10, 10));  // empty space: closes, not consumed
    EXPECT_FALSE(combo->IsOpened());
}

TEST_F(ComboBox, KeysOpenMoveAndChoose) {
    Click(dialog, 200, 210);
    Click(dialog, 200, 210);  // opened and closed again; the focus stays
    ASSERT_FALSE(combo->IsOpened());
    EXPECT_FALSE(Key(dialog, VK_UP));  // a closed combo box leaves the arrows to the camera
    EXPECT_TRUE(Key(dialog, VK_RETURN));
    EXPECT_TRUE(combo->IsOpened());
    Key(dialog, VK_DOWN);
    Key(dialog, VK_DOWN);
    Key(dialog, VK_UP);
    EXPECT_TRUE(Recorder::events.empty());
    Key(dialog, VK_RETURN);
    EXPECT_STREQ(combo->GetSelectedItem()->strText, L"Pyracopter");
    EXPECT_EQ(Recorder::events, (std::vector<Event>{{EVENT_COMBOBOX_SELECTION_CHANGED, 26}}));
    Key(dialog, VK_SPACE);
    EXPECT_TRUE(Key(dialog, VK_ESCAPE));
    EXPECT_FALSE(combo->IsOpened());
    EXPECT_EQ(Recorder::events.size(), 1u);
}

TEST_F(ComboBox, AShortListHasNoScrollBarAndADropDownOnlyAsTallAsItsItems) {
    CDXUTComboBox* solids = nullptr;
    dialog.AddComboBox(25, 0, 0, 150, 24, 0, false, &solids);
    solids->SetDropHeight(100);
    for (const wchar_t* s :
         {L"TetraHedron", L"Cube", L"OctaHedron", L"DodecaHedron", L"IcosaHedron"})
        solids->AddItem(s, nullptr);
    Click(dialog, 10, 10);
    RECT drop = solids->DropDownRect();
    EXPECT_EQ(drop.bottom - drop.top, 5 * 18 + 4);
    EXPECT_EQ(solids->ItemRect(4).right, 150 - 2);
}

// [SECTION] elements, fonts, refusals

TEST_F(DialogControls, ControlsCopyTheirKindsDefaultElementWhenAdded) {
    dialog.SetFont(1, L"Arial", 18, 700);
    CDXUTElement* staticDefault = dialog.GetDefaultElement(DXUT_CONTROL_STATIC, 0);
    ASSERT_NE(staticDefault, nullptr);
    staticDefault->iFont = 1;
    staticDefault->dwTextFormat = DT_LEFT | DT_BOTTOM;
    CDXUTStatic* label = nullptr;
    CDXUTButton* button = nullptr;
    dialog.AddStatic(20, L"0", 0, 0, 100, 50, false, &label);
    dialog.AddButton(21, L"b", 0, 60, 100, 20, 0, false, &button);
    staticDefault->iFont = 2;  // later changes reach only later controls

    EXPECT_EQ(label->GetElement(0)->iFont, 1u);
    EXPECT_EQ(label->GetElement(0)->dwTextFormat, DT_LEFT | DT_BOTTOM);
    EXPECT_EQ(button->GetElement(0)->iFont, 0u);
    EXPECT_EQ(label->GetElement(1), nullptr);
    EXPECT_EQ(dialog.GetDefaultElement(DXUT_CONTROL_STATIC, 1), nullptr);
    EXPECT_EQ(dialog.GetDefaultElement(99, 0), nullptr);

    label->SetTextColor(0xFFFF0000);
    EXPECT_EQ(label->GetElement(0)->FontColor.States[DXUT_STATE_NORMAL], 0xFFFF0000u);
    EXPECT_NE(label->GetElement(0)->FontColor.States[DXUT_STATE_DISABLED], 0xFFFF0000u);
}

TEST_F(DialogControls, FontsByIndexWithArial14AsFontZero) {
    ASSERT_NE(dialog.GetFont(0), nullptr);
    EXPECT_EQ(dialog.GetFont(0)->strFace, L"Arial");
    EXPECT_EQ(dialog.GetFont(0)->nHeight, 14);
    EXPECT_EQ(dialog.GetFont(0)->nWeight, 400);
    EXPECT_EQ(dialog.GetFont(4), nullptr);
    EXPECT_EQ(dialog.SetFont(4, L"Arial", 40, 700), S_OK);
    EXPECT_EQ(dialog.GetFont(4)->nHeight, 40);
    EXPECT_EQ(dialog.GetFont(3), nullptr);
    EXPECT_EQ(dialog.SetFont(CDXUTDialog::kMaxFonts, L"Arial", 10, 400), E_INVALIDARG);
    EXPECT_EQ(dialog.SetFont(1, L"Arial", 0, 400), E_INVALIDARG);
}

TEST_F(DialogControls, DXUTBlendColorInitSetsEveryStateButDisabledAndHidden) {
    DXUTBlendColor color;
    color.Init(0xFF00C8C8, 0xC8808080, 0);
    EXPECT_EQ(color.States[DXUT_STATE_NORMAL], 0xFF00C8C8u);
    EXPECT_EQ(color.States[DXUT_STATE_MOUSEOVER], 0xFF00C8C8u);
    EXPECT_EQ(color.States[DXUT_STATE_PRESSED], 0xFF00C8C8u);
    EXPECT_EQ(color.States[DXUT_STATE_DISABLED], 0xC8808080u);
    EXPECT_EQ(color.States[DXUT_STATE_HIDDEN], 0u);
}

TEST_F(DialogControls, HotkeysDefaultControlsAndListStylesAreRefused) {
    EXPECT_EQ(dialog.AddButton(1, L"b", 0, 0, 10, 10, 'B'), E_INVALIDARG);
    EXPECT_EQ(dialog.AddStatic(2, L"s", 0, 0, 10, 10, true), E_INVALIDARG);
    EXPECT_EQ(dialog.AddListBox(3, 0, 0, 10, 10, 1), E_INVALIDARG);
    EXPECT_EQ(dialog.GetControl(1), nullptr);
    EXPECT_EQ(dialog.GetControl(2), nullptr);
    EXPECT_EQ(dialog.GetControl(3), nullptr);
}

TEST_F(DialogControls, LookupsByIdAndKind) {
    dialog.AddStatic(48, L"help", 0, 0, 10, 10);
    dialog.AddRadioButton(34, 1, L"Face", 0, 0, 10, 10);
    EXPECT_NE(dialog.GetStatic(48), nullptr);
    EXPECT_EQ(dialog.GetButton(48), nullptr);
    EXPECT_NE(dialog.GetControl(34, DXUT_CONTROL_RADIOBUTTON), nullptr);
    EXPECT_EQ(dialog.GetControl(34, DXUT_CONTROL_CHECKBOX), nullptr);
    EXPECT_EQ(dialog.GetListBox(99), nullptr);
}

// [SECTION] drawing

TEST_F(DialogControls, DrawingUsesEachControlsElementAndSkipsHiddenControls) {
    dialog.SetFont(2, L"Arial", 35, 700);
    CDXUTStatic* congratulation = nullptr;
    dialog.AddStatic(17, L"Congratulations\nYou solved the magic puzzle!", -350, 50, 500, 100,
                     false, &congratulation);
    congratulation->GetElement(0)->iFont = 2;
    congratulation->GetElement(0)->dwTextFormat = DT_CENTER | DT_VCENTER | DT_WORDBREAK;
    congratulation->SetTextColor(0xFFFF0000);
    dialog.AddButton(22, L"Solved", 160, 34, 125, 22);
    dialog.AddStatic(49, L"hidden", 0, 0, 10, 10);
    dialog.GetControl(49)->SetVisible(false);
    dialog.AddButton(23, L"off", 0, 100, 10, 10);
    dialog.GetControl(23)->SetEnabled(false);

    RecordingPainter painter;
    dialog.Render(painter);
    const auto* text = painter.FindText(L"Congratulations\nYou solved the magic puzzle!");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->font, 2u);
    EXPECT_EQ(text->format, DT_CENTER | DT_VCENTER | DT_WORDBREAK | DT_NOCLIP);
    EXPECT_EQ(text->color, 0xFFFF0000u);
    EXPECT_EQ(text->rect.left, -350);
    EXPECT_NE(painter.FindText(L"Solved"), nullptr);
    EXPECT_EQ(painter.FindText(L"hidden"), nullptr);
    EXPECT_EQ(painter.FindText(L"off")->color,
              dialog.GetControl(23)->GetElement(0)->FontColor.States[DXUT_STATE_DISABLED]);
    EXPECT_EQ(painter.clipDepth, 0);
}

TEST_F(DialogControls, TheOpenDropDownIsDrawnLast) {
    CDXUTComboBox* combo = nullptr;
    dialog.AddComboBox(26, 0, 0, 150, 24, 0, false, &combo);
    combo->AddItem(L"Pyraminx", nullptr);
    combo->AddItem(L"Megaminx", nullptr);
    dialog.AddButton(21, L"below", 0, 30, 150, 22);
    Click(dialog, 10, 10);
    RecordingPainter painter;
    dialog.Render(painter);
    EXPECT_EQ(painter.texts.back().text, L"Megaminx");
}

}  // namespace

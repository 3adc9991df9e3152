// Which changes raise events, when, and removal of controls from inside an event.
//
// [SECTION] what raises events
// [SECTION] removal inside events

#include <gtest/gtest.h>

#include "dialog_test_support.h"

using namespace dialog_test;

namespace {

class DialogEvents : public ::testing::Test {
  protected:
    void SetUp() override {
        Recorder::Reset();
        dialog.SetCallback(Recorder::Callback);
    }
    void TearDown() override { Recorder::Reset(); }

    CDXUTDialog dialog;
};

// [SECTION] what raises events

TEST_F(DialogEvents, TheCallbackGetsTheContextItWasSetWith) {
    int owner = 0;
    dialog.SetCallback(Recorder::Callback, &owner);
    dialog.AddButton(1, L"One", 0, 0, 50, 20);
    Press(dialog, 10, 10);
    Release(dialog, 10, 10);
    ASSERT_EQ(Recorder::events.size(), 1u);
    EXPECT_EQ(Recorder::context, &owner);
}

TEST_F(DialogEvents, ProgramChangesRaiseNothing) {
    CDXUTComboBox* combo = nullptr;
    CDXUTCheckBox* check = nullptr;
    CDXUTRadioButton *radioA = nullptr, *radioB = nullptr;
    CDXUTEditBox* edit = nullptr;
    CDXUTListBox* list = nullptr;
    CDXUTStatic* label = nullptr;
    ASSERT_EQ(dialog.AddComboBox(1, 0, 0, 100, 20, 0, false, &combo), S_OK);
    dialog.AddCheckBox(2, L"c", 0, 30, 100, 20, false, 0, false, &check);
    dialog.AddRadioButton(3, 1, L"a", 0, 60, 100, 20, false, 0, false, &radioA);
    dialog.AddRadioButton(4, 1, L"b", 0, 90, 100, 20, true, 0, false, &radioB);
    dialog.AddEditBox(5, L"x", 0, 120, 100, 30, false, &edit);
    dialog.AddListBox(6, 0, 160, 100, 60, 0, &list);
    dialog.AddStatic(7, L"s", 0, 230, 100, 20, false, &label);

    combo->AddItem(L"first", nullptr);
    combo->AddItem(L"second", nullptr);
    EXPECT_EQ(combo->SetSelectedByText(L"second"), S_OK);
    check->SetChecked(true);
    radioA->SetChecked(true, true);
    edit->SetText(L"typed by the program");
    list->AddItem(L"row", nullptr);
    list->RemoveAllItems();
    label->SetText(L"new");
    check->SetEnabled(false);
    check->SetEnabled(true);

    EXPECT_TRUE(Recorder::events.empty());
    EXPECT_TRUE(radioA->GetChecked());
    EXPECT_FALSE(radioB->GetChecked());
    EXPECT_EQ(combo->GetSelectedIndex(), 1);
}

TEST_F(DialogEvents, SelectItemRaisesTheSelectionBeforeItReturns) {
    CDXUTListBox* list = nullptr;
    dialog.AddListBox(30, 0, 0, 100, 100, 0, &list);
    list->SelectItem(0);  // no rows: nothing
    EXPECT_TRUE(Recorder::events.empty());

    for (const wchar_t* row : {L"a", L"b", L"c"})
        list->AddItem(row, nullptr);
    int seenInside = -2;
    Recorder::action = [&](UINT, int, CDXUTControl* control) {
        seenInside = static_cast<CDXUTListBox*>(control)->GetSelectedIndex();
    };
    list->SelectItem(2);
    EXPECT_EQ(Recorder::events, (std::vector<Event>{{EVENT_LISTBOX_SELECTION, 30}}));
    EXPECT_EQ(seenInside, 2);

    list->SelectItem(2);   // the same row again still raises
    list->SelectItem(99);  // clamped to the last row
    EXPECT_EQ(Recorder::events.size(), 3u);
    EXPECT_EQ(list->GetSelectedIndex(), 2);
}

TEST_F(DialogEvents, SelectItemInsideAButtonsEventRunsTheListsEventFirst) {
    CDXUTListBox* list = nullptr;
    dialog.AddButton(31, L"Add", 0, 0, 100, 20);
    dialog.AddListBox(30, 0, 40, 100, 100, 0, &list);
    list->AddItem(L"1:", nullptr);
    list->AddItem(L"2:", nullptr);
    std::vector<std::string> order;
    Recorder::action = [&](UINT, int id, CDXUTControl*) {
        if (id != 31) {
            order.push_back("list");
            return;
        }
        order.push_back("button starts");
        list->SelectItem(1);
        order.push_back("button ends");
    };
    EXPECT_TRUE(Click(dialog, 10, 10));
    EXPECT_EQ(order, (std::vector<std::string>{"button starts", "list", "button ends"}));
}

TEST_F(DialogEvents, UserActionsRaiseTheirEvents) {
    CDXUTCheckBox* check = nullptr;
    CDXUTComboBox* combo = nullptr;
    dialog.AddButton(1, L"b", 0, 0, 100, 20);
    dialog.AddCheckBox(2, L"c", 0, 30, 100, 20, false, 0, false, &check);
    dialog.AddRadioButton(3, 1, L"r", 0, 60, 100, 20);
    dialog.AddComboBox(4, 0, 90, 100, 20, 0, false, &combo);
    combo->AddItem(L"only", nullptr);

    Click(dialog, 5, 5);
    Click(dialog, 5, 35);
    Click(dialog, 5, 35);
    Click(dialog, 5, 65);
    Click(dialog, 5, 65);  // already checked: no change, no event
    Click(dialog, 5, 95);  // opens
    RECT item = combo->ItemRect(0);
    Click(dialog, item.left + 2, item.top + 2);  // the item already shown, chosen again
    EXPECT_EQ(Recorder::events, (std::vector<Event>{{EVENT_BUTTON_CLICKED, 1},
                                                    {EVENT_CHECKBOX_CHANGED, 2},
                                                    {EVENT_CHECKBOX_CHANGED, 2},
                                                    {EVENT_RADIOBUTTON_CHANGED, 3},
                                                    {EVENT_COMBOBOX_SELECTION_CHANGED, 4}}));
    EXPECT_FALSE(check->GetChecked());
}

TEST_F(DialogEvents, AButtonClicksOnlyWhenReleasedOverIt) {
    dialog.AddButton(1, L"b", 0, 0, 100, 20);
    EXPECT_TRUE(Press(dialog, 5, 5));
    EXPECT_TRUE(Move(dialog, 300, 300));  // the press holds the mouse
    EXPECT_TRUE(Release(dialog, 300, 300));
    EXPECT_TRUE(Recorder::events.empty());
}

TEST_F(DialogEvents, EditBoxRaisesChangePerEditAndStringOnEnter) {
    dialog.AddEditBox(33, L"", 0, 0, 100, 30);
    Click(dialog, 5, 5);
    Type(dialog, L"12");
    Key(dialog, VK_BACK);
    Key(dialog, VK_RETURN);
    EXPECT_EQ(Recorder::events, (std::vector<Event>{{EVENT_EDITBOX_CHANGE, 33},
                                                    {EVENT_EDITBOX_CHANGE, 33},
                                                    {EVENT_EDITBOX_CHANGE, 33},
                                                    {EVENT_EDITBOX_STRING, 33}}));
    EXPECT_STREQ(dialog.GetEditBox(33)->GetText(), L"1");
}

TEST_F(DialogEvents, ListClickSelectsAndDoubleClickRaisesBoth) {
    CDXUTListBox* list = nullptr;
    dialog.AddListBox(43, 0, 0, 100, 100, 0, &list);
    list->AddItem(L"a", nullptr);
    list->AddItem(L"b", nullptr);
    RECT row = list->ItemRect(1);
    EXPECT_TRUE(DoubleClick(dialog, row.left + 1, row.top + 1));
    EXPECT_EQ(Recorder::events, (std::vector<Event>{{EVENT_LISTBOX_SELECTION, 43},
                                                    {EVENT_LISTBOX_SELECTION, 43},
                                                    {EVENT_LISTBOX_ITEM_DBLCLK, 43}}));
    EXPECT_EQ(list->GetSelectedIndex(), 1);
}

// [SECTION] removal inside events

TEST_F(DialogEvents, AHandlerMayRemoveTheControlWhoseEventItHandles) {
    dialog.AddButton(17, L"gone", 0, 0, 100, 20);
    Recorder::action = [&](UINT, int id, CDXUTControl*) { dialog.RemoveControl(id); };
    EXPECT_TRUE(Click(dialog, 5, 5));
    EXPECT_EQ(dialog.GetControl(17), nullptr);
    EXPECT_EQ(dialog.GetFocusedControl(), nullptr);
    EXPECT_FALSE(Click(dialog, 5, 5));  // nothing there any more
    EXPECT_EQ(Recorder::events.size(), 1u);
}

// Builds the same screen anew, as the application does on every screen change.
void buildScreen(CDXUTDialog& dialog) {
    dialog.RemoveAllControls();
    dialog.AddButton(28, L"Play Puzzle", 0, 0, 100, 20);
    dialog.AddEditBox(46, L"name", 0, 30, 100, 30);
    CDXUTListBox* list = nullptr;
    dialog.AddListBox(43, 0, 70, 100, 100, 0, &list);
    list->AddItem(L"a.pzl", nullptr);
    list->AddItem(L"b.pzl", nullptr);
}

TEST_F(DialogEvents, TheWholeDialogMayBeRebuiltInsideEvents) {
    buildScreen(dialog);
    CDXUTControl* before = dialog.GetControl(28);
    int rebuilds = 0;
    Recorder::action = [&](UINT, int, CDXUTControl*) {
        ++rebuilds;
        buildScreen(dialog);
    };
    EXPECT_TRUE(Click(dialog, 5, 5));
    EXPECT_EQ(rebuilds, 1);
    EXPECT_NE(dialog.GetButton(28), nullptr);
    EXPECT_NE(dialog.GetButton(28), before);
    EXPECT_EQ(dialog.GetFocusedControl(), nullptr);

    // The new controls work; each event below rebuilds again from inside its own handling.
    EXPECT_TRUE(Click(dialog, 5, 5));  // 2
    Click(dialog, 5, 40);
    EXPECT_TRUE(Key(dialog, VK_RETURN));   // 3
    EXPECT_FALSE(Key(dialog, VK_RETURN));  // the focus went with the old edit box
    Click(dialog, 5, 40);
    Type(dialog, L"x");  // 4
    // 5 and 6: the second click goes to the rebuilt list, which is rebuilt before it could
    // raise its double click.
    RECT row = dialog.GetListBox(43)->ItemRect(1);
    DoubleClick(dialog, row.left + 1, row.top + 1);
    EXPECT_EQ(Recorder::events.back(), (Event{EVENT_LISTBOX_SELECTION, 43}));
    dialog.GetListBox(43)->SelectItem(0);  // 7, outside any message
    EXPECT_EQ(rebuilds, 7);
    EXPECT_EQ(Recorder::events.back(), (Event{EVENT_LISTBOX_SELECTION, 43}));
}

TEST_F(DialogEvents, RemovingAControlThatIsAbsentIsNoError) {
    dialog.AddStatic(20, L"a", 0, 0, 10, 10);
    dialog.AddStatic(20, L"b", 0, 0, 10, 10);
    dialog.RemoveControl(99);
    EXPECT_NE(dialog.GetControl(20), nullptr);
    dialog.RemoveControl(20);  // every control with the id
    EXPECT_EQ(dialog.GetControl(20), nullptr);
    dialog.RemoveControl(20);
}

}  // namespace

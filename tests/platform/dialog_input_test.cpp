// What MsgProc consumes, focus, hit tests in dialog coordinates.
#include <gtest/gtest.h>

#include "dialog_test_support.h"

using namespace dialog_test;

namespace {

class DialogInput : public ::testing::Test {
  protected:
    void SetUp() override {
        Recorder::Reset();
        dialog.SetCallback(Recorder::Callback);
        // A panel at the right edge of an 800-pixel window, as the application places it.
        dialog.SetLocation(495, 0);
        dialog.SetSize(305, 600);
        dialog.AddButton(57, L"Version", -320, 10, 125, 22);
        dialog.AddStatic(20, L"0", 25, 500, 245, 50);
        dialog.AddButton(22, L"Solved", 160, 34, 125, 22);
        dialog.AddEditBox(33, L"", 160, 298, 50, 32);
    }
    void TearDown() override { Recorder::Reset(); }

    CDXUTDialog dialog;
};

TEST_F(DialogInput, PressesOnControlsAreConsumedAndTakeTheFocus) {
    EXPECT_TRUE(Click(dialog, 495 + 170, 40));
    EXPECT_EQ(dialog.GetFocusedControl(), dialog.GetControl(22));
    EXPECT_EQ(Recorder::events, (std::vector<Event>{{EVENT_BUTTON_CLICKED, 22}}));
}

TEST_F(DialogInput, ControlsLeftOfTheDialogAreHit) {
    // Window x 180 lies at dialog x -315, inside button 57 (which starts at -320).
    EXPECT_TRUE(Click(dialog, 180, 15));
    EXPECT_EQ(Recorder::events, (std::vector<Event>{{EVENT_BUTTON_CLICKED, 57}}));
    // Positions left of the window arrive as negative 16-bit numbers.
    dialog.SetLocation(0, 0);
    EXPECT_TRUE(Click(dialog, -300, 15));
    EXPECT_EQ(Recorder::events.size(), 2u);
}

TEST_F(DialogInput, PressesOnStaticsDisabledControlsAndEmptySpaceAreNotConsumedAndClearFocus) {
    Click(dialog, 495 + 170, 300);
    ASSERT_EQ(dialog.GetFocusedControl(), dialog.GetControl(33));
    EXPECT_FALSE(Press(dialog, 495 + 30, 520));  // static 20
    EXPECT_EQ(dialog.GetFocusedControl(), nullptr);
    Release(dialog, 495 + 30, 520);

    Click(dialog, 495 + 170, 300);
    EXPECT_FALSE(Click(dialog, 100, 300));  // empty space
    EXPECT_EQ(dialog.GetFocusedControl(), nullptr);

    dialog.GetControl(22)->SetEnabled(false);
    Click(dialog, 495 + 170, 300);
    EXPECT_FALSE(Click(dialog, 495 + 170, 40));
    EXPECT_EQ(dialog.GetFocusedControl(), nullptr);

    dialog.GetControl(57)->SetVisible(false);
    EXPECT_FALSE(Click(dialog, 180, 15));
    EXPECT_TRUE(Recorder::events.empty());
}

TEST_F(DialogInput, RightButtonMessagesAreLeftToTheApplication) {
    EXPECT_FALSE(Send(dialog, WM_RBUTTONDOWN, 495 + 170, 40));
    EXPECT_FALSE(Send(dialog, WM_RBUTTONUP, 495 + 170, 40));
}

TEST_F(DialogInput, PlainMovesAndStrayReleasesAreNotConsumed) {
    EXPECT_FALSE(Move(dialog, 495 + 170, 40));  // over a button
    EXPECT_FALSE(Move(dialog, 100, 100));
    EXPECT_FALSE(Release(dialog, 495 + 170, 40));  // released over a button, pressed elsewhere
    EXPECT_TRUE(Recorder::events.empty());
    // While a press lasts, the pressed control takes the moves and the release.
    Press(dialog, 495 + 170, 40);
    EXPECT_TRUE(Move(dialog, 100, 100));
    EXPECT_TRUE(Release(dialog, 100, 100));
    EXPECT_FALSE(Move(dialog, 100, 100));
}

TEST_F(DialogInput, DisablingTheFocusedControlDropsItsFocusAndKeys) {
    Click(dialog, 495 + 170, 300);
    EXPECT_TRUE(Char(dialog, L'5'));
    dialog.GetControl(33)->SetEnabled(false);
    EXPECT_EQ(dialog.GetFocusedControl(), nullptr);
    EXPECT_FALSE(Char(dialog, L'6'));
    EXPECT_STREQ(dialog.GetEditBox(33)->GetText(), L"5");
}

TEST_F(DialogInput, KeysGoOnlyToAFocusedControlThatActsOnThem) {
    EXPECT_FALSE(Key(dialog, 'Q'));  // nothing focused
    Click(dialog, 495 + 170, 40);    // a button takes the focus but no keys
    EXPECT_FALSE(Key(dialog, 'Q'));
    EXPECT_FALSE(Key(dialog, VK_UP));
    EXPECT_FALSE(Key(dialog, VK_RETURN));
    Click(dialog, 495 + 170, 300);  // the edit box takes typing, not the camera's arrow keys
    EXPECT_TRUE(Key(dialog, 'Q'));
    EXPECT_TRUE(Char(dialog, L'q'));
    EXPECT_TRUE(Key(dialog, '7'));
    EXPECT_FALSE(Key(dialog, VK_UP));
    EXPECT_FALSE(Key(dialog, VK_DOWN));
    EXPECT_FALSE(Key(dialog, VK_ESCAPE));
    EXPECT_FALSE(dialog.MsgProc(nullptr, WM_KEYUP, 'Q', 0));
}

TEST_F(DialogInput, WheelIsConsumedOnlyOverAListOrAnOpenDropDown) {
    CDXUTListBox* list = nullptr;
    dialog.AddListBox(30, 0, 250, 125, 60, 0, &list);
    for (int i = 0; i < 10; ++i)
        list->AddItem(L"row", nullptr);
    Move(dialog, 100, 100);
    EXPECT_FALSE(Wheel(dialog, -1));
    Move(dialog, 495 + 10, 260);
    EXPECT_TRUE(Wheel(dialog, -1));          // towards the user: later rows
    EXPECT_EQ(list->ItemRect(0).bottom, 0);  // row 0 scrolled out of view
    EXPECT_TRUE(Wheel(dialog, 1));
    EXPECT_GT(list->ItemRect(0).bottom, 0);
}

}  // namespace

// OnRender through a recording device: what reaches the canvas and the fonts, in window
// coordinates, and the edit box measured with the real font.
#include <gtest/gtest.h>

#include "d3d9/device.h"
#include "d3d9/recording/recording_backend.h"
#include "dialog_test_support.h"

using namespace dialog_test;

namespace {

class DialogRender : public ::testing::Test {
  protected:
    void SetUp() override {
        D3DPRESENT_PARAMETERS parameters{};
        parameters.BackBufferWidth = 800;
        parameters.BackBufferHeight = 600;
        parameters.Windowed = TRUE;
        device = IDirect3DDevice9::create(std::make_unique<RecordingBackend>(), parameters, 0);
        ASSERT_NE(device, nullptr);
        dialog.SetLocation(495, 0);
        dialog.SetSize(305, 600);
    }
    void TearDown() override {
        if (device)
            device->Release();
    }
    const Recording& recording() { return *device->recording(); }

    // The text of the latest DrawTextW call with that text, or null.
    const RecordedCall* drawnText(const std::wstring& text) {
        const RecordedCall* found = nullptr;
        for (const auto& call : recording().calls())
            if (call.call == "ID3DXFont::DrawTextW" && call.text == text)
                found = &call;
        return found;
    }

    IDirect3DDevice9* device = nullptr;
    CDXUTDialog dialog;
};

TEST_F(DialogRender, DrawsOnlyInsideAScene) {
    dialog.AddButton(57, L"Version", -320, 10, 125, 22);
    EXPECT_EQ(dialog.OnRender(0.016f), E_FAIL);
    EXPECT_EQ(recording().count("Canvas2D::fillRect"), 0u);
    ASSERT_EQ(device->BeginScene(), S_OK);
    EXPECT_EQ(dialog.OnRender(0.016f), S_OK);
    device->EndScene();
    EXPECT_GT(recording().count("Canvas2D::fillRect"), 0u);
}

TEST_F(DialogRender, ControlsAreDrawnInWindowCoordinatesWithTheirElements) {
    dialog.SetFont(4, L"Arial", 40, 700);
    CDXUTStatic* counter = nullptr;
    dialog.AddStatic(20, L"12", 25, 500, 245, 50, false, &counter);
    counter->GetElement(0)->iFont = 4;
    counter->GetElement(0)->dwTextFormat = DT_RIGHT | DT_WORDBREAK;
    dialog.AddButton(57, L"Version", -320, 10, 125, 22);
    device->BeginScene();
    ASSERT_EQ(dialog.OnRender(0), S_OK);
    device->EndScene();

    const RecordedCall* text = drawnText(L"12");
    ASSERT_NE(text, nullptr);
    // left, top, right, bottom, format, colour, height
    EXPECT_EQ(text->numbers[0], 495 + 25);
    EXPECT_EQ(text->numbers[1], 500);
    EXPECT_EQ(text->numbers[2], 495 + 270);
    EXPECT_EQ(text->numbers[4], DT_RIGHT | DT_WORDBREAK | DT_NOCLIP);
    EXPECT_EQ(text->numbers[5], 0xFFFFFFFF);
    EXPECT_GE(text->numbers[6], 40);  // the height of the line drawn in the 40-pixel font

    const RecordedCall* face = recording().calls().data();
    for (const auto& call : recording().calls())
        if (call.call == "Canvas2D::fillRect") {
            face = &call;
            break;
        }
    EXPECT_EQ(face->numbers[0], 175);  // the button at dialog x -320
    EXPECT_EQ(face->numbers[1], 10);
}

TEST_F(DialogRender, ClippedControlsLeaveNoScissorBehind) {
    CDXUTListBox* list = nullptr;
    dialog.AddListBox(30, 0, 250, 125, 120, 0, &list);
    for (int i = 0; i < 10; ++i)
        list->AddItem(L"row", nullptr);
    device->BeginScene();
    dialog.OnRender(0);
    device->EndScene();
    EXPECT_GT(recording().count("Canvas2D::setScissor"), 0u);
    std::string lastCanvasCall;
    for (const auto& call : recording().calls())
        if (call.call.starts_with("Canvas2D::"))
            lastCanvasCall = call.call;
    EXPECT_EQ(lastCanvasCall, "Canvas2D::clearScissor");
    EXPECT_FALSE(device->canvas().scissor().has_value());
}

TEST_F(DialogRender, AClickInAnEditBoxGoesByTheRealFontsWidths) {
    CDXUTEditBox* edit = nullptr;
    dialog.AddEditBox(46, L"WWWiii", 0, 0, 200, 32, false, &edit);
    device->BeginScene();
    dialog.OnRender(0);
    device->EndScene();
    // Three wide letters are far wider than three narrow ones: a click just past the third W
    // lands after it, wherever the narrow letters would put it.
    int threeW = dialog.GetFont(0)->pFont->measureTextWidth(L"WWW", 3);
    ASSERT_GT(threeW, 3 * 8);
    Click(dialog, 495 + 4 + threeW + 1, 10);
    EXPECT_EQ(edit->GetCaret(), 3);
}

}  // namespace

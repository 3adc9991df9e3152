#include <cmath>

#include "app_state.h"
#include "application.h"
#include "control_ids.h"
#include "device_resources.h"
#include "frame_render.h"
#include "puzzle.h"
#include "running_app.h"
#include "screens.h"

namespace {

// The centre of face 0 of the cube sits in the middle of the puzzle area: the panel takes
// the right 305 pixels of the 800 x 600 window, but the view is centred on the whole window.
constexpr int kCentreY = 300;
constexpr int kCentreX = 400;

bool checked(int id) {
    CDXUTCheckBox* box = controlPanel.GetCheckBox(id);
    return box != nullptr && box->GetChecked();
}

}  // namespace

using Input = RunningApp;

TEST_F(Input, PressOnThePuzzleStartsATurnAndADrag) {
    mouse(WM_LBUTTONDOWN, kCentreY, kCentreX);
    EXPECT_EQ(appState->isLeftDrag(), 1);
    ASSERT_EQ(app.turn.turnBusy, 1);
    EXPECT_EQ(app.turn.turnAnchor, 0);
    EXPECT_EQ(app.turn.turnLayerMask, 1);
    EXPECT_EQ(app.turn.turnClockwise, 1) << "anti-clockwise option: the left button sends 1";
    // A second press while the turn runs starts none.
    app.turn.turnAnchor = 99;
    mouse(WM_RBUTTONDOWN, kCentreY, kCentreX);
    EXPECT_EQ(app.turn.turnAnchor, 99);
    EXPECT_EQ(appState->isRightDrag(), 1);
    mouse(WM_LBUTTONUP, kCentreY, kCentreX);
    mouse(WM_RBUTTONUP, kCentreY, kCentreX);
    EXPECT_EQ(appState->isLeftDrag(), 0);
    EXPECT_EQ(appState->isRightDrag(), 0);
}

TEST_F(Input, DirectionFromTheButtonAndTheOption) {
    const struct {
        bool left;
        uint8_t option;
        uint8_t expected;
    } cases[] = {{true, 0, 1}, {false, 0, 0}, {true, 1, 0}, {false, 1, 1}};
    for (const auto& c : cases) {
        app.turn.turnBusy = 0;
        appState->setLeftButtonClockwise(c.option);
        mouse(c.left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN, kCentreY, kCentreX);
        EXPECT_EQ(app.turn.turnClockwise, c.expected) << c.left << int(c.option);
    }
}

TEST_F(Input, NoTurnWithoutALayerOrAnAnchor) {
    appState->setSingleLayer(0);
    mouse(WM_LBUTTONDOWN, kCentreY, kCentreX);
    EXPECT_EQ(app.turn.turnBusy, 0);
    appState->setSingleLayer(1);
    mouse(WM_LBUTTONDOWN, 5, 5);  // grey area
    EXPECT_EQ(app.turn.turnBusy, 0);
    EXPECT_EQ(appState->isLeftDrag(), 1);
}

TEST_F(Input, DigitKeysToggleLayersAndTheBoxesFollow) {
    key('2');
    EXPECT_EQ(appState->getLayerMask(), 3);
    EXPECT_TRUE(checked(kIdFirstLayer + 1));
    key('1');
    EXPECT_EQ(appState->getLayerMask(), 2);
    EXPECT_FALSE(checked(kIdFirstLayer));
    key('0');
    EXPECT_EQ(appState->getLayerMask(), 2 | 512);
    key('9');
    EXPECT_EQ(appState->getLayerMask(), 2 | 512 | 256);
}

TEST_F(Input, KeysAAndSStepTheSingleLayer) {
    key('A');
    EXPECT_EQ(appState->getLayerNumber(), 1);
    EXPECT_EQ(appState->getLayerMask(), 1);
    key('S');
    EXPECT_EQ(appState->getLayerMask(), 2);
    key('S');
    EXPECT_EQ(appState->getLayerMask(), 4);
    key('S');
    EXPECT_EQ(appState->getLayerMask(), 8);
    EXPECT_EQ(appState->getLayerNumber(), 4);
    key('A');
    EXPECT_EQ(appState->getLayerMask(), 4);
    appState->setLayerNumber(20);
    appState->setSingleLayer(1);
    key('S');
    EXPECT_EQ(appState->getLayerNumber(), 20);
    EXPECT_EQ(appState->getLayerMask(), 1);
}

TEST_F(Input, KeysQWEChooseTheTurningKind) {
    appState->setLayerNumber(3);
    key('W');
    EXPECT_EQ(appState->getAnchorKind(), PointSlice);
    EXPECT_TRUE(controlPanel.GetRadioButton(kIdPoint)->GetChecked());
    EXPECT_FALSE(controlPanel.GetRadioButton(kIdFace)->GetChecked());
    // The 3x3 has no point layers: no boxes, no layer.
    EXPECT_EQ(controlPanel.GetCheckBox(kIdFirstLayer), nullptr);
    EXPECT_EQ(appState->getLayerMask(), 0);
    EXPECT_EQ(appState->getLayerNumber(), 3);
    key('Q');
    EXPECT_EQ(appState->getAnchorKind(), FaceSlice);
    EXPECT_TRUE(checked(kIdFirstLayer));
    EXPECT_EQ(appState->getLayerMask(), 1);
    key('E');
    EXPECT_TRUE(controlPanel.GetRadioButton(kIdEdge)->GetChecked());
}

TEST_F(Input, WheelStepsWithinTheAnchorsLayers) {
    mouse(WM_MOUSEMOVE, kCentreY, kCentreX);
    auto wheel = [&](int notches) {
        message(WM_MOUSEWHEEL, static_cast<WPARAM>((notches * 120) & 0xFFFF) << 16, 0);
    };
    wheel(1);
    EXPECT_EQ(appState->getLayerNumber(), 2);
    wheel(1);
    wheel(1);
    EXPECT_EQ(appState->getLayerNumber(), 3);
    EXPECT_EQ(appState->getLayerMask(), 4);
    EXPECT_TRUE(checked(kIdFirstLayer + 2));
    wheel(-1);
    wheel(-1);
    wheel(-1);
    EXPECT_EQ(appState->getLayerNumber(), 1);
    // Over empty space nothing changes.
    mouse(WM_MOUSEMOVE, 5, 5);
    wheel(1);
    EXPECT_EQ(appState->getLayerNumber(), 1);
}

TEST_F(Input, HoverHighlightFollowsTheMouse) {
    mouse(WM_MOUSEMOVE, kCentreY, kCentreX);
    int lit = 0;
    for (const Cuby& c : puzzle->cubies)
        lit += c.highlighted;
    EXPECT_EQ(lit, 9);
    appState->setCubyHighlights(0);
    app.vertexBufferCurrent = 1;
    mouse(WM_MOUSEMOVE, kCentreY, kCentreX);
    lit = 0;
    for (const Cuby& c : puzzle->cubies)
        lit += c.highlighted;
    EXPECT_EQ(lit, 0);
    EXPECT_EQ(app.vertexBufferCurrent, 0);
}

TEST_F(Input, ArrowsZoomOnEveryScreenOtherKeysOnlyOnPlay) {
    appState->setMode(Options);
    buildGui(app);
    const double start = appState->getDistance();
    key(VK_UP);
    EXPECT_NEAR(appState->getDistance(), start + 0.1, 1e-12);
    key(VK_DOWN);
    EXPECT_NEAR(appState->getDistance(), start, 1e-12);
    key('2');
    EXPECT_EQ(appState->getLayerMask(), 1);
    mouse(WM_LBUTTONDOWN, kCentreY, kCentreX);
    EXPECT_EQ(app.turn.turnBusy, 0);
    EXPECT_EQ(appState->isLeftDrag(), 1);
}

TEST_F(Input, EditScreenSelectsCubies) {
    appState->setMode(Edit);
    buildGui(app);
    mouse(WM_LBUTTONDOWN, kCentreY, kCentreX);
    int selected = 0;
    for (const Cuby& c : puzzle->cubies)
        selected += c.selected;
    EXPECT_EQ(selected, 1);
    mouse(WM_RBUTTONDOWN, 5, 5);
    selected = 0;
    for (const Cuby& c : puzzle->cubies)
        selected += c.selected;
    EXPECT_EQ(selected, 0);
}

TEST_F(Input, PanelConsumesItsMessagesFirst) {
    // "Undo Move" sits at panel (160, 130): window x = 495 + 160.
    EXPECT_TRUE(mouse(WM_LBUTTONDOWN, 140, 495 + 200));
    EXPECT_EQ(appState->isLeftDrag(), 0);
    mouse(WM_LBUTTONUP, 140, 495 + 200);
}

TEST_F(Input, SizeMessagesRebuildAndIgnoreAZeroArea) {
    message(WM_SIZE, 0, (768 << 16) | 1024);
    EXPECT_EQ(appState->getWindowWidth(), 1024);
    EXPECT_NE(controlPanel.GetButton(kIdUndo), nullptr);
    message(WM_SIZE, 0, 0);
    EXPECT_EQ(appState->getWindowWidth(), 1024);
    EXPECT_EQ(appState->getWindowHeight(), 768);
}

TEST_F(Input, DragPastTheTopLeftEdgeStaysContinuous) {
    mouse(WM_LBUTTONDOWN, 10, 10);
    mouse(WM_MOUSEMOVE, -4, -4);  // arrives as 0xFFFC in each half
    const Vec3f& eye = appState->getEye();
    EXPECT_LT(std::fabs(eye.x), 7.0f * 0.6f) << "a small drag, not a jump of 65,000 pixels";
    EXPECT_LT(std::fabs(eye.y), 7.0f * 0.6f);
}

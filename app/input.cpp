#include "input.h"

#include "application.h"
#include "control_ids.h"
#include "screens.h"

namespace {

constexpr int32_t kMaxLayerNumber = 20;

// Client coordinates are signed 16-bit values, so a drag past the left or top edge of the
// window stays continuous.
int32_t mouseY(LPARAM lParam) {
    return static_cast<int16_t>((lParam >> 16) & 0xFFFF);
}
int32_t mouseX(LPARAM lParam) {
    return static_cast<int16_t>(lParam & 0xFFFF);
}

enum class MouseButton { Left, Right };

void pressButton(Application& app, MouseButton button, int32_t y, int32_t x) {
    const bool left = button == MouseButton::Left;
    if (left) {
        app.appState->setLeftDrag(1);
    } else {
        app.appState->setRightDrag(1);
    }
    app.appState->setLastMouse(y, x);
    app.appState->computePickRay(y, x);
    if (app.appState->getMode() == Play) {
        const int32_t anchor =
            app.puzzle->pickAnchor(app.appState->getRayOrigin(), app.appState->getRayTarget(),
                                   app.appState->getAnchorKind());
        if (anchor < 0 || app.turn.turnBusy == 1 || app.appState->getLayerMask() < 1) {
            return;
        }
        // With "rotate clockwise" chosen the left button turns clockwise as seen from outside,
        // which the engine calls clockwise 0.
        const bool leftClockwise = app.appState->isLeftButtonClockwise();
        const uint8_t clockwise = left ? (leftClockwise ? 0 : 1) : (leftClockwise ? 1 : 0);
        startTurn(app, anchor, app.appState->getLayerMask(), clockwise);
    } else if (app.appState->getMode() == Edit) {
        if (left) {
            const int32_t cuby =
                app.puzzle->pickCuby(app.appState->getRayOrigin(), app.appState->getRayTarget());
            if (cuby >= 0) {
                app.puzzle->toggleCubySelection(cuby);
                app.vertexBufferCurrent = 0;
            }
        } else {
            app.puzzle->clearSelection();
            app.vertexBufferCurrent = 0;
        }
    }
}

void chooseSingleLayer(Application& app, int32_t n) {
    app.appState->setLayerNumber(n);
    app.appState->setSingleLayer(n);
    updateLayerCheckBoxes(app);
}

void chooseKind(Application& app, int32_t kind) {
    if (CDXUTRadioButton* radio = controlPanel.GetRadioButton(kIdFace + kind)) {
        radio->SetChecked(true, true);
    }
    app.appState->setAnchorKind(kind);
    app.appState->setSingleLayer(1);
    app.updateHoverHighlight();
    buildLayerCheckBoxes(app);
}

void playKey(Application& app, WPARAM key) {
    if (key == VK_UP) {
        app.appState->zoomOut();
    } else if (key == VK_DOWN) {
        app.appState->zoomIn();
    } else if (key >= '0' && key <= '9') {
        app.appState->toggleLayer(key == '0' ? 10 : static_cast<int32_t>(key - '0'));
        updateLayerCheckBoxes(app);
        app.updateHoverHighlight();
    } else if (key == 'A') {
        if (app.appState->getLayerNumber() > 1) {
            chooseSingleLayer(app, app.appState->getLayerNumber() - 1);
        }
        app.updateHoverHighlight();
    } else if (key == 'S') {
        if (app.appState->getLayerNumber() < kMaxLayerNumber) {
            chooseSingleLayer(app, app.appState->getLayerNumber() + 1);
        }
        app.updateHoverHighlight();
    } else if (key == 'Q') {
        chooseKind(app, FaceSlice);
    } else if (key == 'W') {
        chooseKind(app, PointSlice);
    } else if (key == 'E') {
        chooseKind(app, EdgeSlice);
    }
}

void wheel(Application& app, WPARAM wParam) {
    int32_t y = 0;
    int32_t x = 0;
    app.appState->getHoverMouse(y, x);
    app.appState->computePickRay(y, x);
    const int32_t anchor = app.puzzle->pickAnchor(
        app.appState->getRayOrigin(), app.appState->getRayTarget(), app.appState->getAnchorKind());
    if (anchor < 0) {
        return;
    }
    const int16_t delta = static_cast<int16_t>((wParam >> 16) & 0xFFFF);
    const int32_t number = app.appState->getLayerNumber();
    int32_t n;
    if (delta < 0) {
        n = number <= 1 ? 1 : number - 1;
    } else {
        const int32_t count = app.puzzle->getLayerCount(anchor);
        n = number < count ? number + 1 : count;
    }
    chooseSingleLayer(app, n);
    app.updateHoverHighlight();
}

}  // namespace

LRESULT msgProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool* noFurtherProcessing,
                void* userContext) {
    Application& app = applicationOf(userContext);
    *noFurtherProcessing = controlPanel.MsgProc(window, message, wParam, lParam);
    if (*noFurtherProcessing) {
        return 0;
    }
    const int32_t y = mouseY(lParam);
    const int32_t x = mouseX(lParam);
    switch (message) {
        case WM_MOUSEMOVE:
            if (app.appState->isLeftDrag()) {
                app.appState->orbitCamera(y, x);
            } else if (app.appState->isRightDrag()) {
                app.appState->rollCamera(y, x);
            } else {
                app.appState->setHoverMouse(y, x);
                app.updateHoverHighlight();
            }
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            pressButton(app, MouseButton::Left, y, x);
            break;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
            pressButton(app, MouseButton::Right, y, x);
            break;
        case WM_LBUTTONUP:
            app.appState->setLeftDrag(0);
            break;
        case WM_RBUTTONUP:
            app.appState->setRightDrag(0);
            break;
        case WM_MOUSEWHEEL:
            if (app.appState->getMode() == Play) {
                wheel(app, wParam);
            }
            break;
        case WM_KEYDOWN:
            if (app.appState->getMode() == Play) {
                playKey(app, wParam);
            } else if (wParam == VK_UP) {
                app.appState->zoomOut();
            } else if (wParam == VK_DOWN) {
                app.appState->zoomIn();
            }
            break;
        case WM_SIZE: {
            // A minimised window reports no area: keep the last size.
            const int32_t height = static_cast<int32_t>((lParam >> 16) & 0xFFFF);
            const int32_t width = static_cast<int32_t>(lParam & 0xFFFF);
            if (height > 0 && width > 0) {
                app.appState->setWindowSize(height, width);
                buildGui(app);
            }
            break;
        }
        default:
            break;
    }
    return 0;
}

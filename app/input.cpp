#include "input.h"

#include "app_state.h"
#include "control_ids.h"
#include "device_resources.h"
#include "process_state.h"
#include "puzzle.h"
#include "screens.h"
#include "turn_animation.h"

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

void pressButton(MouseButton button, int32_t y, int32_t x) {
    const bool left = button == MouseButton::Left;
    if (left) {
        appState->setLeftDrag(1);
    } else {
        appState->setRightDrag(1);
    }
    appState->setLastMouse(y, x);
    appState->computePickRay(y, x);
    if (appState->getMode() == Play) {
        const int32_t anchor = puzzle->pickAnchor(
            appState->getRayOrigin(), appState->getRayTarget(), appState->getAnchorKind());
        if (anchor < 0 || turnBusy == 1 || appState->getLayerMask() < 1) {
            return;
        }
        // With "rotate clockwise" chosen the left button turns clockwise as seen from outside,
        // which the engine calls clockwise 0.
        const bool leftClockwise = appState->isLeftButtonClockwise();
        const uint8_t clockwise = left ? (leftClockwise ? 0 : 1) : (leftClockwise ? 1 : 0);
        startTurn(anchor, appState->getLayerMask(), clockwise);
    } else if (appState->getMode() == Edit) {
        if (left) {
            const int32_t cuby =
                puzzle->pickCuby(appState->getRayOrigin(), appState->getRayTarget());
            if (cuby >= 0) {
                puzzle->toggleCubySelection(cuby);
                vertexBufferCurrent = 0;
            }
        } else {
            puzzle->clearSelection();
            vertexBufferCurrent = 0;
        }
    }
}

void chooseSingleLayer(int32_t n) {
    appState->setLayerNumber(n);
    appState->setSingleLayer(n);
    updateLayerCheckBoxes();
}

void chooseKind(int32_t kind) {
    if (CDXUTRadioButton* radio = controlPanel.GetRadioButton(kIdFace + kind)) {
        radio->SetChecked(true, true);
    }
    appState->setAnchorKind(kind);
    appState->setSingleLayer(1);
    updateHoverHighlight();
    buildLayerCheckBoxes();
}

void playKey(WPARAM key) {
    if (key == VK_UP) {
        appState->zoomOut();
    } else if (key == VK_DOWN) {
        appState->zoomIn();
    } else if (key >= '0' && key <= '9') {
        appState->toggleLayer(key == '0' ? 10 : static_cast<int32_t>(key - '0'));
        updateLayerCheckBoxes();
        updateHoverHighlight();
    } else if (key == 'A') {
        if (appState->getLayerNumber() > 1) {
            chooseSingleLayer(appState->getLayerNumber() - 1);
        }
        updateHoverHighlight();
    } else if (key == 'S') {
        if (appState->getLayerNumber() < kMaxLayerNumber) {
            chooseSingleLayer(appState->getLayerNumber() + 1);
        }
        updateHoverHighlight();
    } else if (key == 'Q') {
        chooseKind(FaceSlice);
    } else if (key == 'W') {
        chooseKind(PointSlice);
    } else if (key == 'E') {
        chooseKind(EdgeSlice);
    }
}

void wheel(WPARAM wParam) {
    int32_t y = 0;
    int32_t x = 0;
    appState->getHoverMouse(y, x);
    appState->computePickRay(y, x);
    const int32_t anchor = puzzle->pickAnchor(appState->getRayOrigin(), appState->getRayTarget(),
                                              appState->getAnchorKind());
    if (anchor < 0) {
        return;
    }
    const int16_t delta = static_cast<int16_t>((wParam >> 16) & 0xFFFF);
    const int32_t number = appState->getLayerNumber();
    int32_t n;
    if (delta < 0) {
        n = number <= 1 ? 1 : number - 1;
    } else {
        const int32_t count = puzzle->getLayerCount(anchor);
        n = number < count ? number + 1 : count;
    }
    chooseSingleLayer(n);
    updateHoverHighlight();
}

}  // namespace

LRESULT msgProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                bool* noFurtherProcessing) {
    *noFurtherProcessing = controlPanel.MsgProc(window, message, wParam, lParam);
    if (*noFurtherProcessing) {
        return 0;
    }
    const int32_t y = mouseY(lParam);
    const int32_t x = mouseX(lParam);
    switch (message) {
        case WM_MOUSEMOVE:
            if (appState->isLeftDrag()) {
                appState->orbitCamera(y, x);
            } else if (appState->isRightDrag()) {
                appState->rollCamera(y, x);
            } else {
                appState->setHoverMouse(y, x);
                updateHoverHighlight();
            }
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            pressButton(MouseButton::Left, y, x);
            break;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
            pressButton(MouseButton::Right, y, x);
            break;
        case WM_LBUTTONUP:
            appState->setLeftDrag(0);
            break;
        case WM_RBUTTONUP:
            appState->setRightDrag(0);
            break;
        case WM_MOUSEWHEEL:
            if (appState->getMode() == Play) {
                wheel(wParam);
            }
            break;
        case WM_KEYDOWN:
            if (appState->getMode() == Play) {
                playKey(wParam);
            } else if (wParam == VK_UP) {
                appState->zoomOut();
            } else if (wParam == VK_DOWN) {
                appState->zoomIn();
            }
            break;
        case WM_SIZE: {
            // A minimised window reports no area: keep the last size.
            const int32_t height = static_cast<int32_t>((lParam >> 16) & 0xFFFF);
            const int32_t width = static_cast<int32_t>(lParam & 0xFFFF);
            if (height > 0 && width > 0) {
                appState->setWindowSize(height, width);
                buildGui();
            }
            break;
        }
        default:
            break;
    }
    return 0;
}

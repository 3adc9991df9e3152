#include "app_state.h"

#include <cmath>
#include <cstring>

#include "diagnostic_log.h"

namespace {

// Layer n's bit in unsigned 32-bit arithmetic: layers above 32 have none.
uint32_t layerBit(int32_t n) {
    if (n <= 1) {
        return 1u;
    }
    return n <= 32 ? 1u << (n - 1) : 0u;
}

}  // namespace

AppState::AppState() {
    Vec3f r;
    cross3f(up, eye, r);
    normalizeVec3f(r);
    right = r;
    D3DXMATRIX view;
    getViewMatrix(view);

    definition.shape = Cube;
    definition.sliceCount = 1;
    definition.sliceKinds[0] = FaceSlice;
    definition.sliceThicknesses[0] = 120;
    definition.groupsValid = 0;
    definition.eraseThreshold = 0;
    definition.turnMetric = Single;

    readOptions();
    std::strcpy(fileName, "newpuzzle.pzl");
}

void AppState::setSlice(int32_t index, int32_t kind, int32_t thickness) {
    if (index >= 0 && index < definition.sliceCount && index < kMaxSlices) {
        definition.sliceKinds[index] = kind;
        definition.sliceThicknesses[index] = thickness;
    }
}

void AppState::removeSlice(int32_t index) {
    const int32_t count = definition.sliceCount;
    if (index < 0 || index >= count || count > kMaxSlices) {
        return;
    }
    // The last slice takes the removed one's place.
    definition.sliceKinds[index] = definition.sliceKinds[count - 1];
    definition.sliceThicknesses[index] = definition.sliceThicknesses[count - 1];
    definition.sliceCount = count - 1;
}

void AppState::addSlice(int32_t kind, int32_t thickness) {
    const int32_t count = definition.sliceCount;
    if (kind < FaceSlice || kind > EdgeSlice || thickness < 0 || thickness > 360 || count < 0 ||
        count >= kMaxSlices) {
        return;
    }
    definition.sliceKinds[count] = kind;
    definition.sliceThicknesses[count] = thickness;
    definition.sliceCount = count + 1;
}

void AppState::setSingleLayer(int32_t n) {
    rotationlayer = n == 0 ? 0 : static_cast<int32_t>(layerBit(n));
}

void AppState::toggleLayer(int32_t n) {
    const uint32_t bit = layerBit(n);
    logPrintf("b4: rotationlayer = %d\n", rotationlayer);
    uint32_t mask = static_cast<uint32_t>(rotationlayer);
    mask = (mask & bit) == bit ? mask - bit : mask + bit;
    rotationlayer = static_cast<int32_t>(mask);
    logPrintf("af: rotationlayer = %d\n", rotationlayer);
}

void AppState::setHoverMouse(int32_t y, int32_t x) {
    hoverMouseY = y;
    hoverMouseX = x;
}

void AppState::getHoverMouse(int32_t& y, int32_t& x) const {
    y = hoverMouseY;
    x = hoverMouseX;
}

void AppState::setLineWidth(int32_t width) {
    lineWidth =
        width < kMinLineWidth ? kMinLineWidth : (width > kMaxLineWidth ? kMaxLineWidth : width);
}

bool AppState::setFileName(const char* name) {
    const size_t length = std::strlen(name);
    if (length >= sizeof(fileName)) {
        return false;
    }
    std::memcpy(fileName, name, length + 1);
    return true;
}

void AppState::getFileName(char* out) const {
    std::memcpy(out, fileName, std::strlen(fileName) + 1);
}

int32_t shownLineWidth(int32_t lineWidth) {
    return 100 - ((lineWidth - kMinLineWidth) * 10) / 19;
}

int32_t lineWidthFromShown(int32_t shown) {
    return kMinLineWidth + ((100 - shown) * 19) / 10;
}

int32_t turnFramesFor(double seconds) {
    if (!(seconds >= 0.0)) {
        return 1;
    }
    const double frames = std::trunc(seconds * 80.0);
    if (frames > 2147483647.0) {
        return 2147483647;
    }
    const int32_t count = static_cast<int32_t>(frames);
    if (count == 0) {
        return 1;
    }
    return count < 20 ? 20 : count;
}

void AppState::setTurnSeconds(double seconds) {
    if (std::isnan(seconds)) {
        seconds = 0.0;
    }
    seconds = seconds < 0.0 ? 0.0 : (seconds > kMaxTurnSeconds ? kMaxTurnSeconds : seconds);
    turnSeconds = seconds;
    turnFrames = turnFramesFor(seconds);
}

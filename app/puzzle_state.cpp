// The application's part of a puzzle file: display flags, line width, the definition with its
// bandage groups, and the solve timer.

#include <cmath>

#include "app_state.h"
#include "file_io.h"

namespace {

// A group id of -1 is stored as this.
constexpr int32_t kStoredNoGroup = 20000;

template <typename T>
bool readField(FileReader* reader, T& value) {
    return reader->read(&value, sizeof(T)) == static_cast<int32_t>(sizeof(T));
}

template <typename T>
bool readArray(FileReader* reader, T* values, int32_t count) {
    const int32_t bytes = count * static_cast<int32_t>(sizeof(T));
    return count == 0 || reader->read(values, bytes) == bytes;
}

}  // namespace

void AppState::savePuzzleState(FileWriter* writer, int32_t cubyCount) {
    const int32_t n = definition.sliceCount;
    const int32_t m = cubyCount < 0 ? 0 : (cubyCount > kMaxGroupIds ? kMaxGroupIds : cubyCount);
    writer->write(&colorFade, 1);
    writer->write(&scrambled, 1);
    writer->write(&lineWidth, 4);
    writer->write(&definition.shape, 4);
    writer->write(&definition.sliceCount, 4);
    writer->write(definition.sliceKinds, 4 * n);
    writer->write(definition.sliceThicknesses, 4 * n);
    writer->write(&definition.groupsValid, 1);
    writer->write(&definition.eraseThreshold, 4);
    writer->write(&elapsedTime, 8);
    writer->write(&timerState, 4);
    writer->write(&m, 4);
    int32_t stored[kMaxGroupIds];
    for (int32_t i = 0; i < m; ++i) {
        stored[i] = definition.groupIds[i] == -1 ? kStoredNoGroup : definition.groupIds[i];
    }
    writer->write(stored, 4 * m);
}

bool AppState::loadPuzzleState(FileReader* reader, PuzzleFileState& out) const {
    out.definition = definition;
    PuzzleDefinition& d = out.definition;
    if (!readField(reader, out.colorFade) || !readField(reader, out.scrambled) ||
        !readField(reader, out.lineWidth) || !readField(reader, d.shape) ||
        !readField(reader, d.sliceCount)) {
        return false;
    }
    if (out.colorFade > 1 || out.scrambled > 1 || out.lineWidth < kMinLineWidth ||
        out.lineWidth > kMaxLineWidth || d.shape < 0 || d.shape >= kShapeCount ||
        d.sliceCount < 0 || d.sliceCount > kMaxSlices) {
        return false;
    }
    if (!readArray(reader, d.sliceKinds, d.sliceCount) ||
        !readArray(reader, d.sliceThicknesses, d.sliceCount)) {
        return false;
    }
    for (int32_t i = 0; i < d.sliceCount; ++i) {
        if (d.sliceKinds[i] < FaceSlice || d.sliceKinds[i] > EdgeSlice) {
            return false;
        }
    }
    if (!readField(reader, d.groupsValid) || !readField(reader, d.eraseThreshold) ||
        !readField(reader, out.elapsedTime) || !readField(reader, out.timerState) ||
        !readField(reader, out.cubyCount)) {
        return false;
    }
    const int32_t m = out.cubyCount;
    if (d.groupsValid > 1 || d.eraseThreshold < 0 || d.eraseThreshold > 100 ||
        !std::isfinite(out.elapsedTime) || out.elapsedTime < 0.0 || out.timerState < Idle ||
        out.timerState > Solved || m < 0 || m > kMaxGroupIds) {
        return false;
    }
    if (!readArray(reader, d.groupIds, m)) {
        return false;
    }
    for (int32_t i = 0; i < m; ++i) {
        int32_t& id = d.groupIds[i];
        if (id == kStoredNoGroup) {
            id = -1;
        } else if (id < 0 || id >= m) {
            return false;
        }
    }
    return true;
}

void AppState::applyPuzzleState(const PuzzleFileState& state) {
    colorFade = state.colorFade;
    scrambled = state.scrambled;
    lineWidth = state.lineWidth;
    definition = state.definition;
    elapsedTime = state.elapsedTime;
    timerState = state.timerState;
}

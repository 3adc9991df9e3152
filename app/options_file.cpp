// options.inf: 15 bytes, little-endian, no header — left button clockwise (u8), cuby
// highlights (u8), pull-down visible (u8), frames per turn (i32), turn duration in seconds
// (f64). A short file sets only the fields it holds in full or in part; the rest keep their
// defaults. The duration rules: the frame count always follows from it, as the options
// screen shows it.

#include <cmath>
#include <cstdio>
#include <string>

#include "app_state.h"
#include "file_io.h"
#include "stored_file.h"

namespace {

// Every reader of an option agrees on what a stored byte means.
uint8_t optionByte(uint8_t stored) {
    return stored == 0 ? 0 : 1;
}

}  // namespace

void AppState::readOptions() {
    uint8_t clockwise = 0;
    uint8_t highlights = 1;
    uint8_t pulldown = 1;
    int32_t storedFrames = 0;
    double seconds = kDefaultTurnSeconds;
    FileReader reader(openStoredFile(kOptionsFile));
    if (reader.isOpen()) {
        reader.setTextMode(false);
        reader.read(&clockwise, 1);
        reader.read(&highlights, 1);
        reader.read(&pulldown, 1);
        reader.read(&storedFrames, 4);
        reader.read(&seconds, 8);
    }
    leftButtonClockwise = optionByte(clockwise);
    cubyHighlights = optionByte(highlights);
    pulldownVisible = optionByte(pulldown);
    // A damaged duration would make every turn endless or absurd.
    if (!std::isfinite(seconds) || seconds < 0.0 || seconds > kMaxTurnSeconds) {
        seconds = kDefaultTurnSeconds;
    }
    turnSeconds = seconds;
    // A stored count that disagrees with the duration (800 frames with 0 seconds) would make
    // every turn last otherwise than the options screen says.
    turnFrames = turnFramesFor(seconds);
}

bool saveOptions(const AppState& state) {
    return replaceStoredFile(kOptionsFile, [&state](FileWriter& writer) {
        writer.write(&state.leftButtonClockwise, 1);
        writer.write(&state.cubyHighlights, 1);
        writer.write(&state.pulldownVisible, 1);
        writer.write(&state.turnFrames, 4);
        writer.write(&state.turnSeconds, 8);
        return writer.good();
    });
}

// options.inf: 15 bytes, little-endian, no header — left button clockwise (u8), cuby
// highlights (u8), pull-down visible (u8), frames per turn (i32), turn duration in seconds
// (f64). A short file sets only the fields it holds in full or in part; the rest keep their
// defaults.

#include <cmath>
#include <cstdio>
#include <string>

#include "app_state.h"
#include "file_io.h"

namespace {

constexpr int32_t kMaxTurnFrames = 800;  // ten seconds at 80 frames a second

// Every reader of an option agrees on what a stored byte means.
uint8_t optionByte(uint8_t stored) {
    return stored == 0 ? 0 : 1;
}

}  // namespace

void AppState::readOptions() {
    uint8_t clockwise = 0;
    uint8_t highlights = 1;
    uint8_t pulldown = 1;
    int32_t frames = 20;
    double seconds = kDefaultTurnSeconds;
    FileReader reader(kOptionsFile);
    if (reader.isOpen()) {
        reader.setTextMode(false);
        reader.read(&clockwise, 1);
        reader.read(&highlights, 1);
        reader.read(&pulldown, 1);
        reader.read(&frames, 4);
        reader.read(&seconds, 8);
    }
    leftButtonClockwise = optionByte(clockwise);
    cubyHighlights = optionByte(highlights);
    pulldownVisible = optionByte(pulldown);
    // A damaged duration or frame count would make every turn endless or absurd.
    if (!std::isfinite(seconds) || seconds < 0.0 || seconds > kMaxTurnSeconds) {
        seconds = kDefaultTurnSeconds;
    }
    turnSeconds = seconds;
    turnFrames = frames >= 1 && frames <= kMaxTurnFrames ? frames : turnFramesFor(seconds);
}

bool saveOptions() {
    // Written beside the file and renamed over it, so a failure never leaves it half written.
    const std::string temporary = std::string(kOptionsFile) + ".tmp";
    bool written = false;
    {
        FileWriter writer(temporary.c_str());
        if (writer.isOpen()) {
            writer.setTextMode(false);
            writer.write(&appState->leftButtonClockwise, 1);
            writer.write(&appState->cubyHighlights, 1);
            writer.write(&appState->pulldownVisible, 1);
            writer.write(&appState->turnFrames, 4);
            writer.write(&appState->turnSeconds, 8);
            written = writer.close();
        }
    }
    if (!written || std::rename(temporary.c_str(), kOptionsFile) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

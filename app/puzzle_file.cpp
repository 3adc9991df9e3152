#include "puzzle_file.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

#include "app_state.h"
#include "diagnostic_log.h"
#include "file_io.h"
#include "process_state.h"
#include "puzzle.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kExtension = ".pzl";

std::string pathOf(const std::string& name) {
    const std::string folder = puzzleFolder();
    return folder.empty() ? name : folder + "/" + name;
}

}  // namespace

std::string puzzleFolder() {
    std::error_code error;
    return fs::is_directory(kPuzzleFolder, error) ? std::string(kPuzzleFolder) : std::string();
}

bool isSafePuzzleName(const std::string& name) {
    return !name.empty() && name.size() < kPuzzleNameBytes && name != "." && name != ".." &&
           name.find('/') == std::string::npos && name.find('\\') == std::string::npos &&
           name.find('\0') == std::string::npos;
}

std::vector<std::string> listPuzzleFiles() {
    std::vector<std::string> names;
    std::error_code error;
    const std::string folder = puzzleFolder();
    for (fs::directory_iterator it(folder.empty() ? "." : folder, error), end; !error && it != end;
         it.increment(error)) {
        std::error_code typeError;
        const std::string name = it->path().filename().string();
        if (!it->is_regular_file(typeError) || it->path().extension() != kExtension ||
            !isSafePuzzleName(name)) {
            continue;
        }
        names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    if (names.empty()) {
        logPrintf("No *.pzl files in current directory!\n");
    }
    return names;
}

bool savePuzzleFile(const std::string& name) {
    if (!isSafePuzzleName(name) || puzzle == nullptr) {
        return false;
    }
    appState->setFileName(name.c_str());
    const std::string path = pathOf(name);
    const std::string temporary = path + ".tmp";
    bool written = false;
    {
        FileWriter writer(temporary.c_str());
        if (writer.isOpen()) {
            writer.setTextMode(false);
            appState->savePuzzleState(&writer, puzzle->getCubyCount());
            puzzle->saveMoves(writer);
            written = writer.close();
        }
    }
    if (!written || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

bool loadPuzzleFile(const std::string& name) {
    if (!isSafePuzzleName(name)) {
        logPrintf("Puzzle file refused: unsafe name\n");
        return false;
    }
    FileReader reader(pathOf(name).c_str());
    if (!reader.isOpen()) {
        logPrintf("Puzzle file refused: %s cannot be opened\n", name.c_str());
        return false;
    }
    reader.setTextMode(false);
    auto state = std::make_unique<PuzzleFileState>();
    if (!appState->loadPuzzleState(&reader, *state)) {
        logPrintf("Puzzle file refused: %s is damaged\n", name.c_str());
        return false;
    }
    // The trial puzzle writes the restored groups into the staged definition only.
    auto trial = std::make_unique<Puzzle>(&state->definition);
    if (trial->getCubyCount() != state->cubyCount || !trial->loadMoves(reader)) {
        logPrintf("Puzzle file refused: %s does not match its puzzle\n", name.c_str());
        return false;
    }
    state->definition.turnMetric = trial->getTurnMetric();
    appState->applyPuzzleState(*state);
    appState->setFileName(name.c_str());
    delete puzzle;
    puzzle = trial.release();
    puzzleVertexCount = puzzle->countVertices();
    vertexBufferCurrent = 0;
    return true;
}

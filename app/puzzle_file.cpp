#include "puzzle_file.h"

#include <strings.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

#include "application.h"
#include "diagnostic_log.h"
#include "file_io.h"
#include "stored_file.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kExtension = ".pzl";

// Why `name` would not stay inside the folder or fit the name buffer, or null.
const char* nameFault(const std::string& name) {
    if (name.empty()) {
        return "no name";
    }
    if (name.size() >= kPuzzleNameBytes) {
        return "the name is too long";
    }
    if (name == "." || name == ".." || name.find('/') != std::string::npos ||
        name.find('\\') != std::string::npos) {
        return "the name has a folder part";
    }
    return name.find('\0') == std::string::npos ? nullptr : "the name holds a NUL";
}

std::string pathOf(const std::string& name) {
    const std::string folder = puzzleFolder();
    return folder.empty() ? name : folder + "/" + name;
}

}  // namespace

std::string puzzleFolder() {
    std::error_code error;
    return fs::is_directory(kPuzzleFolder, error) ? std::string(kPuzzleFolder) : std::string();
}

bool hasPuzzleExtension(const std::string& name) {
    const size_t n = std::strlen(kExtension);
    return name.size() >= n && strncasecmp(name.c_str() + name.size() - n, kExtension, n) == 0;
}

std::string withPuzzleExtension(const std::string& name) {
    return name.empty() || hasPuzzleExtension(name) ? name : name + kExtension;
}

bool isSafePuzzleName(const std::string& name) {
    return nameFault(name) == nullptr;
}

std::vector<std::string> listPuzzleFiles() {
    std::vector<std::string> names;
    std::error_code error;
    const std::string folder = puzzleFolder();
    for (fs::directory_iterator it(folder.empty() ? "." : folder, error), end; !error && it != end;
         it.increment(error)) {
        std::error_code typeError;
        const std::string name = it->path().filename().string();
        if (!it->is_regular_file(typeError) || !hasPuzzleExtension(name) ||
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

bool savePuzzleFile(Application& app, const std::string& typed) {
    const std::string name = withPuzzleExtension(typed);
    // "." would pass once it is "..pzl".
    const char* fault = nameFault(typed);
    fault = fault != nullptr ? fault : nameFault(name);
    if (fault != nullptr) {
        logUnsavedFile(typed, fault);
        return false;
    }
    if (!app.puzzle) {
        return false;
    }
    app.appState->setFileName(name.c_str());
    return replaceStoredFile(pathOf(name), [&app](FileWriter& writer) {
        app.appState->savePuzzleState(&writer, app.puzzle->getCubyCount());
        app.puzzle->saveMoves(writer);
        return writer.good();
    });
}

bool loadPuzzleFile(Application& app, const std::string& name) {
    if (!isSafePuzzleName(name)) {
        logPrintf("Puzzle file refused: unsafe name\n");
        return false;
    }
    FileReader reader(openStoredFile(pathOf(name).c_str()));
    if (!reader.isOpen()) {
        logPrintf("Puzzle file refused: %s cannot be opened\n", name.c_str());
        return false;
    }
    reader.setTextMode(false);
    auto state = std::make_unique<PuzzleFileState>();
    if (!app.appState->loadPuzzleState(&reader, *state)) {
        logPrintf("Puzzle file refused: %s is damaged\n", name.c_str());
        return false;
    }
    // The trial puzzle writes the restored groups into the staged definition only.
    auto trial = std::make_unique<Puzzle>(&state->definition);
    if (trial->overVertexLimit()) {
        logPrintf("Puzzle file refused: %s is over the vertex limit\n", name.c_str());
        return false;
    }
    if (trial->getCubyCount() != state->cubyCount || !trial->loadMoves(reader)) {
        logPrintf("Puzzle file refused: %s does not match its puzzle\n", name.c_str());
        return false;
    }
    state->definition.turnMetric = trial->getTurnMetric();
    app.appState->applyPuzzleState(*state);
    app.appState->setFileName(name.c_str());
    app.replacePuzzle(std::move(trial), VertexCount::Recount);
    return true;
}

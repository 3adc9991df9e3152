// Feeds arbitrary bytes to the whole-file puzzle loader. A refused file must leave the
// application's state, the definition and the current puzzle exactly as they were.

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "application.h"
#include "puzzle_file.h"

namespace {

// The loader reads relative to the current directory, so each load runs in a scratch folder
// of this process's own; libFuzzer itself keeps the directory it started in, where relative
// corpus and artefact paths point.
std::string scratch;
Application app;

void removeScratch() {
    std::error_code error;
    std::filesystem::remove_all(scratch, error);
}

class InScratch {
  public:
    InScratch() : home_(open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        if (home_ < 0 || chdir(scratch.c_str()) != 0)
            std::abort();
    }
    ~InScratch() {
        if (fchdir(home_) != 0)
            std::abort();
        close(home_);
    }
    InScratch(const InScratch&) = delete;
    InScratch& operator=(const InScratch&) = delete;

  private:
    int home_;
};

void setUp() {
    std::string pattern = (std::filesystem::temp_directory_path() / "orvanta-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        std::abort();
    scratch = pattern;
    std::atexit(removeScratch);
    InScratch inside;
    app.appState = std::make_unique<AppState>();
    app.puzzle = std::make_unique<Puzzle>(&app.appState->getDefinition());
    app.puzzle->turnLayer(0, 1, 1, 1.0, 0);
    app.puzzle->recordMove(0, 1, 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = (setUp(), true);
    (void)ready;
    FILE* file = std::fopen((scratch + "/input.pzl").c_str(), "wb");
    if (file == nullptr)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    InScratch inside;
    const Puzzle* before = app.puzzle.get();
    const int32_t moves = app.puzzle->getMoveCount();
    const int32_t lineWidth = app.appState->getLineWidth();
    const PuzzleDefinition definition = app.appState->getDefinition();
    if (!loadPuzzleFile(app, "input.pzl")) {
        if (app.puzzle.get() != before || app.puzzle->getMoveCount() != moves ||
            app.appState->getLineWidth() != lineWidth ||
            std::memcmp(&definition, &app.appState->getDefinition(), sizeof definition) != 0) {
            std::abort();
        }
        return 0;
    }
    // Accepted: keep the loaded puzzle as the next starting point unless it is large, so the
    // run stays quick.
    if (app.puzzle->getCubyCount() > 200 || app.puzzle->getMoveCount() > 1000) {
        app.appState = std::make_unique<AppState>();
        app.puzzle = std::make_unique<Puzzle>(&app.appState->getDefinition());
    }
    return 0;
}

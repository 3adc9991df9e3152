// Starting and ending: Esc, the diagnostic log, and a start where the log cannot be written.
#include <unistd.h>

#include <filesystem>

#include "fixture.h"
#include "layout.h"

namespace {

using namespace layout;
using e2e::Session;
namespace fs = std::filesystem;

// The exit code of the program started in `directory` without input, or -1 when it does not
// end in time. With `windowless`, SDL is given a video driver that does not exist, so a
// program that gets as far as opening its window fails there with an exit code of its own.
int exitCodeIn(const fs::path& directory, bool windowless) {
    const fs::path log = directory.parent_path() / (directory.filename().string() + ".log");
    std::vector<std::pair<std::string, std::string>> environment;
    if (windowless) {
        environment.emplace_back("SDL_VIDEODRIVER", "no-such-driver");
    }
    e2e::Child program = e2e::spawn({ORVANTA_BINARY}, directory, log, environment);
    const std::optional<int> code = program.wait(e2e::kPatience);
    EXPECT_EQ(e2e::sanitizerReports(e2e::readFile(log)), "");
    return code.value_or(-1);
}

std::size_t entriesIn(const fs::path& directory) {
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(directory)) {
        ++entries;
    }
    return entries;
}

class Lifecycle : public EndToEnd {};

TEST_F(Lifecycle, EscapeEndsWithExitCodeZeroAndTheLogHoldsTheProgramsLines) {
    const fs::path directory = e2e::freshDirectory("lifecycle");
    Session session(directory, "lifecycle");
    // The load screen of a directory without puzzle files logs that, and the way back to
    // the play screen logs the panel's width again.
    session.click(centreX(kLoadPuzzle), centreY(kLoadPuzzle));
    session.click(centreX(kPlayPuzzle), centreY(kPlayPuzzle));
    session.clickAway();
    session.settle();
    expectCleanEnd(session);
    // The play screen is built once for the first window size, 640 pixels wide, and again
    // for the real one.
    EXPECT_EQ(e2e::readFile(directory / "output.txt"),
              "YLength = 640\n"
              "YLength = 800\n"
              "No *.pzl files in current directory!\n"
              "YLength = 800\n");
}

TEST_F(Lifecycle, StartWhereTheLogCannotBeWrittenEndsAtOnceWithoutAWindow) {
    // Where the log can be written, the program goes on to open its window: without a video
    // driver that fails, and not with exit code 0.
    const fs::path writable = e2e::freshDirectory("unwritable-control");
    EXPECT_NE(exitCodeIn(writable, true), 0);
    EXPECT_TRUE(fs::exists(writable / "output.txt"));

    // A directory in the way of output.txt: no one, root included, can open it for writing.
    // The program ends with exit code 0, before any attempt at a window, and writes nothing.
    const fs::path blocked = e2e::freshDirectory("unwritable-blocked");
    fs::create_directory(blocked / "output.txt");
    EXPECT_EQ(exitCodeIn(blocked, true), 0);
    EXPECT_EQ(exitCodeIn(blocked, false), 0) << "with the X server at hand";
    EXPECT_EQ(entriesIn(blocked), 1u);

    // A directory without write permission stops everyone but root.
    if (geteuid() != 0) {
        const fs::path readOnly = e2e::freshDirectory("unwritable-read-only");
        fs::permissions(readOnly, fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_EQ(exitCodeIn(readOnly, true), 0);
        fs::permissions(readOnly, fs::perms::owner_all);
        EXPECT_EQ(entriesIn(readOnly), 0u);
    }
}

}  // namespace

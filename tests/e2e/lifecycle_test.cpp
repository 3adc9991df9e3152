// Starting and ending: Esc, the diagnostic log, a start where the log cannot be written, and
// the window's full-screen hotkey.
#include <unistd.h>

#include <filesystem>

#include "fixture.h"
#include "layout.h"

namespace {

using namespace layout;
using e2e::Session;
namespace fs = std::filesystem;

struct Ending {
    int code = -1;       // -1 when the program did not end in time
    std::string output;  // what it printed on stdout and stderr
};

// How the program started in `directory` without input ends. With `windowless`, SDL is given
// a video driver that does not exist, so a program that gets as far as opening its window
// fails there with an exit code of its own.
Ending endingIn(const fs::path& directory, bool windowless) {
    const fs::path log = directory.parent_path() / (directory.filename().string() + ".log");
    std::vector<std::pair<std::string, std::string>> environment;
    if (windowless) {
        environment.emplace_back("SDL_VIDEODRIVER", "no-such-driver");
    }
    e2e::Child program = e2e::spawn({ORVANTA_BINARY}, directory, log, environment);
    const std::optional<int> code = program.wait(e2e::kPatience);
    Ending ending{code.value_or(-1), e2e::readFile(log)};
    EXPECT_EQ(e2e::sanitizerReports(ending.output), "");
    return ending;
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

TEST_F(Lifecycle, StartWhereTheLogCannotBeWrittenSaysWhyAndFailsWithoutAWindow) {
    // Where the log can be written, the program goes on to open its window: without a video
    // driver that fails, and the refusal is one line on stderr.
    const fs::path writable = e2e::freshDirectory("unwritable-control");
    const Ending windowless = endingIn(writable, true);
    EXPECT_NE(windowless.code, 0);
    EXPECT_TRUE(windowless.output.starts_with("Orvanta: cannot open a window: ") &&
                windowless.output.find('\n') == windowless.output.size() - 1)
        << windowless.output;
    EXPECT_TRUE(fs::exists(writable / "output.txt"));

    // A directory in the way of output.txt: no one, root included, can open it for writing.
    // The program says so in the same words, ends before any attempt at a window with an
    // exit code of its own, and writes nothing.
    const fs::path blocked = e2e::freshDirectory("unwritable-blocked");
    fs::create_directory(blocked / "output.txt");
    for (const bool withDisplay : {false, true}) {
        const Ending ending = endingIn(blocked, !withDisplay);
        EXPECT_NE(ending.code, 0) << (withDisplay ? "with" : "without") << " an X server";
        EXPECT_NE(ending.code, windowless.code);
        EXPECT_EQ(ending.output, "Orvanta: cannot create output.txt: Is a directory\n");
    }
    EXPECT_EQ(entriesIn(blocked), 1u);

    // A directory without write permission stops everyone but root.
    if (geteuid() != 0) {
        const fs::path readOnly = e2e::freshDirectory("unwritable-read-only");
        fs::permissions(readOnly, fs::perms::owner_read | fs::perms::owner_exec);
        const Ending ending = endingIn(readOnly, true);
        fs::permissions(readOnly, fs::perms::owner_all);
        EXPECT_NE(ending.code, 0);
        EXPECT_EQ(ending.output, "Orvanta: cannot create output.txt: Permission denied\n");
        EXPECT_EQ(entriesIn(readOnly), 0u);
    }
}

TEST_F(Lifecycle, AltEnterTwiceLeavesThePictureAsItWas) {
    const fs::path directory = e2e::freshDirectory("full-screen");
    Session session(directory, "full-screen");
    const Picture before = session.settle();
    // Xvfb has no window manager to honour full screen: the window keeps its size, and the
    // picture must still be drawn for it, panel and puzzle where they were.
    for (const std::string label : {"toggled", "back"}) {
        session.keys({"alt+Return"});
        const Picture after = session.settle();
        session.keep(after, label);
        EXPECT_EQ(differingPixels(before, after, wholeOf(before)), 0) << label;
    }
    expectCleanEnd(session);
    // Each toggle reset the device, and the play screen was built again for the size of the
    // window: its own, not the screen's.
    EXPECT_EQ(e2e::readFile(directory / "output.txt"),
              "YLength = 640\n"
              "YLength = 800\n"
              "YLength = 800\n"
              "YLength = 800\n");
}

}  // namespace

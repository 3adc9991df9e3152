// The other screens: the editor with saving and loading, the options, and a walk through
// every screen and back.
#include <cstring>
#include <filesystem>

#include "fixture.h"
#include "layout.h"

namespace {

using namespace layout;
using e2e::Session;
namespace fs = std::filesystem;

constexpr Rgb kSelected{0, 255, 255};

bool isSelected(Rgb c) {
    return near(c, kSelected, 6);
}

// Sticker runs down the middle of the puzzle and across its top row of stickers; rows and
// columns of cubies on the front face.
std::size_t columnRuns(const Picture& p) {
    return stickerRunsInColumn(p, 400, 60, 540).size();
}
std::size_t rowRuns(const Picture& p) {
    return stickerRunsInRow(p, 200, 150, 650).size();
}

bool fileReady(const fs::path& path, std::uintmax_t size) {
    std::error_code error;
    return fs::exists(path, error) && fs::file_size(path, error) == size;
}

// A little-endian value at `offset` of `bytes`.
template <typename T>
T at(const std::string& bytes, std::size_t offset) {
    T value{};
    if (offset + sizeof(T) <= bytes.size()) {
        std::memcpy(&value, bytes.data() + offset, sizeof(T));
    }
    return value;
}

// What a puzzle file holds of the editor's work: the slices, the bandage groups, the moves.
struct PuzzleFile {
    int32_t slices = -1;
    std::vector<int32_t> kinds, thicknesses;
    uint8_t groupsValid = 0;
    std::vector<int32_t> groups;
    int32_t moves = -1;
    std::size_t size = 0;
};

PuzzleFile readPuzzleFile(const fs::path& path) {
    const std::string bytes = e2e::readFile(path);
    PuzzleFile file;
    file.size = bytes.size();
    file.slices = at<int32_t>(bytes, 10);
    if (file.slices < 0 || file.slices > 16) {
        return file;
    }
    const std::size_t n = std::size_t(file.slices);
    for (std::size_t i = 0; i < n; ++i) {
        file.kinds.push_back(at<int32_t>(bytes, 14 + 4 * i));
        file.thicknesses.push_back(at<int32_t>(bytes, 14 + 4 * n + 4 * i));
    }
    file.groupsValid = at<uint8_t>(bytes, 14 + 8 * n);
    const int32_t cubies = at<int32_t>(bytes, 31 + 8 * n);
    for (int32_t i = 0; i >= 0 && i < cubies && i < 10000; ++i) {
        file.groups.push_back(at<int32_t>(bytes, 35 + 8 * n + 4 * std::size_t(i)));
    }
    file.moves = at<int32_t>(bytes, 35 + 8 * n + 4 * file.groups.size() + 4);
    return file;
}

// Saves through the play screen's "Save Puzzle" and the save screen, under `name`.
void saveAs(Session& session, const std::string& name) {
    session.click(centreX(kSavePuzzle), centreY(kSavePuzzle));
    session.replaceText(centreX(kFileName), centreY(kFileName), name);
    session.click(centreX(kSave), centreY(kSave));
    session.park();
}

class Editor : public EndToEnd {};

TEST_F(Editor, AddedSliceAndConnectedCubiesAreSavedAndTheLoadScreenRestoresThem) {
    const fs::path directory = e2e::freshDirectory("editor");
    fs::create_directory(directory / "Puzzles");
    const fs::path saved = directory / "Puzzles" / "bandaged.pzl";
    Picture savedPicture;
    {
        Session session(directory, "editor-save");
        session.click(centreX(kEditPuzzle), centreY(kEditPuzzle));
        session.park();
        session.waitFor(
            [](const Picture& p) { return !isBackground(p.at(centreX(kAdd), kAdd.y + 3)); },
            "the edit screen");
        const Picture edit = session.settle();
        session.keep(edit, "edit");
        ASSERT_EQ(columnRuns(edit), 3u);
        ASSERT_EQ(rowRuns(edit), 3u);

        // "Add" adds a face slice of thickness 90 to the 3x3 cube's 120: two more cuts across
        // each face, so more cubies show.
        session.click(centreX(kAdd), centreY(kAdd));
        session.park();
        const Picture added =
            session.waitFor([](const Picture& p) { return columnRuns(p) == 5 && rowRuns(p) == 5; },
                            "five rows and five columns of stickers");
        session.keep(session.settle(), "added");
        EXPECT_GT(countPixels(added, kPuzzleArea, isBlack),
                  countPixels(edit, kPuzzleArea, isBlack));

        // Left clicks select two neighbouring cubies of the middle row.
        const int y = stickerRunsInColumn(added, 400, 60, 540)[2].middle();
        const auto row = stickerRunsInRow(added, y, 150, 490);
        ASSERT_GE(row.size(), 3u);
        session.click(row[1].middle(), y);
        session.park();
        const Picture one = session.waitFor(
            [](const Picture& p) { return countPixels(p, kPuzzleArea, isSelected) > 100; },
            "the first cubie selected");
        session.click(row[2].middle(), y);
        session.park();
        const int selectedOne = countPixels(one, kPuzzleArea, isSelected);
        session.keep(session.waitFor(
                         [&](const Picture& p) {
                             return countPixels(p, kPuzzleArea, isSelected) > selectedOne + 100;
                         },
                         "the second cubie selected"),
                     "selected");

        // "Connect cubies" bandages them and clears the selection.
        session.click(centreX(kConnect), centreY(kConnect));
        session.park();
        session.waitFor(
            [](const Picture& p) { return countPixels(p, kPuzzleArea, isSelected) == 0; },
            "the selection cleared by Connect");

        session.click(centreX(kPlayPuzzle), centreY(kPlayPuzzle));
        saveAs(session, "bandaged.pzl");
        session.waitFor([&](const Picture&) { return fs::exists(saved); }, "Puzzles/bandaged.pzl");
        savedPicture = session.settle();
        session.keep(savedPicture, "saved");
        expectCleanEnd(session);
    }

    const PuzzleFile file = readPuzzleFile(saved);
    EXPECT_EQ(file.slices, 2);
    EXPECT_EQ(file.kinds, (std::vector<int32_t>{0, 0})) << "two face slices";
    EXPECT_EQ(file.thicknesses, (std::vector<int32_t>{120, 90}));
    EXPECT_EQ(file.groupsValid, 1);
    // Two cubies share a group; every other one has none (stored as 20000).
    std::vector<int32_t> grouped;
    for (int32_t g : file.groups) {
        if (g != 20000) {
            grouped.push_back(g);
        }
    }
    ASSERT_EQ(grouped.size(), 2u);
    EXPECT_EQ(grouped[0], grouped[1]);
    EXPECT_EQ(file.moves, 0);
    EXPECT_EQ(file.size, 43 + 8 * 2 + 4 * file.groups.size());

    // A new start in the same directory: the load screen lists the file and loads it.
    Session session(directory, "editor-load");
    ASSERT_FALSE(sameIn(session.settle(), savedPicture, kPuzzleArea));
    session.click(centreX(kLoadPuzzle), centreY(kLoadPuzzle));
    session.park();
    session.waitFor([](const Picture& p) { return countPixels(p, kFileList, isBright) > 30; },
                    "bandaged.pzl in the list of the load screen");
    session.click(centreX(kFileList), kFileList.y + 10);
    session.click(centreX(kLoad), centreY(kLoad));
    session.park();
    session.waitFor([&](const Picture& p) { return sameIn(p, savedPicture, kPuzzleArea); },
                    "the saved puzzle on the load screen");
    const Picture loaded = session.settle();
    session.keep(loaded, "loaded");
    EXPECT_TRUE(sameIn(loaded, savedPicture, kPuzzleArea));

    // Saved again, the loaded puzzle gives the same file: slices, groups and all.
    session.click(centreX(kPlayPuzzle), centreY(kPlayPuzzle));
    saveAs(session, "copy.pzl");
    const fs::path copy = directory / "Puzzles" / "copy.pzl";
    session.waitFor([&](const Picture&) { return fileReady(copy, file.size); }, "Puzzles/copy.pzl");
    EXPECT_EQ(e2e::readFile(copy), e2e::readFile(saved));
    expectCleanEnd(session);
}

class Options : public EndToEnd {};

TEST_F(Options, TheTurnDurationTypedThereIsInOptionsInfAfterTheProgramEnds) {
    const fs::path directory = e2e::freshDirectory("options");
    const fs::path options = directory / "options.inf";
    Picture before;
    {
        Session session(directory, "options");
        session.click(centreX(kOptions), centreY(kOptions));
        session.park();
        before = session.waitFor(
            [](const Picture& p) {
                return !isBackground(p.at(kTurnSeconds.x + 3, kTurnSeconds.y + 3));
            },
            "the options screen");
        session.keep(session.settle(kOptionsPlay), "options");
        EXPECT_FALSE(fs::exists(options)) << "nothing is written before a change";

        session.replaceText(centreX(kTurnSeconds), centreY(kTurnSeconds), "1.5");
        session.keys({"Return"});
        session.waitFor([&](const Picture&) { return fileReady(options, 15); }, "options.inf");
        session.clickAway();
        session.keep(session.settle(kOptionsPlay), "typed");
        expectCleanEnd(session);
    }
    const std::string bytes = e2e::readFile(options);
    ASSERT_EQ(bytes.size(), 15u);
    EXPECT_EQ(at<uint8_t>(bytes, 0), 0) << "left button turns anti-clockwise";
    EXPECT_EQ(at<uint8_t>(bytes, 1), 1) << "cubie highlights on";
    EXPECT_EQ(at<uint8_t>(bytes, 2), 1) << "drop-down list visible";
    EXPECT_EQ(at<int32_t>(bytes, 3), 120) << "80 frames a second of duration";
    EXPECT_EQ(at<double>(bytes, 7), 1.5);

    // The next start reads it: the options screen shows another duration than the default.
    Session session(directory, "options-again");
    session.click(centreX(kOptions), centreY(kOptions));
    session.park();
    const Picture again = session.waitFor(
        [](const Picture& p) {
            return !isBackground(p.at(kTurnSeconds.x + 3, kTurnSeconds.y + 3));
        },
        "the options screen");
    session.keep(session.settle(kOptionsPlay), "again");
    EXPECT_FALSE(sameIn(again, before, kTurnSeconds));
    expectCleanEnd(session);
    EXPECT_EQ(e2e::readFile(options), bytes) << "reading the options does not change them";
}

class Screens : public EndToEnd {};

TEST_F(Screens, EachScreenIsDrawnAndLeadsBackToPlay) {
    Session session(e2e::freshDirectory("screens"), "screens");
    const Picture play = session.settle();
    session.keep(play, "play");

    struct Screen {
        const char* label;
        std::vector<Area> way;   // buttons to press, from the play screen
        std::vector<Area> back;  // buttons that lead back to it
        bool puzzle;             // whether the puzzle is drawn
    };
    const Screen kScreens[] = {
        {"help", {kHelp}, {kHelpPlay}, false},
        {"options", {kOptions}, {kOptionsPlay}, false},
        {"version", {kVersion}, {kVersionPlay}, false},
        {"load", {kLoadPuzzle}, {kPlayPuzzle}, true},
        {"save", {kSavePuzzle}, {kPlayPuzzle}, true},
        {"edit", {kEditPuzzle}, {kPlayPuzzle}, true},
        {"editor-help", {kEditPuzzle, kEditorHelp}, {kEditorHelpEdit, kPlayPuzzle}, false},
    };
    std::vector<Picture> shown;
    for (const Screen& screen : kScreens) {
        for (const Area& b : screen.way) {
            session.click(centreX(b), centreY(b));
        }
        session.clickAway();
        session.waitFor([&](const Picture& p) { return !sameIn(p, play, wholeOf(p)); },
                        std::string("the ") + screen.label + " screen");
        const Picture picture = session.settle(screen.back.front());
        session.keep(picture, screen.label);
        if (screen.puzzle) {
            EXPECT_GT(countPixels(picture, kPuzzleArea, isBlack), 1000) << screen.label;
        } else {
            EXPECT_EQ(countPixels(picture, kPuzzleArea, isBlack), 0) << screen.label;
            EXPECT_GT(countPixels(picture, wholeOf(picture), isBright), 500)
                << screen.label << ": its texts";
        }
        for (std::size_t i = 0; i < shown.size(); ++i) {
            EXPECT_GT(differingPixels(picture, shown[i], wholeOf(picture)), 200)
                << screen.label << " and " << kScreens[i].label << " look alike";
        }
        shown.push_back(picture);

        for (const Area& b : screen.back) {
            session.click(centreX(b), centreY(b));
        }
        session.clickAway();
        session.waitFor([&](const Picture& p) { return p == play; },
                        std::string("the play screen again after ") + screen.label);
    }
    expectCleanEnd(session);
}

}  // namespace

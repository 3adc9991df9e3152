#include <filesystem>

#include "app_state.h"
#include "application.h"
#include "control_ids.h"
#include "device_resources.h"
#include "frame_render.h"
#include "puzzle.h"
#include "running_app.h"
#include "screens.h"

using FileRoads = RunningApp;

TEST_F(FileRoads, SaveListAndLoadThroughTheScreens) {
    std::filesystem::create_directory("Puzzles");
    puzzle->turnLayer(0, 1, 1, 1.0, 0);
    puzzle->recordMove(0, 1, 1);
    event(kIdSavePuzzle);
    ASSERT_EQ(appState->getMode(), Save);
    CDXUTEditBox* name = controlPanel.GetEditBox(kIdFileName);
    ASSERT_NE(name, nullptr);
    EXPECT_STREQ(name->GetText(), L"newpuzzle.pzl");
    name->SetText(L"mine");  // saved, and listed, with its extension
    event(kIdSave);
    EXPECT_EQ(staticText(kIdMessage), L"Puzzle saved");
    EXPECT_TRUE(std::filesystem::exists("Puzzles/mine.pzl"));

    event(kIdPlayPuzzle);
    event(kIdSolved);  // back to a fresh puzzle
    ASSERT_EQ(puzzle->getMoveCount(), 0);
    event(kIdLoadPuzzle);
    ASSERT_EQ(appState->getMode(), Load);
    CDXUTListBox* files = controlPanel.GetListBox(kIdFileList);
    ASSERT_NE(files, nullptr);
    ASSERT_EQ(files->GetSize(), 1);
    EXPECT_STREQ(files->GetItem(0)->strText, L"mine.pzl");
    event(kIdLoad);  // no row selected: nothing
    EXPECT_EQ(puzzle->getMoveCount(), 0);
    files->SelectItem(0);
    event(kIdLoad);
    EXPECT_EQ(puzzle->getMoveCount(), 1);
    EXPECT_EQ(appState->getMode(), Load);
    EXPECT_EQ(app.vertexBufferCurrent, 0);
}

TEST_F(FileRoads, FailuresAreShown) {
    event(kIdSavePuzzle);
    CDXUTEditBox* name = controlPanel.GetEditBox(kIdFileName);
    ASSERT_NE(name, nullptr);
    name->SetText(L"../escape.pzl");
    event(kIdSave);
    EXPECT_EQ(staticText(kIdMessage), L"Puzzle not saved");

    writeFileBytes("broken.pzl", {1, 2, 3});
    writeFileBytes("bad\xff.pzl", {1, 2, 3});  // no UTF-8: could not be opened again
    event(kIdPlayPuzzle);
    event(kIdLoadPuzzle);
    CDXUTListBox* files = controlPanel.GetListBox(kIdFileList);
    ASSERT_NE(files, nullptr);
    ASSERT_EQ(files->GetSize(), 1);
    const Puzzle* before = puzzle.get();
    files->SelectItem(0);
    event(kIdLoad);
    EXPECT_EQ(puzzle.get(), before);
    EXPECT_NE(staticText(kIdMessage), L"<none>");
}

#include <cmath>
#include <cstring>

#include "app_state.h"
#include "application.h"
#include "control_ids.h"
#include "device_resources.h"
#include "frame_render.h"
#include "puzzle.h"
#include "running_app.h"
#include "screens.h"
#include "test_support.h"

using Frames = RunningApp;

TEST_F(Frames, StepTestIsStrictAndTakesOneStepPerFrame) {
    frame(1.0);
    startTurn(app, 0, 1, 1);
    frame(1.0125);  // exactly one interval (0.25 s / 20): no step
    EXPECT_EQ(app.turn.turnStep, 0);
    frame(1.0126);
    EXPECT_EQ(app.turn.turnStep, 1);
    frame(5.0);  // however long the wait, one step
    EXPECT_EQ(app.turn.turnStep, 2);
}

TEST_F(Frames, ZeroDurationTurnsInOneStep) {
    appState->setTurnSeconds(0.0);
    frame(2.0);
    startTurn(app, 0, 1, 1);
    frame(2.0);  // same time: no step
    EXPECT_EQ(app.turn.turnBusy, 1);
    frame(2.001);
    EXPECT_EQ(app.turn.turnBusy, 0);
    EXPECT_EQ(puzzle->getMoveCount(), 1);
}

TEST_F(Frames, WholeTurnRecordsTheMoveAndShowsTheCounter) {
    frame(0.0);
    startTurn(app, 0, 1, 1);
    for (int i = 1; i <= 19; ++i)
        frame(0.02 * i);
    EXPECT_EQ(app.turn.turnBusy, 1);
    EXPECT_EQ(puzzle->getMoveCount(), 0);
    frame(0.02 * 20);
    EXPECT_EQ(app.turn.turnBusy, 0);
    ASSERT_EQ(puzzle->getMoveCount(), 1);
    EXPECT_EQ(puzzle->moves[0].anchor, 0);
    EXPECT_EQ(puzzle->moves[0].clockwise, 1);
    EXPECT_EQ(staticText(kIdMessage), L"1");
    EXPECT_FALSE(puzzle->isSolved());
    EXPECT_EQ(app.vertexBufferCurrent, 0);
}

TEST_F(Frames, AMoveThatCannotBeRefittedOrRecordedNeverStartsOrIsPutBackWhole) {
    // Layer 1 of this tetrahedron's face anchor 0 would carry a cubie where no home cubie is.
    PuzzleDefinition& d = appState->getDefinition();
    d.shape = TetraHedron;
    d.sliceKinds[0] = PointSlice;
    d.sliceThicknesses[0] = 6;
    d.eraseThreshold = 3;
    app.rebuildPuzzle(BandageGroups::Drop, VertexCount::Recount);
    frame(1.0);
    startTurn(app, 0, 1, 1);
    EXPECT_EQ(app.turn.turnBusy, 0);
    EXPECT_NE(logText().find("turn refused: anchor 0, layer 1"), std::string::npos);

    // Layers 1 and 2 of the cube, bandaged together, refit when each turns in one step, but
    // not in the animation's twenty.
    d.shape = Cube;
    d.sliceKinds[0] = FaceSlice;
    d.sliceThicknesses[0] = 120;
    app.rebuildPuzzle(BandageGroups::Drop, VertexCount::Recount);
    constexpr double kThird = 2.0 / 3.0;
    puzzle->cubies[cubyAt(*puzzle, {kThird, kThird, -kThird})].selected = 1;
    puzzle->cubies[cubyAt(*puzzle, {kThird, kThird, 0})].selected = 1;
    puzzle->connectSelected(&d);
    ASSERT_EQ(appState->getTurnFrames(), 20);
    startTurn(app, 0, 1 | 2, 1);
    EXPECT_EQ(app.turn.turnBusy, 0);

    // A full history starts no move that it could not record, but one that cancels the last.
    app.rebuildPuzzle(BandageGroups::Drop, VertexCount::Recount);
    for (int32_t i = 0; i < puzzle->moveCapacity; ++i)
        puzzle->recordMove(i % 2, 1, 1);
    startTurn(app, 0, 1, 1);
    EXPECT_EQ(app.turn.turnBusy, 0);
    EXPECT_NE(logText().find("the move history cannot hold it"), std::string::npos);
    startTurn(app, 1, 1, 0);
    EXPECT_EQ(app.turn.turnBusy, 1);
    app.turn.turnBusy = 0;

    // A move that fails only at its last step is undone whole and not recorded.
    app.rebuildPuzzle(BandageGroups::Drop, VertexCount::Recount);
    std::vector<Vec3> start;
    puzzle->savePositions(start);
    startTurn(app, 0, 1 | 4, 1);
    ASSERT_EQ(app.turn.turnBusy, 1);
    for (int i = 1; i < 20; ++i)
        frame(1.0 + 0.02 * i);
    for (Cuby& h : puzzle->homeCubies)
        for (Vec3& v : h.vertex)
            v.x += 0.01;
    frame(1.5);
    EXPECT_EQ(app.turn.turnBusy, 0);
    EXPECT_EQ(puzzle->getMoveCount(), 0);
    std::vector<Vec3> end;
    puzzle->savePositions(end);
    ASSERT_EQ(end.size(), start.size());
    EXPECT_EQ(std::memcmp(end.data(), start.data(), sizeof(Vec3) * end.size()), 0);
}

TEST_F(Frames, LayersAboveNineteenAreRecordedButNotTurned) {
    // Ten face slices give every face anchor 21 layers.
    PuzzleDefinition& d = appState->getDefinition();
    d.sliceCount = 10;
    for (int i = 0; i < 10; ++i) {
        d.sliceKinds[i] = FaceSlice;
        d.sliceThicknesses[i] = 10 + 10 * i;
    }
    app.rebuildPuzzle(BandageGroups::Drop, VertexCount::Recount);
    vertexLimitReached = 0;  // drawing is not what this test is about
    ASSERT_EQ(puzzle->getLayerCount(0), 21);
    appState->setTurnSeconds(0.0);
    const int32_t mask = (1 << 18) | (1 << 19);
    const std::vector<Cuby> before = puzzle->cubies;
    frame(1.0);
    startTurn(app, 0, mask, 1);
    frame(2.0);
    ASSERT_EQ(puzzle->getMoveCount(), 1);
    EXPECT_EQ(puzzle->moves[0].layer, mask);
    // Layer 19 lies at z just below 1 - 2·10/360·... : find a piece of each by its z.
    int movedNineteen = 0, movedTwenty = 0;
    const Plane& p18 = puzzle->anchors[0].planes[17];
    const Plane& p19 = puzzle->anchors[0].planes[18];
    for (int32_t i = 0; i < puzzle->cubyCount; ++i) {
        const Vec3& v = before[i].vertex[0];
        bool moved = puzzle->cubies[i].vertex[0].x != v.x || puzzle->cubies[i].vertex[0].y != v.y;
        Vec3 mean;
        for (const Vec3& w : before[i].vertex)
            mean = mean + w;
        mean = mean * (1.0 / before[i].vertexcount);
        if (planeDistance(p18, mean) < 0 && planeDistance(p19, mean) > 0)
            movedNineteen += moved;
        if (planeDistance(p19, mean) < 0)
            movedTwenty += moved;
    }
    EXPECT_GT(movedNineteen, 0);
    EXPECT_EQ(movedTwenty, 0);
}

TEST_F(Frames, SolveTimerDisplay) {
    appState->setElapsedTime(3725.5);
    appState->setTimerState(Solved);
    frame(1.0, 1.0f);
    EXPECT_EQ(staticText(kIdHours), L"01:");
    EXPECT_EQ(staticText(kIdMinutes), L"02:");
    EXPECT_EQ(staticText(kIdSeconds), L"05");
    EXPECT_EQ(staticText(kIdHundredths), L"50");
    EXPECT_EQ(appState->getElapsedTime(), 3725.5);
    appState->setElapsedTime(36000.0);
    frame(2.0);
    EXPECT_EQ(staticText(kIdHours), L"10:");
    EXPECT_EQ(staticText(kIdSeconds), L"00");
    appState->setTimerState(Idle);
    frame(3.0);
    EXPECT_EQ(staticText(kIdHours), L"00:");
    EXPECT_EQ(staticText(kIdMinutes), L"00:");
    appState->setTimerState(Running);
    appState->setElapsedTime(std::nan(""));
    frame(4.0, 0.5f);
    EXPECT_EQ(staticText(kIdHours), L"00:");
    appState->setElapsedTime(10.0);
    frame(5.0, 0.5f);
    EXPECT_EQ(appState->getElapsedTime(), 10.5);
    EXPECT_EQ(staticText(kIdSeconds), L"10");
    appState->setMode(Edit);
    buildGui(app);
    frame(6.0, 1.0f);
    EXPECT_EQ(appState->getElapsedTime(), 10.5) << "no time added on other screens";
}

TEST_F(Frames, SolvedCheckAtTheEndOfATurnAfterAScramble) {
    for (uint8_t fade : {0, 1}) {
        app.rebuildPuzzle(BandageGroups::Keep, VertexCount::Recount);
        if (appState->isColorFade() != fade)
            appState->toggleColorFade();
        appState->setScrambled(1);
        appState->setTimerState(Idle);
        appState->setTurnSeconds(0.0);
        puzzle->turnLayer(0, 1, 1, 1.0, 0);
        frame(10.0);
        startTurn(app, 0, 1, 0);
        frame(11.0);
        EXPECT_EQ(appState->getTimerState(), Solved) << int(fade);
        CDXUTStatic* text = controlPanel.GetStatic(kIdCongratulation);
        ASSERT_NE(text, nullptr);
        EXPECT_STREQ(text->GetText(), L"Congratulations\nYou solved the magic puzzle!");
        EXPECT_EQ(text->GetX(), 50 - 400);
        EXPECT_EQ(text->GetY(), 50);
        EXPECT_EQ(text->GetWidth(), 500);
        EXPECT_EQ(text->GetElement(0)->iFont, 2u);
        EXPECT_EQ(text->GetElement(0)->FontColor.States[DXUT_STATE_NORMAL], 0xFFFF0000u);
        EXPECT_EQ(text->GetElement(0)->dwTextFormat, 0x15u);
        controlPanel.RemoveControl(kIdCongratulation);
    }
}

TEST_F(Frames, OrientedCheckWithColourFade) {
    for (uint8_t fade : {0, 1}) {
        app.rebuildPuzzle(BandageGroups::Keep, VertexCount::Recount);
        if (appState->isColorFade() != fade)
            appState->toggleColorFade();
        appState->setScrambled(1);
        appState->setTimerState(Running);
        appState->setTurnSeconds(0.0);
        // A centre piece turned in place: right colours, wrong orientation.
        for (Cuby& c : puzzle->cubies) {
            Vec3 mean;
            for (const Vec3& v : c.vertex)
                mean = mean + v;
            if (std::fabs(mean.x) < 1e-9 && std::fabs(mean.y) < 1e-9 && mean.z < 0)
                for (Vec3& v : c.vertex)
                    v = Vec3{-v.y, v.x, v.z};
        }
        frame(20.0);
        startTurn(app, 2, 1, 1);  // any turn
        frame(21.0);
        startTurn(app, 2, 1, 0);  // and back
        frame(22.0);
        EXPECT_EQ(appState->getTimerState(), fade ? Running : Solved) << int(fade);
        EXPECT_EQ(controlPanel.GetStatic(kIdCongratulation) != nullptr, fade == 0);
        controlPanel.RemoveControl(kIdCongratulation);
    }
}

TEST_F(Frames, VertexLimitRecoveryOnTheEditScreen) {
    appState->setMode(Edit);
    buildGui(app);
    PuzzleDefinition& d = appState->getDefinition();
    d.shape = DodecaHedron;
    d.sliceCount = 3;
    d.sliceKinds[0] = FaceSlice;
    d.sliceThicknesses[0] = 65;
    d.sliceKinds[1] = EdgeSlice;
    d.sliceThicknesses[1] = 150;
    d.sliceKinds[2] = PointSlice;
    d.sliceThicknesses[2] = 100;
    d.groupsValid = 1;
    app.rebuildPuzzle(BandageGroups::Keep, VertexCount::Recount);
    ASSERT_EQ(vertexLimitReached, 1);
    recording().clear();
    frame(1.0);
    EXPECT_EQ(recording().count("DrawPrimitive"), 0u) << "nothing drawn in the frame that recovers";
    EXPECT_EQ(d.sliceCount, 2);
    EXPECT_EQ(d.groupsValid, 1) << "cleared, then set again by the rebuild";
    EXPECT_EQ(staticText(kIdErrorLine), L"Error: Maximum vertex limit reached.");
    frame(2.0);  // still over: one more slice goes
    EXPECT_EQ(d.sliceCount, 1);
    EXPECT_EQ(vertexLimitReached, 0);
    recording().clear();
    frame(3.0);
    EXPECT_EQ(recording().count("DrawPrimitive"), 1u);
    CDXUTListBox* slices = controlPanel.GetListBox(kIdSliceList);
    ASSERT_NE(slices, nullptr);
    EXPECT_STREQ(slices->GetItem(0)->strText, L"1: Face    65");
    EXPECT_STREQ(slices->GetItem(1)->strText, L"2:");

    // A puzzle counted afresh is judged alone: over the limit and back under before the next
    // frame loses no slice.
    d.sliceCount = 3;
    app.rebuildPuzzle(BandageGroups::Keep, VertexCount::Recount);
    ASSERT_EQ(vertexLimitReached, 1);
    d.sliceCount = 1;
    app.rebuildPuzzle(BandageGroups::Keep, VertexCount::Recount);
    recording().clear();
    frame(4.0);
    EXPECT_EQ(d.sliceCount, 1);
    EXPECT_EQ(recording().count("DrawPrimitive"), 1u);
}

TEST_F(Frames, RecoveryNeverGoesBelowNoSlices) {
    appState->getDefinition().sliceCount = 0;
    app.rebuildPuzzle(BandageGroups::Drop, VertexCount::Recount);
    vertexLimitReached = 1;  // as if a damaged count had set it
    frame(1.0);
    EXPECT_EQ(appState->getDefinition().sliceCount, 0);
    EXPECT_EQ(vertexLimitReached, 0);
}

TEST_F(Frames, PanelAtTheRightEdgeAfterAReset) {
    framework_testing::resizeClient(1024, 768);
    EXPECT_EQ(controlPanel.GetX(), 719);
    EXPECT_EQ(controlPanel.GetY(), 0);
    EXPECT_EQ(controlPanel.GetWidth(), 305);
    EXPECT_EQ(controlPanel.GetHeight(), 768);
    EXPECT_NE(app.resources.textSprite.get(), nullptr);
}

TEST_F(Frames, FailedLockLeavesTheBufferStale) {
    app.vertexBufferCurrent = 0;
    recording().failNext("Lock", E_FAIL);
    frame(1.0);
    EXPECT_EQ(app.vertexBufferCurrent, 0);
    frame(2.0);
    EXPECT_EQ(app.vertexBufferCurrent, 1);
}

TEST_F(Frames, DeviceChecksAndSettings) {
    D3DCAPS9 caps{};
    caps.PixelShaderVersion = D3DPS_VERSION(1, 4);
    EXPECT_FALSE(isDeviceAcceptable(&caps, D3DFMT_X8R8G8B8, D3DFMT_X8R8G8B8, true, nullptr));
    caps.PixelShaderVersion = D3DPS_VERSION(3, 0);
    caps.DeviceType = D3DDEVTYPE_HAL;
    EXPECT_TRUE(isDeviceAcceptable(&caps, D3DFMT_X8R8G8B8, D3DFMT_X8R8G8B8, true, nullptr));
    DXUTDeviceSettings settings{};
    settings.BehaviorFlags = D3DCREATE_FPU_PRESERVE;
    caps.DevCaps = D3DDEVCAPS_HWTRANSFORMANDLIGHT | D3DDEVCAPS_PUREDEVICE;
    modifyDeviceSettings(&settings, &caps, nullptr);
    EXPECT_EQ(settings.BehaviorFlags, D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_PUREDEVICE);
    caps.DevCaps = D3DDEVCAPS_PUREDEVICE;
    modifyDeviceSettings(&settings, &caps, nullptr);
    EXPECT_EQ(settings.BehaviorFlags, D3DCREATE_SOFTWARE_VERTEXPROCESSING);
}

TEST_F(Frames, MatrixHandedToTheEffectAt800By600) {
    recording().clear();
    frame(1.0);
    const RecordedCall* set = recording().last("ID3DXEffect::SetMatrix");
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(set->text, L"g_mWorldViewProjection");
    D3DXMATRIX view, projection, expected;
    appState->getViewMatrix(view);
    D3DXMatrixPerspectiveFovLH(&projection, 0.7853982f, 800.0f / 600.0f, 1.0f, 100.0f);
    D3DXMatrixMultiply(&expected, &view, &projection);
    ASSERT_EQ(set->numbers.size(), 16u);
    for (int i = 0; i < 16; ++i)
        EXPECT_FLOAT_EQ(static_cast<float>(set->numbers[i]), expected.m[i / 4][i % 4]) << i;
    const RecordedCall* draw = recording().last("DrawPrimitive");
    ASSERT_NE(draw, nullptr);
    EXPECT_EQ(draw->numbers[2], app.puzzleVertexCount / 3);
    const RecordedCall* clear = recording().last("Clear");
    ASSERT_NE(clear, nullptr);
}

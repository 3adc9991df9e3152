// The play screen: the first picture, turning a layer with a click and undoing it, the full
// scramble, the layer and anchor keys, and the ready-made puzzles of the drop-down list.
#include <array>

#include "fixture.h"
#include "layout.h"

namespace {

using namespace layout;
using e2e::Session;

// The six sticker colours of the cube, as drawn without highlight or colour fade.
constexpr std::array<Rgb, 6> kCubeColors = {Rgb{220, 220, 220}, Rgb{180, 0, 0},   Rgb{0, 180, 0},
                                            Rgb{200, 100, 0},   Rgb{200, 200, 0}, Rgb{0, 0, 200}};

// A left drag in empty space orbits the camera so that three faces of the cube show.
void orbit(Session& session) {
    session.drag(150, 450, 234, 534);
}
// The middle sticker of the front face after `orbit`.
constexpr int kFrontCentreX = 440;
constexpr int kFrontCentreY = 345;

std::string counter(const Picture& picture) {
    return readDigits(picture, kCounter);
}

// Colours of which at least one sticker shows: the smallest, on the faces seen at a slant
// after `orbit`, cover about 1000 pixels.
int cubeColorsShown(const Picture& picture) {
    int shown = 0;
    for (Rgb color : kCubeColors) {
        shown += countNear(picture, kPuzzleArea, color, 6) > 800;
    }
    return shown;
}

// The pixels of `area` in `picture` are those of `refArea` (of the same size) in `ref`.
bool looksLike(const Picture& picture, Area area, const Picture& ref, Area refArea) {
    for (int y = 0; y < area.height; ++y) {
        for (int x = 0; x < area.width; ++x) {
            if (!(picture.at(area.x + x, area.y + y) == ref.at(refArea.x + x, refArea.y + y))) {
                return false;
            }
        }
    }
    return true;
}

class Play : public EndToEnd {};

TEST_F(Play, StartShowsTheCubeOnGreyAndTheControlPanelAtTheRight) {
    Session session(e2e::freshDirectory("start"), "start");
    const Picture start = session.settle();
    session.keep(start, "start");

    for (auto [x, y] :
         {std::pair{5, 5}, {5, 590}, {150, 150}, {250, 500}, {480, 590}, {790, 120}}) {
        EXPECT_TRUE(isBackground(start.at(x, y))) << "background at " << x << ", " << y;
    }
    // Seen face on, the cube is its white front face cut into 3 x 3 stickers by black lines.
    const auto row = stickerRunsInRow(start, 300, 150, 650);
    const auto column = stickerRunsInColumn(start, 400, 60, 540);
    EXPECT_EQ(row.size(), 3u);
    EXPECT_EQ(column.size(), 3u);
    EXPECT_GT(countNear(start, kPuzzleArea, kCubeColors[0], 6), 20000) << "white stickers";
    EXPECT_GT(countPixels(start, kPuzzleArea, isBlack), 2000) << "black lines";

    for (const Area& b : kPlayButtons) {
        EXPECT_EQ(unreadableButton(start, b), "") << "button at " << b.x << ", " << b.y;
    }
    EXPECT_EQ(counter(start), "0");
    EXPECT_GT(countPixels(start, kTimer, isBright), 300) << "the solve timer is shown";
    EXPECT_EQ(readDigits(start, kTimer), "00?00?0000") << "00:00:00 and 00 hundredths";

    // Turned about, the cube shows three faces, each in its own colour.
    orbit(session);
    session.park();
    const Picture turned = session.settle();
    session.keep(turned, "orbited");
    EXPECT_EQ(cubeColorsShown(turned), 3);
    EXPECT_FALSE(sameIn(start, turned, kPuzzleArea));

    expectCleanEnd(session);
}

TEST_F(Play, ClickingAStickerTurnsALayerAndUndoBringsTheStartBack) {
    Session session(e2e::freshDirectory("turn"), "turn");
    orbit(session);
    session.park();
    const Picture start = session.settle();
    ASSERT_EQ(counter(start), "0");

    // The left button on the front face's middle sticker turns the front layer.
    session.click(kFrontCentreX, kFrontCentreY);
    session.park();
    session.waitFor([](const Picture& p) { return counter(p) == "1"; },
                    "the move counter to read 1");
    const Picture turned = session.settle();
    session.keep(turned, "turned");
    EXPECT_EQ(counter(turned), "1");
    EXPECT_GT(differingPixels(start, turned, kPuzzleArea), 2000) << "the layer has turned";
    EXPECT_EQ(cubeColorsShown(turned), 4) << "stickers of a hidden face come into view";

    session.click(centreX(kUndo), centreY(kUndo));
    session.clickAway();
    // The undo turn animates back to the very picture of the start, counter and all.
    const Picture undone = session.waitFor([&](const Picture& p) { return p == start; },
                                           "the start picture after Undo Move");
    session.keep(undone, "undone");
    EXPECT_EQ(counter(undone), "0");

    // Nothing is left to undo.
    session.click(centreX(kUndo), centreY(kUndo));
    session.clickAway();
    EXPECT_EQ(session.settle(), start);

    expectCleanEnd(session);
}

TEST_F(Play, FullyScrambledChangesThePictureAndTheCounterReadsZero) {
    Session session(e2e::freshDirectory("scramble"), "scramble");
    orbit(session);
    session.park();
    const Picture start = session.settle();

    session.click(centreX(kFullyScrambled), centreY(kFullyScrambled));
    session.clickAway();
    session.waitFor([&](const Picture& p) { return !sameIn(p, start, kPuzzleArea); },
                    "the scrambled cube");
    const Picture scrambled = session.settle();
    session.keep(scrambled, "scrambled");
    EXPECT_EQ(counter(scrambled), "0");
    EXPECT_TRUE(sameIn(scrambled, start, kCounter)) << "the counter is the start's 0";
    EXPECT_TRUE(sameIn(scrambled, start, kTimer)) << "the timer does not run before a turn";
    // Scrambled, the three faces seen show stickers of more than three colours (all 27 of
    // three colours or fewer: a chance of about 1 in 10 million).
    EXPECT_GT(cubeColorsShown(scrambled), 3);

    // The first turn after a full scramble starts the solve timer.
    session.click(kFrontCentreX, kFrontCentreY);
    session.park();
    session.waitFor([&](const Picture& p) { return !sameIn(p, start, kTimer); },
                    "the solve timer to run");
    session.keep(session.capture(), "timing");

    expectCleanEnd(session);
}

TEST_F(Play, LayerKeysAndAnchorKeysChangeTheCheckBoxesAndRadioButtons) {
    Session session(e2e::freshDirectory("selection"), "selection");
    const Picture start = session.settle();
    // The 3x3 cube turns three layers about a face: boxes 1 to 3 with layer 1 alone selected,
    // and "Face" checked. The start shows what checked and unchecked marks look like.
    const Area checkedBox = layerBox(0, 3);
    const Area uncheckedBox = layerBox(1, 3);
    const Area checkedRadio = kRadios[0];
    const Area uncheckedRadio = kRadios[1];
    ASSERT_FALSE(looksLike(start, uncheckedBox, start, checkedBox));
    ASSERT_FALSE(looksLike(start, uncheckedRadio, start, checkedRadio));

    auto boxes = [&](const Picture& p, std::vector<bool> checked) {
        const int n = int(checked.size());
        for (int i = 0; i < n; ++i) {
            if (!looksLike(p, layerBox(i, n), start,
                           checked[std::size_t(i)] ? checkedBox : uncheckedBox)) {
                return false;
            }
        }
        return true;
    };
    auto radio = [&](const Picture& p, int kind) {
        for (int i = 0; i < 3; ++i) {
            if (!looksLike(p, kRadios[i], start, i == kind ? checkedRadio : uncheckedRadio)) {
                return false;
            }
        }
        return true;
    };

    // The digit keys toggle their layers.
    session.keys({"2"});
    session.waitFor(
        [&](const Picture& p) {
            return boxes(p, {true, true, false});
        },
        "boxes 1 and 2 checked after key 2");
    session.keys({"3"});
    session.waitFor(
        [&](const Picture& p) {
            return boxes(p, {true, true, true});
        },
        "boxes 1 to 3 checked after key 3");
    session.keys({"1"});
    const Picture layers = session.waitFor(
        [&](const Picture& p) {
            return boxes(p, {false, true, true});
        },
        "box 1 unchecked after key 1");
    session.keep(layers, "layers-2-3");
    EXPECT_TRUE(radio(layers, 0));

    // w and e choose point and edge anchors: their radio button is checked, and the column of
    // boxes is rebuilt for that kind with layer 1 alone selected.
    session.keys({"w"});
    session.waitFor([&](const Picture& p) { return radio(p, 1); }, "Point checked after key w");
    session.keep(session.settle(), "point");
    session.keys({"e"});
    session.waitFor([&](const Picture& p) { return radio(p, 2); }, "Edge checked after key e");
    session.keep(session.settle(), "edge");
    session.keys({"q"});
    session.waitFor(
        [&](const Picture& p) {
            return radio(p, 0) && boxes(p, {true, false, false});
        },
        "Face checked and layer 1 alone after key q");
    EXPECT_EQ(session.settle(), start) << "back to the start's selection";

    expectCleanEnd(session);
}

TEST_F(Play, EachReadyMadePuzzleOfTheListIsDrawnWithItsTurningKind) {
    struct ReadyMade {
        const char* label;
        int kind;  // 0 face, 1 point, 2 edge: the radio button checked
    };
    const ReadyMade kList[] = {{"pyraminx", 1},   {"pyracopter", 2},    {"3x3-cube", 0},
                               {"dino-cube", 1},  {"dino-ultimate", 0}, {"helicopter-cube", 2},
                               {"octahedron", 0}, {"octapyramid", 1},   {"megaminx", 0}};
    Session session(e2e::freshDirectory("ready-made"), "ready-made");
    const Picture faceOn = session.settle();
    // Some puzzles differ in their turning axes more than in their cuts (the Pyraminx and the
    // Pyracopter are cut alike on the surface): with the pointer resting on the puzzle, the
    // layer that a click would turn is highlighted, and that shows the axes as well.
    auto hover = [&] {
        session.park();
        session.moveTo(400, 300);
    };
    orbit(session);
    hover();
    const Picture start = session.settle();
    session.keep(start, "start");
    auto radio = [&](const Picture& p, int kind) {
        for (int i = 0; i < 3; ++i) {
            if (!looksLike(p, kRadios[i], faceOn, i == kind ? kRadios[0] : kRadios[1])) {
                return false;
            }
        }
        return true;
    };

    // Neighbours in the list differ in turning kind, so the radio buttons tell when the
    // choice has been made.
    std::vector<Picture> drawn;
    for (std::size_t i = 0; i < std::size(kList); ++i) {
        if (i == 0) {
            // A click opens the list at the item shown, "Pyraminx"; Enter chooses it.
            session.click(centreX(kReadyMade), centreY(kReadyMade));
            session.keys({"Return"});
        } else {
            // The list keeps the focus: Enter opens it, Down moves to the next item.
            session.keys({"Return", "Down", "Return"});
        }
        hover();
        session.waitFor([&](const Picture& p) { return radio(p, kList[i].kind); },
                        std::string("the turning kind of ") + kList[i].label);
        const Picture picture = session.settle();
        session.keep(picture, kList[i].label);
        EXPECT_TRUE(radio(picture, kList[i].kind)) << kList[i].label;
        EXPECT_GT(countPixels(picture, kPuzzleArea, isBlack), 1000) << kList[i].label;
        EXPECT_GT(countPixels(picture, kPuzzleArea,
                              [](Rgb c) { return !isBackground(c) && !isBlack(c); }),
                  10000)
            << kList[i].label << ": stickers";
        drawn.push_back(picture);
    }
    for (std::size_t a = 0; a < drawn.size(); ++a) {
        for (std::size_t b = a + 1; b < drawn.size(); ++b) {
            EXPECT_GT(differingPixels(drawn[a], drawn[b], kPuzzleArea), 1000)
                << kList[a].label << " and " << kList[b].label << " look alike";
        }
    }
    // The "3x3 Cube" of the list is the cube the program starts with.
    EXPECT_EQ(differingPixels(drawn[2], start, kPuzzleArea), 0);

    expectCleanEnd(session);
}

}  // namespace

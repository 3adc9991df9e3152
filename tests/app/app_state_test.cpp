#include "app_state.h"

#include <sys/stat.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>

#include "app_test_support.h"
#include "diagnostic_log.h"

namespace {

std::vector<unsigned char> optionBytes(uint8_t a, uint8_t b, uint8_t c, int32_t frames,
                                       double seconds) {
    std::vector<unsigned char> out(15);
    out[0] = a;
    out[1] = b;
    out[2] = c;
    std::memcpy(out.data() + 3, &frames, 4);
    std::memcpy(out.data() + 7, &seconds, 8);
    return out;
}

}  // namespace

using AppStateTest = InScratchDirectory;

TEST_F(AppStateTest, FreshStartDefaultsAndNoOptionsFile) {
    EXPECT_EQ(appState->isLeftButtonClockwise(), 0);
    EXPECT_EQ(appState->isCubyHighlights(), 1);
    EXPECT_EQ(appState->isPulldownVisible(), 1);
    EXPECT_EQ(appState->getTurnFrames(), 20);
    EXPECT_EQ(appState->getTurnSeconds(), 0.25);
    EXPECT_EQ(appState->getMode(), Play);
    EXPECT_EQ(appState->getLayerMask(), 1);
    EXPECT_EQ(appState->getLineWidth(), 40);
    EXPECT_STREQ(appState->fileNameText(), "newpuzzle.pzl");
    const PuzzleDefinition& d = appState->getDefinition();
    EXPECT_EQ(d.shape, Cube);
    EXPECT_EQ(d.sliceCount, 1);
    EXPECT_EQ(d.sliceKinds[0], FaceSlice);
    EXPECT_EQ(d.sliceThicknesses[0], 120);
    EXPECT_EQ(d.groupsValid, 0);
    EXPECT_EQ(appState->getWindowWidth(), 640);
    EXPECT_FALSE(fileExists("options.inf"));
}

TEST_F(AppStateTest, TurnSecondsToFrames) {
    const std::pair<double, int32_t> cases[] = {{0.0, 1},    {0.01, 1},    {0.0125, 20},
                                                {0.25, 20},  {0.2625, 21}, {0.3, 24},
                                                {10.0, 800}, {12.5, 800},  {-1.0, 1}};
    for (auto [seconds, frames] : cases) {
        appState->setTurnSeconds(seconds);
        EXPECT_EQ(appState->getTurnFrames(), frames) << seconds;
    }
    appState->setTurnSeconds(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(appState->getTurnSeconds(), 0.0);
    EXPECT_EQ(appState->getTurnFrames(), 1);
    appState->setTurnSeconds(12.5);
    EXPECT_EQ(appState->getTurnSeconds(), 10.0);
}

TEST_F(AppStateTest, SaveOptionsWritesFifteenBytesAndReadsThemBack) {
    ASSERT_TRUE(saveOptions(*appState));
    EXPECT_EQ(readFileBytes("options.inf"), optionBytes(0, 1, 1, 20, 0.25));
    appState->setLeftButtonClockwise(1);
    appState->setCubyHighlights(0);
    appState->setPulldownVisible(0);
    appState->setTurnSeconds(0.3);
    ASSERT_TRUE(saveOptions(*appState));
    EXPECT_EQ(readFileBytes("options.inf"), optionBytes(1, 0, 0, 24, 0.3));
    // No temporary is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."),
                            std::filesystem::directory_iterator()),
              1);
    AppState reread;
    EXPECT_EQ(reread.isLeftButtonClockwise(), 1);
    EXPECT_EQ(reread.isCubyHighlights(), 0);
    EXPECT_EQ(reread.isPulldownVisible(), 0);
    EXPECT_EQ(reread.getTurnFrames(), 24);
    EXPECT_EQ(reread.getTurnSeconds(), 0.3);

    // A read-only file is not replaced; a writable one keeps its permissions.
    std::filesystem::permissions("options.inf", std::filesystem::perms::owner_read);
    const auto kept = readFileBytes("options.inf");
    appState->setLeftButtonClockwise(0);
    EXPECT_FALSE(saveOptions(*appState));
    EXPECT_EQ(readFileBytes("options.inf"), kept);
    const auto mode = std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                      std::filesystem::perms::group_read;
    std::filesystem::permissions("options.inf", mode);
    EXPECT_TRUE(saveOptions(*appState));
    EXPECT_EQ(std::filesystem::status("options.inf").permissions(), mode);
}

TEST_F(AppStateTest, ShortAndLongOptionFiles) {
    auto bytes = optionBytes(1, 0, 1, 33, 0.5);
    writeFileBytes("options.inf", {bytes.begin(), bytes.begin() + 7});
    AppState seven;
    EXPECT_EQ(seven.isLeftButtonClockwise(), 1);
    EXPECT_EQ(seven.isCubyHighlights(), 0);
    EXPECT_EQ(seven.getTurnSeconds(), 0.25);
    EXPECT_EQ(seven.getTurnFrames(), 20);  // the frame count follows the duration

    bytes.push_back(0x7F);
    writeFileBytes("options.inf", bytes);
    AppState sixteen;
    EXPECT_EQ(sixteen.getTurnSeconds(), 0.5);
    EXPECT_EQ(sixteen.getTurnFrames(), 40);

    // A count that disagrees with its duration: turns last as the options screen shows.
    writeFileBytes("options.inf", optionBytes(0, 1, 1, 800, 0.0));
    AppState disagreeing;
    EXPECT_EQ(disagreeing.getTurnSeconds(), 0.0);
    EXPECT_EQ(disagreeing.getTurnFrames(), 1);

    // Cut inside the duration: its first bytes come from the file over the default's.
    writeFileBytes("options.inf", {bytes.begin(), bytes.begin() + 9});
    AppState partial;
    EXPECT_NE(partial.getTurnSeconds(), 0.5);
    EXPECT_TRUE(std::isfinite(partial.getTurnSeconds()));

    // Something other than a regular file in its place is not read (a FIFO would block).
    std::filesystem::remove("options.inf");
    ASSERT_EQ(mkfifo("options.inf", 0644), 0);
    AppState fifo;
    EXPECT_EQ(fifo.getTurnSeconds(), 0.25);
}

TEST_F(AppStateTest, DamagedOptionValuesAreRepaired) {
    writeFileBytes("options.inf", optionBytes(7, 2, 255, 0, 0.25));
    AppState zeroFrames;
    EXPECT_EQ(zeroFrames.isLeftButtonClockwise(), 1);
    EXPECT_EQ(zeroFrames.isCubyHighlights(), 1);
    EXPECT_EQ(zeroFrames.isPulldownVisible(), 1);
    EXPECT_EQ(zeroFrames.getTurnFrames(), 20);

    for (double bad : {std::numeric_limits<double>::quiet_NaN(),
                       std::numeric_limits<double>::infinity(), -1.0, 10.5}) {
        writeFileBytes("options.inf", optionBytes(0, 1, 1, 100000, bad));
        AppState repaired;
        EXPECT_EQ(repaired.getTurnSeconds(), 0.25) << bad;
        EXPECT_EQ(repaired.getTurnFrames(), 20) << bad;
    }
    writeFileBytes("options.inf", optionBytes(0, 1, 1, 800, 10.0));
    AppState longest;
    EXPECT_EQ(longest.getTurnFrames(), 800);
}

TEST_F(AppStateTest, LineWidthClampsAndFileNameIsBounded) {
    appState->setLineWidth(5);
    EXPECT_EQ(appState->getLineWidth(), 10);
    appState->setLineWidth(250);
    EXPECT_EQ(appState->getLineWidth(), 200);
    appState->setLineWidth(10);
    EXPECT_EQ(appState->getLineWidth(), 10);
    appState->setLineWidth(200);
    EXPECT_EQ(appState->getLineWidth(), 200);

    std::string longest(255, 'a');
    EXPECT_TRUE(appState->setFileName(longest.c_str()));
    std::string tooLong(256, 'b');
    EXPECT_FALSE(appState->setFileName(tooLong.c_str()));
    char out[256];
    appState->getFileName(out);
    EXPECT_EQ(std::string(out), longest);
}

TEST_F(AppStateTest, LayerSelection) {
    appState->setSingleLayer(0);
    EXPECT_EQ(appState->getLayerMask(), 0);
    appState->setSingleLayer(20);
    EXPECT_EQ(appState->getLayerMask(), 524288);
    appState->setSingleLayer(32);
    EXPECT_EQ(appState->getLayerMask(), std::numeric_limits<int32_t>::min());
    appState->setSingleLayer(33);
    EXPECT_EQ(appState->getLayerMask(), 0);
    appState->setSingleLayer(-4);
    EXPECT_EQ(appState->getLayerMask(), 1);

    std::string path = directory + "/log.txt";
    logFile = std::fopen(path.c_str(), "w");
    appState->setSingleLayer(1);
    appState->toggleLayer(1);
    EXPECT_EQ(appState->getLayerMask(), 0);
    appState->setSingleLayer(1);
    appState->toggleLayer(3);
    EXPECT_EQ(appState->getLayerMask(), 5);
    appState->toggleLayer(40);  // no bit: unchanged
    EXPECT_EQ(appState->getLayerMask(), 5);
    std::fclose(logFile);
    logFile = nullptr;
    auto text = readFileBytes(path);
    EXPECT_EQ(std::string(text.begin(), text.end()),
              "b4: rotationlayer = 1\naf: rotationlayer = 0\n"
              "b4: rotationlayer = 1\naf: rotationlayer = 5\n"
              "b4: rotationlayer = 5\naf: rotationlayer = 5\n");
    EXPECT_EQ(appState->getLayerNumber(), 1);
}

TEST_F(AppStateTest, SliceEditingLimits) {
    appState->addSlice(2, 360);
    EXPECT_EQ(appState->getDefinition().sliceCount, 2);
    appState->addSlice(3, 90);
    appState->addSlice(0, 361);
    appState->addSlice(0, -1);
    EXPECT_EQ(appState->getDefinition().sliceCount, 2);
    appState->addSlice(1, 45);
    // Removing the first of three leaves the third, then the second.
    appState->removeSlice(0);
    const PuzzleDefinition& d = appState->getDefinition();
    ASSERT_EQ(d.sliceCount, 2);
    EXPECT_EQ(d.sliceKinds[0], 1);
    EXPECT_EQ(d.sliceThicknesses[0], 45);
    EXPECT_EQ(d.sliceKinds[1], 2);
    appState->removeSlice(2);
    appState->removeSlice(-1);
    EXPECT_EQ(d.sliceCount, 2);
    while (d.sliceCount < 16)
        appState->addSlice(0, 90);
    appState->addSlice(0, 90);
    EXPECT_EQ(d.sliceCount, 16);
    appState->setSlice(16, 2, 10);  // beyond the count: ignored
    appState->setSlice(15, 2, 10);
    EXPECT_EQ(d.sliceKinds[15], 2);
}

TEST_F(AppStateTest, ColourFadeToggle) {
    appState->toggleColorFade();
    EXPECT_EQ(appState->isColorFade(), 1);
    appState->toggleColorFade();
    EXPECT_EQ(appState->isColorFade(), 0);
}

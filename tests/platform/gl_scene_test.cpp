// The scene of scene.h drawn for real by platform_scene: with no display under SDL's
// offscreen driver, and in an X window under Xvfb, ended with Esc. The screenshot it writes
// must show the grey background, the nearer triangle in front, both windings and the 2D
// drawing over them.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "dxut/framework.h"
#include "dxut/png_file.h"
#include "scene.h"

namespace {

struct Picture {
    std::vector<std::uint8_t> rgba;
    unsigned width = 0;
    unsigned height = 0;
    std::array<int, 3> at(int x, int y) const {
        const std::size_t i = (std::size_t(y) * width + std::size_t(x)) * 4;
        return {rgba[i], rgba[i + 1], rgba[i + 2]};
    }
};

// Where a world point lands in the window, row vector times matrix as the effect does it.
POINT project(float x, float y, float z) {
    const D3DXMATRIX m = scene::worldViewProjection(scene::kWidth, scene::kHeight);
    const float clip[4] = {x * m(0, 0) + y * m(1, 0) + z * m(2, 0) + m(3, 0),
                           x * m(0, 1) + y * m(1, 1) + z * m(2, 1) + m(3, 1), 0,
                           x * m(0, 3) + y * m(1, 3) + z * m(2, 3) + m(3, 3)};
    return POINT{LONG((clip[0] / clip[3] + 1.0f) / 2.0f * scene::kWidth),
                 LONG((1.0f - clip[1] / clip[3]) / 2.0f * scene::kHeight)};
}

void expectColor(const Picture& picture, POINT p, std::array<int, 3> expected, int tolerance,
                 const char* what) {
    const std::array<int, 3> actual = picture.at(p.x, p.y);
    for (int c = 0; c < 3; ++c) {
        EXPECT_NEAR(actual[c], expected[c], tolerance)
            << what << " at (" << p.x << ", " << p.y << ") channel " << c;
    }
}

void checkScene(const std::string& png) {
    Picture picture;
    std::string error;
    ASSERT_TRUE(readPng(png, picture.rgba, picture.width, picture.height, error)) << error;
    ASSERT_EQ(picture.width, scene::kWidth);
    ASSERT_EQ(picture.height, scene::kHeight);

    expectColor(picture, {int(scene::kWidth) - 10, int(scene::kHeight) - 10}, {100, 100, 100}, 0,
                "background");
    expectColor(picture, {int(scene::kWidth) - 10, 10}, {100, 100, 100}, 0, "background");
    expectColor(picture, project(-1.2f, -1.2f, 0.0f), {255, 0, 0}, 0,
                "the near triangle (counter-clockwise)");
    expectColor(picture, project(1.5f, -1.2f, 2.0f), {0, 255, 0}, 0,
                "the far triangle (clockwise)");
    expectColor(picture, project(0.0f, -1.0f, 0.0f), {255, 0, 0}, 0,
                "the overlap: the near triangle in front though drawn first");

    // 0x80 alpha red over grey 100: 255 * 128/255 + 100 * 127/255, and 100 * 127/255.
    expectColor(picture,
                {(scene::kPanel.left + scene::kPanel.right) / 2,
                 (scene::kPanel.top + scene::kPanel.bottom) / 2},
                {178, 50, 50}, 2, "the translucent canvas rectangle");
    expectColor(picture, {scene::kPanel.right, scene::kPanel.bottom}, {100, 100, 100}, 0,
                "just outside the canvas rectangle");

    int white = 0;
    for (LONG y = scene::kTextBox.top; y < scene::kTextBox.bottom; ++y) {
        for (LONG x = scene::kTextBox.left; x < scene::kTextBox.right; ++x) {
            const auto c = picture.at(x, y);
            white += c[0] > 220 && c[1] > 220 && c[2] > 220;
        }
    }
    EXPECT_GT(white, 30) << "the text is drawn";
}

int runCommand(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string freshPath(const char* name) {
    const std::string path = ::testing::TempDir() + name;
    std::filesystem::remove(path);
    return path;
}

TEST(GlScene, OffscreenWithoutADisplayDrawsTheSceneAndWritesTheLastFrame) {
    const std::string png = freshPath("orvanta-scene-offscreen.png");
    const std::string command = "env -u DISPLAY SDL_VIDEODRIVER=offscreen '" PLATFORM_SCENE
                                "' -quitafterframe:3 -screenshot:" +
                                png;
    ASSERT_EQ(runCommand(command), 0);
    checkScene(png);
}

TEST(GlScene, CullStatesFollowTheWindingTheViewerSees) {
    // The media search looks in the current directory first: run with a variant of the
    // effect there that culls as Direct3D does by default, counter-clockwise triangles.
    const std::filesystem::path directory =
        std::filesystem::path(::testing::TempDir()) / "orvanta-cull";
    std::filesystem::create_directories(directory);
    std::ifstream original(ORVANTA_SOURCE_MEDIA "/Velmonde.fx");
    std::string effect((std::istreambuf_iterator<char>(original)),
                       std::istreambuf_iterator<char>());
    const std::size_t cull = effect.find("cull none");
    ASSERT_NE(cull, std::string::npos);
    effect.replace(cull, 9, "cull counterclockwise");
    std::ofstream(directory / "Velmonde.fx") << effect;

    const std::string png = freshPath("orvanta-scene-culled.png");
    const std::string command = "cd '" + directory.string() +
                                "' && env -u DISPLAY SDL_VIDEODRIVER=offscreen '" PLATFORM_SCENE
                                "' -quitafterframe:1 -screenshot:" +
                                png;
    ASSERT_EQ(runCommand(command), 0);
    Picture picture;
    std::string error;
    ASSERT_TRUE(readPng(png, picture.rgba, picture.width, picture.height, error)) << error;
    expectColor(picture, project(-1.2f, -1.2f, 0.0f), {100, 100, 100}, 0,
                "the counter-clockwise near triangle is culled");
    expectColor(picture, project(0.0f, -1.0f, 0.0f), {0, 255, 0}, 0,
                "the clockwise far triangle is not");
    std::filesystem::remove_all(directory);
}

TEST(GlScene, UnwritableScreenshotGivesItsExitCode) {
    const std::string command =
        "env -u DISPLAY SDL_VIDEODRIVER=offscreen '" PLATFORM_SCENE
        "' -quitafterframe:1 -screenshot:/nonexistent/dir/x.png 2>/dev/null";
    EXPECT_EQ(runCommand(command), DXUT_EXIT_SCREENSHOT);
}

TEST(GlScene, NoDisplayAndNoOffscreenRequestEndsWithoutAWindow) {
    // SDL would fall back to drawing offscreen, where the program would run unseen.
    const std::string command =
        "env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER '" PLATFORM_SCENE
        "' -quitafterframe:1 2>/dev/null";
    EXPECT_EQ(runCommand(command), DXUT_EXIT_NO_WINDOW);
}

TEST(XvfbWindow, EscapeTypedIntoTheWindowEndsTheProgramWithExitCodeZero) {
    const std::string png = freshPath("orvanta-scene-xvfb.png");
    const std::string command = "bash '" XVFB_SCRIPT "' '" PLATFORM_SCENE "' " + png;
    ASSERT_EQ(runCommand(command), 0);
    checkScene(png);
}

TEST(XvfbWindow, WherePresentingCannotWaitTheLoopDrawsSixtyFramesASecond) {
    // Xvfb's GL takes no swap interval, so without pacing the frames of this small scene
    // would follow each other as fast as they are drawn. 121 frames span 120 intervals: two
    // seconds at 60 a second, measured on the framework's clock so start-up does not count.
    const std::string span = freshPath("orvanta-scene-span.txt");
    // A display number of its own: xvfb-run -a alone starts looking at the number that the
    // other Xvfb test takes too, and two servers starting at once may pick the same one.
    const std::string display = std::to_string(1000 + std::random_device{}() % 50000);
    const std::string command =
        "timeout 60 env -u SDL_VIDEODRIVER ORVANTA_SCENE_SPAN='" + span + "' xvfb-run -a -n " +
        display + " -s '-screen 0 1024x768x24' '" PLATFORM_SCENE "' -quitafterframe:121";
    ASSERT_EQ(runCommand(command), 0);
    std::ifstream file(span);
    double seconds = 0.0;
    ASSERT_TRUE(file >> seconds);
    EXPECT_GT(seconds, 1.6) << "seconds for 120 frames";
}

}  // namespace

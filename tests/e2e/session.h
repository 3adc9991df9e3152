// The program as a user meets it: its own Xvfb server, a fresh working directory, real X
// input through xdotool and screenshots of its window. Helpers throw std::runtime_error when
// something does not happen in time; GoogleTest reports that as the test's failure.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "picture.h"

namespace e2e {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Generous: the sanitizer build on a busy CI machine draws slowly.
inline constexpr auto kPatience = 60s;

// Window coordinates where the pointer rests between actions: empty grey space on every
// screen, far from the puzzle, so no layer is highlighted and no control is hovered.
inline constexpr int kParkX = 100;
inline constexpr int kParkY = 560;
// The top right button: "Edit Puzzle" on the play screen, "Play Puzzle" on the edit, save
// and load screens. Hovering it shows that the program has handled all input sent so far.
inline constexpr Area kTopRightButton{655, 10, 125, 22};

// A directory under the build tree, emptied: where a scenario runs, so its files stay there
// to be looked at afterwards.
std::filesystem::path freshDirectory(const std::string& name);
// Where screenshots are kept for people to look at.
std::filesystem::path screensDirectory();

// A child process with its output in files.
struct Child {
    pid_t pid = -1;
    // The exit code, 128 + the signal when killed, nothing when it is still running at the
    // deadline (it is then killed).
    std::optional<int> wait(std::chrono::milliseconds timeout);
    bool alive();
    void kill();
};

Child spawn(const std::vector<std::string>& argv, const std::filesystem::path& directory,
            const std::filesystem::path& output,
            const std::vector<std::pair<std::string, std::string>>& environment = {});

// Runs a tool to its end, appends what it printed to `out` and returns its exit code;
// throws when it hangs.
int runToolFor(const std::vector<std::string>& argv, std::string& out,
               std::chrono::milliseconds timeout = kPatience);
// Runs a tool to its end and returns what it printed; throws when it fails or hangs.
std::string runTool(const std::vector<std::string>& argv,
                    std::chrono::milliseconds timeout = kPatience);

// An Xvfb server of its own. DISPLAY is set for this process and the children it starts.
class XServer {
  public:
    XServer();
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;
    const std::string& display() const { return display_; }

  private:
    Child server_;
    std::string display_;
};

class Session {
  public:
    // Starts the program in `directory` and waits until its window shows a settled first
    // frame. `name` prefixes the screenshots kept.
    Session(const std::filesystem::path& directory, std::string name);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    const std::filesystem::path& directory() const { return directory_; }

    Picture capture();
    // Returns a picture drawn after the program has handled every input sent before: the
    // pointer goes to `marker`, a button of the screen shown, until it looks hovered, then
    // back, until it no longer does. Stillness alone proves nothing when the machine is
    // busy and the program has not run for a while.
    Picture sync(Area marker = kTopRightButton);
    // sync, then waits until the window shows the same picture over several captures: the
    // animation that the last action started is over.
    Picture settle(Area marker = kTopRightButton);
    Picture waitFor(const std::function<bool(const Picture&)>& done, const std::string& what,
                    std::chrono::milliseconds timeout = kPatience);
    // Keeps the picture as <screens>/<name>-<label>.png.
    void keep(const Picture& picture, const std::string& label);

    void moveTo(int x, int y);
    void click(int x, int y, int button = 1);
    void drag(int fromX, int fromY, int toX, int toY, int button = 1);
    // Moves the pointer out of the way.
    void park() { moveTo(kParkX, kParkY); }
    // A click on empty space: takes the focus from the control clicked last.
    void clickAway() { click(kParkX, kParkY); }
    // Key names as xdotool knows them ("Escape", "Return", "2", "q").
    void keys(const std::vector<std::string>& names);
    void type(const std::string& text);
    // Replaces the text of the edit box at (x, y). Only keys without modifiers: the caret
    // to the end and Backspace, so that no modifier state can go astray.
    void replaceText(int x, int y, const std::string& text);

    // Esc, then the exit code; throws when the program does not end.
    int quitWithEscape();
    std::optional<int> waitForExit(std::chrono::milliseconds timeout);
    // What the program wrote to stdout and stderr.
    std::string output() const;

  private:
    void start();
    void closeConnection();
    void xdotool(std::vector<std::string> arguments);

    std::filesystem::path directory_;
    std::string name_;
    Child program_;
    bool running_ = false;
    std::string window_;
    Rgb face_;         // of a button
    Rgb hoveredFace_;  // of a button under the pointer
    int pointerX_ = kParkX;
    int pointerY_ = kParkY;
    void* connection_ = nullptr;  // Display*, kept out of this header with Xlib's macros
};

// Sanitizer and runtime error reports in a program's output; empty when there are none.
std::string sanitizerReports(const std::string& output);

// The file's bytes; empty when it cannot be read.
std::string readFile(const std::filesystem::path& path);

}  // namespace e2e

// Sessions of the program under test (session.h).
//
// [SECTION] processes
// [SECTION] the X server
// [SECTION] the program

#include "session.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace e2e {

namespace {

namespace fs = std::filesystem;

constexpr auto kPoll = 40ms;
// Identical captures in a row that count as settled after a sync, and the least time they
// must span: an animation still running shows in that time.
constexpr int kSettledCaptures = 4;
constexpr auto kSettledSpan = 300ms;
// How long a pointer move may take to show before it is sent again.
constexpr auto kMoveAgain = 2s;

[[noreturn]] void fail(const std::string& message) {
    throw std::runtime_error(message);
}

std::vector<char*> argvOf(const std::vector<std::string>& argv) {
    std::vector<char*> out;
    for (const std::string& a : argv) {
        out.push_back(const_cast<char*>(a.c_str()));
    }
    out.push_back(nullptr);
    return out;
}

int exitCodeOf(int status) {
    if (WIFEXITED(status)) {
        return WEXITSTATUS(status);
    }
    return 128 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
}

std::string joined(const std::vector<std::string>& argv) {
    std::string text;
    for (const std::string& a : argv) {
        text += (text.empty() ? "" : " ") + a;
    }
    return text;
}

// The default Xlib error handler ends the process; a window that has just gone is an
// ordinary outcome here, reported by the failed call instead.
int ignoreXError(Display*, XErrorEvent*) {
    return 0;
}

}  // namespace

fs::path freshDirectory(const std::string& name) {
    const fs::path directory = fs::path(E2E_WORK_DIR) / "runs" / name;
    fs::remove_all(directory);
    fs::create_directories(directory);
    return directory;
}

fs::path screensDirectory() {
    const fs::path directory = fs::path(E2E_WORK_DIR) / "screens";
    fs::create_directories(directory);
    return directory;
}

std::string readFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

std::string sanitizerReports(const std::string& output) {
    static const char* const kMarks[] = {"AddressSanitizer", "LeakSanitizer",
                                         "UndefinedBehaviorSanitizer", "runtime error:"};
    std::istringstream lines(output);
    std::string line;
    std::string reports;
    while (std::getline(lines, line)) {
        for (const char* mark : kMarks) {
            if (line.find(mark) != std::string::npos) {
                reports += line + "\n";
                break;
            }
        }
    }
    return reports;
}

// [SECTION] processes

std::optional<int> Child::wait(std::chrono::milliseconds timeout) {
    if (pid < 0) {
        return std::nullopt;
    }
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        int status = 0;
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            pid = -1;
            return exitCodeOf(status);
        }
        if (done < 0 || Clock::now() > deadline) {
            kill();
            return std::nullopt;
        }
        std::this_thread::sleep_for(10ms);
    }
}

bool Child::alive() {
    int status = 0;
    if (pid > 0 && waitpid(pid, &status, WNOHANG) == pid) {
        pid = -1;
    }
    return pid > 0;
}

void Child::kill() {
    if (pid < 0) {
        return;
    }
    ::kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    pid = -1;
}

Child spawn(const std::vector<std::string>& argv, const fs::path& directory, const fs::path& output,
            const std::vector<std::pair<std::string, std::string>>& environment) {
    std::vector<char*> args = argvOf(argv);
    const pid_t pid = fork();
    if (pid < 0) {
        fail("fork failed: " + std::string(std::strerror(errno)));
    }
    if (pid == 0) {
        const int out = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out < 0 || chdir(directory.c_str()) != 0) {
            _exit(126);
        }
        dup2(out, STDOUT_FILENO);
        dup2(out, STDERR_FILENO);
        close(out);
        for (const auto& [name, value] : environment) {
            setenv(name.c_str(), value.c_str(), 1);
        }
        execvp(args[0], args.data());
        _exit(127);
    }
    return Child{pid};
}

int runToolFor(const std::vector<std::string>& argv, std::string& out,
               std::chrono::milliseconds timeout) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
        fail("pipe failed");
    }
    std::vector<char*> args = argvOf(argv);
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(pipeFds[1], STDOUT_FILENO);
        close(pipeFds[0]);
        close(pipeFds[1]);
        execvp(args[0], args.data());
        _exit(127);
    }
    close(pipeFds[1]);
    Child child{pid};
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd p{pipeFds[0], POLLIN, 0};
        if (left.count() <= 0 || poll(&p, 1, int(left.count())) <= 0) {
            close(pipeFds[0]);
            child.kill();
            fail("timed out: " + joined(argv));
        }
        char buffer[4096];
        const ssize_t n = read(pipeFds[0], buffer, sizeof buffer);
        if (n <= 0) {
            break;
        }
        out.append(buffer, std::size_t(n));
    }
    close(pipeFds[0]);
    const std::optional<int> code = child.wait(timeout);
    if (!code) {
        fail("hung: " + joined(argv));
    }
    return *code;
}

std::string runTool(const std::vector<std::string>& argv, std::chrono::milliseconds timeout) {
    std::string out;
    const int code = runToolFor(argv, out, timeout);
    if (code != 0) {
        fail("failed (" + std::to_string(code) + "): " + joined(argv));
    }
    return out;
}

// [SECTION] the X server

namespace {

// ":N". Appended rather than ":" + ...: GCC 12 warns falsely (-Wrestrict) on that form.
std::string displayName(int number) {
    std::string name = ":";
    name += std::to_string(number);
    return name;
}

// Starts Xvfb on `display` and waits until it has said, through -displayfd, that it takes
// connections. False when it ends first (the display is taken). -noreset: by default the
// server resets whenever its last client leaves (every xdotool run, the probe below), and a
// program connecting just then is refused.
bool startXvfb(Child& server, int display) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
        fail("pipe failed");
    }
    const std::vector<std::string> argv = {"Xvfb",        displayName(display),
                                           "-displayfd",  std::to_string(pipeFds[1]),
                                           "-screen",     "0",
                                           "1024x768x24", "-nolisten",
                                           "tcp",         "-noreset"};
    std::vector<char*> args = argvOf(argv);
    const pid_t pid = fork();
    if (pid == 0) {
        close(pipeFds[0]);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execvp(args[0], args.data());
        _exit(127);
    }
    close(pipeFds[1]);
    server.pid = pid;
    std::string said;
    const auto deadline = Clock::now() + kPatience;
    while (said.find('\n') == std::string::npos) {
        pollfd p{pipeFds[0], POLLIN, 0};
        char buffer[32];
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        const ssize_t n = left.count() <= 0 || poll(&p, 1, int(left.count())) <= 0
                              ? -1
                              : read(pipeFds[0], buffer, sizeof buffer);
        if (n <= 0) {
            close(pipeFds[0]);
            server.kill();
            return false;
        }
        said.append(buffer, std::size_t(n));
    }
    close(pipeFds[0]);
    return true;
}

}  // namespace

XServer::XServer() {
    // A display number just given up by a server that is still shutting down can end up
    // with neither server reachable; random numbers far above the usual ones are seldom
    // used twice in a row, even with many tests starting servers at once.
    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<int> numbers(1000, 59999);
    for (int attempt = 0; attempt < 20 && display_.empty(); ++attempt) {
        const int number = numbers(random);
        if (startXvfb(server_, number)) {
            display_ = displayName(number);
        }
    }
    if (display_.empty()) {
        fail("Xvfb does not start (is it installed? scripts/install-deps.sh installs it)");
    }
    setenv("DISPLAY", display_.c_str(), 1);
    // A program that cannot reach the server would not fail: SDL would quietly draw
    // offscreen. So make sure that the server takes connections before any program starts.
    const auto deadline = Clock::now() + kPatience;
    Display* probe = nullptr;
    while ((probe = XOpenDisplay(display_.c_str())) == nullptr) {
        if (Clock::now() > deadline || !server_.alive()) {
            server_.kill();
            fail("Xvfb on " + display_ + " takes no connections");
        }
        std::this_thread::sleep_for(kPoll);
    }
    XCloseDisplay(probe);
    // A real X window: SDL must not fall back to another driver (its offscreen one would
    // run the program unseen) but fail, with its reason in the program's output.
    setenv("SDL_VIDEODRIVER", "x11", 1);
}

XServer::~XServer() {
    if (server_.pid > 0) {
        ::kill(server_.pid, SIGTERM);
        if (!server_.wait(10s)) {
            server_.kill();
        }
    }
}

// [SECTION] the program

Session::Session(const fs::path& directory, std::string name)
    : directory_(directory), name_(std::move(name)) {
    // Screenshots of an earlier run of this session must not pass for this run's.
    for (const fs::directory_entry& entry : fs::directory_iterator(screensDirectory())) {
        if (entry.path().filename().string().starts_with(name_ + "-")) {
            fs::remove(entry.path());
        }
    }
    // Each frame advances time by the same step: turns take the same number of frames
    // however fast the machine draws.
    program_ = spawn({ORVANTA_BINARY, "-constantframetime:0.02"}, directory_,
                     directory_.parent_path() / (name_ + ".log"));
    running_ = true;
    try {
        start();
    } catch (...) {
        program_.kill();
        closeConnection();
        throw;
    }
}

void Session::start() {
    // xdotool's own --sync gives up with an X error when a window goes away while it looks
    // (windows come and go while the program starts), so look again until found.
    const auto deadline = Clock::now() + kPatience;
    while (window_.empty()) {
        std::string found;
        if (runToolFor({"xdotool", "search", "--onlyvisible", "--name", "^Orvanta$"}, found) == 0) {
            window_ = found.substr(0, found.find('\n'));
        } else if (Clock::now() > deadline || !program_.alive()) {
            fail("no window named Orvanta appeared on " + std::string(getenv("DISPLAY")) +
                 "; the program's output:\n" + output());
        } else {
            std::this_thread::sleep_for(kPoll);
        }
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        fail("cannot connect to the X server");
    }
    XSetErrorHandler(ignoreXError);
    connection_ = display;
    // Keys go to the focused window; without a window manager nothing focuses it for us.
    xdotool({"windowfocus", "--sync", window_});
    park();
    waitFor(
        [](const Picture& p) {
            // The first frame: grey background and the panel's "Edit Puzzle" button.
            return p.width == 800 && p.height == 600 && isBackground(p.at(5, 590)) &&
                   !isBackground(p.at(700, 15));
        },
        "the first frame");
    // What a button looks like, and what it looks like under the pointer: sync relies on it.
    const Area marker = kTopRightButton;
    const int faceX = marker.x + 5;
    const int faceY = marker.y + marker.height / 2;
    face_ = capture().at(faceX, faceY);
    moveTo(marker.x + marker.width / 2, marker.y + marker.height / 2);
    hoveredFace_ = waitFor([&](const Picture& p) { return !(p.at(faceX, faceY) == face_); },
                           "the top right button to look hovered")
                       .at(faceX, faceY);
    park();
    settle();
}

void Session::closeConnection() {
    if (connection_ != nullptr) {
        XCloseDisplay(static_cast<Display*>(connection_));
        connection_ = nullptr;
    }
}

Session::~Session() {
    if (running_) {
        program_.kill();
    }
    closeConnection();
}

Picture Session::capture() {
    Display* display = static_cast<Display*>(connection_);
    const Window window = std::stoul(window_);
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, window, &attributes) == 0) {
        fail("the window is gone");
    }
    XImage* image = XGetImage(display, window, 0, 0, unsigned(attributes.width),
                              unsigned(attributes.height), AllPlanes, ZPixmap);
    if (image == nullptr) {
        fail("cannot read the window's pixels");
    }
    Picture picture;
    picture.width = attributes.width;
    picture.height = attributes.height;
    picture.rgba.resize(std::size_t(picture.width) * std::size_t(picture.height) * 4);
    // Shifts from the visual's masks, so any 24-bit true-colour layout reads right.
    auto shiftOf = [](unsigned long mask) {
        int shift = 0;
        while (mask != 0 && (mask & 1) == 0) {
            mask >>= 1;
            ++shift;
        }
        return shift;
    };
    const int rs = shiftOf(image->red_mask);
    const int gs = shiftOf(image->green_mask);
    const int bs = shiftOf(image->blue_mask);
    std::size_t i = 0;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            picture.rgba[i++] = std::uint8_t((pixel & image->red_mask) >> rs);
            picture.rgba[i++] = std::uint8_t((pixel & image->green_mask) >> gs);
            picture.rgba[i++] = std::uint8_t((pixel & image->blue_mask) >> bs);
            picture.rgba[i++] = 255;
        }
    }
    XDestroyImage(image);
    return picture;
}

Picture Session::waitFor(const std::function<bool(const Picture&)>& done, const std::string& what,
                         std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        Picture picture = capture();
        if (done(picture)) {
            return picture;
        }
        if (Clock::now() > deadline) {
            keep(picture, "timeout");
            fail("timed out waiting for " + what + " (last picture kept as " + name_ +
                 "-timeout.png)");
        }
        if (running_ && !program_.alive()) {
            running_ = false;
            fail("the program ended while waiting for " + what + "; its output:\n" + output());
        }
        std::this_thread::sleep_for(kPoll);
    }
}

Picture Session::sync(Area marker) {
    if (pointerX_ >= marker.x && pointerX_ < marker.x + marker.width && pointerY_ >= marker.y &&
        pointerY_ < marker.y + marker.height) {
        fail("sync with the pointer on its marker: park it first");
    }
    // Every button of every screen shows these two faces, so this holds whatever screen
    // the program shows at the marker while it catches up.
    const int faceX = marker.x + 5;
    const int faceY = marker.y + marker.height / 2;
    const std::string where = " at " + std::to_string(marker.x) + ", " + std::to_string(marker.y);
    // A full-screen switch puts the pointer back where the program last saw it (SDL does
    // so), which can undo a move sent just before; so each move is sent again while waiting.
    auto moveUntil = [&](int x, int y, Rgb face, const std::string& what) {
        moveTo(x, y);
        auto moved = Clock::now();
        return waitFor(
            [&](const Picture& p) {
                if (p.at(faceX, faceY) == face) {
                    return true;
                }
                if (Clock::now() - moved > kMoveAgain) {
                    moveTo(x, y);
                    moved = Clock::now();
                }
                return false;
            },
            "the button" + where + " to look " + what);
    };
    const int x = pointerX_;
    const int y = pointerY_;
    moveUntil(marker.x + marker.width / 2, marker.y + marker.height / 2, hoveredFace_, "hovered");
    return moveUntil(x, y, face_, "as before");
}

Picture Session::settle(Area marker) {
    Picture last = sync(marker);
    int same = 1;
    auto since = Clock::now();
    return waitFor(
        [&](const Picture& p) {
            if (p == last) {
                ++same;
            } else {
                last = p;
                same = 1;
                since = Clock::now();
            }
            return same >= kSettledCaptures && Clock::now() - since >= kSettledSpan;
        },
        "the picture to settle");
}

void Session::keep(const Picture& picture, const std::string& label) {
    std::string error;
    const fs::path path = screensDirectory() / (name_ + "-" + label + ".png");
    if (!savePicture(picture, path.string(), error)) {
        fail("cannot keep " + path.string() + ": " + error);
    }
}

void Session::xdotool(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "xdotool");
    runTool(arguments);
}

void Session::moveTo(int x, int y) {
    xdotool({"mousemove", "--window", window_, std::to_string(x), std::to_string(y)});
    pointerX_ = x;
    pointerY_ = y;
}

void Session::click(int x, int y, int button) {
    xdotool({"mousemove", "--window", window_, std::to_string(x), std::to_string(y), "click",
             std::to_string(button)});
    pointerX_ = x;
    pointerY_ = y;
}

void Session::drag(int fromX, int fromY, int toX, int toY, int button) {
    const std::string b = std::to_string(button);
    pointerX_ = toX;
    pointerY_ = toY;
    xdotool({"mousemove", "--window", window_, std::to_string(fromX), std::to_string(fromY),
             "mousedown", b, "mousemove", "--window", window_, std::to_string(toX),
             std::to_string(toY), "mouseup", b});
}

void Session::keys(const std::vector<std::string>& names) {
    std::vector<std::string> arguments = {"key", "--delay", "20"};
    arguments.insert(arguments.end(), names.begin(), names.end());
    xdotool(arguments);
}

void Session::type(const std::string& text) {
    xdotool({"type", "--delay", "20", text});
}

void Session::replaceText(int x, int y, const std::string& text) {
    click(x, y);
    std::vector<std::string> names = {"End"};
    names.insert(names.end(), 24, "BackSpace");
    keys(names);
    type(text);
}

std::optional<int> Session::waitForExit(std::chrono::milliseconds timeout) {
    const std::optional<int> code = program_.wait(timeout);
    running_ = false;
    return code;
}

int Session::quitWithEscape() {
    keys({"Escape"});
    const std::optional<int> code = waitForExit(kPatience);
    if (!code) {
        fail("the program did not end after Esc");
    }
    return *code;
}

std::string Session::output() const {
    return readFile(directory_.parent_path() / (name_ + ".log"));
}

}  // namespace e2e

#pragma once
// The AppState, what the application keeps from one event to the next (its owner is the
// Application, application.h): camera, mouse and window state, the screen shown, the
// persistent options, the turning selection, line width, solve timer, turn speed, the current
// puzzle file name and the definition the current puzzle is built from.

#include <cstdint>

#include "d3dx9/d3dx9.h"
#include "geometry.h"
#include "puzzle_definition.h"

// The screens of the control panel.
enum AppMode : int32_t {
    Play = 0,
    Edit = 1,
    Save = 2,
    Load = 3,
    Help = 4,
    Options = 5,
    EditorHelp = 6,
    Version = 7,
};

enum TimerState : int32_t {
    Idle = 0,
    Running = 1,
    Solved = 2,
};

inline constexpr int32_t kFileNameSize = 256;
// Width of the black lines between stickers; the sticker inset handed to the engine is
// 1/lineWidth.
inline constexpr int32_t kMinLineWidth = 10;
inline constexpr int32_t kMaxLineWidth = 200;
inline constexpr double kDefaultTurnSeconds = 0.25;
inline constexpr double kMaxTurnSeconds = 10.0;
inline constexpr const char* kOptionsFile = "options.inf";

class FileReader;
class FileWriter;

// The application's part of a puzzle file, read and checked before anything changes.
struct PuzzleFileState {
    uint8_t colorFade = 0;
    uint8_t scrambled = 0;
    int32_t lineWidth = 40;
    PuzzleDefinition definition;
    double elapsedTime = 0.0;
    int32_t timerState = Idle;
    int32_t cubyCount = 0;
};

class AppState {
  public:
    AppState();
    AppState(const AppState&) = delete;
    AppState& operator=(const AppState&) = delete;

    // The definition.
    PuzzleDefinition& getDefinition() { return definition; }
    const PuzzleDefinition& getDefinition() const { return definition; }
    void setShape(int32_t shape) { definition.shape = shape; }
    void setSliceCount(int32_t count) { definition.sliceCount = count; }
    void setSlice(int32_t index, int32_t kind, int32_t thickness);
    void removeSlice(int32_t index);
    void addSlice(int32_t kind, int32_t thickness);
    void clearGroupsValid() { definition.groupsValid = 0; }
    void setEraseThreshold(int32_t threshold) { definition.eraseThreshold = threshold; }
    int32_t getEraseThreshold() const { return definition.eraseThreshold; }

    void setMode(int32_t m) { mode = m; }
    int32_t getMode() const { return mode; }
    void setAnchorKind(int32_t kind) { anchorKind = kind; }
    int32_t getAnchorKind() const { return anchorKind; }

    // The layer selection: a 32-bit mask, layer n is bit n - 1; layers above 32 have no bit.
    void setSingleLayer(int32_t n);
    int32_t getLayerMask() const { return rotationlayer; }
    void toggleLayer(int32_t n);
    void setLayerNumber(int32_t n) { layerNumber = n; }
    int32_t getLayerNumber() const { return layerNumber; }

    bool isColorFade() const { return colorFade != 0; }
    void toggleColorFade() { colorFade = colorFade != 1 ? 1 : 0; }
    void setScrambled(uint8_t value) { scrambled = value; }
    bool isScrambled() const { return scrambled == 1; }
    bool isLeftButtonClockwise() const { return leftButtonClockwise != 0; }
    void setLeftButtonClockwise(uint8_t value) { leftButtonClockwise = value; }
    bool isCubyHighlights() const { return cubyHighlights == 1; }
    void setCubyHighlights(uint8_t value) { cubyHighlights = value; }
    bool isPulldownVisible() const { return pulldownVisible != 0; }
    void setPulldownVisible(uint8_t value) { pulldownVisible = value; }

    void setHoverMouse(int32_t y, int32_t x);
    void getHoverMouse(int32_t& y, int32_t& x) const;
    void setLineWidth(int32_t width);
    int32_t getLineWidth() const { return lineWidth; }
    // Copies a zero-terminated name; false (and nothing changed) when it does not fit.
    bool setFileName(const char* name);
    void getFileName(char* out) const;
    const char* fileNameText() const { return fileName; }

    void setTimerState(int32_t state) { timerState = state; }
    int32_t getTimerState() const { return timerState; }
    void setElapsedTime(double seconds) { elapsedTime = seconds; }
    double getElapsedTime() const { return elapsedTime; }
    void addElapsedTime(double seconds) { elapsedTime += seconds; }
    int32_t getTurnFrames() const { return turnFrames; }
    double getTurnSeconds() const { return turnSeconds; }
    void setTurnSeconds(double seconds);

    // Camera and pick ray.
    void setLeftDrag(uint8_t value) { leftDrag = value; }
    bool isLeftDrag() const { return leftDrag == 1; }
    void setRightDrag(uint8_t value) { rightDrag = value; }
    bool isRightDrag() const { return rightDrag == 1; }
    void setLastMouse(int32_t y, int32_t x);
    void orbitCamera(int32_t y, int32_t x);
    void rollCamera(int32_t y, int32_t x);
    void zoomOut();
    void zoomIn();
    void computePickRay(int32_t y, int32_t x);
    const Vec3& getRayOrigin() const { return rayOrigin; }
    const Vec3& getRayTarget() const { return rayTarget; }
    // Ignores a size without area (a minimised window) and keeps the last one.
    void setWindowSize(int32_t height, int32_t width);
    int32_t getWindowHeight() const { return windowHeight; }
    int32_t getWindowWidth() const { return windowWidth; }
    double getAspectRatio() const;
    void getViewMatrix(D3DXMATRIX& out);
    const Vec3f& getEye() const { return eye; }
    const Vec3f& getUp() const { return up; }
    const Vec3f& getRight() const { return right; }
    double getDistance() const { return distance; }

    // Puzzle files: the application's part, up to the group ids. Loading reads into `out`
    // (which starts as a copy of the current definition) and checks every field; false for a
    // short or damaged part. applyPuzzleState then takes a checked part over.
    void savePuzzleState(FileWriter* writer, int32_t cubyCount);
    bool loadPuzzleState(FileReader* reader, PuzzleFileState& out) const;
    void applyPuzzleState(const PuzzleFileState& state);

    // Reads options.inf; called by the constructor.
    void readOptions();

  private:
    D3DXMATRIX viewMatrix;
    Vec3f eye{0.0f, 0.0f, -7.0f};
    Vec3f up{0.0f, 1.0f, 0.0f};
    Vec3f right;
    uint8_t leftDrag = 0;
    uint8_t rightDrag = 0;
    uint8_t colorFade = 0;
    uint8_t scrambled = 0;
    uint8_t leftButtonClockwise = 0;
    uint8_t cubyHighlights = 1;
    uint8_t pulldownVisible = 1;
    char fileName[kFileNameSize] = {};
    int32_t lastMouseY = 0;
    int32_t lastMouseX = 0;
    int32_t hoverMouseY = 0;
    int32_t hoverMouseX = 0;
    int32_t windowHeight = 480;
    int32_t windowWidth = 640;
    int32_t anchorKind = FaceSlice;
    int32_t rotationlayer = 1;
    int32_t layerNumber = 1;
    int32_t mode = Play;
    int32_t lineWidth = 40;
    int32_t timerState = Idle;
    int32_t turnFrames = 20;
    double distance = 7.0;
    double elapsedTime = 0.0;
    double turnSeconds = 0.25;
    Vec3 rayOrigin;
    Vec3 rayTarget;
    PuzzleDefinition definition;

    void placeEye();
    friend bool saveOptions(const AppState& state);
};

// The editor shows the line width on a 0..100 scale, 100 for the thinnest line: 19 of width
// to 10 of the scale, truncated both ways.
int32_t shownLineWidth(int32_t lineWidth);
int32_t lineWidthFromShown(int32_t shown);

// The frame count of a turn lasting `seconds`: 80 a second, at least 20 from 1/80 s on, and
// 1 below that.
int32_t turnFramesFor(double seconds);

// Writes options.inf from `state`; false when the file could not be written whole.
bool saveOptions(const AppState& state);

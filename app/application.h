#pragma once
// The application's one owner: the AppState, the current Puzzle with the count of its mesh,
// the device resources and the turn animation. Start-up creates it (startup.h), and every
// callback of the framework and of the control panel reaches it through its user-context
// argument. Everything runs on the framework's one thread.

#include <cstdint>
#include <memory>

#include "app_state.h"
#include "device_resources.h"
#include "puzzle.h"
#include "turn_animation.h"

// Whether a rebuild drops the stored bandage groups: it must when the cubies may change.
enum class BandageGroups { Keep, Drop };
// Whether a new puzzle's mesh is counted: it need not be when the slices did not change.
enum class VertexCount { Keep, Recount };

class Application {
  public:
    Application() = default;
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Replaces the current puzzle with one built from the definition; the old one goes first.
    void rebuildPuzzle(BandageGroups groups, VertexCount count);
    // Every replacement of the current puzzle ends here; the next frame draws the new one.
    void replacePuzzle(std::unique_ptr<Puzzle> next, VertexCount count);
    // Highlights the selected layers of the anchor under the stored hover position (play
    // screen, highlights on), or clears every highlight; the next frame draws the result.
    void updateHoverHighlight();

    std::unique_ptr<AppState> appState;
    std::unique_ptr<Puzzle> puzzle;
    // Vertices of the current puzzle's mesh, counted whenever its slices change.
    int32_t puzzleVertexCount = 0;
    // 1 while the vertex buffer matches the puzzle; every change of what is drawn clears it.
    uint8_t vertexBufferCurrent = 1;
    DeviceResources resources;
    TurnAnimation turn;
};

// The application a callback was registered with.
inline Application& applicationOf(void* userContext) {
    return *static_cast<Application*>(userContext);
}

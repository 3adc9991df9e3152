#pragma once
// A built puzzle: the live cubies in their current positions, their home copies in the solved
// positions, the uncut solid, the anchors with their ordered cutting planes, the move history
// and the bandage groups. Built in one go from a PuzzleDefinition and never rebuilt in place.
//
// Cubies are named by their index in `cubies`, anchors by their index in `anchors`; both
// orders follow from the definition alone and are stored in puzzle files.

#include <cstdint>
#include <vector>

#include "cuby.h"
#include "geometry.h"
#include "group_rings.h"
#include "home_index.h"
#include "mesh_cache.h"
#include "puzzle_definition.h"
#include "render_mesh.h"
#include "turn_memo.h"

class FileReader;
class FileWriter;

// A turning axis: a face, a vertex or an edge of the solid. Layer 1 lies at the anchor's own
// face, vertex or edge; the anchor has planeCount + 1 layers.
struct Anchor {
    int32_t kind = FaceSlice;
    int32_t index = 0;          // face, vertex, or the edge's first vertex
    int32_t secondIndex = 0;    // the edge's second vertex
    Vec3 point;                 // face centroid, the vertex, or the edge midpoint
    std::vector<Plane> planes;  // ordered from the anchor outwards; point on the positive side
    int32_t planeCount = 0;
    double stepAngle = 0.0;  // radians turned by one move
};

// One recorded turn of the move history.
struct Move {
    int32_t anchor = 0;
    int32_t layer = 0;   // layer mask: bit k-1 set when layer k turned
    int32_t turnnr = 0;  // how many step angles in this direction
    uint8_t clockwise = 0;
};

struct SolidFaceColor {
    int32_t color = 0;  // scratch of the colour check
    Vec3 normal;        // outward unit normal of the solid face
};

struct SolidFaceOrientation {
    Vec3 direction;  // scratch of the orientation check
    Vec3 normal;     // outward unit normal of the solid face
};

// What one call of Puzzle::turnLayer did.
enum class TurnResult {
    Unturned,  // nothing to turn (no such layer, or the slab would hold the whole puzzle)
    Turned,    // ran to its end, refit included on the last step
    // The last step's refit would leave a cubie where no home cubie is: this call wrote
    // nothing, so after a one-step turn the puzzle is as it was; after a turn of several steps
    // the layer stands where the previous step left it, and the caller puts back the
    // positions it kept when the turn began.
    Refused,
};

inline constexpr int32_t kMoveCapacity = 100000;
// Turns, replays and scrambles turn layers 1 to 19 of a layer mask; higher bits are recorded
// but never turned.
inline constexpr int32_t kTurnedLayers = 19;
// A full scramble records this many moves; they are never undone, nor counted as the solver's.
inline constexpr int32_t kScrambleMoves = 200;
// Cutting stops past this many pieces: far beyond any puzzle whose mesh fits the vertex limit,
// and it keeps a damaged or hostile definition from taking minutes and gigabytes to build.
inline constexpr int32_t kMaxCutCubies = 20000;

class Puzzle {
  public:
    explicit Puzzle(PuzzleDefinition* definition);
    ~Puzzle();
    Puzzle(const Puzzle&) = delete;
    Puzzle& operator=(const Puzzle&) = delete;

    int32_t getCubyCount() const { return cubyCount; }
    void cubyFaceCentroid(int32_t cuby, int32_t face, Vec3& out) const;
    int cubyFaceNormal(int32_t cuby, int32_t face, Vec3& out) const;

    // Solids and slice planes.
    void buildTetraHedron();
    void buildCube();
    void buildOctaHedron();
    void buildDodecaHedron();
    void buildIcosaHedron();
    void addFaceSlicePlanes(int32_t thickness, Plane* planes, int32_t first, int32_t end);
    void addPointSlicePlanes(int32_t thickness, Plane* planes, int32_t first, int32_t end);
    void addEdgeSlicePlanes(int32_t thickness, Plane* planes, int32_t first, int32_t end);

    // Solved checks.
    void computeFaceReferences(int32_t cuby);
    void faceDirection(int32_t cuby, int32_t face, Vec3& out) const;
    bool isSolved();
    bool isSolvedOriented();

    // Turning and highlighting layers.
    TurnResult turnLayer(int32_t anchor, int32_t layer, uint8_t clockwise, double fraction,
                         int32_t step);
    // True when the move would refit, tried in the very steps the animation takes: `frames`
    // steps, each turning layers 1 to kTurnedLayers of the mask in order by 1/frames of the
    // step angle. The puzzle is left exactly as it was. A refused move is logged.
    bool canTurn(int32_t anchor, int32_t layerMask, uint8_t clockwise, int32_t frames);
    // Every live vertex, cubie after cubie: what a refused turn or replay is put back to.
    void savePositions(std::vector<Vec3>& out) const;
    void restorePositions(const std::vector<Vec3>& positions);
    void highlightLayer(int32_t anchor, int32_t layer);
    void clearHighlights();
    int32_t getLayerCount(int32_t anchor) const;
    int32_t getLayerCountOfKind(int32_t kind) const;

    // The move history.
    // A move the history cannot hold (a new move in a full history, a turnnr past its range)
    // is not recorded.
    void recordMove(int32_t anchor, int32_t layerMask, uint8_t clockwise);
    // False, with a log line, when recordMove could not hold the move; a move that only
    // raises, lowers or cancels the last one always can.
    bool canRecord(int32_t anchor, int32_t layerMask, uint8_t clockwise) const;
    int32_t getMoveCount() const { return moveCount; }
    int32_t getLastMoveAnchor() const;
    int32_t getLastMoveLayerMask() const;
    uint8_t getLastMoveClockwise() const;
    int32_t getTurnMetric() const { return turnMetric; }
    void saveMoves(FileWriter& writer) const;
    // Reads and replays a move-history section; a damaged section (a direction byte other
    // than 0 or 1 among them), or one whose replay would record more than the history holds,
    // is refused whole and leaves the puzzle as it was.
    bool loadMoves(FileReader& reader);
    void scramble();

    // Picking: the anchor of a kind nearest to where the line hits the uncut solid, and the
    // live cubie whose face the line hits nearest to rayOrigin; -1 for none.
    int32_t pickAnchor(const Vec3& rayOrigin, const Vec3& rayTarget, int32_t kind) const;
    int32_t pickCuby(const Vec3& rayOrigin, const Vec3& rayTarget) const;

    // The render mesh. countVertices sets vertexLimitReached over the limit; fillVertices
    // writes the whole mesh into a buffer of `capacity` vertices, or nothing (-1) when the
    // limit flag is set or the mesh does not fit.
    int32_t countVertices();
    // What countVertices would flag, without touching the flag: for a puzzle not yet shown.
    bool overVertexLimit() const;
    int32_t fillVertices(MeshVertex* buffer, int32_t capacity, double inset, uint8_t colorFade);

    // Selection and bandage groups.
    void toggleCubySelection(int32_t cuby);
    void clearSelection();
    void connectSelected(PuzzleDefinition* definition);
    void disconnectSelected(PuzzleDefinition* definition);

    std::vector<Cuby> cubies;
    std::vector<Cuby> homeCubies;
    Cuby solid;
    std::vector<Anchor> anchors;
    std::vector<Move> moves;  // moveCount entries in use, room for moveCapacity
    int32_t scratchCount = 0;
    int32_t cubyCount = 0;
    int32_t moveCapacity = 0;
    int32_t moveCount = 0;
    int32_t anchorCount = 0;
    int32_t groupCount = 0;
    int32_t turnMetric = Single;
    std::vector<SolidFaceColor> solidFaceColors;
    std::vector<SolidFaceOrientation> solidFaceOrientations;
    // The cutting stopped at kMaxCutCubies; such a puzzle always counts as over the vertex limit.
    bool oversized = false;

  private:
    struct SolidData;
    struct Slab;
    struct Rotation;
    struct SlabTest;
    enum class Refit : uint8_t;
    // turnLayer without its log line; on a refusal `unfit` is the cubie that fits no home.
    TurnResult tryTurnLayer(int32_t anchor, int32_t layer, uint8_t clockwise, double fraction,
                            int32_t step, int32_t& unfit);
    // The slab of the layer before any widening; false when the anchor has no such layer.
    bool initialSlab(int32_t anchor, int32_t layer, Slab& slab) const;
    bool layerSlab(int32_t anchor, int32_t layer, Slab& slab);
    // The axis and angle of a turn of the slab by `fraction` of the step angle; false when
    // its first plane has no direction.
    static bool slabTurn(const Anchor& anchor, const Slab& slab, uint8_t clockwise, double fraction,
                         Vec3& axis, double& alpha);
    // Widens the slab past every plane of the anchor that some bandage group lies across
    // (`across(plane)`); false when it would hold the whole puzzle. In turn_slab.h.
    template <class Across>
    static bool widenSlab(const Anchor& anchor, Slab& slab, Across&& across);
    // The anchor's planes that some group lies across: its members' vertices lie on both
    // sides. Bit j for plane j; planes from TurnMemo::kMaskedPlanes on, by groupAcross.
    uint64_t groupCrossings(int32_t anchor);
    bool groupAcross(const Plane& plane) const;
    // TurnMemo's plane crossings of the anchor, computed when not yet remembered.
    const uint64_t* planeCrossings(int32_t anchor);
    // Builds the home index and the turn memo when there are none (or `again`).
    void prepareTurning(bool again = false);
    // Per home cubie, the position of its first vertex outside the anchor's plane (entry 2h)
    // or the plane negated (2h + 1) at the turning threshold, -1 for none; remembered.
    const int32_t* planeSides(int32_t anchor, int32_t plane);
    // The cubies below `count` inside the slab, in turnedCubies_, and whether each stands on
    // the vertices of a home cubie.
    void selectTurned(int32_t anchor, const Slab& slab, int32_t count);
    // Rotates the selected cubies and snaps them home; -1, the first cubie no home cubie
    // covers, or -2 when the home cubies changed since they were indexed. In the last two
    // cases no cubie was written.
    int32_t rotateAndRefit(int32_t anchor, const Slab& slab, const Rotation& rotation);
    int32_t nextPlace(TurnMemo::Turn& turn, const SlabTest& test, const Rotation& rotation,
                      int32_t home);
    // True while every home cubie has what the home index was built from.
    bool homesUnchanged() const;
    struct PlaceReplay;
    // Turns the loaded moves' layers as their turnnrs say; false, with `failed` the move
    // whose turn was refused, when one is.
    bool replayMoves(const std::vector<Move>& moves, size_t& failed);
    int64_t meshVertexTotal() const;
    MeshVertex* fillSticker(MeshVertex* out, int32_t cuby, int32_t face, double inset, bool fade);
    void buildSolid(const SolidData& data);
    void orderAnchorPlanes(Anchor& anchor, const std::vector<Plane>& scratch);
    void cutAndErase(const std::vector<Plane>& scratch, int32_t eraseThreshold);
    void restoreGroups(PuzzleDefinition* definition);

    HomeIndex homeIndex_;  // built on the first turn
    GroupRings groupRings_;
    MeshCache meshCache_;
    TurnMemo turnMemo_;
    // Per-face scratch of the sticker fill, sized once for the largest face so a fill
    // allocates nothing.
    struct OffsetLine {
        Vec3 start;
        Vec3 end;
    };
    std::vector<OffsetLine> stickerLines_;
    std::vector<uint32_t> stickerFade_;  // one per vertex, then the centre
    // Scratch of turning, kept to spare the allocations.
    std::vector<int32_t> turnedCubies_;
    std::vector<uint8_t> turnedAtRest_;
    std::vector<Refit> refitKinds_;
    std::vector<int32_t> refitPlaces_;
    std::vector<Vec3> refitVertices_;
    std::vector<int32_t> refitPositions_;
    std::vector<int32_t> snap_;
    std::vector<Vec3> placeVertices_;
    std::vector<Vec3> trialStart_;  // canTurn's positions to put back
};

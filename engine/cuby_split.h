#pragma once
// The split of a convex cubie by a plane into its front and back part, closed by a common cap
// face (splitCuby). The splitter keeps its working storage from one split to the next, so
// that the cutting of a whole puzzle allocates almost nothing, and it reads its source through
// pointers, so that the cutting can keep intermediate pieces in flat storage.

#include <cstdint>
#include <vector>

#include "cuby.h"

// The geometry of one piece, borrowed from whatever holds it.
struct CubyArrays {
    const Vec3* vertex = nullptr;
    int32_t vertexcount = 0;
    const int32_t* vindex = nullptr;
    const int32_t* facestart = nullptr;  // facecount + 1 entries, the first 0
    const int32_t* facecolor = nullptr;
    int32_t facecount = 0;

    int32_t faceSize(int32_t face) const { return facestart[face + 1] - facestart[face]; }
};

CubyArrays arraysOf(const Cuby& cuby);
// Gives the cubie these arrays (fresh copies) and all-zero edge flags, as a split does its parts.
void fillCuby(Cuby& cuby, const CubyArrays& arrays);

// One part made by a split, in the splitter's storage until the next split. The arrays grow
// to the largest part seen and are reused; the counts say how much is in use.
struct SplitPart {
    std::vector<Vec3> vertex;
    std::vector<int32_t> vindex;
    std::vector<int32_t> facestart;
    std::vector<int32_t> facecolor;
    int32_t vertexcount = 0;
    int32_t facecount = 0;

    CubyArrays arrays() const {
        return CubyArrays{vertex.data(),    vertexcount,      vindex.data(),
                          facestart.data(), facecolor.data(), facecount};
    }
};

class CubySplitter {
  public:
    // splitCuby's algorithm: true and both parts made when some vertex of the source lies in
    // front of the plane and some behind it; false, parts untouched, otherwise.
    bool split(const CubyArrays& source, const Plane& plane);
    const SplitPart& front() const { return front_; }
    const SplitPart& back() const { return back_; }

  private:
    void splitFace(const CubyArrays& source, int32_t face);
    int32_t findOrAddVertex(const Vec3& x);
    void appendFace(const int32_t* list, int32_t n, int32_t color);
    void buildCap();
    void fillPart(SplitPart& part, bool front);

    Plane plane_;
    // The working cubie: the source's vertices in order, then the section points, each with
    // its snapped distance from the plane; the source's faces or their pieces, then the cap.
    // Sized for the worst case at the start of a split, so that filling never checks room.
    std::vector<Vec3> vertex_;
    std::vector<double> side_;
    int32_t vertexcount_ = 0;
    std::vector<int32_t> vindex_;
    std::vector<int32_t> facestart_;
    std::vector<int32_t> facecolor_;
    int32_t facecount_ = 0;
    std::vector<int32_t> ring_;
    std::vector<int32_t> onPlane_;
    std::vector<int32_t> onPlaneSlot_;  // per working vertex: its place in onPlane_, or -1
    std::vector<uint8_t> adjacent_;     // onPlane_ × onPlane_: listed consecutively by a face
    std::vector<int32_t> cap_;
    int32_t capCount_ = 0;
    std::vector<int8_t> faceSide_;  // 1 front, -1 back, 2 both parts, 0 neither
    std::vector<int32_t> partIndex_;
    SplitPart front_;
    SplitPart back_;
};

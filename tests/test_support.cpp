#include "test_support.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>

#include "diagnostic_log.h"

CapturedLog::CapturedLog() : file_(std::tmpfile()), previous_(logFile) {
    logFile = file_;
}

CapturedLog::~CapturedLog() {
    logFile = previous_;
    std::fclose(file_);
}

std::string CapturedLog::text() {
    std::fflush(file_);
    long end = std::ftell(file_);
    std::string out(static_cast<size_t>(end), '\0');
    std::rewind(file_);
    size_t got = std::fread(out.data(), 1, out.size(), file_);
    out.resize(got);
    std::fseek(file_, 0, SEEK_END);
    return out;
}

Cuby makeCube() {
    Cuby cube;
    cube.vertex = {{1, 1, -1}, {-1, 1, -1}, {-1, -1, -1}, {1, -1, -1},
                   {1, 1, 1},  {-1, 1, 1},  {-1, -1, 1},  {1, -1, 1}};
    cube.vertexcount = 8;
    cube.vindex = {0, 1, 2, 3, 0, 4, 5, 1, 3, 7, 4, 0, 3, 2, 6, 7, 4, 7, 6, 5, 1, 5, 6, 2};
    cube.indexcount = 24;
    cube.facecount = 6;
    cube.facestart = {0, 4, 8, 12, 16, 20, 24};
    cube.facecolor = {0, 1, 2, 3, 4, 5};
    cube.edgeflag.assign(24, 0);
    return cube;
}

std::unique_ptr<PuzzleDefinition> makeDefinition(int32_t shape,
                                                 const std::vector<ReadyMadeSlice>& slices) {
    auto definition = std::make_unique<PuzzleDefinition>();
    definition->shape = shape;
    definition->sliceCount = static_cast<int32_t>(slices.size());
    for (size_t i = 0; i < slices.size(); ++i) {
        definition->sliceKinds[i] = slices[i].kind;
        definition->sliceThicknesses[i] = slices[i].thickness;
    }
    return definition;
}

std::unique_ptr<PuzzleDefinition> makeDefinition(const ReadyMadePuzzle& puzzle) {
    return makeDefinition(puzzle.shape, std::vector<ReadyMadeSlice>(
                                            puzzle.slices, puzzle.slices + puzzle.sliceCount));
}

std::unique_ptr<PuzzleDefinition> refusingTetrahedron() {
    auto definition = makeDefinition(TetraHedron, {{PointSlice, 6}});
    definition->eraseThreshold = 3;
    return definition;
}

bool samePositions(const Puzzle& a, const Puzzle& b) {
    if (a.cubyCount != b.cubyCount)
        return false;
    for (int32_t i = 0; i < a.cubyCount; ++i)
        for (int32_t k = 0; k < a.cubies[i].vertexcount; ++k) {
            const Vec3& p = a.cubies[i].vertex[k];
            const Vec3& q = b.cubies[i].vertex[k];
            if (p.x != q.x || p.y != q.y || p.z != q.z)
                return false;
        }
    return true;
}

bool sameMove(const Move& a, const Move& b) {
    return a.anchor == b.anchor && a.layer == b.layer && a.turnnr == b.turnnr &&
           a.clockwise == b.clockwise;
}

bool sameHistory(const Puzzle& a, const Puzzle& b) {
    if (a.getMoveCount() != b.getMoveCount())
        return false;
    for (int32_t i = 0; i < a.getMoveCount(); ++i)
        if (!sameMove(a.moves[i], b.moves[i]))
            return false;
    return true;
}

int32_t cubyAt(const Puzzle& puzzle, Vec3 centre) {
    for (int32_t i = 0; i < puzzle.cubyCount; ++i) {
        const Cuby& c = puzzle.cubies[i];
        Vec3 mean;
        for (int32_t k = 0; k < c.vertexcount; ++k)
            mean = mean + c.vertex[k];
        mean = mean * (1.0 / c.vertexcount);
        if (vecLength(mean - centre) < 1e-9)
            return i;
    }
    return -1;
}

bool onHomePositions(const Puzzle& puzzle) {
    for (const Cuby& c : puzzle.cubies) {
        for (int32_t k = 0; k < c.vertexcount; ++k) {
            bool found = false;
            for (const Cuby& h : puzzle.homeCubies) {
                for (int32_t m = 0; m < h.vertexcount && !found; ++m) {
                    found = c.vertex[k].x == h.vertex[m].x && c.vertex[k].y == h.vertex[m].y &&
                            c.vertex[k].z == h.vertex[m].z;
                }
                if (found)
                    break;
            }
            if (!found)
                return false;
        }
    }
    return true;
}

std::string temporaryPath(const char* name) {
    static int counter = 0;
    const char* dir = std::getenv("TMPDIR");
    std::string base = dir != nullptr ? dir : "/tmp";
    return base + "/orvanta-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) +
           "-" + name;
}

int runInChild(const std::function<bool()>& run) {
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child < 0) {
        // Never waited for or killed: pid -1 is every child, or every process. This library
        // serves the fuzz targets too, so it cannot fail the test itself.
        std::fprintf(stderr, "runInChild: no child for the work: %s\n", std::strerror(errno));
        return kNoChild;
    }
    if (child == 0) {
        const bool result = run();
        std::fflush(nullptr);  // what the child reported
        ::_exit(result ? 0 : 1);
    }
    for (int wait = 0; wait < 1000; ++wait) {
        int status = 0;
        if (::waitpid(child, &status, WNOHANG) == child) {
            return WIFEXITED(status) ? WEXITSTATUS(status) == 0 : -1;
        }
        ::usleep(10000);
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    return -1;
}

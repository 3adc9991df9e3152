// Engine benchmarks: the nine ready-made puzzles and the largest puzzles the editor allows
// within the vertex limit. Each benchmark reports its mean time in ms and its ratio to the
// target ("of_target" below 1 meets it), and beside it the time before the engine was tuned for
// speed ("before_ms", from before_ms.inc) and the speed-up ("x_faster").
//
//   bash scripts/bench.sh

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "file_io.h"
#include "puzzle.h"
#include "ready_made.h"

namespace {

struct BenchPuzzle {
    std::string name;
    int32_t shape;
    std::vector<std::pair<int32_t, int32_t>> slices;  // kind, thickness
    bool readyMade;
};

const std::vector<BenchPuzzle>& benchPuzzles() {
    static const std::vector<BenchPuzzle> puzzles = [] {
        std::vector<BenchPuzzle> out;
        for (const ReadyMadePuzzle& p : kReadyMadePuzzles) {
            BenchPuzzle bench{std::string(p.name, p.name + std::wcslen(p.name)), p.shape, {}, true};
            for (int32_t i = 0; i < p.sliceCount; ++i)
                bench.slices.push_back({p.slices[i].kind, p.slices[i].thickness});
            out.push_back(bench);
        }
        // The largest the editor allows within the vertex limit.
        out.push_back({"Dodecahedron edge 150", DodecaHedron, {{EdgeSlice, 150}}, false});
        out.push_back({"Dodecahedron face+point 100",
                       DodecaHedron,
                       {{FaceSlice, 100}, {PointSlice, 100}},
                       false});
        out.push_back({"Icosahedron face 100+point 60",
                       IcosaHedron,
                       {{FaceSlice, 100}, {PointSlice, 60}},
                       false});
        return out;
    }();
    return puzzles;
}

std::unique_ptr<PuzzleDefinition> definitionOf(const BenchPuzzle& p) {
    auto d = std::make_unique<PuzzleDefinition>();
    d->shape = p.shape;
    d->sliceCount = static_cast<int32_t>(p.slices.size());
    for (size_t i = 0; i < p.slices.size(); ++i) {
        d->sliceKinds[i] = p.slices[i].first;
        d->sliceThicknesses[i] = p.slices[i].second;
    }
    return d;
}

int32_t firstTurningAnchor(const Puzzle& p) {
    for (int32_t a = 0; a < p.anchorCount; ++a) {
        if (p.anchors[a].planeCount > 0)
            return a;
    }
    return -1;
}

using Clock = std::chrono::steady_clock;

// What each benchmark took before the engine was tuned for speed (the commit before it,
// 83267e1, measured side by side with the tuned one on the machine the figures come from):
// printed beside today's figure as before_ms, with the speed-up x_faster.
const std::map<std::string, double>& beforeMs() {
    static const std::map<std::string, double> figures = {
#include "before_ms.inc"
    };
    return figures;
}

// Mean ms per iteration of the timed part, its ratio to the target, and the figure before.
void report(benchmark::State& state, double seconds, double targetMs, const std::string& key) {
    double ms = seconds * 1000.0 / static_cast<double>(state.iterations());
    state.counters["ms"] = ms;
    state.counters["target_ms"] = targetMs;
    state.counters["of_target"] = ms / targetMs;
    const auto before = beforeMs().find(key);
    if (before != beforeMs().end()) {
        state.counters["before_ms"] = before->second;
        state.counters["x_faster"] = before->second / ms;
    }
}

void construction(benchmark::State& state, const BenchPuzzle* p) {
    auto d = definitionOf(*p);
    double seconds = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        Puzzle puzzle(d.get());
        benchmark::DoNotOptimize(puzzle.cubyCount);
        seconds += std::chrono::duration<double>(Clock::now() - start).count();
    }
    double target = p->name == "Megaminx" ? 0.5 : (p->readyMade ? 1.0 : 100.0);
    report(state, seconds, target, "construction/" + p->name);
}

void fullTurn(benchmark::State& state, const BenchPuzzle* p) {
    auto d = definitionOf(*p);
    Puzzle puzzle(d.get());
    int32_t anchor = firstTurningAnchor(puzzle);
    puzzle.turnLayer(anchor, 1, 1, 1.0, 0);  // builds the refit index once
    double seconds = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        benchmark::DoNotOptimize(puzzle.turnLayer(anchor, 1, 1, 1.0, 0));
        seconds += std::chrono::duration<double>(Clock::now() - start).count();
    }
    report(state, seconds, 0.5, "full_turn/" + p->name);
}

void scramble(benchmark::State& state, const BenchPuzzle* p) {
    auto d = definitionOf(*p);
    double seconds = 0;
    for (auto _ : state) {
        Puzzle puzzle(d.get());
        auto start = Clock::now();
        puzzle.scramble();
        seconds += std::chrono::duration<double>(Clock::now() - start).count();
        benchmark::DoNotOptimize(puzzle.moveCount);
    }
    report(state, seconds, p->readyMade ? 5.0 : 100.0, "scramble/" + p->name);
}

void mesh(benchmark::State& state, const BenchPuzzle* p) {
    auto d = definitionOf(*p);
    Puzzle puzzle(d.get());
    vertexLimitReached = 0;
    int32_t count = puzzle.countVertices();
    std::vector<MeshVertex> buffer(count);
    std::vector<MeshVertex> source(count);
    puzzle.fillVertices(source.data(), count, 1.0 / 30, 1);
    double seconds = 0;
    double copySeconds = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        int32_t n = puzzle.countVertices();
        puzzle.fillVertices(buffer.data(), n, 1.0 / 30, 1);
        auto middle = Clock::now();
        std::memcpy(buffer.data(), source.data(), sizeof(MeshVertex) * n);
        benchmark::ClobberMemory();
        auto end = Clock::now();
        seconds += std::chrono::duration<double>(middle - start).count();
        copySeconds += std::chrono::duration<double>(end - middle).count();
    }
    report(state, seconds, 2.0, "count_fill/" + p->name);
    state.counters["vertices"] = count;
    state.counters["x_plain_copy"] = seconds / copySeconds;
}

void picking(benchmark::State& state, const BenchPuzzle* p) {
    auto d = definitionOf(*p);
    Puzzle puzzle(d.get());
    const Vec3 eye{0.3, 0.2, -7};
    const Vec3 target{0, 0.1, 0};
    double seconds = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        benchmark::DoNotOptimize(puzzle.pickAnchor(eye, target, FaceSlice));
        benchmark::DoNotOptimize(puzzle.pickCuby(eye, target));
        seconds += std::chrono::duration<double>(Clock::now() - start).count();
    }
    report(state, seconds, 1.0, "pick/" + p->name);
}

void saveAndLoad(benchmark::State& state, const BenchPuzzle* p) {
    auto d = definitionOf(*p);
    Puzzle scrambled(d.get());
    scrambled.scramble();
    std::string path = "/tmp/orvanta-bench-" + std::to_string(::getpid()) + ".moves";
    double seconds = 0;
    for (auto _ : state) {
        Puzzle fresh(d.get());
        auto start = Clock::now();
        {
            FileWriter writer(path.c_str());
            scrambled.saveMoves(writer);
        }
        FileReader reader(path.c_str());
        benchmark::DoNotOptimize(fresh.loadMoves(reader));
        seconds += std::chrono::duration<double>(Clock::now() - start).count();
    }
    std::remove(path.c_str());
    report(state, seconds, 100.0, "save_load/" + p->name);
}

// A saved history of kLongHistory single-layer moves, no two neighbours on the same anchor (so
// none merges or cancels), written straight in the file section's format.
constexpr int32_t kLongHistory = 100000;

void writeLongHistory(const Puzzle& p, const std::string& path) {
    std::vector<int32_t> turning;
    for (int32_t a = 0; a < p.anchorCount; ++a) {
        if (p.anchors[a].planeCount > 0)
            turning.push_back(a);
    }
    FileWriter writer(path.c_str());
    const int32_t metric = Single;
    writer.write(&metric, 4);
    writer.write(&kLongHistory, 4);
    uint64_t random = 20;
    auto next = [&random](uint32_t bound) {
        random = random * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<int32_t>((random >> 33) % bound);
    };
    int32_t previous = -1;
    for (int32_t i = 0; i < kLongHistory; ++i) {
        int32_t anchor = previous;
        while (anchor == previous)
            anchor = turning[next(static_cast<uint32_t>(turning.size()))];
        previous = anchor;
        const int32_t layer = 1 << next(static_cast<uint32_t>(p.anchors[anchor].planeCount));
        const int32_t turnnr = 1;
        const uint8_t clockwise = static_cast<uint8_t>(next(2));
        writer.write(&anchor, 4);
        writer.write(&layer, 4);
        writer.write(&turnnr, 4);
        writer.write(&clockwise, 1);
    }
}

void loadLongHistory(benchmark::State& state, const BenchPuzzle* p) {
    auto d = definitionOf(*p);
    std::string path = "/tmp/orvanta-bench-" + std::to_string(::getpid()) + ".long";
    {
        Puzzle puzzle(d.get());
        writeLongHistory(puzzle, path);
    }
    double seconds = 0;
    for (auto _ : state) {
        Puzzle fresh(d.get());
        auto start = Clock::now();
        FileReader reader(path.c_str());
        benchmark::DoNotOptimize(fresh.loadMoves(reader));
        seconds += std::chrono::duration<double>(Clock::now() - start).count();
        if (fresh.getMoveCount() != kLongHistory)
            state.SkipWithError("the history was not replayed whole");
    }
    std::remove(path.c_str());
    report(state, seconds, 5000.0, "load_100000/" + p->name);
}

// The heaviest histories found: the cube with six face slices (866 cubies) turned whole, 10,000
// moves of all its layers three times alternating two anchors, with and without every two
// cubies bandaged; and 10,000 identical moves of five layers on a cube with edge and face
// slices (1,058 cubies), a whole number of revolutions in all. Their figure beside today's
// is be631b2's, the commit before the replay was reworked (be631b2_ms).
struct HeavyHistory {
    std::string name;
    std::vector<std::pair<int32_t, int32_t>> slices;
    bool pairs;
    std::vector<Move> moves;
    double targetMs;
};

const std::vector<HeavyHistory>& heavyHistories() {
    static const std::vector<HeavyHistory> histories = [] {
        const std::vector<std::pair<int32_t, int32_t>> sixFaces = {
            {FaceSlice, 20}, {FaceSlice, 40},  {FaceSlice, 60},
            {FaceSlice, 80}, {FaceSlice, 100}, {FaceSlice, 120}};
        std::vector<Move> whole;
        for (int32_t i = 0; i < 10000; ++i)
            whole.push_back(Move{i % 2, 0x7ffff, 3, 1});
        return std::vector<HeavyHistory>{
            {"six face slices, whole turns", sixFaces, false, whole, 500.0},
            {"six face slices bandaged in pairs, whole turns", sixFaces, true, whole, 500.0},
            {"edge and face slices, whole revolutions",
             {{EdgeSlice, 234},
              {EdgeSlice, 328},
              {EdgeSlice, 41},
              {FaceSlice, 85},
              {FaceSlice, 328}},
             false,
             std::vector<Move>(10000, Move{0, 31, 3, 1}),
             500.0}};
    }();
    return histories;
}

const std::map<std::string, double>& be631b2Ms() {
    static const std::map<std::string, double> figures = {
#include "be631b2_ms.inc"
    };
    return figures;
}

void loadHeavyHistory(benchmark::State& state, const HeavyHistory* h) {
    auto d = definitionOf({h->name, Cube, h->slices, false});
    if (h->pairs) {
        Puzzle probe(d.get());
        d->groupsValid = 1;
        for (int32_t i = 0; i < probe.cubyCount && i < kMaxGroupIds; ++i)
            d->groupIds[i] = i / 2;
    }
    std::string path = "/tmp/orvanta-bench-" + std::to_string(::getpid()) + ".heavy";
    {
        FileWriter writer(path.c_str());
        const int32_t metric = Multi;
        const int32_t count = static_cast<int32_t>(h->moves.size());
        writer.write(&metric, 4);
        writer.write(&count, 4);
        for (const Move& move : h->moves) {
            writer.write(&move.anchor, 4);
            writer.write(&move.layer, 4);
            writer.write(&move.turnnr, 4);
            writer.write(&move.clockwise, 1);
        }
    }
    double seconds = 0;
    for (auto _ : state) {
        Puzzle fresh(d.get());
        auto start = Clock::now();
        FileReader reader(path.c_str());
        if (!fresh.loadMoves(reader))
            state.SkipWithError("the history was refused");
        seconds += std::chrono::duration<double>(Clock::now() - start).count();
    }
    std::remove(path.c_str());
    const std::string key = "load_10000/" + h->name;
    report(state, seconds, h->targetMs, key);
    const auto before = be631b2Ms().find(key);
    if (before != be631b2Ms().end()) {
        state.counters["be631b2_ms"] = before->second;
        state.counters["x_faster"] = before->second / state.counters["ms"];
    }
}

const bool registered = [] {
    for (const BenchPuzzle& p : benchPuzzles()) {
        std::string name = p.name;
        benchmark::RegisterBenchmark(("construction/" + name).c_str(), construction, &p);
        benchmark::RegisterBenchmark(("full_turn/" + name).c_str(), fullTurn, &p);
        benchmark::RegisterBenchmark(("scramble/" + name).c_str(), scramble, &p);
        benchmark::RegisterBenchmark(("count_fill/" + name).c_str(), mesh, &p);
        benchmark::RegisterBenchmark(("pick/" + name).c_str(), picking, &p);
        benchmark::RegisterBenchmark(("save_load/" + name).c_str(), saveAndLoad, &p);
    }
    // The largest puzzle only: one replay of the long history takes seconds.
    for (const BenchPuzzle& p : benchPuzzles()) {
        if (p.name == "Dodecahedron edge 150")
            benchmark::RegisterBenchmark(("load_100000/" + p.name).c_str(), loadLongHistory, &p)
                ->Iterations(1);
    }
    for (const HeavyHistory& h : heavyHistories())
        benchmark::RegisterBenchmark(("load_10000/" + h.name).c_str(), loadHeavyHistory, &h)
            ->Iterations(3);
    return true;
}();

}  // namespace

BENCHMARK_MAIN();

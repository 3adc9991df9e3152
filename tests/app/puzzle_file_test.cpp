#include "puzzle_file.h"

#include <fcntl.h>
#include <grp.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <limits>
#include <thread>
#include <tuple>

#include "app_state.h"
#include "app_test_support.h"
#include "application.h"
#include "diagnostic_log.h"
#include "file_io.h"
#include "puzzle.h"
#include "stored_file.h"
#include "test_support.h"

namespace {

class PuzzleFiles : public InScratchDirectory {
  protected:
    void SetUp() override {
        InScratchDirectory::SetUp();
        puzzle = std::make_unique<Puzzle>(&appState->getDefinition());
        app.puzzleVertexCount = puzzle->countVertices();
    }
    void turn(int32_t anchor, int32_t layer, uint8_t clockwise) {
        puzzle->turnLayer(anchor, layer, clockwise, 1.0, 0);
        puzzle->recordMove(anchor, 1 << (layer - 1), clockwise);
    }
};

void put32(std::vector<unsigned char>& b, int32_t v) {
    unsigned char raw[4];
    std::memcpy(raw, &v, 4);
    b.insert(b.end(), raw, raw + 4);
}

int32_t get32(const std::vector<unsigned char>& b, size_t at) {
    int32_t v;
    std::memcpy(&v, &b[at], 4);
    return v;
}

void set32(std::vector<unsigned char>& b, size_t at, int32_t v) {
    std::memcpy(&b[at], &v, 4);
}

std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

mode_t modeOf(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 ? status.st_mode & 07777 : 0;
}

// Owner, group and mode.
using Owner = std::tuple<uid_t, gid_t, mode_t>;

Owner ownerOf(const std::string& path) {
    struct stat status {};
    ::stat(path.c_str(), &status);
    return {status.st_uid, status.st_gid, status.st_mode & 07777};
}

bool writeAll(FileWriter& writer, const std::vector<unsigned char>& bytes) {
    // In small blocks, so the stream reaches the file before the save is done.
    for (size_t at = 0; at < bytes.size(); at += 1000) {
        writer.write(bytes.data() + at,
                     static_cast<int32_t>(std::min<size_t>(1000, bytes.size() - at)));
    }
    return writer.good();
}

}  // namespace

TEST_F(PuzzleFiles, DefaultPuzzleSavedAtStart) {
    ASSERT_TRUE(savePuzzleFile(app, "start.pzl"));
    auto bytes = readFileBytes("start.pzl");
    ASSERT_EQ(bytes.size(), 155u);
    std::vector<unsigned char> expected{0, 0};
    put32(expected, 40);    // line width
    put32(expected, 1);     // cube
    put32(expected, 1);     // one slice
    put32(expected, 0);     // face
    put32(expected, 120);   // thickness
    expected.push_back(0);  // groups valid: the default definition is built with it cleared...
    EXPECT_EQ(std::vector<unsigned char>(bytes.begin(), bytes.begin() + 22),
              std::vector<unsigned char>(expected.begin(), expected.begin() + 22));
    EXPECT_EQ(bytes[22], 1);         // ...and the build sets it
    EXPECT_EQ(get32(bytes, 23), 0);  // erase threshold
    double time;
    std::memcpy(&time, &bytes[27], 8);
    EXPECT_EQ(time, 0.0);
    EXPECT_EQ(get32(bytes, 35), 0);   // timer Idle
    EXPECT_EQ(get32(bytes, 39), 26);  // cubies
    for (int i = 0; i < 26; ++i)
        EXPECT_EQ(get32(bytes, 43 + 4 * i), 20000);
    EXPECT_EQ(get32(bytes, 147), 0);  // single metric
    EXPECT_EQ(get32(bytes, 151), 0);  // no moves
    EXPECT_STREQ(appState->fileNameText(), "start.pzl");
}

TEST_F(PuzzleFiles, RoundTripWithMovesAndGroups) {
    std::filesystem::create_directory("Puzzles");
    turn(0, 1, 1);
    turn(2, 3, 0);
    turn(4, 1, 1);
    puzzle->cubies[3].selected = 1;
    puzzle->cubies[9].selected = 1;
    puzzle->connectSelected(&appState->getDefinition());
    puzzle->clearSelection();
    appState->toggleColorFade();
    appState->setLineWidth(77);
    appState->setElapsedTime(12.75);
    appState->setTimerState(Running);
    appState->setScrambled(1);
    ASSERT_TRUE(savePuzzleFile(app, "round.pzl"));
    auto bytes = readFileBytes("Puzzles/round.pzl");
    EXPECT_EQ(bytes.size(), 194u);
    EXPECT_EQ(get32(bytes, 43 + 4 * 3), 0);
    EXPECT_EQ(get32(bytes, 43 + 4 * 9), 0);
    EXPECT_EQ(get32(bytes, 43 + 4 * 4), 20000);
    EXPECT_EQ(appState->getDefinition().groupIds[4], -1);  // restored in memory after the save

    // Keep the saved one to compare with.
    const std::unique_ptr<Puzzle> saved = std::move(puzzle);
    puzzle = std::make_unique<Puzzle>(&appState->getDefinition());
    appState = std::make_unique<AppState>();
    ASSERT_TRUE(loadPuzzleFile(app, "round.pzl"));
    EXPECT_EQ(appState->isColorFade(), 1);
    EXPECT_EQ(appState->isScrambled(), 1);
    EXPECT_EQ(appState->getLineWidth(), 77);
    EXPECT_EQ(appState->getElapsedTime(), 12.75);
    EXPECT_EQ(appState->getTimerState(), Running);
    EXPECT_EQ(appState->getDefinition().groupIds[3], 0);
    EXPECT_EQ(appState->getDefinition().groupIds[4], -1);
    EXPECT_EQ(appState->getDefinition().turnMetric, Single);
    EXPECT_STREQ(appState->fileNameText(), "round.pzl");
    ASSERT_EQ(puzzle->getMoveCount(), 3);
    EXPECT_EQ(puzzle->moves[1].anchor, 2);
    EXPECT_EQ(puzzle->moves[1].layer, 4);
    EXPECT_EQ(puzzle->cubies[9].group, 0);
    EXPECT_TRUE(samePositions(*puzzle, *saved));
    EXPECT_EQ(app.puzzleVertexCount, puzzle->countVertices());
    EXPECT_EQ(app.vertexBufferCurrent, 0);
}

TEST_F(PuzzleFiles, DamagedFilesChangeNothing) {
    turn(0, 1, 1);
    ASSERT_TRUE(savePuzzleFile(app, "good.pzl"));
    const auto good = readFileBytes("good.pzl");
    const size_t groups = 43;
    struct Damaged {
        const char* what;
        std::vector<unsigned char> bytes;
        const char* why;  // a line of its own before the refusal's, or null
    };
    std::vector<Damaged> damaged;
    auto variant = [&](const char* what, auto change, const char* why = nullptr) {
        auto b = good;
        change(b);
        damaged.push_back({what, b, why});
    };
    variant("17 slices", [](auto& b) { set32(b, 10, 17); });
    variant("10001 cubies", [](auto& b) { set32(b, 39, 10001); });
    variant("negative cubies", [](auto& b) { set32(b, 39, -1); });
    variant("cut short", [](auto& b) { b.resize(b.size() - 5); });
    variant("cut in the header", [](auto& b) { b.resize(12); });
    variant("anchor out of range", [&](auto& b) { set32(b, groups + 104 + 8, 26); });
    variant(
        "100001 moves", [&](auto& b) { set32(b, groups + 104 + 4, 100001); },
        "the move section counts 100001 moves, more than the history holds\n");
    variant("shape 5", [](auto& b) { set32(b, 6, 5); });
    variant("slice kind 3", [](auto& b) { set32(b, 14, 3); });
    variant("group id 2^30", [&](auto& b) { set32(b, groups, 1 << 30); });
    variant("line width 5", [](auto& b) { set32(b, 2, 5); });
    variant("timer state 3", [](auto& b) { set32(b, 35, 3); });
    variant("NaN time", [](auto& b) {
        double nan = std::numeric_limits<double>::quiet_NaN();
        std::memcpy(&b[27], &nan, 8);
    });
    variant("negative time", [](auto& b) {
        double negative = -1.0;
        std::memcpy(&b[27], &negative, 8);
    });
    variant("cubie count of another puzzle", [](auto& b) {
        set32(b, 39, 25);
        b.erase(b.begin() + 43 + 100, b.begin() + 43 + 104);
    });

    appState->setLineWidth(99);
    appState->setElapsedTime(3.0);
    const Puzzle* before = puzzle.get();
    const int32_t moves = puzzle->getMoveCount();
    for (const auto& [what, bytes, why] : damaged) {
        writeFileBytes("bad.pzl", bytes);
        std::string log = directory + "/log.txt";
        logFile = std::fopen(log.c_str(), "w");
        EXPECT_FALSE(loadPuzzleFile(app, "bad.pzl")) << what;
        std::fclose(logFile);
        logFile = nullptr;
        auto text = readFileBytes(log);
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), why == nullptr ? 1 : 2) << what;
        if (why != nullptr) {
            EXPECT_EQ(std::string(text.begin(), text.end()).find(why), 0u) << what;
        }
        EXPECT_EQ(puzzle.get(), before) << what;
        EXPECT_EQ(puzzle->getMoveCount(), moves) << what;
        EXPECT_EQ(appState->getLineWidth(), 99) << what;
        EXPECT_EQ(appState->getElapsedTime(), 3.0) << what;
        EXPECT_EQ(appState->getDefinition().shape, Cube) << what;
        EXPECT_EQ(appState->getDefinition().sliceCount, 1) << what;
        EXPECT_STREQ(appState->fileNameText(), "good.pzl") << what;
    }
}

TEST_F(PuzzleFiles, ListingWithAndWithoutTheFolder) {
    writeFileBytes("b.pzl", {1});
    writeFileBytes("a.pzl", {1});
    writeFileBytes("notes.txt", {1});
    writeFileBytes("c.PZL", {1});
    std::filesystem::create_directory("x.pzl");
    // Only regular files are listed or read: a FIFO would block the open.
    ASSERT_EQ(mkfifo("y.pzl", 0644), 0);
    EXPECT_FALSE(loadPuzzleFile(app, "y.pzl"));
    EXPECT_EQ(listPuzzleFiles(), (std::vector<std::string>{"a.pzl", "b.pzl", "c.PZL"}));

    std::filesystem::create_directory("Puzzles");
    std::string log = directory + "/log.txt";
    logFile = std::fopen(log.c_str(), "w");
    EXPECT_TRUE(listPuzzleFiles().empty());
    std::fclose(logFile);
    logFile = nullptr;
    auto text = readFileBytes(log);
    EXPECT_EQ(std::string(text.begin(), text.end()), "No *.pzl files in current directory!\n");

    writeFileBytes("Puzzles/z.pzl", {1});
    writeFileBytes("Puzzles/" + std::string(146, 'n') + ".pzl", {1});  // 150 bytes: too long
    EXPECT_EQ(listPuzzleFiles(), (std::vector<std::string>{"z.pzl"}));
}

TEST_F(PuzzleFiles, UnsafeAndOverlongNamesAreRefused) {
    const std::pair<std::string, const char*> refused[] = {
        {"../x.pzl", "the name has a folder part"},
        {"a/b.pzl", "the name has a folder part"},
        {"", "no name"},
        {".", "the name has a folder part"},
        {"..", "the name has a folder part"},
        // ".pzl" is added where it is missing, and the whole name must fit.
        {std::string(146, 'n'), "the name is too long"}};
    for (const auto& [name, why] : refused) {
        CapturedLog log;
        EXPECT_FALSE(savePuzzleFile(app, name)) << name;
        EXPECT_EQ(log.text(), "File \"" + name + "\" not saved: " + why + "\n");
        EXPECT_FALSE(loadPuzzleFile(app, name)) << name;
    }
    EXPECT_TRUE(savePuzzleFile(app, std::string(145, 'n')));
    EXPECT_FALSE(std::filesystem::exists("../x.pzl"));
    EXPECT_STREQ(appState->fileNameText(), (std::string(145, 'n') + ".pzl").c_str());
    EXPECT_TRUE(savePuzzleFile(app, "Upper.PZL"));
    EXPECT_TRUE(std::filesystem::exists("Upper.PZL"));
}

TEST_F(PuzzleFiles, FailedSaveKeepsTheOldFileAndSaysSo) {
    std::filesystem::create_directory("Puzzles");
    ASSERT_TRUE(savePuzzleFile(app, "keep.pzl"));
    auto original = readFileBytes("Puzzles/keep.pzl");
    CapturedLog log;
    // A write that fails half way replaces nothing and leaves nothing.
    EXPECT_FALSE(replaceStoredFile("Puzzles/keep.pzl", [](FileWriter& writer) {
        writeAll(writer, std::vector<unsigned char>(5000, 'x'));
        return false;
    }));
    EXPECT_EQ(readFileBytes("Puzzles/keep.pzl"), original);
    EXPECT_EQ(namesIn("Puzzles"), (std::vector<std::string>{"keep.pzl"}));
    const std::string failedWrite = "File \"Puzzles/keep.pzl\" not saved: the write failed\n";
    EXPECT_EQ(log.text(), failedWrite);

    // A file the user may not write is not replaced.
    turn(0, 1, 1);
    std::filesystem::permissions("Puzzles/keep.pzl", std::filesystem::perms::owner_read);
    EXPECT_FALSE(savePuzzleFile(app, "keep.pzl"));
    EXPECT_EQ(readFileBytes("Puzzles/keep.pzl"), original);
    EXPECT_EQ(log.text(),
              failedWrite + "File \"Puzzles/keep.pzl\" not saved: the file may not be written\n");
    EXPECT_EQ(std::filesystem::status("Puzzles/keep.pzl").permissions(),
              std::filesystem::perms::owner_read);
}

TEST_F(PuzzleFiles, SavesNeedNoMorePermissionThanTheFolderGivesAndShowNoMoreThanTheFileDoes) {
    std::filesystem::create_directory("Puzzles");
    // A new file as any other; over an old one, the temporary is the saver's alone while it is
    // written, and the file keeps its mode.
    const mode_t umask = ::umask(027);
    ASSERT_TRUE(savePuzzleFile(app, "readable.pzl"));
    EXPECT_EQ(modeOf("Puzzles/readable.pzl"), 0640u);
    ASSERT_EQ(::chmod("Puzzles/readable.pzl", 0644), 0);
    mode_t whileWritten = 0;
    const bool saved = replaceStoredFile("Puzzles/readable.pzl", [&](FileWriter& writer) {
        for (const std::string& name : namesIn("Puzzles")) {
            if (name != "readable.pzl") {
                whileWritten = modeOf("Puzzles/" + name);
            }
        }
        return writeAll(writer, std::vector<unsigned char>(5000, 'p'));
    });
    ::umask(umask);
    EXPECT_TRUE(saved);
    EXPECT_EQ(whileWritten, 0600u);
    EXPECT_EQ(modeOf("Puzzles/readable.pzl"), 0644u);

    // A folder the user may write and search but not list. Root may list any folder, so the
    // save runs as nobody then, who owns the folder and may pass through the scratch folder.
    const bool asRoot = ::geteuid() == 0;
    constexpr uid_t kNobody = 65534;
    constexpr gid_t kTheirs = 4242, kOthers = 4343;  // a group of nobody's, and one not
    const auto becomeNobody = [] {
        const gid_t groups[] = {kTheirs};
        return ::setgroups(1, groups) == 0 && ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0;
    };
    const int dropped = asRoot ? runInChild(becomeNobody) : 1;
    ASSERT_NE(dropped, kNoChild);
    if (dropped != 1) {
        GTEST_SKIP() << "root cannot become an ordinary user here";
    }
    // Root keeps a user's file theirs, so their next save of it is not refused; nobody keeps
    // the group of a file where nobody is in it, and else shows it nothing.
    const auto placed = [](const char* name, uid_t owner, gid_t group, mode_t mode) {
        writeFileBytes(name, {1});
        return ::chown(name, owner, group) == 0 && ::chmod(name, mode) == 0;
    };
    if (asRoot) {
        ASSERT_TRUE(placed("Puzzles/user.pzl", kNobody, kTheirs, 0644));
        EXPECT_TRUE(savePuzzleFile(app, "user.pzl"));
        EXPECT_EQ(ownerOf("Puzzles/user.pzl"), (Owner{kNobody, kTheirs, 0644}));
        ASSERT_TRUE(placed("Puzzles/group.pzl", 0, kTheirs, 0660));
        ASSERT_TRUE(placed("Puzzles/other.pzl", 0, kOthers, 0666));
    }
    ASSERT_TRUE(!asRoot || (::chown("Puzzles", kNobody, kNobody) == 0 && ::chmod(".", 0711) == 0));
    ASSERT_EQ(::chmod("Puzzles", 0300), 0);
    EXPECT_EQ(runInChild([&] {
                  return (!asRoot || (becomeNobody() && savePuzzleFile(app, "group.pzl") &&
                                      savePuzzleFile(app, "other.pzl"))) &&
                         savePuzzleFile(app, "unlisted.pzl");
              }),
              1);
    ASSERT_EQ(::chmod("Puzzles", 0700), 0);
    EXPECT_EQ(readFileBytes("Puzzles/unlisted.pzl").size(), 155u);
    if (asRoot) {
        EXPECT_EQ(ownerOf("Puzzles/group.pzl"), (Owner{kNobody, kTheirs, 0660}));
        EXPECT_EQ(ownerOf("Puzzles/other.pzl"), (Owner{kNobody, kNobody, 0606}));
    }
}

TEST_F(PuzzleFiles, ASaveWritesThroughSymbolicLinks) {
    namespace fs = std::filesystem;
    fs::create_directory("Puzzles");
    fs::create_directory("dotfiles");
    writeFileBytes("dotfiles/absolute.pzl", {1});
    writeFileBytes("dotfiles/relative.pzl", {1});
    fs::create_symlink(directory + "/dotfiles/absolute.pzl", "Puzzles/absolute.pzl");
    fs::create_symlink("../dotfiles/relative.pzl", "Puzzles/relative.pzl");
    fs::create_symlink("relative.pzl", "Puzzles/chain.pzl");
    fs::create_symlink("../dotfiles/new.pzl", "Puzzles/dangling.pzl");
    const std::pair<const char*, const char*> links[] = {{"absolute.pzl", "dotfiles/absolute.pzl"},
                                                         {"relative.pzl", "dotfiles/relative.pzl"},
                                                         {"chain.pzl", "dotfiles/relative.pzl"},
                                                         {"dangling.pzl", "dotfiles/new.pzl"}};
    for (const auto& [link, target] : links) {
        if (fs::exists(target)) {
            writeFileBytes(target, {1});
        }
        EXPECT_TRUE(savePuzzleFile(app, link)) << link;
        EXPECT_TRUE(fs::is_symlink(std::string("Puzzles/") + link)) << link;
        EXPECT_EQ(readFileBytes(target).size(), 155u) << link;
    }
    EXPECT_EQ(namesIn("dotfiles"),
              (std::vector<std::string>{"absolute.pzl", "new.pzl", "relative.pzl"}));

    // A chain the kernel would not follow is refused, and stays.
    fs::create_symlink("loop-b.pzl", "Puzzles/loop-a.pzl");
    fs::create_symlink("loop-a.pzl", "Puzzles/loop-b.pzl");
    CapturedLog log;
    EXPECT_FALSE(savePuzzleFile(app, "loop-a.pzl"));
    EXPECT_EQ(fs::read_symlink("Puzzles/loop-a.pzl"), "loop-b.pzl");
    EXPECT_EQ(log.text(), std::string("File \"Puzzles/loop-a.pzl\" not saved: its symbolic links "
                                      "cannot be followed: ") +
                              std::strerror(ELOOP) + "\n");
}

TEST_F(PuzzleFiles, SavesOfOneNameAtOnceNeverMix) {
    const std::vector<unsigned char> shorter(5000, 'a'), longer(13000, 'b');
    ASSERT_TRUE(replaceStoredFile("both.pzl", [&](FileWriter& w) { return writeAll(w, shorter); }));
    std::atomic<int> failed{0}, running{2};
    const auto saves = [&](const std::vector<unsigned char>& bytes) {
        for (int i = 0; i < 60; ++i) {
            if (!replaceStoredFile("both.pzl", [&](FileWriter& w) { return writeAll(w, bytes); })) {
                ++failed;
            }
        }
        --running;
    };
    std::thread first(saves, shorter), second(saves, longer);
    int torn = 0;
    while (running > 0) {
        const auto read = readFileBytes("both.pzl");
        torn += read != shorter && read != longer;
    }
    first.join();
    second.join();
    EXPECT_EQ(failed, 0);
    EXPECT_EQ(torn, 0);
    EXPECT_EQ(namesIn("."), (std::vector<std::string>{"both.pzl"}));
}

TEST_F(PuzzleFiles, NothingAtATemporaryNameBlocksOrRedirectsASave) {
    std::filesystem::create_directory("Puzzles");
    writeFileBytes("outside", {7});
    // FIFOs would block the open of a temporary or of one the next save clears away.
    ASSERT_EQ(mkfifo("Puzzles/x.pzl.tmp", 0644), 0);
    ASSERT_EQ(mkfifo("Puzzles/x.pzl.0123456789abcdef.tmp", 0644), 0);
    std::filesystem::create_symlink("../outside", "Puzzles/y.pzl.tmp");
    EXPECT_EQ(runInChild([this] { return savePuzzleFile(app, "x.pzl"); }), 1);
    EXPECT_EQ(runInChild([this] { return savePuzzleFile(app, "y.pzl"); }), 1);
    EXPECT_EQ(readFileBytes("outside"), (std::vector<unsigned char>{7}));
    EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status("Puzzles/x.pzl")));
    EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status("Puzzles/y.pzl")));
    EXPECT_EQ(readFileBytes("Puzzles/y.pzl").size(), 155u);
    EXPECT_EQ(namesIn("Puzzles"), (std::vector<std::string>{"x.pzl", "x.pzl.0123456789abcdef.tmp",
                                                            "x.pzl.tmp", "y.pzl", "y.pzl.tmp"}));
}

TEST_F(PuzzleFiles, KilledSavesLeaveNothingThatStays) {
    const auto killed = [](FileWriter& writer) {
        writeAll(writer, std::vector<unsigned char>(5000, 'k'));
        std::raise(SIGKILL);
        return true;
    };
    EXPECT_EQ(runInChild([&] { return replaceStoredFile("k.pzl", killed); }), -1);
    // A killed save's temporary goes with the next save of the name; a save still writing
    // keeps its own.
    writeFileBytes("k.pzl.00000000000000ab.tmp", {1});
    writeFileBytes("k.pzl.00000000000000cd.tmp", {2});
    const int live = ::open("k.pzl.00000000000000cd.tmp", O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(live, LOCK_EX), 0);
    EXPECT_TRUE(savePuzzleFile(app, "k.pzl"));
    ::close(live);
    EXPECT_EQ(namesIn("."), (std::vector<std::string>{"k.pzl", "k.pzl.00000000000000cd.tmp"}));
}

TEST_F(PuzzleFiles, AFileOverTheVertexLimitIsRefusedBeforeItsMovesReplay) {
    // Seven face slices of the cube: a mesh of more than 50,000 vertices, saved with one move.
    PuzzleDefinition& d = appState->getDefinition();
    d.sliceCount = 7;
    for (int32_t i = 0; i < 7; ++i) {
        d.sliceKinds[i] = FaceSlice;
        d.sliceThicknesses[i] = 15 + 25 * i;
    }
    puzzle = std::make_unique<Puzzle>(&d);
    ASSERT_GT(puzzle->countVertices(), kVertexLimit);
    vertexLimitReached = 0;
    turn(0, 1, 1);
    ASSERT_TRUE(savePuzzleFile(app, "big.pzl"));

    appState->getDefinition() = PuzzleDefinition();
    appState->getDefinition().sliceCount = 1;
    appState->getDefinition().sliceThicknesses[0] = 120;
    puzzle = std::make_unique<Puzzle>(&appState->getDefinition());
    const Puzzle* before = puzzle.get();
    EXPECT_FALSE(loadPuzzleFile(app, "big.pzl"));
    EXPECT_EQ(puzzle.get(), before);
    EXPECT_EQ(appState->getDefinition().sliceCount, 1);
    EXPECT_EQ(vertexLimitReached, 0);
}

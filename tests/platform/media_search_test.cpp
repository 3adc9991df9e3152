// The media search: hits, misses and buffers too small, never a truncated path.
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

#include "dxut/dxut.h"
#include "win32/utf8.h"

namespace {

namespace fs = std::filesystem;

class MediaSearch : public ::testing::Test {
  protected:
    void SetUp() override {
        // ctest runs each test in its own process, possibly at the same time: one folder each.
        root = fs::path(::testing::TempDir()) /
               ("orvanta-media-" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" +
                std::to_string(::getpid()));
        fs::remove_all(root);
        fs::create_directories(root / "first");
        fs::create_directories(root / "second" / "UI");
        std::ofstream(root / "second" / "Velmonde.fx") << "x";
        std::ofstream(root / "first" / "Velmonde.fx") << "x";
        std::ofstream(root / "second" / "UI" / "Controls.dds") << "x";
    }
    void TearDown() override { fs::remove_all(root); }

    std::vector<fs::path> directories() const {
        return {root / "missing", root / "first", root / "second"};
    }
    fs::path root;
};

TEST_F(MediaSearch, FirstDirectoryHoldingTheFileWins) {
    WCHAR path[MAX_PATH];
    ASSERT_EQ(findMediaFile(directories(), L"Velmonde.fx", path, MAX_PATH), S_OK);
    EXPECT_EQ(std::wstring(path), wideFromUtf8((root / "first" / "Velmonde.fx").string()));
}

TEST_F(MediaSearch, BackslashesSeparateFolders) {
    WCHAR path[MAX_PATH];
    ASSERT_EQ(findMediaFile(directories(), L"UI\\Controls.dds", path, MAX_PATH), S_OK);
    EXPECT_EQ(std::wstring(path), wideFromUtf8((root / "second" / "UI" / "Controls.dds").string()));
}

TEST_F(MediaSearch, MissLeavesAnEmptyPath) {
    WCHAR path[MAX_PATH] = L"stale";
    EXPECT_EQ(findMediaFile(directories(), L"Absent.fx", path, MAX_PATH), DXUTERR_MEDIANOTFOUND);
    EXPECT_EQ(path[0], L'\0');
}

TEST_F(MediaSearch, PathThatDoesNotFitIsRefusedNotTruncated) {
    const std::wstring full = wideFromUtf8((root / "first" / "Velmonde.fx").string());
    std::vector<WCHAR> exact(full.size() + 1);
    EXPECT_EQ(findMediaFile(directories(), L"Velmonde.fx", exact.data(), int(exact.size())), S_OK);
    std::vector<WCHAR> short_(full.size(), L'x');
    EXPECT_EQ(findMediaFile(directories(), L"Velmonde.fx", short_.data(), int(short_.size())),
              STRSAFE_E_INSUFFICIENT_BUFFER);
    EXPECT_EQ(short_[0], L'\0');
}

TEST_F(MediaSearch, CurrentDirectoryComesFirstAndPathsStayValidAfterAChangeOfDirectory) {
    const fs::path before = fs::current_path();
    fs::current_path(root / "second");
    WCHAR path[MAX_PATH];
    const HRESULT hr = DXUTFindDXSDKMediaFileCch(path, MAX_PATH, L"Velmonde.fx");
    fs::current_path(before);
    ASSERT_EQ(hr, S_OK);
    EXPECT_EQ(std::wstring(path), wideFromUtf8((root / "second" / "Velmonde.fx").string()));
}

TEST(MediaSearchDirectories, FindTheSourceTreesEffect) {
    WCHAR path[MAX_PATH];
    ASSERT_EQ(DXUTFindDXSDKMediaFileCch(path, MAX_PATH, L"Velmonde.fx"), S_OK);
    EXPECT_TRUE(fs::exists(utf8FromWide(path)));
}

}  // namespace

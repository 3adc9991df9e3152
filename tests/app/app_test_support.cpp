#include "app_test_support.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

void InScratchDirectory::SetUp() {
    previous = std::filesystem::current_path().string();
    std::string pattern = (std::filesystem::temp_directory_path() / "orvanta-app-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    directory = pattern;
    std::filesystem::current_path(directory);
    appState = std::make_unique<AppState>();
}

void InScratchDirectory::TearDown() {
    puzzle.reset();
    appState.reset();
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(directory);
}

std::vector<unsigned char> readFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFileBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

bool fileExists(const std::string& path) {
    return std::filesystem::exists(path);
}

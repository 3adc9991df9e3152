#pragma once
// Shared helpers of the application suites.

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Runs each test in a fresh empty current directory, removed afterwards, with a fresh
// appState: the application reads and writes its files relative to the current directory.
class InScratchDirectory : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    std::string directory;

  private:
    std::string previous;
};

std::vector<unsigned char> readFileBytes(const std::string& path);
void writeFileBytes(const std::string& path, const std::vector<unsigned char>& bytes);
bool fileExists(const std::string& path);

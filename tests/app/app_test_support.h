#pragma once
// Shared helpers of the application suites.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "application.h"

// Runs each test in a fresh empty current directory, removed afterwards, with a fresh
// application whose AppState is read there: the application reads and writes its files
// relative to the current directory.
class InScratchDirectory : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    std::string directory;
    // The application under test, and the parts of it that the tests use most by their names.
    Application app;
    std::unique_ptr<AppState>& appState = app.appState;
    std::unique_ptr<Puzzle>& puzzle = app.puzzle;

  private:
    std::string previous;
};

std::vector<unsigned char> readFileBytes(const std::string& path);
void writeFileBytes(const std::string& path, const std::vector<unsigned char>& bytes);
bool fileExists(const std::string& path);

#include "file_io.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "diagnostic_log.h"
#include "test_support.h"

TEST(FileReaderTest, MissingFileReadsNothing) {
    FileReader r("/nonexistent/orvanta/file.bin");
    EXPECT_FALSE(r.isOpen());
    r.setTextMode(false);
    char buffer[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(r.read(buffer, 4), 0);
    EXPECT_EQ(std::memcmp(buffer, "abcd", 4), 0);
}

TEST(FileReaderTest, PartialBlockChangesOnlyTheBytesRead) {
    std::string path = temporaryPath("partial.bin");
    {
        std::ofstream out(path, std::ios::binary);
        out << "XY";
    }
    FileReader r(path.c_str());
    ASSERT_TRUE(r.isOpen());
    char buffer[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(r.read(buffer, -3), 0);
    EXPECT_EQ(r.read(buffer, 4), 2);
    EXPECT_EQ(std::memcmp(buffer, "XYcd", 4), 0);
    std::remove(path.c_str());
}

TEST(FileWriterTest, ReplacesExistingContentAndReportsSuccess) {
    std::string path = temporaryPath("replace.bin");
    {
        std::ofstream out(path, std::ios::binary);
        out << "old contents that are long";
    }
    FileWriter w(path.c_str());
    ASSERT_TRUE(w.isOpen());
    w.setTextMode(false);
    int32_t v = 0x04030201;
    EXPECT_TRUE(w.write(&v, 4));
    EXPECT_TRUE(w.close());
    std::ifstream in(path, std::ios::binary);
    std::string got((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(got, std::string("\x01\x02\x03\x04", 4));
    std::remove(path.c_str());
}

TEST(FileWriterTest, FailedOpenOrWriteIsReported) {
    FileWriter missing("/nonexistent/orvanta/out.bin");
    EXPECT_FALSE(missing.isOpen());
    int32_t v = 1;
    EXPECT_FALSE(missing.write(&v, 4));
    EXPECT_FALSE(missing.close());

    FileWriter full("/dev/full");
    ASSERT_TRUE(full.isOpen());
    std::vector<char> block(1 << 16, 'x');  // larger than the stream's buffer
    full.write(block.data(), static_cast<int32_t>(block.size()));
    EXPECT_FALSE(full.close());

    std::string path = temporaryPath("negative.bin");
    FileWriter negative(path.c_str());
    EXPECT_FALSE(negative.write(&v, -4));
    EXPECT_FALSE(negative.good());
    std::remove(path.c_str());
}

TEST(DiagnosticLogTest, EveryLineIsInTheFileWhenAKilledProgramEnds) {
    const std::string path = temporaryPath("output.txt");
    // The child ends without flushing or closing anything, as a killed program does.
    EXPECT_EXIT(
        {
            openDiagnosticLog(path.c_str());
            logPrintf("first line\n");
            logPrintf("second line\n");
            _exit(0);
        },
        ::testing::ExitedWithCode(0), "");
    std::ifstream in(path);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "first line\nsecond line\n");
    std::remove(path.c_str());
}

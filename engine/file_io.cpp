#include "file_io.h"

FileReader::FileReader(const char* path)
    : stream(std::fopen(path, "rb")), opened(stream != nullptr) {}

FileReader::FileReader(FILE* adopted) : stream(adopted), opened(adopted != nullptr) {}

FileReader::~FileReader() {
    if (opened) {
        std::fclose(stream);
    }
}

void FileReader::setTextMode(bool) {}

int32_t FileReader::read(void* buffer, int32_t n) {
    if (!opened || n <= 0) {
        return 0;
    }
    return static_cast<int32_t>(std::fread(buffer, 1, static_cast<size_t>(n), stream));
}

FileWriter::FileWriter(const char* path)
    : stream(std::fopen(path, "wb")), opened(stream != nullptr) {}

FileWriter::FileWriter(FILE* adopted) : stream(adopted), opened(adopted != nullptr) {}

FileWriter::~FileWriter() {
    close();
}

void FileWriter::setTextMode(bool) {}

bool FileWriter::write(const void* buffer, int32_t n) {
    if (!opened || stream == nullptr || n < 0) {
        healthy = false;
        return false;
    }
    if (n > 0 && std::fwrite(buffer, static_cast<size_t>(n), 1, stream) != 1) {
        healthy = false;
    }
    return healthy;
}

bool FileWriter::close() {
    if (stream == nullptr) {
        return good();
    }
    if (std::fclose(stream) != 0) {
        healthy = false;
    }
    stream = nullptr;
    return good();
}

#include "test_support.h"

#include "diagnostic_log.h"

CapturedLog::CapturedLog() : file_(std::tmpfile()), previous_(logFile) { logFile = file_; }

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

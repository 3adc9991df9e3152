#include "diagnostic_log.h"

#include <cstdarg>

FILE* logFile = nullptr;

bool openDiagnosticLog(const char* path) {
    logFile = std::fopen(path, "w");
    if (logFile == nullptr) {
        return false;
    }
    std::setvbuf(logFile, nullptr, _IOLBF, BUFSIZ);
    return true;
}

void logPrintf(const char* format, ...) {
    if (logFile == nullptr) {
        return;
    }
    va_list args;
    va_start(args, format);
    std::vfprintf(logFile, format, args);
    va_end(args);
}

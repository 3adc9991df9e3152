#include "diagnostic_log.h"

#include <cstdarg>

FILE* logFile = nullptr;

void logPrintf(const char* format, ...) {
    if (logFile == nullptr) {
        return;
    }
    va_list args;
    va_start(args, format);
    std::vfprintf(logFile, format, args);
    va_end(args);
}

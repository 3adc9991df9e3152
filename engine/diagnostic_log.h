#pragma once
// The diagnostic log "output.txt": plain formatted lines, no levels.
// Start-up opens it; tests point it at a temporary file. Null means nothing is logged.

#include <cstdio>

extern FILE* logFile;

// Creates the log at `path` as logFile; false when it cannot be created. Every line reaches
// the file as it is written, so a killed or crashed program leaves its log whole.
bool openDiagnosticLog(const char* path);

// printf-style line to logFile; does nothing while logFile is null.
void logPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

#pragma once
// The program's stored files, puzzle files and options.inf, as the file system holds them.
//
// Reading opens without blocking and takes only regular files, so a FIFO or a device put in
// a file's place cannot freeze the program. Writing goes to a file beside the old one that is
// renamed over it once written whole, so a failed save never destroys what it replaces; a file
// the user may not write is never replaced, and a replaced file keeps its permissions.

#include <cstdio>
#include <functional>
#include <string>

class FileWriter;

// An open stream on the regular file at `path`, or null.
FILE* openStoredFile(const char* path);

// Writes `path` anew through `write`; false, with the old file as it was, when the file may
// not be written, `write` fails or the file system refuses.
bool replaceStoredFile(const std::string& path, const std::function<bool(FileWriter&)>& write);

#pragma once
// The program's stored files, puzzle files and options.inf, as the file system holds them.
//
// Reading opens without blocking and takes only regular files, so a FIFO or a device put in
// a file's place cannot freeze the program. Writing goes to a temporary of the save's own
// beside the old file, renamed over it once written whole and synced, the folder synced after
// where it may be listed: a failed save never destroys what it replaces, saves of the same
// name at once never mix, and nothing planted under a temporary's name can block or redirect
// a save. A killed save leaves nothing that stays past the next save of the name, but in a
// folder that may not be listed, which is never swept. A name that is a symbolic link stays
// one: the save replaces the file at the end of its chain, in that file's folder, or creates
// it there when the chain ends at nothing. A hard-linked file is replaced under the saved name
// only; its other names keep the old content. A file the user may not write is never
// replaced. A replaced file keeps its owner where the saver may give it (root), its group
// where the saver is in it, and its permissions, but for the group's bits where its group
// could not be kept and the set-id bit of an owner or group that could not; a new file is
// created as any other, 0666 less the umask. While it is written, only the saver may read the
// temporary. A folder the user may write but not list takes saves too. A refused save writes
// one line to the diagnostic log: the name, and why.

#include <cstdio>
#include <functional>
#include <string>

class FileWriter;

// An open stream on the regular file at `path`, or null.
FILE* openStoredFile(const char* path);

// Writes `path` anew through `write`; false, with the old file as it was, when the file may
// not be written, `write` fails or the file system refuses.
bool replaceStoredFile(const std::string& path, const std::function<bool(FileWriter&)>& write);

// The log line of a refused save of `name`.
void logUnsavedFile(const std::string& name, const char* why);

#pragma once
// Puzzle files (*.pzl) in the folder "Puzzles" under the current directory, or in the current
// directory itself when that folder is missing.
//
// Layout, little-endian and packed: colour fade u8, fully scrambled u8, line width i32, solid
// i32, slice count n i32, n slice kinds i32, n thicknesses i32, groups valid u8, erase
// threshold i32, solve time f64, timer state i32, cubie count m i32, m group ids i32 (-1
// stored as 20000), then the move history section — 43 + 8n + 4m + 13k bytes.

#include <string>
#include <vector>

class Application;

inline constexpr const char* kPuzzleFolder = "Puzzles";
// File names are 8-bit text of at most this many bytes, the terminator included.
inline constexpr size_t kPuzzleNameBytes = 150;

// The folder puzzles are saved to, listed from and loaded from: "Puzzles" when it exists as
// a directory, else the current directory ("").
std::string puzzleFolder();

// True when the name ends in ".pzl", in any case.
bool hasPuzzleExtension(const std::string& name);

// A name that stays inside the folder and fits the name buffer.
bool isSafePuzzleName(const std::string& name);

// The regular *.pzl files of the folder (the extension in any case) whose names fit, sorted
// by name. An empty result
// writes "No *.pzl files in current directory!" to the log.
std::vector<std::string> listPuzzleFiles();

// Saves the current puzzle under `name`, with ".pzl" added when it lacks it, and makes that
// the current file name. The file is replaced atomically (stored_file.h). False, with one log
// line, when the name is refused, the old file may not be written, or the file could not be
// written whole.
bool savePuzzleFile(Application& app, const std::string& name);

// Loads `name`: the whole file is read and checked, a trial puzzle built from it (refused when
// the program could not show it: over the vertex limit) and its moves replayed, and only then
// do the definition, the application's state, the puzzle and the file name change. False (one
// log line, nothing changed) for a refused file. Only regular files are read.
bool loadPuzzleFile(Application& app, const std::string& name);

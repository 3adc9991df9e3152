// Screenshots as PNG files: the framework writes the last frame, tests read it back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes RGBA rows from the top as an opaque RGB PNG. False with the reason in `error`.
bool writePng(const std::string& path, const std::vector<std::uint8_t>& rgba, unsigned width,
              unsigned height, std::string& error);
// Reads any PNG as RGBA rows from the top. False with the reason in `error`.
bool readPng(const std::string& path, std::vector<std::uint8_t>& rgba, unsigned& width,
             unsigned& height, std::string& error);

#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Writes 8-bit RGBA rows (top first) as a PNG file; false on a file error.
bool WritePng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgba);

#pragma once
// Writes 24-bit RGB pixels as a PNG file (stored deflate blocks: no compressor needed).
#include <cstdint>
#include <string>
#include <vector>

// rgb holds width * height * 3 bytes, rows top to bottom.
bool WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb);

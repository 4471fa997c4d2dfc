#pragma once
// The LZW coder of GIF image data.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

enum TProgressStage { psStarting, psRunning, psEnding };
using TGIFProgress = std::function<void(TProgressStage stage, int percent, const std::string& message)>;

struct TLzwDecodeParams {
  int Width = 0, Height = 0;
  bool Interlaced = false;
  int BitsPerPixel = 8;  // pixels are masked to this many bits
  bool Tolerate = true;  // corrupt data marks the result instead of failing
  const TGIFProgress* Progress = nullptr;  // running reports, when set
};

// Decodes `data` (minimum code size byte, then sub-blocks) into `plane`,
// Width x Height bytes, top row first, which the caller has zero-filled.
// Never reads past `data` nor writes past the plane; pixels the data do not
// reach stay as they were. Returns true when the data were corrupt or ended
// before the last row; throws EInvalidGraphicOperation when not tolerant.
bool LzwDecode(std::span<const std::uint8_t> data, const TLzwDecodeParams& params, std::uint8_t* plane);

// Encodes `count` indices, each below 2^minCodeSize, into GIF image data:
// the code size byte, 255-byte sub-blocks and the terminating empty block.
std::vector<std::uint8_t> LzwEncode(const std::uint8_t* indices, std::size_t count, int minCodeSize);

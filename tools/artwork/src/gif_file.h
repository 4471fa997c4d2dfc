#pragma once
#include <cstdint>
#include <vector>

#include "indexed.h"

namespace artwork {

// The animation as a looping GIF89a file.
std::vector<std::uint8_t> EncodeGif(const Animation& animation);

}  // namespace artwork

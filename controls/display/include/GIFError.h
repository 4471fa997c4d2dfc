#pragma once
// The error raised for bad or unwritable GIF data. It stands in for the
// framework's exception of the same name until that hierarchy exists; only
// this header needs to change then.
#include <stdexcept>
#include <string>

class EInvalidGraphicOperation : public std::runtime_error {
public:
  explicit EInvalidGraphicOperation(const std::string& message) : std::runtime_error(message) {}
};

namespace gifmsg {
inline constexpr const char* UnknownVersion = "Unknown GIF version";
inline constexpr const char* CodeSizeRange = "GIF code size not in range 2 to 9";
inline constexpr const char* DataCorrupt = "GIF encoded data is corrupt";
inline constexpr const char* WrongColorCount = "Wrong number of colors; must be a power of 2";
inline constexpr const char* StreamRead = "Stream read error";
inline constexpr const char* NoData = "No GIF Data to write";
inline constexpr const char* ChangeSize = "Cannot change the Size of a GIF image";
inline constexpr const char* Encoding = "GIF image encoding error";
// Not one of the classic texts: a frame whose bitmap would not fit in memory.
inline constexpr const char* TooLarge = "GIF image is too large";
}  // namespace gifmsg

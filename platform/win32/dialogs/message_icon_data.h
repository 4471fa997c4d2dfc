// The stop and information icons of message boxes as tools/artwork draws
// them (message_icon_data.cpp): 32 x 32, a byte a pixel, top row first, each
// an index into the sixteen classic colours; 13 (fuchsia) is see-through.
#pragma once
#include <cstdint>

namespace dialogs {

extern const std::uint8_t kStopIconPixels[];
extern const std::uint8_t kInformationIconPixels[];

}  // namespace dialogs

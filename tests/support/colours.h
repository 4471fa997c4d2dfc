// Colours that drawing tests of every layer name. They live here, once,
// because test files of one group compile together in batches, where two
// files' own constants of the same name would clash.
#pragma once

#include <win32/windows.h>

inline constexpr COLORREF kBlack = RGB(0, 0, 0), kWhite = RGB(255, 255, 255), kRed = RGB(255, 0, 0),
                          kBlue = RGB(0, 0, 255);
// The classic look's button face and its grey shadow.
inline constexpr COLORREF kFace = RGB(192, 192, 192), kGrey = RGB(128, 128, 128);

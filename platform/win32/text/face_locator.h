// Finding the file that holds the face for a font request: the Windows
// bitmap families come from the fonts-wine strikes, the rest through
// fontconfig with a generic family behind the requested one.
#pragma once

#include <string>
#include <vector>

#include "text/font.h"

namespace text {

struct FaceFile {
  std::string path;
  int index = 0;
  bool bold = false;    // the face itself is bold (no synthesis needed)
  bool italic = false;  // the face itself is slanted
};

// The strike files of a Windows bitmap family ("MS Sans Serif" and a few
// others), empty when the family is not one of them or the file is missing.
std::string BitmapFamilyFile(const std::string& face);

// The face chosen through fontconfig for the request; path empty when
// fontconfig finds nothing.
FaceFile MatchOutlineFace(const FontRequest& request, int pixelSize);

// Whether a request asks for bold (Windows treats 600 and above as bold).
bool WantsBold(const FontRequest& request);

}  // namespace text

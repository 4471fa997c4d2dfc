#pragma once
// Frames composed over one another by their origins and disposal methods,
// in plain pixels: the composition the animator paints, kept free of any
// canvas so that tools and tests can use it on a true-colour screen.
#include "display/GIFPicture.h"

#include <cstdint>
#include <vector>

class TGIFComposer {
public:
  // `windowColor` stands for clWindow, the fill when nothing else applies.
  explicit TGIFComposer(TGIFPicture& picture, TColor windowColor = RGBColor(255, 255, 255));

  // Frame n (limited to the last) over the frames before it. Sequential
  // calls reuse the previous composition, as the animator's cache does.
  // Rows from the top, ScreenWidth x ScreenHeight pixels of 0x00RRGGBB.
  const std::vector<std::uint32_t>& Compose(int n);
  // The colour that stands for "transparent" in the result, clNone if none.
  TColor TransparentColor() const { return FTransparent; }
  int Index() const { return FIndex; }

private:
  TGIFPicture& FPicture;
  TColor FWindow;
  std::vector<std::uint32_t> FPixels;
  int FIndex = -1;
  TColor FTransparent = clNone;
  std::uint32_t FFill = 0;

  void Fresh(int n);
  bool CoversScreen(TGIFFrameBase& f);
  void Draw(TGIFFrameBase& f);
  void FillRect(TGIFFrameBase& f);
};

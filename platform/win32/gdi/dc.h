// Device contexts inside the core: creation, the logical-to-device mapping,
// and turning a DC's state into what the raster engine draws with.
#pragma once

#include "objects.h"
#include "raster.h"

namespace gdi {

std::shared_ptr<DcObject> NewDc(DcType type);
HDC AddDc(std::shared_ptr<DcObject> dc);

inline POINT ToDevice(const DcState& st, long long x, long long y) {
  return POINT{Limit(x - st.windowOrg.x + st.viewportOrg.x), Limit(y - st.windowOrg.y + st.viewportOrg.y)};
}
inline POINT ToLogical(const DcState& st, long long x, long long y) {
  return POINT{Limit(x + st.windowOrg.x - st.viewportOrg.x), Limit(y + st.windowOrg.y - st.viewportOrg.y)};
}
// A logical rectangle in surface coordinates (normalised).
RECT LogicalToSurface(const DcObject& dc, const Target& t, long long l, long long top, long long r, long long b);

// The surface a DC draws on with its full clip (surface bounds, visible
// region, clip region). `forReading` refreshes the screen first. False when
// the DC has nothing to draw on.
bool ResolveTarget(DcObject& dc, Target& t, bool forReading = false);
// After drawing into a bitmap: hands changed pixels back to DIB section bits.
void FinishDrawing(Target& t);

// Resolves COLORREF flags (palette index, palette-relative) to a pixel.
std::uint32_t ResolveColor(const DcObject& dc, COLORREF c);
// A colour as the target stores it (black or white on monochrome targets).
std::uint32_t TargetPixel(const Target& t, const DcObject& dc, COLORREF c);

Pattern MakePattern(const DcObject& dc, const Target& t, const BrushObject* brush);
inline Pattern CurrentPattern(const DcObject& dc, const Target& t) {
  return MakePattern(dc, t, dc.st.brush.get());
}
// The source of a blit from `srcDc` onto target `t` of `dstDc`.
Source MakeSource(const DcObject& dstDc, const Target& t, const DcObject& srcDc, const Target& st);

// Runs one drawing call: resolves the DC's target, calls f(dc, target) and
// hands the result back to DIB section bits. FALSE for a DC without one.
template <class F>
BOOL DrawOn(HDC hdc, F f) {
  CoreGuard guard(CoreLock());
  auto dc = LookupDc(hdc);
  Target t;
  if (!dc || !ResolveTarget(*dc, t)) return FALSE;
  BOOL ok = f(*dc, t);
  FinishDrawing(t);
  return ok;
}

// The screen (screen.cpp).
std::shared_ptr<Surface> ScreenSurface(bool refresh);

}  // namespace gdi

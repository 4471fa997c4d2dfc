// TRxClock's round face: the 60-point table corrected for the screen's
// pixel shape, the face's place and the fitted font, the marks and the
// hands (the second hand drawn inverted, so drawing it again removes it).
#include <win32/gdi32.h>
#include <win32/kernel32.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "display/RXClock.h"
#include "framework/canvas.h"

struct TRxClock::FaceTable {
  std::array<TPoint, 60> points;
  int horzDensity, vertDensity;  // pixels per 100 mm
  int HorzToVert(int h) const { return MulDiv(h, vertDensity, horzDensity); }
  int VertToHorz(int v) const { return MulDiv(v, horzDensity, vertDensity); }
};

const TRxClock::FaceTable& TRxClock::Table() {
  static const FaceTable table = [] {
    FaceTable t{};
    HDC screen = GetDC(nullptr);
    t.horzDensity = std::max(1, GetDeviceCaps(screen, HORZRES) * 100 / std::max(1, GetDeviceCaps(screen, HORZSIZE)));
    t.vertDensity = std::max(1, GetDeviceCaps(screen, VERTRES) * 100 / std::max(1, GetDeviceCaps(screen, VERTSIZE)));
    ReleaseDC(nullptr, screen);
    const double pi = std::acos(-1.0);
    for (int i = 0; i < 60; ++i) {
      const double angle = i * 6 * pi / 180;
      const int x = static_cast<int>(std::lround(8000 * std::sin(angle)));
      const int y = -static_cast<int>(std::lround(8000 * std::cos(angle)));
      t.points[i] = Point(x, t.HorzToVert(y));
    }
    return t;
  }();
  return table;
}

void TRxClock::AlignControls(TControl* control, TRect& rect) {
  TCustomPanel::AlignControls(control, rect);
  TRect area = ClientRect();
  AdjustClientRect(area);
  AdjustFace(area);
  if (autoSize_) FitFont(area);
}

// The largest rectangle of the area that is round on the screen, centred.
void TRxClock::AdjustFace(const TRect& area) {
  const FaceTable& t = Table();
  face_ = area;
  const int w = RectWidth(area), h = RectHeight(area);
  if (w > t.VertToHorz(h)) {
    const int width = t.VertToHorz(h);
    face_.left = area.left + (w - width) / 2;
    face_.right = face_.left + width;
  } else {
    const int height = t.HorzToVert(w);
    face_.top = area.top + (h - height) / 2;
    face_.bottom = face_.top + height;
  }
}

void TRxClock::FitFont(const TRect& area) {
  const int height = RectHeight(area) - 4, width = RectWidth(area) - 30;
  if (height < 1 || width < 1) return;
  TFont probe;
  probe.Assign(Font());
  probe.SetHeight(1000);
  HDC dc = CreateCompatibleDC(nullptr);
  TCanvas measure;
  measure.SetHandle(dc);
  measure.SetFont(&probe);
  std::string sample = showSeconds_ ? "88888888" : "88888";
  if (twelveHour_)
    sample += " " + (measure.TextWidth(TimeAMString) >= measure.TextWidth(TimePMString) ? TimeAMString : TimePMString);
  const int sampleWidth = std::max(1, measure.TextWidth(sample));
  measure.SetHandle(nullptr);
  DeleteDC(dc);
  probe.SetHeight(std::min(height * 4 / 5, MulDiv(1000, width, sampleWidth)));
  Font()->Assign(&probe);
}

TPoint TRxClock::FacePoint(int index, int length) const {
  const TPoint p = Table().points[((index % 60) + 60) % 60];
  return Point(centre_.x + p.x * length / 8000, centre_.y + p.y * length / 8000);
}

namespace {

// Each non-zero part of the colour gains 127 up to 255; a colour with a
// part already full has no lighter shade and takes the highlight.
TColor Lighter(TColor color) {
  const COLORREF rgb = ColorToRGB(color);
  int part[3] = {GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)};
  for (int& p : part) {
    if (p == 255) return clBtnHighlight;
    if (p != 0) p = std::min(255, p + 127);
  }
  return static_cast<TColor>(RGB(part[0], part[1], part[2]));
}

}  // namespace

void TRxClock::DrawMarks(int radius, TPoint centre, int dotWidth, int dotHeight, bool large) {
  TCanvas* c = Canvas();
  const TColor fontColor = Font()->Color();
  for (int i = 0; i < 60; ++i) {
    const TPoint p = Table().points[i];
    const int x = centre.x + p.x * radius / 8000, y = centre.y + p.y * radius / 8000;
    if (i % 5 == 0) {
      TRect dot = Bounds(x - dotWidth / 2, y - dotHeight / 2, dotWidth, dotHeight);
      if (ctl3D_ && large) {
        c->Brush()->SetColor(dotsColor_);
        c->FillRect(dot);
        Frame3D(c, dot, Lighter(dotsColor_), clWindowFrame, 1);
      } else {
        c->Brush()->SetColor(fontColor);
        c->FillRect(dot);
      }
    } else if (large) {
      if (ctl3D_) {
        c->Brush()->SetColor(clBtnShadow);
        c->FillRect(Bounds(x - 1, y - 1, 2, 2));
        c->Brush()->SetColor(clBtnHighlight);
        c->FillRect(Bounds(x, y, 2, 2));
        c->Brush()->SetColor(Color());
        c->FillRect(Bounds(x, y, 1, 1));
      } else {
        c->SetPixel(x, y, fontColor);
      }
    }
  }
  c->Brush()->SetColor(Color());
}

// A kite: tip and tail along the hand, two side points a quarter turn off.
void TRxClock::DrawHand(int position, int tip, int tail, int side, TColor color) {
  TCanvas* c = Canvas();
  c->Pen()->SetMode(pmCopy);
  c->Pen()->SetColor(color);
  const TPoint tipP = FacePoint(position, radius_ * tip / 100);
  const TPoint tailP = FacePoint(position + 30, radius_ * tail / 100);
  const TPoint sides[2] = {FacePoint(position + 15, radius_ * side / 100),
                           FacePoint(position + 45, radius_ * side / 100)};
  for (const TPoint& s : sides) {
    c->MoveTo(s.x, s.y);
    c->LineTo(tipP.x, tipP.y);
    c->MoveTo(s.x, s.y);
    c->LineTo(tailP.x, tailP.y);
  }
}

void TRxClock::DrawSecondHand(int second) {
  TCanvas* c = Canvas();
  c->Pen()->SetMode(pmNot);
  const TPoint end = FacePoint(second, radius_ * 80 / 100);
  c->MoveTo(centre_.x, centre_.y);
  c->LineTo(end.x, end.y);
  c->Pen()->SetMode(pmCopy);
}

namespace {

int HourPosition(int hour, int minute) { return hour % 12 * 5 + minute / 12; }

}  // namespace

void TRxClock::DrawFace() {
  const FaceTable& t = Table();
  TCanvas* c = Canvas();
  c->Brush()->SetColor(Color());
  c->FillRect(face_);
  HDC screen = GetDC(nullptr);
  const int screenWidth = std::max(1, GetDeviceCaps(screen, HORZRES));
  ReleaseDC(nullptr, screen);
  const int unclamped = RectWidth(face_) * 25 / screenWidth;
  const int dotWidth = std::max(unclamped, 2);
  const int dotHeight = std::max(t.HorzToVert(dotWidth), 1);
  const bool large = unclamped >= 3 && dotHeight > 1;
  TRect inner = face_;
  InflateRect(&inner, -dotWidth / 2, -dotHeight / 2);
  radius_ = RectWidth(inner) / 2;
  centre_ = Point((inner.left + inner.right) / 2, (inner.top + inner.bottom) / 2);
  DrawMarks(radius_, centre_, dotWidth, dotHeight, large);
  const TColor fontColor = Font()->Color();
  DrawHand(HourPosition(last_.hour, last_.minute), 60, 15, 7, fontColor);
  DrawHand(last_.minute, 80, 20, 5, fontColor);
  if (showSeconds_) DrawSecondHand(last_.second);
}

void TRxClock::UpdateFace() {
  const Clock now = Current();
  const bool secondMoved = now.second != last_.second;
  if (secondMoved && showSeconds_) DrawSecondHand(last_.second);
  if (now.minute != last_.minute || now.hour != last_.hour) {
    DrawHand(HourPosition(last_.hour, last_.minute), 60, 15, 7, Color());
    DrawHand(last_.minute, 80, 20, 5, Color());
    last_.hour = now.hour;
    last_.minute = now.minute;
    DrawHand(HourPosition(last_.hour, last_.minute), 60, 15, 7, Font()->Color());
    DrawHand(last_.minute, 80, 20, 5, Font()->Color());
  }
  if (secondMoved) {
    if (showSeconds_) DrawSecondHand(now.second);
    last_.second = now.second;
  }
}

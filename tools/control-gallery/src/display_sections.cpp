// The clocks, shadowed labels, links and GIF animators in the gallery.
#include <memory>
#include <string>

#include "display/ASLink.h"
#include "display/GIFCtrl.h"
#include "display/RXClock.h"
#include "display/RXCtrls.h"
#include "display/RxGIF.h"
#include "framework/bitmap.h"
#include "framework/datetime.h"
#include "gallery.h"

namespace gallery {

namespace {

void Clocks(TWinControl* host) {
  Put<TRxClock>(host, 4, 4, 62, 19)->SetName("StatusClock");  // as the status bar holds it
  auto* twelve = Put<TRxClock>(host, 74, 4, 140, 40);
  twelve->SetTwelveHour(true);
  twelve->SetShowSeconds(false);
  twelve->SetLeadingZero(false);
  twelve->SetAutoSize(true);
  // The marks turn 3-D once the face is 3/25 of the screen's width across
  // (96 pixels on the shot's screen).
  Put<TRxClock>(host, 222, 4, 80, 80)->SetShowMode(scAnalog);
  auto* large = Put<TRxClock>(host, 310, 4, 112, 112);
  large->SetShowMode(scAnalog);
  large->SetDotsColor(clNavy);
  auto* flat = Put<TRxClock>(host, 430, 4, 112, 112);
  flat->SetShowMode(scAnalog);
  flat->SetCtl3D(false);
}

TRxLabel* ShadowedLabel(TWinControl* host, int left, const char* caption) {
  auto* label = Put<TRxLabel>(host, left, 4, 100, 20);
  label->Font()->SetHeight(-14);
  label->Font()->SetStyle(TFontStyles{fsBold});
  label->SetShadowColor(clGray);
  label->SetShadowSize(2);
  label->SetCaption(caption);
  return label;
}

void Labels(TWinControl* host) {
  const TShadowPosition positions[] = {spLeftTop, spLeftBottom, spRightBottom, spRightTop};
  const char* captions[] = {"Left top", "Left bottom", "Right bottom", "Right top"};
  for (int i = 0; i < 4; ++i) ShadowedLabel(host, 4 + i * 110, captions[i])->SetShadowPos(positions[i]);
  ShadowedLabel(host, 444, "&Disabled")->SetEnabled(false);
  for (int i = 0; i < 2; ++i) {
    auto* link = Put<TASLink>(host, 564 + i * 98, 8, 90, 13);
    link->SetName(std::string("Link") + std::to_string(i));
    link->SetURLType(utHttp);
    link->SetCaption(i == 0 ? "www.example.org" : "Under the mouse");
  }
}

// The mouse is on the hot button, so the second link is told it came onto
// it, as the framework tells it.
void HoverLink(TWinControl* host) {
  if (TControl* link = host->FindChildControl("Link1")) link->Perform(CM_MOUSEENTER);
}

// 48 x 48, six frames of 100 ms: an opaque ground, then one dot a frame on
// a see-through ground, each left in place for the next (disposal 1), so a
// later frame shows every dot before it.
std::unique_ptr<TGIFImage> DotsPicture() {
  auto gif = std::make_unique<TGIFImage>();
  TBitmap frame;
  frame.SetPixelFormat(pf24bit);
  frame.SetSize(48, 48);
  TCanvas* c = frame.Canvas();
  c->Brush()->SetColor(clTeal);
  c->FillRect(TRect{0, 0, 48, 48});
  c->Brush()->SetColor(clNavy);
  c->FillRect(TRect{4, 4, 44, 44});
  gif->AddFrame(&frame);
  const TColor colours[] = {clYellow, clRed, clLime, clWhite, clAqua};
  for (int i = 0; i < 5; ++i) {
    c->Brush()->SetColor(clFuchsia);
    c->FillRect(TRect{0, 0, 48, 48});
    c->Brush()->SetColor(colours[i]);
    const int x = 8 + (i % 3) * 12, y = 10 + (i / 3) * 16;
    c->FillRect(TRect{x, y, x + 8, y + 8});
    gif->AddFrame(&frame);
    gif->Frames(i + 1)->TransparentColor = clFuchsia;
  }
  for (int i = 0; i < gif->Count(); ++i) {
    gif->Frames(i)->AnimateInterval = 100;
    gif->Frames(i)->DisposalMethod = 1;
  }
  gif->SetLooping(true);
  gif->SetFrameIndex(0);
  return gif;
}

void Animators(TWinControl* host) {
  std::unique_ptr<TGIFImage> dots = DotsPicture();
  // Animating: on the headless screen its clock stands, so shots show frame 0.
  auto* running = Put<TRxGIFAnimator>(host, 4, 4, 48, 48);
  running->SetName("RunningGIF");
  running->SetImage(dots.get());
  running->SetAnimate(true);
  auto* composed = Put<TRxGIFAnimator>(host, 60, 4, 48, 48);
  composed->SetName("ComposedGIF");
  composed->SetImage(dots.get());
  composed->SetFrameIndex(5);
  auto* centred = Put<TRxGIFAnimator>(host, 116, 4, 80, 48);
  centred->SetAutoSize(false);
  centred->SetCenter(true);
  centred->SetImage(dots.get());
  centred->SetFrameIndex(3);
  auto* stretched = Put<TRxGIFAnimator>(host, 204, 4, 120, 48);
  stretched->SetAutoSize(false);
  stretched->SetStretch(true);
  stretched->SetImage(dots.get());
  stretched->SetFrameIndex(2);
}

}  // namespace

void AddDisplaySections(std::vector<Section>& out) {
  out.push_back({"Clocks: digital, 12-hour without seconds; round: small, large, large and flat", 120, Clocks, nullptr});
  out.push_back({"Shadowed labels: left top, left bottom, right bottom, right top, disabled; links", 28, Labels,
                 HoverLink});
  out.push_back({"GIF animators: animating, frame 5 composed, centred, stretched", 56, Animators,
                 nullptr});
}

void UseFixedTime() {
  SetTimeSource([] { return EncodeDate(2001, 2, 3) + EncodeTime(10, 9, 36, 0); });
}

}  // namespace gallery

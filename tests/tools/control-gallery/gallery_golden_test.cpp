// The control gallery against its golden picture, pixel for pixel, with a
// few pixels its controls fix by rule checked by name first, so that a
// difference says which control moved.
#include <backend/headless.h>
#include <gtest/gtest.h>

#include "display/ASLink.h"
#include "display/GIFCtrl.h"
#include "display/RXClock.h"
#include "framework/application.h"
#include "gallery.h"
#include "golden.h"
#include "panels/TB97Ctls.h"
#include "window_shot.h"

namespace {

COLORREF ClientPixel(TControl* c, int x, int y) {
  auto* host = c->Parent();
  HDC dc = GetDC(host->Handle());
  const COLORREF p = GetPixel(dc, c->Left() + x, c->Top() + y);
  ReleaseDC(host->Handle(), dc);
  return p;
}

TEST(ControlGallery, LooksLikeItsGoldenPicture) {
  headless::Start(gallery::kScreenWidth, gallery::kScreenHeight);
  gallery::UseFixedTime();
  InitCommonControls();
  TOwned<gallery::TGalleryForm> form(new gallery::TGalleryForm(nullptr));
  form->ShowSections();

  auto* hot = dynamic_cast<TToolbarButton97*>(form->FindComponent("Button1"));
  auto* up = dynamic_cast<TToolbarButton97*>(form->FindComponent("Button0"));
  ASSERT_TRUE(hot && up);
  EXPECT_EQ(TToolbarButton97::HotButton(), hot);
  EXPECT_EQ(ClientPixel(hot, 0, 0), RGB(255, 255, 255)) << "the hot button's raised frame";
  EXPECT_EQ(ClientPixel(up, 0, 0), RGB(192, 192, 192)) << "an idle flat button has none";

  auto* clock = dynamic_cast<TRxClock*>(form->FindComponent("StatusClock"));
  ASSERT_TRUE(clock);
  EXPECT_EQ(clock->ShownText(), "10:09:36") << "the clocks run on the fixed time";
  auto* running = dynamic_cast<TRxGIFAnimator*>(form->FindComponent("RunningGIF"));
  auto* composed = dynamic_cast<TRxGIFAnimator*>(form->FindComponent("ComposedGIF"));
  ASSERT_TRUE(running && composed);
  EXPECT_EQ(running->FrameIndex(), 0) << "the virtual clock stands, so the animation does too";
  EXPECT_EQ(ClientPixel(running, 10, 12), RGB(0, 0, 128)) << "frame 0 is the ground alone";
  EXPECT_EQ(ClientPixel(composed, 10, 12), RGB(255, 255, 0)) << "frame 5 keeps frame 1's dot";
  EXPECT_EQ(ClientPixel(composed, 46, 46), RGB(0, 128, 128)) << "and frame 0's ground under the dots";
  auto* hovered = dynamic_cast<TASLink*>(form->FindComponent("Link1"));
  ASSERT_TRUE(hovered);
  EXPECT_TRUE(hovered->MouseInside());
  EXPECT_EQ(hovered->Font()->Color(), hovered->LinkColor());

  EXPECT_TRUE(testsupport::MatchesGolden(testsupport::ShotOf(form->Handle()),
                                         testsupport::GoldenPath("tools/control-gallery/golden/gallery.png")));
}

}  // namespace

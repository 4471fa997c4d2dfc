// The control gallery against its golden picture, pixel for pixel, with a
// few pixels its controls fix by rule checked by name first, so that a
// difference says which control moved.
#include <backend/headless.h>
#include <gtest/gtest.h>

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
  headless::Start(800, 700);
  InitCommonControls();
  TOwned<gallery::TGalleryForm> form(new gallery::TGalleryForm(nullptr));
  form->ShowSections();

  auto* hot = dynamic_cast<TToolbarButton97*>(form->FindComponent("Button1"));
  auto* up = dynamic_cast<TToolbarButton97*>(form->FindComponent("Button0"));
  ASSERT_TRUE(hot && up);
  EXPECT_EQ(TToolbarButton97::HotButton(), hot);
  EXPECT_EQ(ClientPixel(hot, 0, 0), RGB(255, 255, 255)) << "the hot button's raised frame";
  EXPECT_EQ(ClientPixel(up, 0, 0), RGB(192, 192, 192)) << "an idle flat button has none";

  EXPECT_TRUE(testsupport::MatchesGolden(testsupport::ShotOf(form->Handle()),
                                         testsupport::GoldenPath("tools/control-gallery/golden/gallery.png")));
}

}  // namespace

// A small form of panels against its golden picture, pixel for pixel, and
// the bevel colours the panel draws.
#include <backend/headless.h>
#include <gtest/gtest.h>

#include "framework/application.h"
#include "framework/forms.h"
#include "framework/panel.h"
#include "golden.h"
#include "window_shot.h"

namespace {

TPanel* AddPanel(TWinControl* parent, TAlign align, int size, const char* caption) {
  auto* p = new TPanel(parent);
  p->SetParent(parent);
  p->SetBounds(0, 0, size, size);
  p->SetAlign(align);
  p->SetCaption(caption);
  return p;
}

TEST(PanelGolden, FormOfPanelsLooksLikeItsGoldenPicture) {
  headless::Start(400, 300);
  TOwned<TForm> form(new TForm(nullptr));
  form->SetBorderStyle(bsNone);
  form->SetBounds(20, 20, 200, 120);
  AddPanel(form.get(), alTop, 28, "Top");
  TPanel* side = AddPanel(form.get(), alLeft, 50, "");
  side->SetBevelOuter(bvLowered);
  TPanel* body = AddPanel(form.get(), alClient, 0, "Body");
  body->SetBevelInner(bvLowered);
  body->SetBorderWidth(2);
  TPanel* inner = AddPanel(body, alBottom, 20, "");
  inner->SetColor(clWhite);
  inner->SetBevelOuter(bvNone);
  form->Show();
  Application->ProcessMessages();

  // Raised outer bevel: white top-left, grey bottom-right; lowered the other way.
  const testsupport::Image shot = testsupport::ShotOf(form->Handle());
  ASSERT_EQ(shot.width, 200);
  EXPECT_EQ(shot.At(0, 0), testsupport::Rgb(255, 255, 255));
  EXPECT_EQ(shot.At(199, 27), testsupport::Rgb(128, 128, 128));
  EXPECT_EQ(shot.At(0, 28), testsupport::Rgb(128, 128, 128)) << "the lowered side panel's top-left";
  EXPECT_EQ(shot.At(49, 119), testsupport::Rgb(255, 255, 255));
  EXPECT_EQ(shot.At(100, 110), testsupport::Rgb(255, 255, 255)) << "the white panel docked at the body's bottom";
  EXPECT_TRUE(testsupport::MatchesGolden(shot, testsupport::GoldenPath("framework/controls/golden/panels.png")));
}

}  // namespace

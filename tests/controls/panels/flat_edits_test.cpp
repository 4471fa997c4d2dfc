// The two flat edits and the status bar that hosts controls: borders by
// state, the hot rules between edits, colours and heights.
#include "edit_border.h"
#include "framework/panel.h"
#include "framework/stdctrls.h"
#include "panels/AdvStatusBar.h"
#include "panels/TB97Ctls.h"
#include "panels/TFlatEditUnit.h"
#include "panels_fixture.h"

namespace panels_test {
namespace {

class EditTest : public FormTest {};

TEST_F(EditTest, Edit97BorderIsFlatIdleAndSunkenWhenFocused) {
  auto* e = Make<TEdit97>(20, 20, 177, 19);
  auto* other = Make<TEdit97>(20, 60, 177, 19);
  HWND h = e->Handle();
  RECT c{};
  GetClientRect(h, &c);
  EXPECT_EQ(c.right, 177 - 6);
  EXPECT_EQ(c.bottom, 19 - 6);
  other->SetFocus();
  Pump();
  EXPECT_EQ(WindowPixel(h, 0, 0), kFace);
  EXPECT_EQ(WindowPixel(h, 1, 1), kFace);
  EXPECT_EQ(WindowPixel(h, 2, 2), kWhite);
  e->SetFocus();
  Pump();
  EXPECT_TRUE(e->IsHot());
  EXPECT_EQ(WindowPixel(h, 0, 0), kShadow) << "sunken outer edge";
  EXPECT_EQ(WindowPixel(h, 176, 18), kWhite);
  EXPECT_EQ(WindowPixel(h, 1, 1), kFace) << "face on the inner top and left";
  EXPECT_EQ(WindowPixel(h, 2, 2), kWhite);
}

TEST_F(EditTest, Edit97UnderThePointerIsHotOnlyWhenNoOtherEdit97HasFocus) {
  auto* e = Make<TEdit97>(20, 20, 177, 19);
  auto* other = Make<TEdit97>(20, 60, 177, 19);
  auto* box = Make<TCheckBox>(20, 100, 100, 17);
  other->SetFocus();
  Pump();
  MoveTo(60, 28);
  EXPECT_TRUE(e->MouseInControl());
  EXPECT_FALSE(e->IsHot());
  box->SetFocus();
  Pump();
  EXPECT_TRUE(e->IsHot());
}

TEST_F(EditTest, Edit97ClassIsListedFromItsFirstInstanceToItsLast) {
  EXPECT_FALSE(edit_border::IsOfHotClass(nullptr));
  const int before = edit_border::HotClassCount();
  auto* a = Make<TEdit97>(20, 20, 177, 19);
  EXPECT_EQ(edit_border::HotClassCount(), before + 1);
  auto* b = Make<TEdit97>(20, 60, 177, 19);
  EXPECT_EQ(edit_border::HotClassCount(), before + 1) << "one entry per class";
  EXPECT_TRUE(edit_border::IsOfHotClass(b));
  Free(a);
  EXPECT_TRUE(edit_border::IsOfHotClass(b));
  auto* flat = Make<TFlatEdit>(20, 100, 121, 19);
  EXPECT_FALSE(edit_border::IsOfHotClass(flat));
  Free(b);
  EXPECT_EQ(edit_border::HotClassCount(), before);
}

TEST_F(EditTest, Edit97HeightFollowsTheFontAndColourFollowsEnabled) {
  auto* e = Make<TEdit97>(20, 20, 177, 19);
  e->Font()->SetHeight(16);
  EXPECT_EQ(e->Height(), 22);
  e->SetColor(clYellow);
  e->SetEnabled(false);
  EXPECT_EQ(e->Color(), clBtnFace);
  e->SetEnabled(true);
  EXPECT_EQ(e->Color(), clWindow);
}

TEST_F(EditTest, ReadOnlyFlatEditWithFaceColoursOnlyShowsTheCaret) {
  auto* e = Make<TFlatEdit>(20, 20, 121, 19);
  e->SetReadOnly(true);
  e->SetColorFocused(clBtnFace);
  e->SetColorFlat(clBtnFace);
  e->SetParentColor(true);
  auto* other = Make<TFlatEdit>(20, 60, 121, 19);
  other->SetFocus();
  Pump();
  HWND h = e->Handle();
  const COLORREF outline = RGB(0xA0, 0x96, 0x83);
  EXPECT_EQ(WindowPixel(h, 0, 0), outline);
  EXPECT_EQ(WindowPixel(h, 1, 1), kFace);
  EXPECT_EQ(WindowPixel(h, 10, 9), kFace);
  e->SetFocus();
  Pump();
  EXPECT_TRUE(e->IsHot());
  EXPECT_EQ(WindowPixel(h, 0, 0), outline);
  EXPECT_EQ(WindowPixel(h, 1, 1), kFace);
  EXPECT_EQ(e->Color(), clBtnFace);
}

TEST_F(EditTest, FlatEditDefaultsAndColourRules) {
  TFlatEdit e(nullptr);
  EXPECT_EQ(e.Width(), 121);
  EXPECT_EQ(e.Height(), 19);
  EXPECT_TRUE(e.ParentColor());
  EXPECT_EQ(e.ColorBorder(), static_cast<TColor>(0x8396A0));
  e.SetColorFlat(clYellow);
  EXPECT_FALSE(e.ParentColor()) << "setting ColorFlat ends following the parent";
  e.SetParent(form.get());
  e.SetParentColor(true);
  EXPECT_EQ(e.ColorFlat(), clBtnFace);
  form->SetColor(clAqua);
  EXPECT_EQ(e.ColorFlat(), clAqua);
  e.SetParent(nullptr);
}

TEST_F(EditTest, AdvancedColoursAreDerivedFromTheFlatColour) {
  TFlatEdit e(nullptr);
  e.SetColorFlat(static_cast<TColor>(RGB(100, 100, 100)));
  e.SetUseAdvColors(true);
  // Grey of lightness 39 %: +10 +10 gives 59 %, +10 -50 gives 0 %.
  EXPECT_EQ(ColorToRGB(e.ColorFocused()), RGB(151, 151, 151));
  EXPECT_EQ(ColorToRGB(e.ColorBorder()), RGB(0, 0, 0));
}

TEST_F(EditTest, StatusBarHostsARightAlignedChild) {
  auto* bar = new TAdvStatusBar(form.get());
  bar->SetParent(form.get());
  EXPECT_TRUE(bar->ControlStyle().Contains(csAcceptsControls));
  bar->Panels()->Add()->SetWidth(300);
  bar->Panels()->Add()->SetWidth(275);
  auto* clock = new TPanel(form.get());
  clock->SetParent(bar);
  clock->SetBounds(0, 0, 62, 19);
  clock->SetAlign(alRight);
  EXPECT_EQ(clock->Left(), bar->ClientWidth() - 62);
  form->SetWidth(300);
  EXPECT_EQ(clock->Left() + clock->Width(), bar->ClientWidth());
  EXPECT_EQ(clock->Height(), bar->ClientHeight());
}

}  // namespace
}  // namespace panels_test

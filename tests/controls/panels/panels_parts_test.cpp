// The parts behind the controls: the glyph cache's slots and lists, the
// repeating and drop-down buttons, the hot button leaving for another
// window, the live-label and colour effects, and printing a flat edit.
#include <string>
#include <vector>

#include "framework/stdctrls.h"
#include "glyph_cache.h"
#include "mega_hooks.h"
#include "panels/MegaPanl.h"
#include "panels/TB97Ctls.h"
#include "panels_fixture.h"

namespace panels_test {
namespace {

HBITMAP Solid(COLORREF c) {
  HDC screen = GetDC(nullptr);
  HBITMAP b = CreateCompatibleBitmap(screen, 4, 4);
  ReleaseDC(nullptr, screen);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, b);
  HBRUSH brush = CreateSolidBrush(c);
  RECT r{0, 0, 4, 4};
  FillRect(dc, &r, brush);
  DeleteObject(brush);
  SelectObject(dc, old);
  DeleteDC(dc);
  return b;
}

TEST_F(FormTest, GlyphListsReuseTheLowestFreeSlotAndGoWhenUnused) {
  TGlyphCache cache;
  TGlyphList* list = cache.GetList(4, 4);
  EXPECT_EQ(cache.GetList(4, 4), list) << "one list per size";
  EXPECT_NE(cache.GetList(5, 4), list);
  HBITMAP red = Solid(RGB(255, 0, 0)), blue = Solid(RGB(0, 0, 255));
  EXPECT_EQ(list->AddMasked(red, RGB(0, 0, 0)), 0);
  EXPECT_EQ(list->AddMasked(red, RGB(0, 0, 0)), 1);
  EXPECT_EQ(list->AddMasked(red, RGB(0, 0, 0)), 2);
  list->Delete(1);
  EXPECT_EQ(list->UsedCount(), 2);
  EXPECT_EQ(list->AddMasked(blue, RGB(0, 0, 0)), 1) << "the freed slot is taken again";
  EXPECT_EQ(ImageList_GetImageCount(list->Handle()), 3) << "replaced, not appended";
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP canvas = Solid(RGB(0, 255, 0));
  HGDIOBJ old = SelectObject(dc, canvas);
  ImageList_DrawEx(list->Handle(), 1, dc, 0, 0, 0, 0, CLR_NONE, CLR_NONE, ILD_TRANSPARENT);
  EXPECT_EQ(GetPixel(dc, 1, 1), RGB(0, 0, 255));
  SelectObject(dc, old);
  DeleteDC(dc);
  for (int i = 0; i < 3; ++i) list->Delete(i);
  cache.ReturnList(list);
  EXPECT_EQ(cache.ListCount(), 1) << "only the unused 5 x 4 list is left";
  for (HBITMAP b : {red, blue, canvas}) DeleteObject(b);
}

TEST_F(FormTest, TheProcessCacheGoesWithTheLastGlyph) {
  TBitmap glyph;
  glyph.SetSize(16, 16);
  {
    auto* b = Make<TToolbarButton97>(10, 10, 40, 22);
    b->SetGlyph(&glyph);
    Pixel(0, 0);
    EXPECT_TRUE(GlyphCacheExists());
    Free(b);
  }
  EXPECT_FALSE(GlyphCacheExists());
}

class PressTest : public FormTest {
 protected:
  void PressOn(TControl* c, int x) {
    MoveTo(c->Left() + x, c->Top() + 5);
    headless::PressMouse(0);
    Pump();
  }
  void Release() {
    headless::ReleaseMouse(0);
    Pump();
  }
};

TEST_F(PressTest, RepeatingButtonClicksAtOnceAfterTheDelayAndAtTheInterval) {
  auto* b = Make<TToolbarButton97>(10, 10, 80, 22);
  b->SetRepeating(true);
  int clicks = 0;
  b->OnClick = [&](TObject*) { ++clicks; };
  PressOn(b, 20);
  EXPECT_EQ(clicks, 1);
  Wait(399);
  EXPECT_EQ(clicks, 1);
  Wait(1);
  EXPECT_EQ(clicks, 2);
  Wait(100);
  Wait(100);
  EXPECT_EQ(clicks, 4);
  Release();
  Wait(300);
  EXPECT_EQ(clicks, 4) << "release stops it and does not click again";
}

TEST_F(PressTest, ComboDropdownSplitsTheArrowFromTheButton) {
  auto* b = Make<TToolbarButton97>(10, 10, 80, 22);
  TPopupMenu menu(form.get());
  b->SetDropdownMenu(&menu);
  b->SetDropdownCombo(true);
  int clicks = 0, drops = 0;
  b->OnClick = [&](TObject*) { ++clicks; };
  b->OnDropdown = [&](TObject*, bool& show) {
    ++drops;
    show = false;
  };
  PressOn(b, 75);
  EXPECT_EQ(drops, 1) << "the menu drops on the press on the arrow";
  Release();
  EXPECT_EQ(clicks, 0);
  PressOn(b, 20);
  Release();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(drops, 1);
}

TEST_F(FormTest, HotButtonLeavesWhenAnotherWindowCoversThePointer) {
  auto* b = Make<TToolbarButton97>(10, 10, 80, 22);
  MoveTo(30, 20);
  ASSERT_EQ(TToolbarButton97::HotButton(), b);
  const TPoint at = form->ClientToScreen(TPoint{0, 0});
  // A window of a plain class: a static one lets the pointer through.
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.lpszClassName = "PanelsCover";
  RegisterClassA(&wc);
  HWND cover = CreateWindowExA(WS_EX_TOPMOST, "PanelsCover", "", WS_POPUP | WS_VISIBLE, at.x, at.y, 200, 100, nullptr,
                               nullptr, nullptr, nullptr);
  MoveTo(31, 21);
  Wait(125);
  EXPECT_EQ(TToolbarButton97::HotButton(), nullptr);
  EXPECT_FALSE(b->MouseInControl());
  DestroyWindow(cover);
}

class EffectsTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    panel = Make<TMegaPanel>(10, 10, 280, 200);
    panel->SetLabelStyle(TMegaPanel::lsInPanel);
    a = Child(90, 10);
    b = Child(90, 60);
    panel->UpdateChildHooks();
  }
  TEdit* Child(int left, int top) {
    auto* e = new TEdit(form.get());
    e->SetParent(panel);
    e->SetBounds(left, top, 100, 21);
    e->SetHint("|Field|");
    e->Handle();
    return e;
  }
  TMegaPanel* panel = nullptr;
  TEdit *a = nullptr, *b = nullptr;
};

TEST_F(EffectsTest, LiveLabelFollowsThePointerAndEndsOverThePanel) {
  panel->LabelFocusEffect()->SetEffect(TMegaPanel::feLive);
  MoveTo(10 + 100, 10 + 15);
  EXPECT_EQ(TMegaPanel::LiveChild(), a);
  MoveTo(10 + 100, 10 + 65);
  EXPECT_EQ(TMegaPanel::LiveChild(), b) << "one live child in the process";
  MoveTo(10 + 20, 10 + 150);
  EXPECT_EQ(TMegaPanel::LiveChild(), nullptr) << "over the panel itself";
}

TEST_F(EffectsTest, ColourEffectReplacesAndRestoresTheColours) {
  panel->LabelFocusEffect()->SetEffect(TMegaPanel::feColor);
  panel->LabelFocusEffect()->SetLabelBackground(clYellow);
  panel->LabelFocusEffect()->SetLabelFontColor(clRed);
  b->SetFocus();
  Pump();
  a->SetFocus();
  Pump();
  EXPECT_EQ(a->Color(), clYellow);
  EXPECT_EQ(a->Font()->Color(), clRed);
  EXPECT_EQ(b->Color(), clWindow) << "given back when the focus left";
  EXPECT_EQ(b->Font()->Color(), clWindowText);
}

TEST_F(FormTest, Edit97PrintsItsBorderAndAnswersOne) {
  auto* e = Make<TEdit97>(10, 10, 60, 19);
  TBitmap target;
  target.SetSize(60, 19);
  HDC dc = target.Canvas()->Handle();
  PatBlt(dc, 0, 0, 60, 19, BLACKNESS);
  EXPECT_EQ(SendMessageA(e->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_NONCLIENT), 1);
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(192, 192, 192));
  EXPECT_EQ(GetPixel(dc, 2, 2), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(dc, 10, 9), RGB(0, 0, 0)) << "no client part asked for";
  e->SetVisible(false);
  PatBlt(dc, 0, 0, 60, 19, BLACKNESS);
  SendMessageA(e->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_NONCLIENT | PRF_CHECKVISIBLE);
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 0)) << "an invisible edit prints nothing when asked to check";
}

}  // namespace
}  // namespace panels_test

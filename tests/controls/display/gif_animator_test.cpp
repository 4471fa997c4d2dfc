// The GIF animator: frame delays and their clamps, the tick step and its
// conditions, Loop, FrameIndex before a picture, and where the frame lands.
// GCC 12 sees a false overflow in the builder's byte copies once inlined here.
#pragma GCC diagnostic ignored "-Wstringop-overflow"

#include <gtest/gtest.h>

#include <memory>

#include <backend/headless.h>
#include <win32/gdi32.h>
#include <win32/user32.h>

#include "display/GIFCtrl.h"
#include "framework/forms.h"
#include "framework/stream.h"
#include "gif_support.h"

using namespace giftest;

namespace {

// A 4 x 2 screen of full-screen frames, frame i in colour i % 3 + 1 (entry
// c is (c, 2c, 3c)), with the
// delays given in hundredths of a second.
Bytes Frames(std::initializer_list<int> delays, int transparent = -1) {
  GifBuilder g = GifBuilder().Header().Screen(4, 2, 2).Table(2);
  int colour = 1;
  for (int delay : delays) {
    g.Gce((1 << 2) | (transparent >= 0 ? 1 : 0), delay, std::max(0, transparent));
    g.Image(0, 0, 4, 2).Encoded(Bytes(8, std::uint8_t(colour)), 2);
    colour = colour % 3 + 1;
  }
  return g.Trailer().b;
}

void Load(TRxGIFAnimator& animator, const Bytes& bytes) {
  TMemoryStream stream;
  stream.Write(bytes.data(), std::int64_t(bytes.size()));
  stream.Seek(0, soBeginning);
  animator.Image()->LoadFromStream(&stream);
}

class Animator : public ::testing::Test {
 protected:
  void SetUp() override {
    headless::Start();
    form.reset(new TForm(nullptr));
    form->SetBounds(0, 0, 200, 200);
    animator = new TRxGIFAnimator(form.get());
    animator->SetParent(form.get());
  }
  TOwned<TForm> form;
  TRxGIFAnimator* animator = nullptr;
};

TEST_F(Animator, DelaysAreClampedAndAStillPictureHasNone) {
  EXPECT_EQ(animator->Width(), 105);
  Load(*animator, Frames({0, 1, 12000, 25}));
  EXPECT_EQ(animator->Width(), 4);  // AutoSize: the logical screen
  EXPECT_EQ(animator->Height(), 2);
  const unsigned expected[] = {50, 50, 10000, 250};
  for (int i = 0; i < 4; ++i) {
    animator->SetFrameIndex(i);
    EXPECT_EQ(animator->FrameDelay(), expected[i]) << i;
    EXPECT_EQ(animator->Timer()->Interval(), expected[i]) << i;
  }
  Load(*animator, Frames({30}));
  EXPECT_EQ(animator->FrameDelay(), 0u);
  form->HandleNeeded();
  animator->TimerTick(nullptr);
  EXPECT_EQ(animator->FrameIndex(), 0);  // one frame never advances
}

TEST_F(Animator, FrameIndexBeforeThePictureIsIgnored) {
  int changes = 0;
  animator->OnFrameChanged = [&](TObject*) { ++changes; };
  animator->SetFrameIndex(21);
  EXPECT_EQ(animator->FrameIndex(), 0);
  Load(*animator, Frames({10, 10, 10}));
  EXPECT_EQ(animator->FrameIndex(), 0);
  animator->SetFrameIndex(3);  // past the last frame
  EXPECT_EQ(animator->FrameIndex(), 0);
  animator->SetFrameIndex(2);
  EXPECT_EQ(animator->FrameIndex(), 2);
  EXPECT_EQ(changes, 1);
}

TEST_F(Animator, TicksAdvanceOnlyWithAParentWindowAndWrap) {
  Load(*animator, Frames({10, 10, 10}));
  int frames = 0;
  animator->OnFrameChanged = [&](TObject*) { ++frames; };
  animator->TimerTick(nullptr);
  EXPECT_EQ(animator->FrameIndex(), 0);  // the form has no window yet
  form->Show();
  for (int i = 0; i < 3; ++i) animator->TimerTick(nullptr);
  EXPECT_EQ(animator->FrameIndex(), 0);
  EXPECT_EQ(frames, 3);
  animator->SetVisible(false);
  animator->TimerTick(nullptr);
  EXPECT_EQ(frames, 3);
}

TEST_F(Animator, LoopOffStopsAtFrameZero) {
  Load(*animator, Frames({10, 10}));
  form->Show();
  int starts = 0, stops = 0;
  animator->OnStart = [&](TObject*) { ++starts; };
  animator->OnStop = [&](TObject*) { ++stops; };
  animator->SetLoop(false);
  animator->SetAnimate(true);
  EXPECT_TRUE(animator->Animate());
  EXPECT_TRUE(animator->Timer()->Enabled());
  animator->TimerTick(nullptr);
  EXPECT_EQ(animator->FrameIndex(), 1);
  EXPECT_TRUE(animator->Animate());
  animator->TimerTick(nullptr);
  EXPECT_EQ(animator->FrameIndex(), 0);
  EXPECT_FALSE(animator->Animate());
  EXPECT_FALSE(animator->Timer()->Enabled());
  EXPECT_EQ(starts, 1);
  EXPECT_EQ(stops, 1);
}

// Paints the control as its parent would and reads a pixel back.
COLORREF PaintedPixel(TRxGIFAnimator& a, int x, int y) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, a.Width(), a.Height());
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  a.Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  COLORREF c = GetPixel(dc, x, y);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return c;
}

// Behind a hidden window the picture holds still and its timer rests, so a
// hidden window's animation costs no wake-ups; the paint that comes with
// showing the window again lets it go on from the frame it held.
TEST_F(Animator, AHiddenWindowRestsTheTimerUntilItIsPaintedAgain) {
  Load(*animator, Frames({10, 10, 10}));
  form->HandleNeeded();
  animator->SetAnimate(true);
  animator->TimerTick(nullptr);
  EXPECT_EQ(animator->FrameIndex(), 0);
  EXPECT_FALSE(animator->Timer()->Enabled());
  EXPECT_TRUE(animator->Animate());
  form->Show();
  form->Update();
  EXPECT_TRUE(animator->Timer()->Enabled());
  animator->TimerTick(nullptr);
  EXPECT_EQ(animator->FrameIndex(), 1);
  // Stopped while resting, it stays stopped when painted.
  form->Hide();
  animator->TimerTick(nullptr);
  animator->SetAnimate(false);
  form->Show();
  form->Update();
  EXPECT_FALSE(animator->Timer()->Enabled());
  EXPECT_EQ(animator->FrameIndex(), 1);
}

TEST_F(Animator, PlacementCentreStretchAndTransparency) {
  animator->SetColor(clYellow);
  Load(*animator, Frames({10, 10}));
  animator->SetAutoSize(false);
  animator->SetBounds(0, 0, 10, 6);
  EXPECT_EQ(PaintedPixel(*animator, 0, 0), RGB(1, 2, 3));
  EXPECT_EQ(PaintedPixel(*animator, 5, 0), RGB(255, 255, 0));  // beside the frame: the control's colour
  animator->SetCenter(true);
  EXPECT_EQ(PaintedPixel(*animator, 0, 0), RGB(255, 255, 0));
  EXPECT_EQ(PaintedPixel(*animator, 3, 2), RGB(1, 2, 3));  // at ((10-4)/2, (6-2)/2)
  animator->SetStretch(true);  // Center no longer counts
  EXPECT_EQ(PaintedPixel(*animator, 0, 0), RGB(1, 2, 3));
  EXPECT_EQ(PaintedPixel(*animator, 9, 5), RGB(1, 2, 3));
  animator->SetFrameIndex(1);
  EXPECT_EQ(PaintedPixel(*animator, 9, 5), RGB(2, 4, 6));

  // A transparent current frame leaves what is behind the control.
  form->SetColor(clAqua);
  form->HandleNeeded();
  Load(*animator, Frames({10}, 1));
  EXPECT_EQ(PaintedPixel(*animator, 1, 1), RGB(0, 255, 255));
  animator->SetTransparent(false);
  EXPECT_NE(PaintedPixel(*animator, 1, 1), RGB(0, 255, 255));
}

}  // namespace

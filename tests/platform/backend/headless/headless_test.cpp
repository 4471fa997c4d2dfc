// The headless backend on its own: surfaces and the composed screen, the
// virtual clock and waiting, injected input.
#include <backend/headless.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include <atomic>
#include <thread>

namespace {

backend::Backend& B() { return *backend::Current(); }

std::uint32_t Pixel(int x, int y) {
  int w = 0, h = 0;
  auto px = headless::ScreenPixels(&w, &h);
  return px[static_cast<std::size_t>(y) * w + x];
}

void Fill(backend::SurfaceId id, int w, int h, std::uint32_t colour) {
  std::vector<std::uint32_t> px(static_cast<std::size_t>(w) * h, colour);
  B().Present(id, backend::PixelView{px.data(), w, h, w}, {backend::Rect{0, 0, w, h}});
}

TEST(HeadlessScreen, ShownSurfacesComposeOverTheDesktopInStackingOrder) {
  headless::Start(200, 100);
  EXPECT_EQ(B().ScreenSize().width, 200);
  auto a = B().CreateSurface({});
  backend::SurfaceOptions top;
  top.topmost = true;
  auto t = B().CreateSurface(top);
  auto b = B().CreateSurface({});
  B().PlaceSurface(a, {0, 0, 50, 50});
  B().PlaceSurface(b, {25, 0, 50, 50});
  B().PlaceSurface(t, {40, 0, 20, 20});
  Fill(a, 50, 50, 0x111111);
  Fill(b, 50, 50, 0x222222);
  Fill(t, 20, 20, 0x333333);
  EXPECT_EQ(Pixel(10, 10), 0x008080u);  // nothing shown yet
  B().ShowSurface(a, true);
  B().ShowSurface(b, true);
  B().ShowSurface(t, true);
  EXPECT_EQ(Pixel(30, 30), 0x222222u);  // b was created after a
  EXPECT_EQ(Pixel(45, 5), 0x333333u);   // the top-most one stays above b
  B().RaiseSurface(a);
  EXPECT_EQ(Pixel(30, 30), 0x111111u);
  EXPECT_EQ(Pixel(45, 5), 0x333333u);
  // Only the dirty rectangles are copied.
  std::vector<std::uint32_t> px(50 * 50, 0x444444);
  B().Present(a, backend::PixelView{px.data(), 50, 50, 50}, {backend::Rect{0, 0, 10, 10}});
  EXPECT_EQ(Pixel(5, 5), 0x444444u);
  EXPECT_EQ(Pixel(15, 15), 0x111111u);
  B().DestroySurface(a);
  EXPECT_EQ(Pixel(5, 5), 0x008080u);
  auto presented = headless::TakePresented();
  EXPECT_EQ(presented.size(), 4u);
  EXPECT_TRUE(headless::TakePresented().empty());
}

TEST(HeadlessClock, WaitEndsOnEventsWakeOrTheClock) {
  headless::Start();
  EXPECT_EQ(B().NowMs(), 0u);
  std::thread waker([] { B().Wake(); });
  B().Wait(-1);  // returns once woken
  waker.join();
  std::thread clock([] {
    headless::AdvanceTime(100);
  });
  B().Wait(100);  // the clock reaching the deadline ends the wait
  clock.join();
  EXPECT_EQ(B().NowMs(), 100u);
  headless::SetIdleAdvance(true);
  B().Wait(250);
  EXPECT_EQ(B().NowMs(), 350u);
  headless::SetIdleAdvance(false);
  headless::MoveMouse(1, 2);
  B().Wait(-1);  // an event is pending: no blocking
  backend::Event e;
  ASSERT_TRUE(B().PollEvent(e));
  EXPECT_EQ(e.type, backend::EventType::MouseMove);
  EXPECT_EQ(e.timeMs, 350u);
  EXPECT_FALSE(B().PollEvent(e));
}

TEST(HeadlessClock, SleepersWakeInDeadlineOrder) {
  headless::Start();
  std::atomic<int> order{0}, shortOne{0}, longOne{0};
  std::thread a([&] {
    B().SleepFor(300);
    longOne = ++order;
  });
  std::thread b([&] {
    B().SleepFor(100);
    shortOne = ++order;
  });
  ASSERT_TRUE(headless::WaitForSleepers(2));
  headless::AdvanceTime(100);
  b.join();
  EXPECT_EQ(shortOne.load(), 1);
  EXPECT_EQ(headless::Sleepers(), 1);
  headless::AdvanceTime(200);
  a.join();
  EXPECT_EQ(longOne.load(), 2);
}

TEST(HeadlessInput, TypedTextBecomesKeysWithShiftAndText) {
  headless::Start();
  headless::TypeText("a?");
  std::vector<std::string> got;
  backend::Event e;
  while (B().PollEvent(e)) {
    switch (e.type) {
      case backend::EventType::KeyDown: got.push_back("down " + std::to_string(e.vk) + (e.modifiers & backend::kShift ? "s" : "")); break;
      case backend::EventType::KeyUp: got.push_back("up " + std::to_string(e.vk)); break;
      case backend::EventType::Text: got.push_back("text " + e.text); break;
      default: got.push_back("other");
    }
  }
  std::vector<std::string> want = {"down 65", "text a", "up 65", "down 16s", "down 191s", "text ?", "up 191", "up 16"};
  EXPECT_EQ(got, want);
}

TEST(HeadlessInput, MouseAndKeysCarryPositionRepeatAndModifiers) {
  headless::Start();
  headless::MoveMouse(30, 40);
  headless::PressKey(0x11);
  headless::PressKey(0x11);
  headless::PressMouse(1);
  backend::Event e;
  ASSERT_TRUE(B().PollEvent(e));
  EXPECT_EQ(B().CursorPos().x, 30);
  ASSERT_TRUE(B().PollEvent(e));
  EXPECT_FALSE(e.repeat);
  ASSERT_TRUE(B().PollEvent(e));
  EXPECT_TRUE(e.repeat);
  ASSERT_TRUE(B().PollEvent(e));
  EXPECT_EQ(e.type, backend::EventType::MouseDown);
  EXPECT_EQ(e.button, 1);
  EXPECT_EQ(e.screen.y, 40);
  EXPECT_EQ(e.modifiers, static_cast<unsigned>(backend::kControl));
}

TEST(HeadlessServices, SoundsUrlsAndClipboardAreRecorded) {
  headless::Start();
  B().PlaySound("MenuPopup");
  B().PlaySound("");
  EXPECT_TRUE(B().OpenUrl("http://example.org/"));
  B().SetClipboardText("xyz");
  EXPECT_EQ(B().ClipboardText(), "xyz");
  EXPECT_EQ(headless::PlayedSounds(), (std::vector<std::string>{"MenuPopup", ""}));
  EXPECT_EQ(headless::OpenedUrls(), (std::vector<std::string>{"http://example.org/"}));
  std::string path = ::testing::TempDir() + "/headless.png";
  EXPECT_TRUE(headless::SaveScreen(path));
}

}  // namespace

TEST(PngWriter, ReportsAFileItCouldNotWrite) {
  const std::uint32_t px[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
  const backend::PixelView view{px, 2, 2, 2};
  EXPECT_FALSE(backend::WritePng("/nonexistent-folder/x.png", view));
  // A full device takes the bytes into the buffer and refuses them at the flush.
  EXPECT_FALSE(backend::WritePng("/dev/full", view));
  EXPECT_FALSE(backend::WritePng("/dev/null", backend::PixelView{}));
  EXPECT_TRUE(backend::WritePng("/dev/null", view));
}

TEST(PngWriter, WritesAnAlphaChannelOnlyWhenAsked) {
  const std::uint32_t px[4] = {0xFFFF0000, 0x0000FF00, 0xFF0000FF, 0x80FFFFFF};
  const std::string path = ::testing::TempDir() + "/alpha.png";
  auto colourType = [&](bool alpha) {
    EXPECT_TRUE(backend::WritePng(path, backend::PixelView{px, 2, 2, 2, alpha}));
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return bytes.size() > 25 ? static_cast<int>(bytes[25]) : -1;
  };
  EXPECT_EQ(colourType(false), 2);
  EXPECT_EQ(colourType(true), 6);
  std::remove(path.c_str());
}

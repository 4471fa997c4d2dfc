// The SDL backend on a real X server (an Xvfb of its own, started by CTest).
#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>
#include <vector>

#include <backend/backend.h>
#include <backend/sdl.h>

namespace {

TEST(SdlDisplay, OpensPresentsAndWakes) {
  if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no DISPLAY";
  sdl::Start();
  backend::Backend* b = backend::Current();
  ASSERT_NE(b, nullptr);
  EXPECT_STREQ(b->Name(), "sdl");
  backend::Size screen = b->ScreenSize();
  EXPECT_GT(screen.width, 0);
  backend::Rect work = b->WorkArea();
  EXPECT_LE(work.width, screen.width);
  EXPECT_GT(work.height, 0);

  backend::SurfaceId main = b->CreateSurface({false, false, false, false, "Main \xE9"});
  backend::SurfaceId popup = b->CreateSurface({true, true, true, false, ""});
  ASSERT_NE(main, backend::kNoSurface);
  ASSERT_NE(popup, backend::kNoSurface);
  EXPECT_NE(main, popup);
  b->PlaceSurface(main, {50, 60, 200, 100});
  b->ShowSurface(main, true);
  b->PlaceSurface(popup, {80, 90, 40, 30});
  b->ShowSurface(popup, true);
  std::vector<std::uint32_t> px(200 * 100, 0x00336699);
  b->Present(main, {px.data(), 200, 100, 200}, {{0, 0, 200, 100}, {10, 10, 5, 5}});

  // A wake from another thread ends a wait that has no timeout.
  std::thread waker([b] { b->Wake(); });
  b->Wait(-1);
  waker.join();
  backend::Event e;
  while (b->PollEvent(e)) {
  }
  b->SetCursor(backend::Cursor::IBeam);
  b->SetClipboardText("Copied \xE9");
  EXPECT_EQ(b->ClipboardText(), "Copied \xE9");
  b->DestroySurface(popup);
  b->DestroySurface(main);
  backend::Install(nullptr);
}

}  // namespace

// A host whose work area, clipboard and URL opening a test sets, for what
// the headless backend keeps fixed.
#pragma once

#include <memory>

#include <backend/backend.h>

struct FakeHost : backend::Backend {
  backend::Rect work{0, 0, 1024, 768};
  std::string clipboard;
  bool openSucceeds = true;

  static FakeHost* Install() {
    auto host = std::make_unique<FakeHost>();
    FakeHost* raw = host.get();
    backend::Install(std::move(host));
    return raw;
  }

  const char* Name() const override { return "fake"; }
  backend::Size ScreenSize() override { return {1024, 768}; }
  backend::Rect WorkArea() override { return work; }
  backend::SurfaceId CreateSurface(const backend::SurfaceOptions&) override { return 1; }
  void DestroySurface(backend::SurfaceId) override {}
  void PlaceSurface(backend::SurfaceId, backend::Rect) override {}
  void ShowSurface(backend::SurfaceId, bool) override {}
  void SetTitle(backend::SurfaceId, const std::string&) override {}
  void SetTopmost(backend::SurfaceId, bool) override {}
  void RaiseSurface(backend::SurfaceId) override {}
  void FocusSurface(backend::SurfaceId) override {}
  void Present(backend::SurfaceId, const backend::PixelView&, const std::vector<backend::Rect>&) override {}
  bool PollEvent(backend::Event&) override { return false; }
  void Wait(int) override {}
  void Wake() override {}
  std::uint64_t NowMs() override { return 0; }
  void SleepFor(int) override {}
  std::int64_t UnixTimeMs() override { return 0; }
  backend::Point CursorPos() override { return {}; }
  void SetCursor(backend::Cursor) override {}
  std::string ClipboardText() override { return clipboard; }
  void SetClipboardText(const std::string& t) override { clipboard = t; }
  bool OpenUrl(const std::string&) override { return openSucceeds; }
  void PlaySound(const std::string&) override {}
};

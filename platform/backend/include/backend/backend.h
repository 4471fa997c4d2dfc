// What the window layer needs from the host, behind one small interface.
// The window layer (platform/win32) is the only caller; it speaks in screen
// pixels, Windows virtual-key codes and Windows-1252 text, so nothing here
// depends on the Windows headers.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace backend {

struct Point {
  int x = 0;
  int y = 0;
};

struct Size {
  int width = 0;
  int height = 0;
};

struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// One top-level window of the program, as the host sees it.
using SurfaceId = std::uint32_t;
constexpr SurfaceId kNoSurface = 0;

struct SurfaceOptions {
  bool popup = false;       // borderless, no task-bar entry (menus, tooltips)
  bool topmost = false;
  bool noActivate = false;  // showing it never takes the keyboard focus
  bool toolWindow = false;
  std::string title;        // Windows-1252
};

// 32-bit pixels 0x00RRGGBB (the layout of a Windows 32-bit DIB), rows top-down;
// with `alpha` the top byte is the pixel's opacity (0xAARRGGBB).
struct PixelView {
  const std::uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;  // in pixels
  bool alpha = false;
};

// Writes pixels as an 8-bit RGB PNG file (RGBA with `alpha`); false on a
// file or encoder error.
bool WritePng(const std::string& path, const PixelView& pixels);

enum class EventType {
  MouseMove,
  MouseDown,
  MouseUp,
  MouseWheel,
  KeyDown,
  KeyUp,
  Text,          // characters typed, Windows-1252, after keyboard layout
  CloseRequest,  // the host asked to close a surface (title bar button)
  Activate,      // the host gave a surface the focus
  Deactivate,    // the host took it away (to another program)
  Expose,        // the host lost a surface's pixels: present it again
  Quit,          // the host session ends
};

enum Modifier : unsigned {
  kShift = 1,
  kControl = 2,
  kAlt = 4,
};

struct Event {
  EventType type = EventType::MouseMove;
  SurfaceId surface = kNoSurface;
  Point screen;           // pointer position in screen coordinates
  int button = 0;         // 0 left, 1 right, 2 middle
  int wheelDelta = 0;     // multiples of 120, positive away from the user
  unsigned vk = 0;        // Windows virtual-key code
  unsigned scanCode = 0;
  bool repeat = false;
  unsigned modifiers = 0;  // Modifier bits at the time of the event
  std::string text;
  std::uint64_t timeMs = 0;  // the backend clock when the event happened
};

enum class Cursor { Arrow, IBeam, Wait, Cross, UpArrow, SizeNWSE, SizeNESW, SizeWE, SizeNS, SizeAll, No, Hand, AppStarting, Help };

class Backend {
 public:
  virtual ~Backend() = default;
  virtual const char* Name() const = 0;

  // The screen.
  virtual Size ScreenSize() = 0;
  virtual Rect WorkArea() = 0;

  // Top-level surfaces.
  virtual SurfaceId CreateSurface(const SurfaceOptions& options) = 0;
  virtual void DestroySurface(SurfaceId id) = 0;
  virtual void PlaceSurface(SurfaceId id, Rect screenRect) = 0;  // outer rectangle, host frame excluded
  virtual void ShowSurface(SurfaceId id, bool show) = 0;
  virtual void SetTitle(SurfaceId id, const std::string& title) = 0;
  virtual void SetTopmost(SurfaceId id, bool topmost) = 0;
  virtual void RaiseSurface(SurfaceId id) = 0;
  virtual void FocusSurface(SurfaceId id) = 0;
  // Copies the given rectangles (surface coordinates) of the pixels to the host.
  virtual void Present(SurfaceId id, const PixelView& pixels, const std::vector<Rect>& dirty) = 0;

  // Input and time. PollEvent never blocks. Wait blocks until an event is
  // pending, Wake is called (from any thread) or timeoutMs passes (-1: no
  // timeout). NowMs is a monotonic millisecond clock; the headless backend's
  // is virtual and only moves when a test advances it.
  virtual bool PollEvent(Event& event) = 0;
  virtual void Wait(int timeoutMs) = 0;
  virtual void Wake() = 0;
  virtual std::uint64_t NowMs() = 0;
  // Blocks the calling thread (any thread) for `ms` of backend time: on the
  // headless backend it returns once a test has advanced the clock that far.
  virtual void SleepFor(int ms) = 0;
  // Wall-clock time, milliseconds since 1970-01-01 UTC (the local time zone
  // is applied by the caller). Headless: a fixed start plus the virtual clock.
  virtual std::int64_t UnixTimeMs() = 0;
  virtual Point CursorPos() = 0;
  virtual void SetCursor(Cursor cursor) = 0;

  // Host services.
  virtual std::string ClipboardText() = 0;
  virtual void SetClipboardText(const std::string& text) = 0;
  virtual bool OpenUrl(const std::string& url) = 0;     // false when it could not be started
  virtual void PlaySound(const std::string& name) = 0;  // a Windows sound event name; "" stops
};

// The backend in use, or null before one is started. Started once per
// process by headless::Start or sdl::Start; replaced only by another Start.
Backend* Current();
void Install(std::unique_ptr<Backend> backend);

// Milliseconds from Current()->NowMs(), or a steady host clock when no backend
// has been started (so drawing and timing code runs without one).
std::uint64_t NowMs();

// A host without a window manager (the headless one) draws the frames of
// its decorated surfaces itself, with a painter that the window layer
// provides, since the classic look and its fonts live there. The painter
// fills `picture` with the whole framed window, the surface's place inside
// it left for the surface's own pixels, and returns false when the surface
// has no frame.
struct FramePicture {
  std::vector<std::uint32_t> pixels;  // width x height, 0x00RRGGBB, rows top-down
  int width = 0;
  int height = 0;
  int surfaceX = 0;  // where the surface's top-left lies in the picture
  int surfaceY = 0;
};
using FramePainter = bool (*)(SurfaceId surface, FramePicture& picture);
void SetFramePainter(FramePainter painter);
FramePainter CurrentFramePainter();  // null until the window layer sets one

}  // namespace backend

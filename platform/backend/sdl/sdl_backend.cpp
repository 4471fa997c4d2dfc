// The SDL2 backend. Windows are created, placed and presented on the thread
// that started it (the program's user-interface thread); Wake may come from
// any thread (host_wait.h).
#include <SDL2/SDL.h>

#include <chrono>
#include <cstdlib>
#include <map>
#include <set>
#include <stdexcept>
#include <thread>

#include <backend/backend.h>
#include <backend/sdl.h>

#include "held_keys.h"
#include "host_report.h"
#include "host_services.h"
#include "host_wait.h"

namespace sdl {
namespace {

unsigned Modifiers(Uint16 m) {
  unsigned out = 0;
  if (m & KMOD_SHIFT) out |= backend::kShift;
  if (m & KMOD_CTRL) out |= backend::kControl;
  if (m & KMOD_ALT) out |= backend::kAlt;
  return out;
}

int Button(Uint8 b) { return b == SDL_BUTTON_RIGHT ? 1 : b == SDL_BUTTON_MIDDLE ? 2 : 0; }

SDL_SystemCursor SystemCursor(backend::Cursor c) {
  using C = backend::Cursor;
  switch (c) {
    case C::IBeam: return SDL_SYSTEM_CURSOR_IBEAM;
    case C::Wait: return SDL_SYSTEM_CURSOR_WAIT;
    case C::Cross: return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case C::SizeNWSE: return SDL_SYSTEM_CURSOR_SIZENWSE;
    case C::SizeNESW: return SDL_SYSTEM_CURSOR_SIZENESW;
    case C::SizeWE: return SDL_SYSTEM_CURSOR_SIZEWE;
    case C::SizeNS: return SDL_SYSTEM_CURSOR_SIZENS;
    case C::SizeAll: return SDL_SYSTEM_CURSOR_SIZEALL;
    case C::No: return SDL_SYSTEM_CURSOR_NO;
    case C::Hand: return SDL_SYSTEM_CURSOR_HAND;
    case C::AppStarting: return SDL_SYSTEM_CURSOR_WAITARROW;
    default: return SDL_SYSTEM_CURSOR_ARROW;
  }
}

class SdlBackend final : public backend::Backend {
 public:
  SdlBackend() { SDL_StartTextInput(); }
  ~SdlBackend() override {
    for (auto& [id, w] : windows_)
      if (w) SDL_DestroyWindow(w);
    for (auto& [c, cur] : cursors_) SDL_FreeCursor(cur);
    SDL_Quit();
  }
  const char* Name() const override { return "sdl"; }

  backend::Size ScreenSize() override {
    SDL_Rect r{0, 0, 1024, 768};
    SDL_GetDisplayBounds(0, &r);
    return {r.w, r.h};
  }
  backend::Rect WorkArea() override {
    SDL_Rect r{0, 0, 0, 0};
    if (SDL_GetDisplayUsableBounds(0, &r) != 0 || r.w <= 0) {
      backend::Size s = ScreenSize();
      return {0, 0, s.width, s.height};
    }
    return {r.x, r.y, r.w, r.h};
  }

  // The host window is made at its first placing, where it belongs: X
  // servers without a window manager keep a window where it was created.
  backend::SurfaceId CreateSurface(const backend::SurfaceOptions& o) override {
    backend::SurfaceId id = next_++;
    options_[id] = o;
    windows_[id] = nullptr;
    noActivate_[id] = o.noActivate || o.popup;
    return id;
  }
  void DestroySurface(backend::SurfaceId id) override {
    auto it = windows_.find(id);
    if (it != windows_.end() && it->second) SDL_DestroyWindow(it->second);
    windows_.erase(id);
    options_.erase(id);
    noActivate_.erase(id);
    placed_.erase(id);
    report_.Forget(id);
  }
  void PlaceSurface(backend::SurfaceId id, backend::Rect r) override {
    placed_[id] = r;
    SDL_Window* w = Find(id);
    if (!w) return;
    SDL_SetWindowPosition(w, r.x, r.y);
    SDL_SetWindowSize(w, r.width > 0 ? r.width : 1, r.height > 0 ? r.height : 1);
  }
  void ShowSurface(backend::SurfaceId id, bool show) override {
    SDL_Window* w = Find(id);
    if (!w) return;
    report_.Show(id, show);
    if (!show) return SDL_HideWindow(w);
    bool keepFocus = noActivate_[id];
    SDL_Window* focused = SDL_GetKeyboardFocus();
    SDL_SetHint(SDL_HINT_WINDOW_NO_ACTIVATION_WHEN_SHOWN, keepFocus ? "1" : "0");
    SDL_ShowWindow(w);
    // Without a window manager a mapped window may take the focus anyway.
    if (keepFocus && focused && focused != w) SDL_SetWindowInputFocus(focused);
  }
  void SetTitle(backend::SurfaceId id, const std::string& t) override {
    if (options_.count(id)) options_[id].title = t;
    if (SDL_Window* w = Find(id)) SDL_SetWindowTitle(w, Cp1252ToUtf8(t).c_str());
  }
  void SetTopmost(backend::SurfaceId id, bool on) override {
    if (SDL_Window* w = Find(id)) SDL_SetWindowAlwaysOnTop(w, on ? SDL_TRUE : SDL_FALSE);
  }
  void RaiseSurface(backend::SurfaceId id) override {
    if (SDL_Window* w = Find(id)) SDL_RaiseWindow(w);
  }
  void FocusSurface(backend::SurfaceId id) override {
    if (SDL_Window* w = Find(id)) SDL_SetWindowInputFocus(w);
  }
  void Present(backend::SurfaceId id, const backend::PixelView& px, const std::vector<backend::Rect>& dirty) override;

  bool PollEvent(backend::Event& e) override {
    SDL_Event ev;
    while (SDL_PollEvent(&ev))
      if (Translate(ev, e)) return true;
    return false;
  }
  void Wait(int timeoutMs) override { wait_.Wait(timeoutMs); }
  void Wake() override { wait_.Wake(); }
  std::uint64_t NowMs() override { return SDL_GetTicks64(); }
  void SleepFor(int ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms > 0 ? ms : 0)); }
  std::int64_t UnixTimeMs() override {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
  }
  backend::Point CursorPos() override {
    int x = 0, y = 0;
    SDL_GetGlobalMouseState(&x, &y);
    return {x, y};
  }
  void SetCursor(backend::Cursor c) override {
    SDL_Cursor*& cur = cursors_[c];
    if (!cur) cur = SDL_CreateSystemCursor(SystemCursor(c));
    if (cur) SDL_SetCursor(cur);
  }
  std::string ClipboardText() override {
    char* t = SDL_GetClipboardText();
    std::string s = t ? Utf8ToCp1252(t) : "";
    SDL_free(t);
    return s;
  }
  void SetClipboardText(const std::string& t) override { SDL_SetClipboardText(Cp1252ToUtf8(t).c_str()); }
  bool OpenUrl(const std::string& url) override {
    auto argv = OpenUrlCommand(url);
    return !argv.empty() && Spawn(argv) > 0;
  }
  void PlaySound(const std::string& name) override { sound_.Play(name); }

 private:
  // The host window of a surface, made on first use.
  SDL_Window* Find(backend::SurfaceId id) {
    auto it = windows_.find(id);
    if (it == windows_.end()) return nullptr;
    if (!it->second) {
      it->second = Make(options_[id], placed_.count(id) ? placed_[id] : backend::Rect{0, 0, 1, 1});
      wait_.Attach(it->second);
    }
    return it->second;
  }
  static SDL_Window* Make(const backend::SurfaceOptions& o, backend::Rect r) {
    Uint32 flags = SDL_WINDOW_HIDDEN;
    if (o.popup) flags |= SDL_WINDOW_BORDERLESS | SDL_WINDOW_POPUP_MENU | SDL_WINDOW_SKIP_TASKBAR;
    if (o.topmost || o.popup) flags |= SDL_WINDOW_ALWAYS_ON_TOP;
    if (o.toolWindow && !o.popup) flags |= SDL_WINDOW_UTILITY;
    return SDL_CreateWindow(Cp1252ToUtf8(o.title).c_str(), r.x, r.y, r.width > 0 ? r.width : 1,
                            r.height > 0 ? r.height : 1, flags);
  }
  backend::SurfaceId IdOf(Uint32 windowId) {
    SDL_Window* w = SDL_GetWindowFromID(windowId);
    for (auto& [id, win] : windows_)
      if (win == w) return id;
    return backend::kNoSurface;
  }
  bool Translate(const SDL_Event& ev, backend::Event& e);
  bool TranslateWindow(const SDL_WindowEvent& w, backend::Event& e);
  bool ForcedFocus(backend::SurfaceId id, bool gained);
  bool NoActivateGainQueued();
  bool ForcedFocusLossFollows(Uint32 windowId);
  void ReleaseLetGoKeys(backend::SurfaceId owner);

  std::map<backend::SurfaceId, SDL_Window*> windows_;
  std::map<backend::SurfaceId, backend::SurfaceOptions> options_;
  std::map<backend::SurfaceId, bool> noActivate_;
  backend::SurfaceId focusOwner_ = backend::kNoSurface;  // the last window that took the focus
  backend::SurfaceId bounced_ = backend::kNoSurface;     // lost it to a drop-down, gets it back
  HeldKeys held_;
  std::map<backend::SurfaceId, backend::Rect> placed_;
  std::map<backend::Cursor, SDL_Cursor*> cursors_;
  backend::SurfaceId next_ = 1;
  HostWait wait_;
  SoundPlayer sound_;
  HostReport report_;
};

void SdlBackend::Present(backend::SurfaceId id, const backend::PixelView& px, const std::vector<backend::Rect>& dirty) {
  SDL_Window* w = Find(id);
  if (!w || !px.pixels) return;
  SDL_Surface* target = SDL_GetWindowSurface(w);
  if (!target) return;
  SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint32_t*>(px.pixels), px.width,
                                                          px.height, 32, px.stride * 4, SDL_PIXELFORMAT_RGB888);
  if (!source) return;
  std::vector<SDL_Rect> rects;
  for (const backend::Rect& r : dirty) {
    SDL_Rect s{r.x, r.y, r.width, r.height};
    SDL_Rect d = s;
    SDL_BlitSurface(source, &s, target, &d);
    rects.push_back(s);
  }
  if (dirty.empty()) {
    SDL_BlitSurface(source, nullptr, target, nullptr);
    SDL_UpdateWindowSurface(w);
  } else {
    SDL_UpdateWindowSurfaceRects(w, rects.data(), static_cast<int>(rects.size()));
  }
  SDL_FreeSurface(source);
  report_.Presented(id, options_[id].title);
}

bool SdlBackend::TranslateWindow(const SDL_WindowEvent& w, backend::Event& e) {
  e.surface = IdOf(w.windowID);
  switch (w.event) {
    case SDL_WINDOWEVENT_CLOSE: e.type = backend::EventType::CloseRequest; return true;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
    case SDL_WINDOWEVENT_FOCUS_LOST: {
      bool gained = w.event == SDL_WINDOWEVENT_FOCUS_GAINED;
      if (ForcedFocus(e.surface, gained)) return false;
      if (options_.count(e.surface)) report_.Focus(gained, options_[e.surface].title);
      e.type = gained ? backend::EventType::Activate : backend::EventType::Deactivate;
      return true;
    }
    case SDL_WINDOWEVENT_EXPOSED:
      report_.Exposed(e.surface);
      e.type = backend::EventType::Expose;
      return true;
    case SDL_WINDOWEVENT_SIZE_CHANGED: e.type = backend::EventType::Expose; return true;
    default: return false;
  }
}

// Without a window manager SDL hands the keyboard focus to every window it
// shows, a drop-down that must never take it included; ShowSurface gives
// it straight back. The focus events of that round trip are dropped, so
// the program never sees its window lose activation to its own menu.
bool SdlBackend::ForcedFocus(backend::SurfaceId id, bool gained) {
  if (noActivate_.count(id) && noActivate_[id]) {
    if (gained && focusOwner_ != id)
      if (SDL_Window* owner = Find(focusOwner_)) SDL_SetWindowInputFocus(owner);
    return true;
  }
  if (gained) {
    const bool back = id == bounced_;
    bounced_ = backend::kNoSurface;
    focusOwner_ = id;
    if (back) ReleaseLetGoKeys(id);
    return back;
  }
  if (!NoActivateGainQueued()) return false;
  bounced_ = id;
  return true;
}

// A focus gain of a window that never takes activation waits in the queue.
bool SdlBackend::NoActivateGainQueued() {
  SDL_PumpEvents();
  SDL_Event queued[64];
  const int n = SDL_PeepEvents(queued, 64, SDL_PEEKEVENT, SDL_WINDOWEVENT, SDL_WINDOWEVENT);
  for (int i = 0; i < n; ++i) {
    if (queued[i].window.event != SDL_WINDOWEVENT_FOCUS_GAINED) continue;
    const backend::SurfaceId id = IdOf(queued[i].window.windowID);
    return noActivate_.count(id) && noActivate_[id];
  }
  return false;
}

// The next event after these key releases is a focus loss that ForcedFocus
// swallows: the releases are SDL's keyboard reset for it (held_keys.h).
bool SdlBackend::ForcedFocusLossFollows(Uint32 windowId) {
  SDL_Event queued[64];
  const int n = SDL_PeepEvents(queued, 64, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
  for (int i = 0; i < n; ++i) {
    if (queued[i].type == SDL_KEYUP) continue;
    if (queued[i].type != SDL_WINDOWEVENT || queued[i].window.event != SDL_WINDOWEVENT_FOCUS_LOST ||
        queued[i].window.windowID != windowId)
      return false;
    const backend::SurfaceId id = IdOf(windowId);
    return (noActivate_.count(id) && noActivate_[id]) || NoActivateGainQueued();
  }
  return false;
}

// Keys let go while the focus made its round trip: SDL's reset took their
// release, so they are released here, to the window that has the focus back.
// SDL's key state already counts the key events still queued behind this
// focus gain (the reconciling press, a real release), so a key that has
// some is left to them.
void SdlBackend::ReleaseLetGoKeys(backend::SurfaceId owner) {
  const Uint8* state = SDL_GetKeyboardState(nullptr);
  std::set<int> queuedKeys;
  SDL_Event queued[256];
  const int n = SDL_PeepEvents(queued, 256, SDL_PEEKEVENT, SDL_KEYDOWN, SDL_KEYUP);
  for (int i = 0; i < n; ++i) queuedKeys.insert(queued[i].key.keysym.scancode);
  SDL_Window* w = Find(owner);
  for (int key : held_.LetGoMeanwhile([state](int k) { return state[k] != 0; }, queuedKeys)) {
    SDL_Event up{};
    up.type = SDL_KEYUP;
    up.key.windowID = w ? SDL_GetWindowID(w) : 0;
    up.key.state = SDL_RELEASED;
    up.key.keysym.scancode = static_cast<SDL_Scancode>(key);
    up.key.keysym.sym = SDL_GetKeyFromScancode(static_cast<SDL_Scancode>(key));
    up.key.keysym.mod = static_cast<Uint16>(SDL_GetModState());
    SDL_PushEvent(&up);
  }
}

bool SdlBackend::Translate(const SDL_Event& ev, backend::Event& e) {
  e = backend::Event{};
  e.timeMs = NowMs();
  e.modifiers = Modifiers(SDL_GetModState());
  e.screen = CursorPos();
  switch (ev.type) {
    case SDL_MOUSEMOTION:
      e.type = backend::EventType::MouseMove, e.surface = IdOf(ev.motion.windowID);
      return true;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      e.type = ev.type == SDL_MOUSEBUTTONDOWN ? backend::EventType::MouseDown : backend::EventType::MouseUp;
      e.surface = IdOf(ev.button.windowID), e.button = Button(ev.button.button);
      return true;
    case SDL_MOUSEWHEEL:
      e.type = backend::EventType::MouseWheel, e.surface = IdOf(ev.wheel.windowID);
      e.wheelDelta = ev.wheel.y * 120;
      return true;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      if (ev.type == SDL_KEYDOWN ? !held_.Press(ev.key.keysym.scancode, ev.key.repeat != 0)
                                 : !held_.Release(ev.key.keysym.scancode, ForcedFocusLossFollows(ev.key.windowID)))
        return false;
      e.type = ev.type == SDL_KEYDOWN ? backend::EventType::KeyDown : backend::EventType::KeyUp;
      e.surface = IdOf(ev.key.windowID), e.vk = VirtualKey(ev.key.keysym.sym);
      e.scanCode = ev.key.keysym.scancode, e.repeat = ev.key.repeat != 0;
      e.modifiers = Modifiers(ev.key.keysym.mod);
      return e.vk != 0;
    case SDL_TEXTINPUT:
      e.type = backend::EventType::Text, e.surface = IdOf(ev.text.windowID), e.text = Utf8ToCp1252(ev.text.text);
      return true;
    case SDL_WINDOWEVENT: return TranslateWindow(ev.window, e);
    case SDL_QUIT: e.type = backend::EventType::Quit; return true;
    default: return false;  // the wake event and everything the layer does not use
  }
}

}  // namespace

void Start() {
  const char* x = std::getenv("DISPLAY");
  const char* wl = std::getenv("WAYLAND_DISPLAY");
  if ((!x || !*x) && (!wl || !*wl))
    throw std::runtime_error(
        "no display: DISPLAY (or WAYLAND_DISPLAY) is not set; run in a desktop session or under xvfb-run");
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  // Our frames are plain pixels copied to the window. Left to itself, SDL
  // puts a window surface on an OpenGL renderer: it loads the GL stack (a
  // software rasteriser and its compiler under Xvfb, tens of megabytes) and
  // destroys and makes again the window already shown, at its first frame.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0)
    throw std::runtime_error(std::string("cannot open the display (DISPLAY=") + (x ? x : "") +
                             "): " + SDL_GetError() + "; run in a desktop session or under xvfb-run");
  // With DISPLAY naming a server that is not there, SDL falls back to a
  // driver that shows nothing (offscreen); only a window system will do,
  // unless the user picked a driver with SDL_VIDEODRIVER.
  std::string driver = SDL_GetCurrentVideoDriver() ? SDL_GetCurrentVideoDriver() : "";
  if (driver != "x11" && driver != "wayland" && !std::getenv("SDL_VIDEODRIVER")) {
    SDL_Quit();
    throw std::runtime_error(std::string("cannot open the display (DISPLAY=") + (x ? x : "") + "): only SDL's \"" +
                             driver + "\" video driver started; run in a desktop session or under xvfb-run");
  }
  backend::Install(std::make_unique<SdlBackend>());
}

}  // namespace sdl

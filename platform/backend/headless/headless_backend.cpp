// The headless backend: surfaces kept in memory, a virtual clock, input
// injected by tests.
#include <backend/headless.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <map>
#include <mutex>
#include <set>

namespace headless {
namespace {

constexpr std::uint32_t kDesktop = 0x008080;  // the classic desktop colour, 0x00RRGGBB
constexpr std::int64_t kEpochMs = 946684800000;  // 2000-01-01 00:00:00 UTC

struct Surface {
  backend::SurfaceOptions options;
  backend::Rect rect;
  bool shown = false;
  std::vector<std::uint32_t> pixels;  // rect.width x rect.height
};

class HeadlessBackend final : public backend::Backend {
 public:
  HeadlessBackend(int w, int h) : size_{w, h} {}
  // A thread still asleep here (a timer thread freed with its owner, say)
  // is woken and let out before the clock it waits on goes away.
  ~HeadlessBackend() override {
    std::unique_lock<std::mutex> lk(m_);
    closing_ = true;
    cv_.notify_all();
    cv_.wait(lk, [&] { return sleepers_ == 0; });
  }

  const char* Name() const override { return "headless"; }
  backend::Size ScreenSize() override { return size_; }
  backend::Rect WorkArea() override { return backend::Rect{0, 0, size_.width, size_.height}; }

  backend::SurfaceId CreateSurface(const backend::SurfaceOptions& o) override {
    std::lock_guard<std::mutex> g(m_);
    backend::SurfaceId id = next_++;
    surfaces_[id].options = o;
    order_.push_back(id);  // top of the stack is the back of the vector
    Restack();
    return id;
  }
  void DestroySurface(backend::SurfaceId id) override {
    std::lock_guard<std::mutex> g(m_);
    surfaces_.erase(id);
    std::erase(order_, id);
  }
  void PlaceSurface(backend::SurfaceId id, backend::Rect r) override {
    std::lock_guard<std::mutex> g(m_);
    auto it = surfaces_.find(id);
    if (it == surfaces_.end()) return;
    Surface& s = it->second;
    if (s.rect.width != r.width || s.rect.height != r.height) {
      std::vector<std::uint32_t> px(static_cast<std::size_t>(std::max(0, r.width)) * std::max(0, r.height), 0);
      for (int y = 0; y < std::min(r.height, s.rect.height); ++y)
        std::memcpy(px.data() + static_cast<std::size_t>(y) * r.width,
                    s.pixels.data() + static_cast<std::size_t>(y) * s.rect.width,
                    sizeof(std::uint32_t) * std::min(r.width, s.rect.width));
      s.pixels.swap(px);
    }
    s.rect = r;
  }
  void ShowSurface(backend::SurfaceId id, bool show) override { With(id, [&](Surface& s) { s.shown = show; }); }
  void SetTitle(backend::SurfaceId id, const std::string& t) override {
    With(id, [&](Surface& s) { s.options.title = t; });
  }
  void SetTopmost(backend::SurfaceId id, bool on) override {
    std::lock_guard<std::mutex> g(m_);
    auto it = surfaces_.find(id);
    if (it == surfaces_.end()) return;
    it->second.options.topmost = on;
    Restack();
  }
  void RaiseSurface(backend::SurfaceId id) override {
    std::lock_guard<std::mutex> g(m_);
    if (!surfaces_.count(id)) return;
    std::erase(order_, id);
    order_.push_back(id);
    Restack();
  }
  void FocusSurface(backend::SurfaceId) override {}

  void Present(backend::SurfaceId id, const backend::PixelView& px, const std::vector<backend::Rect>& dirty) override {
    std::lock_guard<std::mutex> g(m_);
    auto it = surfaces_.find(id);
    if (it == surfaces_.end() || !px.pixels) return;
    Surface& s = it->second;
    for (const backend::Rect& d : dirty) {
      int x0 = std::max(0, d.x), y0 = std::max(0, d.y);
      int x1 = std::min({d.x + d.width, s.rect.width, px.width});
      int y1 = std::min({d.y + d.height, s.rect.height, px.height});
      for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
          s.pixels[static_cast<std::size_t>(y) * s.rect.width + x] =
              px.pixels[static_cast<std::ptrdiff_t>(y) * px.stride + x];
      if (x1 > x0 && y1 > y0) presented_.push_back({id, backend::Rect{x0, y0, x1 - x0, y1 - y0}});
    }
  }

  bool PollEvent(backend::Event& e) override {
    std::lock_guard<std::mutex> g(m_);
    if (events_.empty()) return false;
    e = events_.front();
    events_.pop_front();
    return true;
  }
  void Wait(int timeoutMs) override {
    std::unique_lock<std::mutex> lk(m_);
    if (timeoutMs >= 0 && idleAdvance_ && events_.empty() && !woken_) {
      now_ += static_cast<std::uint64_t>(timeoutMs);
      cv_.notify_all();
      return;
    }
    std::uint64_t deadline = timeoutMs < 0 ? UINT64_MAX : now_ + static_cast<std::uint64_t>(timeoutMs);
    cv_.wait(lk, [&] { return !events_.empty() || woken_ || now_ >= deadline; });
    woken_ = false;
  }
  void Wake() override {
    std::lock_guard<std::mutex> g(m_);
    woken_ = true;
    cv_.notify_all();
  }
  std::uint64_t NowMs() override {
    std::lock_guard<std::mutex> g(m_);
    return now_;
  }
  void SleepFor(int ms) override {
    std::unique_lock<std::mutex> lk(m_);
    std::uint64_t deadline = now_ + static_cast<std::uint64_t>(std::max(0, ms));
    ++sleepers_;
    auto wake = wakes_.insert(deadline);
    cv_.notify_all();
    cv_.wait(lk, [&] { return now_ >= deadline || closing_; });
    wakes_.erase(wake);
    --sleepers_;
    cv_.notify_all();
  }
  std::int64_t UnixTimeMs() override { return kEpochMs + static_cast<std::int64_t>(NowMs()); }
  backend::Point CursorPos() override {
    std::lock_guard<std::mutex> g(m_);
    return mouse_;
  }
  void SetCursor(backend::Cursor c) override {
    std::lock_guard<std::mutex> g(m_);
    cursor_ = c;
  }
  std::string ClipboardText() override {
    std::lock_guard<std::mutex> g(m_);
    return clipboard_;
  }
  void SetClipboardText(const std::string& t) override {
    std::lock_guard<std::mutex> g(m_);
    clipboard_ = t;
  }
  bool OpenUrl(const std::string& url) override {
    std::lock_guard<std::mutex> g(m_);
    urls_.push_back(url);
    return true;
  }
  void PlaySound(const std::string& name) override {
    std::lock_guard<std::mutex> g(m_);
    sounds_.push_back(name);
  }

  // ---- test side
  void Advance(int ms) {
    std::lock_guard<std::mutex> g(m_);
    now_ += static_cast<std::uint64_t>(std::max(0, ms));
    cv_.notify_all();
  }
  void Inject(backend::Event e) {
    std::lock_guard<std::mutex> g(m_);
    e.timeMs = now_;
    e.screen = mouse_;
    e.modifiers = Modifiers();
    if (e.type == backend::EventType::MouseMove) e.screen = mouse_ = pending_;
    if (e.type == backend::EventType::KeyDown) {
      e.repeat = keys_.count(e.vk) != 0;
      keys_.insert(e.vk);
      e.modifiers = Modifiers();
    }
    if (e.type == backend::EventType::KeyUp) keys_.erase(e.vk);
    e.surface = SurfaceAt(e.screen);
    events_.push_back(e);
    cv_.notify_all();
  }
  void SetPending(int x, int y) {
    std::lock_guard<std::mutex> g(m_);
    pending_ = backend::Point{x, y};
  }
  void SetIdleAdvance(bool on) {
    std::lock_guard<std::mutex> g(m_);
    idleAdvance_ = on;
  }
  // The screen as presented: the shown surfaces bottom to top over the
  // desktop, each decorated one inside the frame the window layer paints.
  std::vector<std::uint32_t> Compose(int* w, int* h) {
    // The frames first, outside the lock: their painter draws in the window
    // layer. The surfaces' own pixels are then read in place under it.
    std::map<backend::SurfaceId, backend::FramePicture> frames;
    if (const backend::FramePainter painter = backend::CurrentFramePainter()) {
      std::vector<backend::SurfaceId> framed;
      {
        std::lock_guard<std::mutex> g(m_);
        for (backend::SurfaceId id : order_)
          if (surfaces_[id].shown && !surfaces_[id].options.popup) framed.push_back(id);
      }
      for (backend::SurfaceId id : framed)
        if (backend::FramePicture frame; painter(id, frame)) frames.emplace(id, std::move(frame));
    }
    std::lock_guard<std::mutex> g(m_);
    std::vector<std::uint32_t> screen(static_cast<std::size_t>(size_.width) * size_.height, kDesktop);
    for (backend::SurfaceId id : order_) {
      const Surface& s = surfaces_[id];
      if (!s.shown) continue;
      if (auto f = frames.find(id); f != frames.end()) {
        const backend::FramePicture& frame = f->second;
        const backend::Rect at{s.rect.x - frame.surfaceX, s.rect.y - frame.surfaceY, frame.width, frame.height};
        Blit(screen, size_, frame.pixels.data(), at, s.rect);
      }
      Blit(screen, size_, s.pixels.data(), s.rect, backend::Rect{});
    }
    if (w) *w = size_.width;
    if (h) *h = size_.height;
    return screen;
  }
  // Copies `src` (place.width x place.height pixels) to `place` on the
  // screen, clipped to it, leaving out the rectangle `hole`.
  static void Blit(std::vector<std::uint32_t>& screen, backend::Size size, const std::uint32_t* src,
                   const backend::Rect& place, const backend::Rect& hole) {
    for (int y = std::max(0, place.y); y < std::min(size.height, place.y + place.height); ++y)
      for (int x = std::max(0, place.x); x < std::min(size.width, place.x + place.width); ++x) {
        if (x >= hole.x && x < hole.x + hole.width && y >= hole.y && y < hole.y + hole.height) continue;
        screen[static_cast<std::size_t>(y) * size.width + x] =
            src[static_cast<std::size_t>(y - place.y) * place.width + (x - place.x)];
      }
  }
  std::vector<std::string> Sounds() {
    std::lock_guard<std::mutex> g(m_);
    return sounds_;
  }
  std::vector<std::string> Urls() {
    std::lock_guard<std::mutex> g(m_);
    return urls_;
  }
  std::vector<std::pair<backend::SurfaceId, backend::Rect>> TakePresented() {
    std::lock_guard<std::mutex> g(m_);
    auto out = std::move(presented_);
    presented_.clear();
    return out;
  }
  backend::Cursor Cursor() {
    std::lock_guard<std::mutex> g(m_);
    return cursor_;
  }
  int Sleepers() {
    std::lock_guard<std::mutex> g(m_);
    return sleepers_;
  }
  std::uint64_t NextWake() {
    std::lock_guard<std::mutex> g(m_);
    return wakes_.empty() ? UINT64_MAX : *wakes_.begin();
  }
  bool WaitForSleepers(int count, int timeoutMs) {
    std::unique_lock<std::mutex> lk(m_);
    return cv_.wait_for(lk, std::chrono::milliseconds(timeoutMs), [&] { return sleepers_ >= count; });
  }
  bool KeyDown(unsigned vk) {
    std::lock_guard<std::mutex> g(m_);
    return keys_.count(vk) != 0;
  }

 private:
  template <class F>
  void With(backend::SurfaceId id, F f) {
    std::lock_guard<std::mutex> g(m_);
    auto it = surfaces_.find(id);
    if (it != surfaces_.end()) f(it->second);
  }
  // Top-most surfaces stay above the others, keeping their relative order.
  void Restack() {
    std::stable_partition(order_.begin(), order_.end(),
                          [&](backend::SurfaceId id) { return !surfaces_[id].options.topmost; });
  }
  unsigned Modifiers() const {
    auto any = [&](std::initializer_list<unsigned> vks) {
      for (unsigned v : vks)
        if (keys_.count(v)) return true;
      return false;
    };
    unsigned m = 0;
    if (any({0x10, 0xA0, 0xA1})) m |= backend::kShift;
    if (any({0x11, 0xA2, 0xA3})) m |= backend::kControl;
    if (any({0x12, 0xA4, 0xA5})) m |= backend::kAlt;
    return m;
  }
  backend::SurfaceId SurfaceAt(backend::Point p) const {
    for (auto it = order_.rbegin(); it != order_.rend(); ++it) {
      const Surface& s = surfaces_.at(*it);
      if (s.shown && p.x >= s.rect.x && p.y >= s.rect.y && p.x < s.rect.x + s.rect.width &&
          p.y < s.rect.y + s.rect.height)
        return *it;
    }
    return backend::kNoSurface;
  }

  std::mutex m_;
  std::condition_variable cv_;
  backend::Size size_;
  std::map<backend::SurfaceId, Surface> surfaces_;
  std::vector<backend::SurfaceId> order_;
  backend::SurfaceId next_ = 1;
  std::deque<backend::Event> events_;
  bool woken_ = false;
  bool idleAdvance_ = false;
  std::uint64_t now_ = 0;
  int sleepers_ = 0;
  bool closing_ = false;
  std::multiset<std::uint64_t> wakes_;  // the deadlines of the threads in SleepFor
  backend::Point mouse_{0, 0};
  backend::Point pending_{0, 0};
  std::set<unsigned> keys_;
  backend::Cursor cursor_ = backend::Cursor::Arrow;
  std::string clipboard_;
  std::vector<std::string> urls_;
  std::vector<std::string> sounds_;
  std::vector<std::pair<backend::SurfaceId, backend::Rect>> presented_;
};

HeadlessBackend* g_current = nullptr;

HeadlessBackend& Current() {
  // Tests call the input functions only after Start.
  if (!g_current || backend::Current() != g_current) Start();
  return *g_current;
}

void Key(unsigned vk, bool down) {
  backend::Event e;
  e.type = down ? backend::EventType::KeyDown : backend::EventType::KeyUp;
  e.vk = vk;
  Current().Inject(e);
}

void Text(const std::string& t) {
  backend::Event e;
  e.type = backend::EventType::Text;
  e.text = t;
  Current().Inject(e);
}

// The key that types `c` on a US keyboard: its virtual-key code and whether Shift is needed.
bool KeyFor(unsigned char c, unsigned& vk, bool& shift) {
  static const char* plain = ";=,-./`[\\]'";
  static const char* shifted = ":+<_>?~{|}\"";
  static const unsigned oem[] = {0xBA, 0xBB, 0xBC, 0xBD, 0xBE, 0xBF, 0xC0, 0xDB, 0xDC, 0xDD, 0xDE};
  shift = false;
  if (c >= 'a' && c <= 'z') return vk = c - 'a' + 'A', true;
  if (c >= 'A' && c <= 'Z') return vk = c, shift = true, true;
  if (c >= '0' && c <= '9') return vk = c, true;
  if (c == ' ') return vk = 0x20, true;
  if (c == '\r' || c == '\n') return vk = 0x0D, true;
  if (c == '\t') return vk = 0x09, true;
  const char* digitsShifted = ")!@#$%^&*(";
  if (const char* p = std::strchr(digitsShifted, c); p && c) return vk = '0' + (p - digitsShifted), shift = true, true;
  if (const char* p = std::strchr(plain, c); p && c) return vk = oem[p - plain], true;
  if (const char* p = std::strchr(shifted, c); p && c) return vk = oem[p - shifted], shift = true, true;
  return false;
}

}  // namespace

void Start(int width, int height) {
  auto b = std::make_unique<HeadlessBackend>(width, height);
  g_current = b.get();
  backend::Install(std::move(b));
}

void AdvanceTime(int ms) { Current().Advance(ms); }

void MoveMouse(int x, int y) {
  Current().SetPending(x, y);
  backend::Event e;
  e.type = backend::EventType::MouseMove;
  Current().Inject(e);
}

void PressMouse(int button) {
  backend::Event e;
  e.type = backend::EventType::MouseDown;
  e.button = button;
  Current().Inject(e);
}

void ReleaseMouse(int button) {
  backend::Event e;
  e.type = backend::EventType::MouseUp;
  e.button = button;
  Current().Inject(e);
}

void Wheel(int delta) {
  backend::Event e;
  e.type = backend::EventType::MouseWheel;
  e.wheelDelta = delta;
  Current().Inject(e);
}

void PressKey(unsigned vk) { Key(vk, true); }
void ReleaseKey(unsigned vk) { Key(vk, false); }

void TypeText(const std::string& text) {
  for (unsigned char c : text) {
    unsigned vk = 0;
    bool shift = false;
    std::string one(1, static_cast<char>(c));
    if (!KeyFor(c, vk, shift)) {
      Text(one);  // no key on the layout: text only
      continue;
    }
    bool shiftHeld = Current().KeyDown(0x10);
    if (shift && !shiftHeld) Key(0x10, true);
    Key(vk, true);
    if (c >= 0x20) Text(one);  // control characters come from the key itself
    Key(vk, false);
    if (shift && !shiftHeld) Key(0x10, false);
  }
}

bool SaveScreen(const std::string& png) {
  int w = 0, h = 0;
  auto px = Current().Compose(&w, &h);
  return backend::WritePng(png, backend::PixelView{px.data(), w, h, w});
}

std::vector<std::string> PlayedSounds() { return Current().Sounds(); }
std::vector<std::string> OpenedUrls() { return Current().Urls(); }
void SetIdleAdvance(bool on) { Current().SetIdleAdvance(on); }
std::vector<std::uint32_t> ScreenPixels(int* width, int* height) { return Current().Compose(width, height); }
std::vector<std::pair<backend::SurfaceId, backend::Rect>> TakePresented() { return Current().TakePresented(); }
backend::Cursor CurrentCursor() { return Current().Cursor(); }
int Sleepers() { return Current().Sleepers(); }
bool WaitForSleepers(int count, int timeoutMs) { return Current().WaitForSleepers(count, timeoutMs); }
std::uint64_t NextWake() { return Current().NextWake(); }

}  // namespace headless

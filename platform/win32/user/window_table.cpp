#include "window.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>

namespace user {

State& S() {
  static State* state = new State;  // never destroyed: threads may outlive static teardown
  return *state;
}

DWORD CurrentThread() {
  thread_local DWORD tid = static_cast<DWORD>(::syscall(SYS_gettid));
  return tid;
}

ThreadQueue& MyQueue() {
  thread_local std::shared_ptr<ThreadQueue> mine;
  if (!mine) {
    State& s = S();
    std::lock_guard<std::recursive_mutex> g(s.lock);
    auto& slot = s.queues[CurrentThread()];
    if (!slot) {
      slot = std::make_shared<ThreadQueue>();
      slot->tid = CurrentThread();
    }
    mine = slot;
  }
  return *mine;
}

std::shared_ptr<ThreadQueue> QueueOf(DWORD tid) {
  State& s = S();
  std::lock_guard<std::recursive_mutex> g(s.lock);
  auto it = s.queues.find(tid);
  return it == s.queues.end() ? nullptr : it->second;
}

Window* Lookup(HWND hwnd) {
  if (!hwnd) return nullptr;
  State& s = S();
  std::lock_guard<std::recursive_mutex> g(s.lock);
  auto it = s.windows.find(hwnd);
  if (it == s.windows.end() || it->second->destroyed) return nullptr;
  return it->second.get();
}

std::shared_ptr<Window> Hold(HWND hwnd) {
  State& s = S();
  std::lock_guard<std::recursive_mutex> g(s.lock);
  auto it = s.windows.find(hwnd);
  if (it == s.windows.end()) return nullptr;
  return it->second;
}

HWND NewHandle() {
  State& s = S();
  std::lock_guard<std::recursive_mutex> g(s.lock);
  HWND h = reinterpret_cast<HWND>(s.nextHandle);
  s.nextHandle += 2;
  return h;
}

void Register(std::shared_ptr<Window> w) {
  State& s = S();
  std::lock_guard<std::recursive_mutex> g(s.lock);
  s.windows[w->hwnd] = std::move(w);
}

void Unregister(Window* w) {
  State& s = S();
  std::lock_guard<std::recursive_mutex> g(s.lock);
  s.windows.erase(w->hwnd);
}

Window* Root(Window* w) {
  while (w && w->parent) w = w->parent;
  return w;
}

bool IsDescendant(Window* ancestor, Window* w) {
  if (!ancestor || !w) return false;
  for (Window* p = w->parent; p; p = p->parent)
    if (p == ancestor) return true;
  return false;
}

bool IsTopLevel(const Window* w) { return w && !w->parent && !w->messageOnly; }

bool Visible(const Window* w) {
  for (; w; w = w->parent)
    if (!(w->style & WS_VISIBLE)) return false;
  return true;
}

bool HasHostFrame(const Window* w) {
  return IsTopLevel(w) && (w->style & WS_CAPTION) == WS_CAPTION;
}

std::vector<Window*>& Siblings(Window* w) {
  static std::vector<Window*> none;
  if (w->parent) return w->parent->children;
  if (w->messageOnly) return none;
  return S().topLevels;
}

RECT WindowRectScreen(const Window* w) {
  RECT r = w->rect;
  for (const Window* p = w->parent; p; p = p->parent) {
    int dx = p->rect.left + p->client.left;
    int dy = p->rect.top + p->client.top;
    r = RectOffset(r, dx, dy);
  }
  return r;
}

POINT ClientOriginScreen(const Window* w) {
  RECT r = WindowRectScreen(w);
  return POINT{r.left + w->client.left, r.top + w->client.top};
}

RECT ClientRectScreen(const Window* w) {
  POINT o = ClientOriginScreen(w);
  return RECT{o.x, o.y, o.x + (w->client.right - w->client.left), o.y + (w->client.bottom - w->client.top)};
}

POINT SurfaceOffset(const Window* w) {
  const Window* top = w;
  while (top->parent) top = top->parent;
  RECT r = WindowRectScreen(w);
  return POINT{r.left - top->rect.left, r.top - top->rect.top};
}

}  // namespace user

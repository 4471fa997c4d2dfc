// The window layer's own state: classes, windows, per-thread queues and the
// process-wide input state. Internal to this library.
#pragma once

#include <backend/backend.h>
#include <win32/user32.h>

#include "region.h"

#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace gdi {
struct Surface;
}

namespace user {

struct WindowClass {
  std::string name;
  ATOM atom = 0;
  UINT style = 0;
  WNDPROC proc = nullptr;
  int clsExtra = 0;
  int wndExtra = 0;
  HINSTANCE instance = nullptr;
  HICON icon = nullptr;
  HICON iconSm = nullptr;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;
  std::string menuName;
  std::vector<char> extra;
};

struct Window {
  HWND hwnd = nullptr;
  std::shared_ptr<WindowClass> cls;
  WNDPROC proc = nullptr;
  DWORD style = 0;
  DWORD exStyle = 0;
  Window* parent = nullptr;  // null for top-level and message-only windows
  Window* owner = nullptr;
  std::vector<Window*> children;  // z-order, topmost first
  RECT rect{};    // window rectangle: parent client coordinates (screen for top-level)
  RECT client{};  // client rectangle relative to the window's top-left corner
  RECT normalRect{};  // the restored rectangle while minimised or maximised
  std::string text;
  LONG_PTR id = 0;
  LONG_PTR userData = 0;
  HINSTANCE instance = nullptr;
  HMENU menu = nullptr;
  std::vector<char> extra;
  std::map<std::string, HANDLE> props;
  DWORD thread = 0;
  bool messageOnly = false;
  bool destroying = false;
  bool destroyed = false;
  // painting
  Region update;  // client coordinates
  bool erase = false;
  bool ncDirty = false;
  bool internalPaint = false;
  HDC ownDC = nullptr;
  // top-level windows only
  backend::SurfaceId surface = backend::kNoSurface;
  std::shared_ptr<gdi::Surface> pixels;
  HWND lastActivePopup = nullptr;
};

struct Timer {
  HWND hwnd = nullptr;
  UINT_PTR id = 0;
  UINT interval = 0;
  TIMERPROC proc = nullptr;
  std::uint64_t due = 0;
};

struct Hook {
  HHOOK handle = nullptr;
  int id = 0;
  HOOKPROC proc = nullptr;
  bool removed = false;
  std::shared_ptr<Hook> next;  // the next older hook of the chain
};

struct ThreadQueue;
struct SentMessage {
  HWND hwnd = nullptr;
  UINT msg = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  LRESULT result = 0;
  bool done = false;
  ThreadQueue* sender = nullptr;
};

// One per thread that uses the window layer. Other threads only touch the
// members under `m`; everything below `// owner thread only` is unlocked.
struct ThreadQueue {
  DWORD tid = 0;
  std::mutex m;
  std::condition_variable cv;
  std::deque<MSG> posted;
  std::deque<MSG> input;
  std::deque<std::shared_ptr<SentMessage>> sent;
  bool quit = false;
  int quitCode = 0;
  // owner thread only
  std::vector<Timer> timers;
  std::map<int, std::shared_ptr<Hook>> hooks;  // id -> newest hook
  MSG last{};
  int inSend = 0;
  bool altAlone = false;  // Alt or F10 pressed with no other key since
};

// Process-wide state. `lock` guards the handle tables only; windows belong to
// their thread and are used from it.
struct State {
  std::recursive_mutex lock;
  std::map<HWND, std::shared_ptr<Window>> windows;
  std::vector<Window*> topLevels;  // z-order, topmost first
  std::vector<std::shared_ptr<WindowClass>> classes;
  std::map<DWORD, std::shared_ptr<ThreadQueue>> queues;
  std::uintptr_t nextHandle = 0x20000;
  ATOM nextAtom = 0xC000;
  DWORD inputThread = 0;
  backend::Backend* backendSeen = nullptr;
  // input state
  Window* focus = nullptr;
  Window* active = nullptr;
  Window* capture = nullptr;
  bool appActive = false;
  POINT cursorPos{0, 0};
  BYTE asyncKeys[256] = {};
  BYTE syncKeys[256] = {};
};

State& S();
DWORD CurrentThread();
ThreadQueue& MyQueue();
std::shared_ptr<ThreadQueue> QueueOf(DWORD tid);  // null when that thread has none

Window* Lookup(HWND hwnd);  // null for unknown or destroyed handles
std::shared_ptr<Window> Hold(HWND hwnd);
HWND NewHandle();
void Register(std::shared_ptr<Window> w);
void Unregister(Window* w);

// Relations
Window* Root(Window* w);  // the top-level ancestor (itself for top-level windows)
bool IsDescendant(Window* ancestor, Window* w);
bool IsTopLevel(const Window* w);
bool Visible(const Window* w);  // WS_VISIBLE on it and every ancestor
bool HasHostFrame(const Window* w);  // a captioned top-level: its frame is drawn by the host
std::vector<Window*>& Siblings(Window* w);

// Geometry in screen coordinates and in the coordinates of the top-level surface.
RECT WindowRectScreen(const Window* w);
RECT ClientRectScreen(const Window* w);
POINT SurfaceOffset(const Window* w);  // top-left of w's window rect inside its top-level surface
POINT ClientOriginScreen(const Window* w);

bool PointIn(const RECT& r, POINT p);
Window* WindowAtPoint(POINT screen, int* hit);  // sends WM_NCHITTEST

// Messaging
LRESULT Send(Window* w, UINT msg, WPARAM wParam, LPARAM lParam);
bool Post(Window* w, UINT msg, WPARAM wParam, LPARAM lParam);
void PushInput(Window* w, const MSG& m, bool coalesceMove);
void WakeThread(ThreadQueue& q);
void ProcessSentMessages(ThreadQueue& q);

// Hooks
bool HasHook(int id);
LRESULT CallHooks(int id, int code, WPARAM wParam, LPARAM lParam);

// Painting
void Invalidate(Window* w, const Region* clientRgn, UINT flags);
bool NeedsPaint(const Window* w);
Window* FindPaintWindow(ThreadQueue& q, HWND filter);
void OnShown(Window* w);
void OnHiddenOrMoved(Window* w, const RECT& oldRectInParent);
void PresentRect(Window* top, const RECT& surfaceRect);
void PresentAll(Window* top);
void ReleaseWindowDCs(Window* w);

// Surfaces and the host
backend::Backend* Host();  // the current backend, rebinding surfaces when it changed
void CreatePixels(Window* top);
void ResizePixels(Window* top);
void SyncSurface(Window* top);  // create, place, show or hide the host surface
void DestroySurface(Window* top);
void RaiseTopLevel(Window* top);

// Non-client area
// Frame widths of a style: outer (borders, frames, caption) and inner (edges, scroll bars).
RECT NonClientInsets(DWORD style, DWORD exStyle, bool hostFrame);
LRESULT DefaultNcHitTest(Window* w, POINT screen);
void DefaultNcPaint(Window* w, HDC hdc);
// What a frame's drawing needs to know of its window.
struct FrameLook {
  DWORD style = 0;
  DWORD exStyle = 0;
  bool active = false;
  const std::string& title;
};
// Borders and caption of a frame over `r`, the whole window; `r` ends as the
// area inside them.
void PaintFrame(HDC dc, RECT& r, const FrameLook& look);
// The caption bar: its colour, the title in the caption font, the buttons.
void PaintCaption(HDC dc, const RECT& caption, const FrameLook& look);
// The frames the headless host draws around captioned top-level windows.
bool PaintHostFrame(backend::SurfaceId surface, backend::FramePicture& picture);
void RecalcClient(Window* w);

// Input, focus, activation
void PollHost();
bool ActivateWindow(Window* w, bool mouse, bool fromHost);
void DeactivateApp();
void SetFocusWindow(Window* w);
void ActivateAnother(Window* leaving);
void ForgetWindow(Window* w);  // clears input state that names w
void UpdateSyncKeyState(const MSG& m);
bool CheckMouseHover(ThreadQueue& q);

// Timers and the caret
bool TakeDueTimer(ThreadQueue& q, HWND filter, bool remove, MSG& out);
int NextTimerDelay(ThreadQueue& q);  // ms until the next timer, -1 when none
bool IsTimerProc(ThreadQueue& q, LPARAM proc);
void KillWindowTimers(Window* w);
void CaretTick();
int CaretDelay();
void CaretBeforePaint(Window* w);
void CaretAfterPaint(Window* w);
void CaretWindowDestroyed(Window* w);

// Menus
void DestroyWindowMenu(Window* w);

}  // namespace user

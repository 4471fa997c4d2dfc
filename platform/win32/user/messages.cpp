// Sending, posting and retrieving messages. Retrieval follows Windows:
// sent messages first, then posted ones, then input, then WM_QUIT, then
// WM_PAINT and WM_TIMER, which are made up only when nothing else waits.
#include <algorithm>
#include <chrono>

#include "kernel/internal/kernel_internal.h"
#include "window.h"

namespace user {
namespace {

bool InRange(UINT msg, UINT lo, UINT hi) { return (lo == 0 && hi == 0) || (msg >= lo && msg <= hi); }

bool HwndMatches(HWND hwnd, HWND filter) {
  if (!filter) return true;
  if (filter == reinterpret_cast<HWND>(-1)) return hwnd == nullptr;
  if (hwnd == filter) return true;
  return IsChild(filter, hwnd) != FALSE;
}

LRESULT CallWithHooks(Window* w, UINT msg, WPARAM wp, LPARAM lp, bool fromThisThread) {
  if (HasHook(WH_CALLWNDPROC)) {
    CWPSTRUCT cwp{lp, wp, msg, w->hwnd};
    CallHooks(WH_CALLWNDPROC, HC_ACTION, fromThisThread, reinterpret_cast<LPARAM>(&cwp));
    msg = cwp.message, wp = cwp.wParam, lp = cwp.lParam;
  }
  WNDPROC proc = w->proc;
  LRESULT r = proc ? proc(w->hwnd, msg, wp, lp) : 0;
  if (HasHook(WH_CALLWNDPROCRET)) {
    CWPRETSTRUCT ret{r, lp, wp, msg, w->hwnd};
    CallHooks(WH_CALLWNDPROCRET, HC_ACTION, fromThisThread, reinterpret_cast<LPARAM>(&ret));
  }
  return r;
}

bool HasPendingLocked(ThreadQueue& q) { return !q.sent.empty() || !q.posted.empty() || !q.input.empty() || q.quit; }

LRESULT SendAcrossThreads(Window* w, UINT msg, WPARAM wp, LPARAM lp, int timeoutMs, bool* timedOut) {
  auto target = QueueOf(w->thread);
  if (!target) return 0;
  ThreadQueue& me = MyQueue();
  auto sm = std::make_shared<SentMessage>();
  sm->hwnd = w->hwnd, sm->msg = msg, sm->wParam = wp, sm->lParam = lp, sm->sender = &me;
  {
    std::lock_guard<std::mutex> g(target->m);
    target->sent.push_back(sm);
  }
  WakeThread(*target);
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs);
  for (;;) {
    {
      std::unique_lock<std::mutex> lk(me.m);
      auto ready = [&] { return sm->done || !me.sent.empty(); };
      if (timeoutMs < 0) {
        me.cv.wait(lk, ready);
      } else if (!me.cv.wait_until(lk, deadline, ready)) {
        if (timedOut) *timedOut = true;
        return 0;
      }
      if (sm->done) return sm->result;
    }
    // Serve messages sent to us meanwhile, so two threads sending to each
    // other do not deadlock.
    ProcessSentMessages(me);
  }
}

void CallGetMessageHook(MSG& m, UINT remove) {
  if (HasHook(WH_GETMESSAGE)) CallHooks(WH_GETMESSAGE, HC_ACTION, remove & PM_REMOVE, reinterpret_cast<LPARAM>(&m));
}

bool TakeFrom(std::deque<MSG>& queue, std::mutex& m, HWND filter, UINT lo, UINT hi, bool remove, MSG& out) {
  std::lock_guard<std::mutex> g(m);
  for (auto it = queue.begin(); it != queue.end(); ++it) {
    if (!InRange(it->message, lo, hi) || !HwndMatches(it->hwnd, filter)) continue;
    out = *it;
    if (remove) queue.erase(it);
    return true;
  }
  return false;
}

// Keyboard and mouse hooks may swallow an input message as it is removed.
bool InputHookDiscards(const MSG& m, bool remove) {
  int code = remove ? HC_ACTION : HC_NOREMOVE;
  if (m.message >= WM_KEYFIRST && m.message <= WM_KEYLAST && m.message != WM_CHAR && m.message != WM_SYSCHAR &&
      HasHook(WH_KEYBOARD))
    return CallHooks(WH_KEYBOARD, code, m.wParam, m.lParam) != 0;
  if (m.message >= WM_MOUSEFIRST && m.message <= WM_MOUSELAST && HasHook(WH_MOUSE)) {
    MOUSEHOOKSTRUCT mh{m.pt, m.hwnd, HTCLIENT, 0};
    return CallHooks(WH_MOUSE, code, m.message, reinterpret_cast<LPARAM>(&mh)) != 0;
  }
  return false;
}

bool TakeInput(ThreadQueue& q, HWND filter, UINT lo, UINT hi, bool remove, MSG& out) {
  for (;;) {
    if (!TakeFrom(q.input, q.m, filter, lo, hi, remove, out)) return false;
    if (!InputHookDiscards(out, remove)) break;
    if (!remove) TakeFrom(q.input, q.m, filter, lo, hi, true, out);
  }
  if (remove) UpdateSyncKeyState(out);
  return true;
}

bool TakePaint(ThreadQueue& q, HWND filter, UINT lo, UINT hi, MSG& out) {
  if (!InRange(WM_PAINT, lo, hi)) return false;
  Window* w = FindPaintWindow(q, filter);
  if (!w) return false;
  out = MSG{w->hwnd, WM_PAINT, 0, 0, static_cast<DWORD>(backend::NowMs()), S().cursorPos};
  return true;
}

bool PeekOnce(MSG& out, HWND filter, UINT lo, UINT hi, UINT flags) {
  ThreadQueue& q = MyQueue();
  bool remove = flags & PM_REMOVE;
  PollHost();
  ProcessSentMessages(q);
  if (TakeFrom(q.posted, q.m, filter, lo, hi, remove, out)) return true;
  if (TakeInput(q, filter, lo, hi, remove, out)) return true;
  {
    std::lock_guard<std::mutex> g(q.m);
    if (q.quit && InRange(WM_QUIT, lo, hi)) {
      out = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(q.quitCode), 0, static_cast<DWORD>(backend::NowMs()),
                S().cursorPos};
      if (remove) q.quit = false;
      return true;
    }
  }
  CheckMouseHover(q);
  if (TakeFrom(q.posted, q.m, filter, lo, hi, remove, out)) return true;
  if (TakePaint(q, filter, lo, hi, out)) return true;
  CaretTick();
  if (InRange(WM_TIMER, lo, hi) && TakeDueTimer(q, filter, remove, out)) return true;
  return false;
}

// Blocks until something may have arrived for this thread or `timeoutMs`
// (host clock) passes.
void WaitForWork(ThreadQueue& q, int timeoutMs) {
  int t = NextTimerDelay(q);
  // The caret blinks on the thread that reads the host's input.
  int c = q.tid == S().inputThread ? CaretDelay() : -1;
  if (c >= 0 && (t < 0 || c < t)) t = c;
  if (timeoutMs >= 0 && (t < 0 || timeoutMs < t)) t = timeoutMs;
  {
    std::lock_guard<std::mutex> g(q.m);
    if (HasPendingLocked(q)) return;
  }
  backend::Backend* host = Host();
  if (host && q.tid == S().inputThread) {
    host->Wait(t);
    return;
  }
  std::unique_lock<std::mutex> lk(q.m);
  auto ready = [&] { return HasPendingLocked(q); };
  if (t < 0)
    q.cv.wait(lk, ready);
  else
    q.cv.wait_for(lk, std::chrono::milliseconds(std::min(t, 5)), ready);
}

// A wait of MsgWaitForMultipleObjects for less than all input: a due
// timer or a queued message that its mask leaves out must not end the wait
// at once, or a wait for keys and buttons would spin without the time
// passing. Sent messages are served by the caller's loop, so they wake it.
void WaitForMaskedWork(ThreadQueue& q, int timeoutMs, DWORD mask) {
  constexpr DWORD kQueued = QS_TIMER | QS_POSTMESSAGE | QS_SENDMESSAGE;
  if (timeoutMs < 0 || (mask & kQueued) == kQueued) return WaitForWork(q, timeoutMs);
  backend::Backend* host = Host();
  if (host && q.tid == S().inputThread) return host->Wait(timeoutMs);
  std::unique_lock<std::mutex> lk(q.m);
  q.cv.wait_for(lk, std::chrono::milliseconds(std::min(timeoutMs, 5)),
                [&] { return !q.input.empty() || !q.sent.empty() || q.quit; });
}

}  // namespace

void WakeThread(ThreadQueue& q) {
  q.cv.notify_all();
  if (q.tid == S().inputThread)
    if (backend::Backend* b = backend::Current()) b->Wake();
}

void ProcessSentMessages(ThreadQueue& q) {
  for (;;) {
    std::shared_ptr<SentMessage> sm;
    {
      std::lock_guard<std::mutex> g(q.m);
      if (q.sent.empty()) return;
      sm = q.sent.front();
      q.sent.pop_front();
    }
    LRESULT r = 0;
    if (Window* w = Lookup(sm->hwnd)) {
      auto keep = Hold(sm->hwnd);
      ++q.inSend;
      r = CallWithHooks(w, sm->msg, sm->wParam, sm->lParam, false);
      --q.inSend;
    }
    std::lock_guard<std::mutex> g(sm->sender->m);
    sm->result = r;
    sm->done = true;
    sm->sender->cv.notify_all();
  }
}

LRESULT Send(Window* w, UINT msg, WPARAM wp, LPARAM lp) {
  if (!w) return 0;
  if (w->thread != CurrentThread()) return SendAcrossThreads(w, msg, wp, lp, -1, nullptr);
  auto keep = Hold(w->hwnd);
  return CallWithHooks(w, msg, wp, lp, true);
}

bool Post(Window* w, UINT msg, WPARAM wp, LPARAM lp) {
  auto q = QueueOf(w->thread);
  if (!q) return false;
  MSG m{w->hwnd, msg, wp, lp, static_cast<DWORD>(backend::NowMs()), S().cursorPos};
  {
    std::lock_guard<std::mutex> g(q->m);
    q->posted.push_back(m);
  }
  WakeThread(*q);
  return true;
}

void PushInput(Window* w, const MSG& m, bool coalesceMove) {
  auto q = QueueOf(w->thread);
  if (!q) return;
  {
    std::lock_guard<std::mutex> g(q->m);
    if (coalesceMove && !q->input.empty() && q->input.back().message == m.message && q->input.back().hwnd == m.hwnd)
      q->input.back() = m;
    else
      q->input.push_back(m);
  }
  WakeThread(*q);
}

}  // namespace user

using namespace user;

LRESULT WINAPI SendMessageA(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (hwnd == HWND_BROADCAST) {
    std::vector<HWND> tops;
    for (Window* t : S().topLevels) tops.push_back(t->hwnd);
    for (HWND h : tops) Send(Lookup(h), msg, wp, lp);
    return 1;
  }
  return Send(Lookup(hwnd), msg, wp, lp);
}

LRESULT WINAPI SendMessageTimeoutA(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT, UINT timeout,
                                   PDWORD_PTR result) {
  Window* w = Lookup(hwnd);
  if (!w) return 0;
  LRESULT r;
  if (w->thread == CurrentThread()) {
    r = Send(w, msg, wp, lp);
  } else {
    bool timedOut = false;
    r = SendAcrossThreads(w, msg, wp, lp, static_cast<int>(timeout), &timedOut);
    if (timedOut) return 0;
  }
  if (result) *result = static_cast<DWORD_PTR>(r);
  return 1;
}

BOOL WINAPI SendNotifyMessageA(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Window* w = Lookup(hwnd);
  if (!w) return FALSE;
  if (w->thread == CurrentThread()) {
    Send(w, msg, wp, lp);
    return TRUE;
  }
  return Post(w, msg, wp, lp);
}

BOOL WINAPI PostMessageA(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (!hwnd) return PostThreadMessageA(CurrentThread(), msg, wp, lp);
  if (hwnd == HWND_BROADCAST) {
    for (Window* t : S().topLevels) Post(t, msg, wp, lp);
    return TRUE;
  }
  Window* w = Lookup(hwnd);
  return w && Post(w, msg, wp, lp);
}

BOOL WINAPI PostThreadMessageA(DWORD tid, UINT msg, WPARAM wp, LPARAM lp) {
  auto q = tid == CurrentThread() ? QueueOf(MyQueue().tid) : QueueOf(tid);
  if (!q) return FALSE;  // the thread has no queue yet (ERROR_INVALID_THREAD_ID)
  {
    std::lock_guard<std::mutex> g(q->m);
    q->posted.push_back(MSG{nullptr, msg, wp, lp, static_cast<DWORD>(backend::NowMs()), S().cursorPos});
  }
  WakeThread(*q);
  return TRUE;
}

VOID WINAPI PostQuitMessage(int code) {
  ThreadQueue& q = MyQueue();
  std::lock_guard<std::mutex> g(q.m);
  q.quit = true;
  q.quitCode = code;
}

BOOL WINAPI PeekMessageA(LPMSG msg, HWND hwnd, UINT lo, UINT hi, UINT flags) {
  MSG m{};
  if (!PeekOnce(m, hwnd, lo, hi, flags)) return FALSE;
  CallGetMessageHook(m, flags);
  MyQueue().last = m;
  if (msg) *msg = m;
  return TRUE;
}

BOOL WINAPI GetMessageA(LPMSG msg, HWND hwnd, UINT lo, UINT hi) {
  ThreadQueue& q = MyQueue();
  for (;;) {
    MSG m{};
    if (PeekOnce(m, hwnd, lo, hi, PM_REMOVE)) {
      CallGetMessageHook(m, PM_REMOVE);
      q.last = m;
      if (msg) *msg = m;
      return m.message != WM_QUIT;
    }
    WaitForWork(q, -1);
  }
}

BOOL WINAPI WaitMessage(void) {
  ThreadQueue& q = MyQueue();
  PollHost();
  ProcessSentMessages(q);
  MSG m;
  if (PeekOnce(m, nullptr, 0, 0, PM_NOREMOVE)) return TRUE;
  WaitForWork(q, -1);
  return TRUE;
}

DWORD WINAPI GetQueueStatus(UINT flags) {
  ThreadQueue& q = MyQueue();
  PollHost();
  DWORD status = 0;
  {
    std::lock_guard<std::mutex> g(q.m);
    if (!q.posted.empty()) status |= QS_POSTMESSAGE;
    if (!q.sent.empty()) status |= QS_SENDMESSAGE;
    for (const MSG& m : q.input) {
      if (m.message >= WM_KEYFIRST && m.message <= WM_KEYLAST) status |= QS_KEY;
      else if (m.message == WM_MOUSEMOVE || m.message == WM_NCMOUSEMOVE) status |= QS_MOUSEMOVE;
      else status |= QS_MOUSEBUTTON;
    }
  }
  if (FindPaintWindow(q, nullptr)) status |= QS_PAINT;
  if (NextTimerDelay(q) == 0) status |= QS_TIMER;
  return (status & flags) << 16 | (status & flags);
}

DWORD WINAPI MsgWaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD ms, DWORD mask) {
  ThreadQueue& q = MyQueue();
  // Kernel objects that become signalled wake this queue like a posted message.
  std::shared_ptr<ThreadQueue> self = QueueOf(q.tid);
  int listener = count ? kernel::AddSignalListener([self] { WakeThread(*self); }) : 0;
  std::uint64_t start = backend::NowMs();
  DWORD result = WAIT_TIMEOUT;
  for (;;) {
    if (count) {
      DWORD r = kernel::PollHandles(count, handles, waitAll);
      if (r != WAIT_TIMEOUT) {
        result = r;
        break;
      }
    }
    PollHost();
    // A due blink is served here: the wait below counts it as work to do,
    // and left undone it would end every wait at once.
    if (q.tid == S().inputThread) CaretTick();
    if (GetQueueStatus(mask) & 0xFFFF) {
      result = WAIT_OBJECT_0 + count;
      break;
    }
    std::uint64_t now = backend::NowMs();
    if (ms != INFINITE && now - start >= ms) break;
    // A signal wakes the host's wait for good (its wake is kept until the
    // wait), so the input thread can sleep until then. Other threads wait
    // on a condition a signal may just miss: they poll the handles again
    // every few milliseconds.
    int slice = ms == INFINITE ? -1 : static_cast<int>(ms - (now - start));
    const bool stickyWake = Host() && q.tid == S().inputThread;
    if (count && !stickyWake && (slice < 0 || slice > 5)) slice = 5;
    WaitForMaskedWork(q, slice, mask);
    if (ms == 0) break;
  }
  if (count) kernel::RemoveSignalListener(listener);
  return result;
}

BOOL WINAPI InSendMessage(void) { return MyQueue().inSend > 0; }
BOOL WINAPI ReplyMessage(LRESULT) { return FALSE; }
LONG WINAPI GetMessageTime(void) { return static_cast<LONG>(MyQueue().last.time); }
DWORD WINAPI GetMessagePos(void) {
  const MSG& m = MyQueue().last;
  return static_cast<DWORD>(MAKELONG(static_cast<WORD>(m.pt.x), static_cast<WORD>(m.pt.y)));
}

LRESULT WINAPI DispatchMessageA(const MSG* m) {
  if (!m) return 0;
  if (m->message == WM_TIMER && m->lParam) {
    // Only procedures registered with SetTimer are called, so a forged
    // WM_TIMER cannot jump anywhere.
    if (!IsTimerProc(MyQueue(), m->lParam)) return 0;
    reinterpret_cast<TIMERPROC>(m->lParam)(m->hwnd, WM_TIMER, m->wParam, static_cast<DWORD>(backend::NowMs()));
    return 0;
  }
  Window* w = Lookup(m->hwnd);
  if (!w || w->thread != CurrentThread()) return 0;
  auto keep = Hold(m->hwnd);
  WNDPROC proc = w->proc;
  return proc ? proc(m->hwnd, m->message, m->wParam, m->lParam) : 0;
}

LRESULT WINAPI CallWindowProcA(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  return proc ? proc(hwnd, msg, wp, lp) : 0;
}

UINT WINAPI RegisterWindowMessageA(LPCSTR name) {
  static std::mutex m;
  static std::map<std::string, UINT> names;
  if (!name || !*name) return 0;
  std::lock_guard<std::mutex> g(m);
  auto it = names.find(name);
  if (it != names.end()) return it->second;
  UINT id = 0xC000 + static_cast<UINT>(names.size());
  names[name] = id;
  return id;
}

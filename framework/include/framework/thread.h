// TThread: a kernel32 thread running the virtual Execute. Created suspended
// (and resumed at once unless asked not to), so the headless backend's
// virtual clock drives its sleeps and waits as it does any other thread's.
#pragma once

#include <atomic>
#include <exception>

#include <win32/windef.h>

#include "framework/object.h"
#include "framework/synchronize.h"
#include "framework/types.h"

enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

class TThread : public TObject {
 public:
  // With `createSuspended` false the thread starts here, before a derived
  // constructor runs: a derived class that sets up state for Execute
  // passes true and calls Resume at the end of its own constructor.
  explicit TThread(bool createSuspended);
  // Asks a running thread to terminate and waits for it; a thread that was
  // never started ends without running Execute.
  ~TThread() override;
  // Free() ends the thread here, while the derived object is still whole.
  void BeforeDestruction() override { EndThread(); }

  // Undoes one Suspend (or the creation suspension).
  void Resume();
  void Suspend();
  // Sets Terminated; Execute is expected to look at it and return.
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Waits for the thread to end and returns its ReturnValue. On the main
  // thread, queued synchronised calls (OnTerminate among them) keep
  // running meanwhile. EThread for a FreeOnTerminate thread, which may be
  // gone by the time the wait returns.
  DWORD WaitFor();

  bool FreeOnTerminate() const { return freeOnTerminate_; }
  void SetFreeOnTerminate(bool value) { freeOnTerminate_ = value; }
  TThreadPriority Priority() const;
  void SetPriority(TThreadPriority priority);
  bool Suspended() const { return suspended_; }
  void SetSuspended(bool value);
  HANDLE Handle() const { return handle_; }
  DWORD ThreadID() const { return threadId_; }
  bool Finished() const { return finished_; }
  int ReturnValue() const { return returnValue_; }
  // An exception that escaped Execute (null when none).
  std::exception_ptr FatalException() const { return fatalException_; }

  // Runs when the thread has finished Execute, on the main thread.
  TNotifyEvent OnTerminate;

  // Runs `method` on the main thread for `thread` (which may be null).
  static void Synchronize(TThread* thread, const TThreadMethod& method);

 protected:
  virtual void Execute() = 0;
  // Calls OnTerminate through Synchronize.
  virtual void DoTerminate();
  void Synchronize(const TThreadMethod& method) { Synchronize(this, method); }
  void SetReturnValue(int value) { returnValue_ = value; }

 private:
  static DWORD WINAPI ThreadProc(LPVOID self);
  void EndThread();

  HANDLE handle_ = nullptr;
  DWORD threadId_ = 0;
  std::atomic<bool> terminated_{false};
  std::atomic<bool> suspended_{true};
  std::atomic<bool> finished_{false};
  std::atomic<bool> freeOnTerminate_{false};
  std::atomic<int> returnValue_{0};
  std::exception_ptr fatalException_;
};

// The kernel32 priority of each TThreadPriority and back (tpNormal for
// values between the levels).
int ThreadPriorityToWin32(TThreadPriority priority);
TThreadPriority ThreadPriorityFromWin32(int priority);

// One service per process that watches the current thread's messages for
// the flat toolbar buttons: application activation and window moves (a
// call-window-procedure hook), window destruction (a CBT hook) and posted
// mouse moves (a get-message hook). Each hook is installed only while a
// callback wants one of its kinds.
#pragma once

#include <win32/windows.h>

#include <functional>

#include "framework/set.h"

enum THookProcKind { hpSendActivateApp, hpSendWindowPosChanged, hpPreDestroy, hpGetMessagePostMouseMove };
using THookProcKinds = Set<THookProcKind>;
using THookProc = std::function<void(THookProcKind kind, HWND window, WPARAM wParam, LPARAM lParam)>;

// Registers `proc` under `key`; registering the same key again only counts
// up its references.
void InstallHookProc(const void* key, THookProc proc, THookProcKinds kinds);
// Counts down; at zero the callback goes, and any hook nobody needs.
void UninstallHookProc(const void* key);
// How many of the three hooks are installed now (for tests).
int InstalledHookCount();

// The headless backend: an in-memory screen, a virtual clock that only moves
// when a test advances it, and injected input that becomes messages as the
// program pumps them, as real input does.
#pragma once

#include <backend/backend.h>

#include <cstdint>
#include <string>
#include <vector>

// The window handle type of win32/windef.h, declared the same way.
struct HWND__;
typedef struct HWND__* HWND;

namespace headless {

// Installs a fresh headless backend as backend::Current(): clock at 0, the
// pointer at (0, 0), no keys down, nothing recorded.
void Start(int width = 1024, int height = 768);

// Moves the virtual clock and wakes what is due: a waiting message loop and
// threads sleeping in SleepFor.
void AdvanceTime(int ms);

// Input in screen coordinates; buttons 0 left, 1 right, 2 middle.
void MoveMouse(int x, int y);
void PressMouse(int button);
void ReleaseMouse(int button);
void PressKey(unsigned vk);  // a Windows virtual-key code
void ReleaseKey(unsigned vk);
// Each character as a key press with its text (US layout; Shift where needed).
void TypeText(const std::string& text);

// PNG snapshots: the screen (top-level windows over the desktop colour, as
// presented) and one window (implemented by the window layer).
bool SaveScreen(const std::string& png);
bool SaveWindow(HWND hwnd, const std::string& png);

std::vector<std::string> PlayedSounds();
std::vector<std::string> OpenedUrls();

// ---- beyond the basic set, for tests
void Wheel(int delta);  // multiples of 120, positive away from the user
// When set, a message loop that waits with nothing to do jumps the clock to
// its next timer instead of blocking (for modal loops run by a test).
void SetIdleAdvance(bool on);
// The presented screen as 0x00RRGGBB pixels, rows top-down.
std::vector<std::uint32_t> ScreenPixels(int* width, int* height);
// The rectangles presented since the last call, per surface.
std::vector<std::pair<backend::SurfaceId, backend::Rect>> TakePresented();
backend::Cursor CurrentCursor();
// Threads now blocked in SleepFor: a test waits for this before advancing
// the clock past a sleeper's wake-up time.
int Sleepers();
// Blocks (real time, at most `timeoutMs`) until `count` threads sleep in SleepFor.
bool WaitForSleepers(int count, int timeoutMs = 5000);
// The virtual time at which the first thread in SleepFor wakes; UINT64_MAX
// when none sleeps. Lets a test move the clock one wake-up at a time.
std::uint64_t NextWake();

}  // namespace headless

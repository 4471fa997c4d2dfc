// Module handles, the last error, critical sections, MulDiv and the lstr
// string helpers.
#include <cctype>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <string>

#include <win32/kernel32.h>

#include "objects.h"

namespace {

thread_local DWORD tLastError = 0;

// The program is one module; the system libraries it asks for by name get
// handles of their own so that callers can tell them apart.
const char* const kModules[] = {"kernel32", "user32", "gdi32", "comctl32", "comdlg32", "shell32", "winmm", "advapi32"};

unsigned char Fold(unsigned char c) {
  // Windows-1252 upper-case letters: A-Z, and the Latin-1 range except the
  // multiplication sign.
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
  if (c == 0x8A || c == 0x8C || c == 0x8E) return static_cast<unsigned char>(c + 16);
  if (c == 0x9F) return 0xFF;
  return c;
}

std::string Lower(LPCSTR s) {
  std::string out;
  for (; *s; ++s) out += static_cast<char>(Fold(static_cast<unsigned char>(*s)));
  return out;
}

int Compare(LPCSTR a, LPCSTR b, bool fold) {
  if (!a) a = "";
  if (!b) b = "";
  for (;; ++a, ++b) {
    unsigned char x = static_cast<unsigned char>(*a), y = static_cast<unsigned char>(*b);
    if (fold) x = Fold(x), y = Fold(y);
    if (x != y) return x < y ? -1 : 1;
    if (!x) return 0;
  }
}

std::recursive_mutex* HostLock(LPCRITICAL_SECTION cs) { return static_cast<std::recursive_mutex*>(cs->DebugInfo); }

}  // namespace

HMODULE WINAPI GetModuleHandleA(LPCSTR name) {
  if (!name) return reinterpret_cast<HMODULE>(0x400000);
  std::string n = Lower(name);
  if (n.size() > 4 && n.compare(n.size() - 4, 4, ".dll") == 0) n.resize(n.size() - 4);
  for (std::size_t i = 0; i < sizeof kModules / sizeof *kModules; ++i)
    if (n == kModules[i]) return reinterpret_cast<HMODULE>(0x70000000 + 0x100000 * i);
  SetLastError(ERROR_MOD_NOT_FOUND);
  return nullptr;
}

DWORD WINAPI GetLastError(void) { return tLastError; }
VOID WINAPI SetLastError(DWORD code) { tLastError = code; }

VOID WINAPI InitializeCriticalSection(LPCRITICAL_SECTION cs) {
  std::memset(cs, 0, sizeof *cs);
  cs->DebugInfo = new std::recursive_mutex;
  cs->LockCount = -1;
}

VOID WINAPI EnterCriticalSection(LPCRITICAL_SECTION cs) {
  HostLock(cs)->lock();
  cs->OwningThread = reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(kernel::HostThreadId()));
  ++cs->RecursionCount;
}

BOOL WINAPI TryEnterCriticalSection(LPCRITICAL_SECTION cs) {
  if (!HostLock(cs)->try_lock()) return FALSE;
  cs->OwningThread = reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(kernel::HostThreadId()));
  ++cs->RecursionCount;
  return TRUE;
}

VOID WINAPI LeaveCriticalSection(LPCRITICAL_SECTION cs) {
  if (--cs->RecursionCount == 0) cs->OwningThread = nullptr;
  HostLock(cs)->unlock();
}

VOID WINAPI DeleteCriticalSection(LPCRITICAL_SECTION cs) {
  delete HostLock(cs);
  cs->DebugInfo = nullptr;
}

// Rounds half away from zero; -1 for a zero divisor or a result outside
// the range of int, as Windows answers.
int WINAPI MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  std::int64_t product = static_cast<std::int64_t>(number) * numerator;
  std::int64_t d = denominator;
  if (d < 0) product = -product, d = -d;
  std::int64_t half = d / 2;
  std::int64_t r = product >= 0 ? (product + half) / d : (product - half) / d;
  if (r > 2147483647LL || r < -2147483647LL) return -1;
  return static_cast<int>(r);
}

int WINAPI lstrlenA(LPCSTR s) { return s ? static_cast<int>(std::strlen(s)) : 0; }

LPSTR WINAPI lstrcpyA(LPSTR dst, LPCSTR src) {
  if (!dst || !src) return nullptr;
  return std::strcpy(dst, src);
}

LPSTR WINAPI lstrcpynA(LPSTR dst, LPCSTR src, int max) {
  if (!dst || !src || max <= 0) return dst;
  int i = 0;
  for (; i < max - 1 && src[i]; ++i) dst[i] = src[i];
  dst[i] = 0;
  return dst;
}

int WINAPI lstrcmpA(LPCSTR a, LPCSTR b) { return Compare(a, b, false); }
int WINAPI lstrcmpiA(LPCSTR a, LPCSTR b) { return Compare(a, b, true); }

// Global memory blocks, MulDiv rounding and the lstr helpers.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include <win32/kernel32.h>

namespace {

TEST(GlobalMemory, FixedBlocksAreTheirOwnPointers) {
  HGLOBAL h = GlobalAlloc(GPTR, 16);
  ASSERT_NE(h, nullptr);
  auto* p = static_cast<unsigned char*>(GlobalLock(h));
  EXPECT_EQ(static_cast<void*>(p), h);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(p[i], 0);
  EXPECT_EQ(GlobalSize(h), 16u);
  EXPECT_TRUE(GlobalUnlock(h));
  EXPECT_EQ(GlobalHandle(p), h);
  EXPECT_EQ(GlobalFree(h), nullptr);
}

TEST(GlobalMemory, MoveableBlocksCountLocks) {
  HGLOBAL h = GlobalAlloc(GHND, 100);
  ASSERT_NE(h, nullptr);
  void* p = GlobalLock(h);
  ASSERT_NE(p, nullptr);
  EXPECT_NE(p, h);
  EXPECT_EQ(GlobalLock(h), p);
  EXPECT_EQ(GlobalFlags(h) & GMEM_LOCKCOUNT, 2u);
  EXPECT_TRUE(GlobalUnlock(h));  // still locked once
  SetLastError(1234);
  EXPECT_FALSE(GlobalUnlock(h));  // now unlocked: FALSE with no error
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(NO_ERROR));
  EXPECT_FALSE(GlobalUnlock(h));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_LOCKED));
  std::memcpy(GlobalLock(h), "GIF89a", 6);
  GlobalUnlock(h);
  HGLOBAL bigger = GlobalReAlloc(h, 4000, GMEM_MOVEABLE);
  EXPECT_EQ(bigger, h);
  EXPECT_EQ(GlobalSize(h), 4000u);
  EXPECT_EQ(std::memcmp(GlobalLock(h), "GIF89a", 6), 0);
  GlobalUnlock(h);
  EXPECT_EQ(GlobalFree(h), nullptr);
}

TEST(GlobalMemory, StaleAndForeignHandlesFailSafely) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, 8);
  EXPECT_EQ(GlobalFree(h), nullptr);
  EXPECT_EQ(GlobalFree(h), h);  // a second free is refused, not a double free
  EXPECT_EQ(GlobalLock(h), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(GlobalSize(h), 0u);
  EXPECT_EQ(GlobalFlags(h), static_cast<UINT>(GMEM_INVALID_HANDLE));
  int onStack = 0;
  EXPECT_EQ(GlobalFree(&onStack), static_cast<HGLOBAL>(&onStack));
  EXPECT_EQ(GlobalFree(nullptr), nullptr);
}

TEST(GlobalMemory, EmptyMoveableBlockIsDiscarded) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, 0);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(GlobalLock(h), nullptr);
  EXPECT_TRUE(GlobalFlags(h) & GMEM_DISCARDED);
  EXPECT_EQ(GlobalSize(h), 0u);
  EXPECT_EQ(GlobalReAlloc(h, 10, GMEM_MOVEABLE), h);
  EXPECT_NE(GlobalLock(h), nullptr);
  GlobalUnlock(h);
  GlobalFree(h);
}

TEST(MulDiv, RoundsHalvesAwayFromZero) {
  EXPECT_EQ(MulDiv(5, 3, 2), 8);
  EXPECT_EQ(MulDiv(-5, 3, 2), -8);
  EXPECT_EQ(MulDiv(5, -3, 2), -8);
  EXPECT_EQ(MulDiv(5, 3, -2), -8);
  EXPECT_EQ(MulDiv(-5, -3, -2), -8);
  EXPECT_EQ(MulDiv(-5, 3, -2), 8);
  EXPECT_EQ(MulDiv(1, 1, 3), 0);
  EXPECT_EQ(MulDiv(2, 1, 3), 1);
  EXPECT_EQ(MulDiv(-2, 1, 3), -1);
  EXPECT_EQ(MulDiv(8, 96, 72), 11);  // 8 points at 96 dpi
  EXPECT_EQ(MulDiv(255, 3, 10), 77);
}

TEST(MulDiv, UsesAWideProductAndReportsOverflow) {
  EXPECT_EQ(MulDiv(INT_MAX, INT_MAX, INT_MAX), INT_MAX);
  EXPECT_EQ(MulDiv(100000, 100000, 1000), 10000000);
  EXPECT_EQ(MulDiv(INT_MAX, 2, 1), -1);
  EXPECT_EQ(MulDiv(INT_MIN, 2, 1), -1);
  EXPECT_EQ(MulDiv(7, 9, 0), -1);
}

TEST(Strings, LstrHelpers) {
  EXPECT_EQ(lstrlenA(nullptr), 0);
  EXPECT_EQ(lstrlenA("MenuPopup"), 9);
  EXPECT_EQ(lstrcmpiA("GIF Image", "gif IMAGE"), 0);
  EXPECT_EQ(lstrcmpiA("\xC9t\xE9", "\xE9T\xC9"), 0);  // Windows-1252 accented letters
  EXPECT_LT(lstrcmpiA("abc", "ABD"), 0);
  EXPECT_GT(lstrcmpA("b", "a"), 0);
  EXPECT_NE(lstrcmpA("a", "A"), 0);
  char buf[6];
  lstrcpynA(buf, "Truncated", sizeof buf);
  EXPECT_STREQ(buf, "Trunc");
  EXPECT_STREQ(lstrcpyA(buf, "ok"), "ok");
}

TEST(Modules, TheProgramAndTheSystemLibraries) {
  HMODULE self = GetModuleHandleA(nullptr);
  EXPECT_NE(self, nullptr);
  EXPECT_EQ(GetModuleHandleA(nullptr), self);
  HMODULE user = GetModuleHandleA("USER32.DLL");
  EXPECT_NE(user, nullptr);
  EXPECT_EQ(GetModuleHandleA("user32"), user);
  EXPECT_NE(GetModuleHandleA("kernel32"), user);
  EXPECT_EQ(GetModuleHandleA("nosuch.dll"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

}  // namespace

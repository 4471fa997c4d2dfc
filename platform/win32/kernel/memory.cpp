// Global memory blocks. Fixed blocks are their own pointers; moveable ones
// are handles that GlobalLock turns into pointers. Every handle is checked
// against the table, so a stale or foreign handle fails instead of
// corrupting memory.
#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>

#include <win32/kernel32.h>

namespace {

struct Block {
  std::unique_ptr<unsigned char[]> data;
  SIZE_T size = 0;
  UINT flags = 0;
  UINT locks = 0;
};

struct Heap {
  std::mutex m;
  std::map<std::uintptr_t, Block> blocks;  // by handle
  std::uintptr_t nextMoveable = 0x10004;   // below every host heap address
};

Heap& H() {
  static Heap* h = new Heap;
  return *h;
}

// Heap lock held.
Block* Lookup(HGLOBAL h) {
  auto it = H().blocks.find(reinterpret_cast<std::uintptr_t>(h));
  if (it == H().blocks.end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return &it->second;
}

std::unique_ptr<unsigned char[]> NewBytes(SIZE_T n, bool zero) {
  auto p = std::unique_ptr<unsigned char[]>(new (std::nothrow) unsigned char[n ? n : 1]);
  if (p && zero) std::memset(p.get(), 0, n ? n : 1);
  return p;
}

}  // namespace

HGLOBAL WINAPI GlobalAlloc(UINT flags, SIZE_T bytes) {
  bool moveable = flags & GMEM_MOVEABLE;
  Block b;
  b.size = bytes;
  b.flags = flags & (GMEM_MOVEABLE | GMEM_DISCARDABLE | GMEM_DDESHARE);
  // A moveable block of no bytes is created discarded, as on Windows.
  if (!(moveable && bytes == 0)) {
    b.data = NewBytes(bytes, flags & GMEM_ZEROINIT);
    if (!b.data) {
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return nullptr;
    }
  }
  std::lock_guard<std::mutex> g(H().m);
  std::uintptr_t h;
  if (moveable) {
    h = H().nextMoveable;
    H().nextMoveable += 4;
  } else {
    h = reinterpret_cast<std::uintptr_t>(b.data.get());
  }
  H().blocks[h] = std::move(b);
  return reinterpret_cast<HGLOBAL>(h);
}

LPVOID WINAPI GlobalLock(HGLOBAL h) {
  std::lock_guard<std::mutex> g(H().m);
  Block* b = Lookup(h);
  if (!b || !b->data) return nullptr;
  if ((b->flags & GMEM_MOVEABLE) && b->locks < GMEM_LOCKCOUNT) ++b->locks;
  return b->data.get();
}

BOOL WINAPI GlobalUnlock(HGLOBAL h) {
  std::lock_guard<std::mutex> g(H().m);
  Block* b = Lookup(h);
  if (!b) return FALSE;
  if (!(b->flags & GMEM_MOVEABLE)) return TRUE;  // fixed blocks are never locked
  if (b->locks == 0) {
    SetLastError(ERROR_NOT_LOCKED);
    return FALSE;
  }
  --b->locks;
  if (b->locks == 0) {
    SetLastError(NO_ERROR);
    return FALSE;
  }
  return TRUE;
}

HGLOBAL WINAPI GlobalFree(HGLOBAL h) {
  if (!h) return nullptr;
  std::lock_guard<std::mutex> g(H().m);
  if (!Lookup(h)) return h;
  H().blocks.erase(reinterpret_cast<std::uintptr_t>(h));
  return nullptr;
}

SIZE_T WINAPI GlobalSize(HGLOBAL h) {
  std::lock_guard<std::mutex> g(H().m);
  Block* b = Lookup(h);
  return b && b->data ? b->size : 0;
}

UINT WINAPI GlobalFlags(HGLOBAL h) {
  std::lock_guard<std::mutex> g(H().m);
  Block* b = Lookup(h);
  if (!b) return GMEM_INVALID_HANDLE;
  UINT f = b->locks & GMEM_LOCKCOUNT;
  if (b->flags & GMEM_DISCARDABLE) f |= GMEM_DISCARDABLE;
  if (!b->data) f |= GMEM_DISCARDED;
  return f;
}

HGLOBAL WINAPI GlobalHandle(LPCVOID p) {
  std::lock_guard<std::mutex> g(H().m);
  for (auto& [h, b] : H().blocks)
    if (b.data.get() == p) return reinterpret_cast<HGLOBAL>(h);
  SetLastError(ERROR_INVALID_HANDLE);
  return nullptr;
}

// Fixed blocks cannot move without GMEM_MOVEABLE, so they only shrink in
// place; moveable blocks get new storage when not locked.
HGLOBAL WINAPI GlobalReAlloc(HGLOBAL h, SIZE_T bytes, UINT flags) {
  std::lock_guard<std::mutex> g(H().m);
  Block* b = Lookup(h);
  if (!b) return nullptr;
  if (flags & GMEM_MODIFY) {
    b->flags = (b->flags & ~GMEM_DISCARDABLE) | (flags & GMEM_DISCARDABLE);
    return h;
  }
  bool moveable = b->flags & GMEM_MOVEABLE;
  if (!moveable && bytes > b->size) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  if (!moveable || (b->locks && bytes > b->size)) {
    if (bytes > b->size) return nullptr;
    b->size = bytes;
    return h;
  }
  auto fresh = NewBytes(bytes, flags & GMEM_ZEROINIT);
  if (!fresh) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  if (b->data) std::memcpy(fresh.get(), b->data.get(), std::min(bytes, b->size));
  b->data = std::move(fresh);
  b->size = bytes;
  return h;
}

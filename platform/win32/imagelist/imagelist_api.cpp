// The ImageList_* calls: handle checking around ImageList objects. A handle
// is only used while it is in the live set, so a destroyed or made-up handle
// fails instead of being followed.
#include <win32/comctl32_imagelist.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <unordered_map>

#include "imagelist/image_list.h"

struct _IMAGELIST {
  explicit _IMAGELIST(int cx, int cy, UINT flags, int grow) : list(cx, cy, flags, grow) {}
  imagelist::ImageList list;
};

namespace {

std::mutex& LiveMutex() {
  static std::mutex m;
  return m;
}

std::unordered_map<HIMAGELIST, std::unique_ptr<_IMAGELIST>>& Live() {
  static std::unordered_map<HIMAGELIST, std::unique_ptr<_IMAGELIST>> live;
  return live;
}

imagelist::ImageList* Find(HIMAGELIST himl) {
  std::lock_guard<std::mutex> lock(LiveMutex());
  auto it = Live().find(himl);
  return it == Live().end() ? nullptr : &it->second->list;
}

// Images beyond this side or count are refused rather than allocated.
constexpr int kMaxSide = 4096;
constexpr int kMaxInitial = 65536;

}  // namespace

HIMAGELIST WINAPI ImageList_Create(int cx, int cy, UINT flags, int cInitial, int cGrow) {
  if (cx <= 0 || cy <= 0 || cx > kMaxSide || cy > kMaxSide || cInitial < 0 || cGrow < 0)
    return nullptr;
  auto holder = std::make_unique<_IMAGELIST>(cx, cy, flags, cGrow);
  if (!holder->list.Init(std::min(cInitial, kMaxInitial))) return nullptr;
  HIMAGELIST h = holder.get();
  std::lock_guard<std::mutex> lock(LiveMutex());
  Live().emplace(h, std::move(holder));
  return h;
}

BOOL WINAPI ImageList_Destroy(HIMAGELIST himl) {
  std::unique_ptr<_IMAGELIST> doomed;
  {
    std::lock_guard<std::mutex> lock(LiveMutex());
    auto it = Live().find(himl);
    if (it == Live().end()) return FALSE;
    doomed = std::move(it->second);
    Live().erase(it);
  }
  return TRUE;
}

int WINAPI ImageList_Add(HIMAGELIST himl, HBITMAP hbmImage, HBITMAP hbmMask) {
  auto* l = Find(himl);
  return l ? l->Add(hbmImage, hbmMask) : -1;
}

int WINAPI ImageList_AddMasked(HIMAGELIST himl, HBITMAP hbmImage, COLORREF crMask) {
  auto* l = Find(himl);
  return l ? l->AddMasked(hbmImage, crMask) : -1;
}

BOOL WINAPI ImageList_Replace(HIMAGELIST himl, int i, HBITMAP hbmImage, HBITMAP hbmMask) {
  auto* l = Find(himl);
  return l && l->Replace(i, hbmImage, hbmMask);
}

BOOL WINAPI ImageList_Remove(HIMAGELIST himl, int i) {
  auto* l = Find(himl);
  return l && l->Remove(i);
}

BOOL WINAPI ImageList_DrawEx(HIMAGELIST himl, int i, HDC hdcDst, int x, int y, int dx, int dy,
                             COLORREF rgbBk, COLORREF rgbFg, UINT fStyle) {
  auto* l = Find(himl);
  if (!l) return FALSE;
  imagelist::DrawRequest r{x, y, dx, dy, rgbBk, rgbFg, fStyle};
  return l->Draw(i, hdcDst, r);
}

BOOL WINAPI ImageList_Draw(HIMAGELIST himl, int i, HDC hdcDst, int x, int y, UINT fStyle) {
  return ImageList_DrawEx(himl, i, hdcDst, x, y, 0, 0, CLR_DEFAULT, CLR_DEFAULT, fStyle);
}

int WINAPI ImageList_GetImageCount(HIMAGELIST himl) {
  auto* l = Find(himl);
  return l ? l->Count() : 0;
}

BOOL WINAPI ImageList_SetImageCount(HIMAGELIST himl, UINT uNewCount) {
  auto* l = Find(himl);
  return l && uNewCount <= static_cast<UINT>(kMaxInitial) && l->SetCount(static_cast<int>(uNewCount));
}

BOOL WINAPI ImageList_GetIconSize(HIMAGELIST himl, int* cx, int* cy) {
  auto* l = Find(himl);
  if (!l || !cx || !cy) return FALSE;
  *cx = l->Cx();
  *cy = l->Cy();
  return TRUE;
}

COLORREF WINAPI ImageList_SetBkColor(HIMAGELIST himl, COLORREF clrBk) {
  auto* l = Find(himl);
  return l ? l->SetBackground(clrBk) : CLR_NONE;
}

COLORREF WINAPI ImageList_GetBkColor(HIMAGELIST himl) {
  auto* l = Find(himl);
  return l ? l->Background() : CLR_NONE;
}

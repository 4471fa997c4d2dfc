// Invalidation, WM_PAINT and device contexts of windows.
#include <algorithm>

#include "gdi/internal/gdi_internal.h"
#include "window.h"

namespace user {
namespace {

struct DCInfo {
  HWND hwnd = nullptr;
  RECT bounds{};  // what the DC can touch, in surface coordinates
  bool own = false;
};

std::map<HDC, DCInfo>& DCs() {
  static auto* dcs = new std::map<HDC, DCInfo>;
  return *dcs;
}

RECT ClientInSurface(const Window* w) {
  POINT o = SurfaceOffset(w);
  return RECT{o.x + w->client.left, o.y + w->client.top, o.x + w->client.right, o.y + w->client.bottom};
}

RECT WindowInSurface(const Window* w) {
  POINT o = SurfaceOffset(w);
  return RECT{o.x, o.y, o.x + (w->rect.right - w->rect.left), o.y + (w->rect.bottom - w->rect.top)};
}

// What a DC of w may draw on, in surface coordinates.
Region VisibleRegion(Window* w, bool wholeWindow, bool clipChildren, bool clipSiblings) {
  Region rgn(wholeWindow ? WindowInSurface(w) : ClientInSurface(w));
  for (Window* p = w->parent; p; p = p->parent) rgn.Intersect(ClientInSurface(p));
  for (Window* c = w; c->parent; c = c->parent) {
    bool clip = (c == w) ? clipSiblings : (c->style & WS_CLIPSIBLINGS) != 0;
    if (!clip) continue;
    for (Window* sib : c->parent->children) {
      if (sib == c) break;
      if (sib->style & WS_VISIBLE) rgn.Subtract(WindowInSurface(sib));
    }
  }
  if (clipChildren)
    for (Window* c : w->children)
      if (c->style & WS_VISIBLE) rgn.Subtract(WindowInSurface(c));
  return rgn;
}

HRGN ToHrgn(const Region& r) {
  HRGN out = CreateRectRgn(0, 0, 0, 0);
  for (const RECT& rc : r.Rects()) {
    HRGN part = CreateRectRgn(rc.left, rc.top, rc.right, rc.bottom);
    CombineRgn(out, out, part, RGN_OR);
    DeleteObject(part);
  }
  return out;
}

HDC MakeDC(Window* w, const Region& visible, bool wholeWindow, HRGN extra, bool extraExclude) {
  Window* top = Root(w);
  if (!top->pixels) return nullptr;
  RECT origin = wholeWindow ? WindowInSurface(w) : ClientInSurface(w);
  HRGN vis = ToHrgn(visible);
  if (extra) {
    // The extra region comes in screen coordinates, as with WM_NCPAINT.
    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(copy, extra, nullptr, RGN_COPY);
    OffsetRgn(copy, -top->rect.left, -top->rect.top);
    CombineRgn(vis, vis, copy, extraExclude ? RGN_DIFF : RGN_AND);
    DeleteObject(copy);
  }
  HDC dc = gdi::CreateSurfaceDC(top->pixels, POINT{origin.left, origin.top}, vis);
  DeleteObject(vis);
  if (dc) DCs()[dc] = DCInfo{w->hwnd, visible.Bounds(), false};
  return dc;
}

bool ClipsChildren(const Window* w) { return (w->style & WS_CLIPCHILDREN) != 0; }
bool ClipsSiblings(const Window* w) { return (w->style & WS_CLIPSIBLINGS) != 0; }

bool HasNonClient(const Window* w) {
  return w->client.left != 0 || w->client.top != 0 || w->client.right != w->rect.right - w->rect.left ||
         w->client.bottom != w->rect.bottom - w->rect.top;
}

void InvalidateTree(Window* w, Region rgn, UINT flags, bool top) {
  RECT clientBox{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
  Region inClient = rgn;
  inClient.Intersect(clientBox);
  if (flags & RDW_INVALIDATE) {
    w->update.Add(inClient);
    if (flags & RDW_ERASE) w->erase = true;
    if ((flags & RDW_FRAME) && HasNonClient(w)) w->ncDirty = true;
  } else if (flags & RDW_VALIDATE) {
    w->update.Subtract(inClient);
    if (flags & RDW_NOFRAME) w->ncDirty = false;
    if (w->update.Empty() && (flags & RDW_NOERASE)) w->erase = false;
    if (w->update.Empty() && !w->ncDirty) w->erase = false;
  }
  if (top && (flags & RDW_INTERNALPAINT)) w->internalPaint = true;
  if (top && (flags & RDW_NOINTERNALPAINT)) w->internalPaint = false;
  bool children = (flags & RDW_ALLCHILDREN) || (!(flags & RDW_NOCHILDREN) && !ClipsChildren(w));
  if (!children) return;
  for (Window* c : w->children) {
    if (!(c->style & WS_VISIBLE)) continue;
    Region cr = inClient;
    RECT inParent = c->rect;
    cr.Intersect(inParent);
    if (cr.Empty()) continue;
    // child client coordinates
    cr.Offset(-(c->rect.left + c->client.left), -(c->rect.top + c->client.top));
    UINT childFlags = flags & ~(RDW_INTERNALPAINT | RDW_NOINTERNALPAINT);
    InvalidateTree(c, cr, childFlags, false);
  }
}

void PaintNow(Window* w, bool children) {
  if (!Lookup(w->hwnd)) return;
  auto keep = Hold(w->hwnd);
  if (Visible(w) && NeedsPaint(w)) Send(w, WM_PAINT, 0, 0);
  if (!children || !Lookup(w->hwnd)) return;
  std::vector<HWND> kids;
  for (Window* c : w->children) kids.push_back(c->hwnd);
  for (HWND h : kids)
    if (Window* c = Lookup(h)) PaintNow(c, true);
}

void EraseNow(Window* w) {
  if (w->ncDirty) {
    w->ncDirty = false;
    Send(w, WM_NCPAINT, 1, 0);
  }
  if (w->erase && !w->update.Empty()) {
    w->erase = false;
    Region vis = VisibleRegion(w, false, ClipsChildren(w), ClipsSiblings(w));
    Region upd = w->update;
    POINT o{ClientInSurface(w).left, ClientInSurface(w).top};
    upd.Offset(o.x, o.y);
    vis.Intersect(upd);
    HDC dc = MakeDC(w, vis, false, nullptr, false);
    if (dc) {
      Send(w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
      ReleaseDC(w->hwnd, dc);
    }
  }
}

Window* FindPaintIn(Window* w, HWND filter) {
  if (!(w->style & WS_VISIBLE)) return nullptr;
  bool match = !filter || w->hwnd == filter || IsChild(filter, w->hwnd);
  if (match && NeedsPaint(w)) return w;
  for (Window* c : w->children)
    if (Window* r = FindPaintIn(c, filter)) return r;
  return nullptr;
}

}  // namespace

bool NeedsPaint(const Window* w) { return !w->update.Empty() || w->ncDirty || w->internalPaint; }

void Invalidate(Window* w, const Region* clientRgn, UINT flags) {
  if (!Visible(w)) return;
  Region rgn;
  if (clientRgn) {
    rgn = *clientRgn;
  } else {
    rgn.Add(RECT{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top});
  }
  InvalidateTree(w, rgn, flags, true);
  if (!clientRgn && (flags & RDW_INVALIDATE) && (flags & RDW_FRAME) && HasNonClient(w)) w->ncDirty = true;
  if (flags & RDW_UPDATENOW) PaintNow(w, true);
  else if (flags & RDW_ERASENOW) EraseNow(w);
}

Window* FindPaintWindow(ThreadQueue& q, HWND filter) {
  std::vector<Window*> tops = S().topLevels;
  for (Window* t : tops)
    if (t->thread == q.tid)
      if (Window* w = FindPaintIn(t, filter)) return w;
  return nullptr;
}

void OnShown(Window* w) { Invalidate(w, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN); }

void OnHiddenOrMoved(Window* w, const RECT& oldRectInParent) {
  Window* p = w->parent;
  if (!p) return;
  // Child rectangles are kept in their parent's client coordinates.
  Region inClient(oldRectInParent);
  Invalidate(p, &inClient, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

void ReleaseWindowDCs(Window* w) {
  std::vector<HDC> mine;
  for (auto& [dc, info] : DCs())
    if (info.hwnd == w->hwnd) mine.push_back(dc);
  for (HDC dc : mine) {
    gdi::DeleteSurfaceDC(dc);
    DCs().erase(dc);
  }
  w->ownDC = nullptr;
}

HWND WindowOfDC(HDC dc) {
  auto it = DCs().find(dc);
  return it == DCs().end() ? nullptr : it->second.hwnd;
}

HDC GetDCFor(Window* w, HRGN clip, DWORD flags) {
  bool whole = flags & DCX_WINDOW;
  bool clipChildren = (flags & DCX_CLIPCHILDREN) || (!(flags & DCX_CACHE) && ClipsChildren(w));
  bool clipSiblings = (flags & DCX_CLIPSIBLINGS) || (!(flags & DCX_CACHE) && ClipsSiblings(w));
  Region vis = VisibleRegion(w, whole, clipChildren, clipSiblings);
  if (!Visible(w)) vis.Clear();
  if ((flags & DCX_INTERSECTUPDATE)) {
    Region upd = w->update;
    RECT c = ClientInSurface(w);
    upd.Offset(c.left, c.top);
    vis.Intersect(upd);
  }
  bool extra = clip && (flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN)) && clip != reinterpret_cast<HRGN>(1);
  return MakeDC(w, vis, whole, extra ? clip : nullptr, (flags & DCX_EXCLUDERGN) != 0);
}

}  // namespace user

using namespace user;

BOOL WINAPI RedrawWindow(HWND hwnd, const RECT* rc, HRGN rgn, UINT flags) {
  if (!hwnd) {
    std::vector<HWND> tops;
    for (Window* t : S().topLevels) tops.push_back(t->hwnd);
    for (HWND h : tops) RedrawWindow(h, nullptr, nullptr, flags | RDW_ALLCHILDREN);
    return TRUE;
  }
  Window* w = Lookup(hwnd);
  if (!w) return FALSE;
  Region r;
  const Region* use = nullptr;
  if (rgn) {
    // Region detail is not readable through the gdi interface: its bounding
    // box is used, which may repaint a little more, never less.
    RECT box;
    if (GetRgnBox(rgn, &box) == SIMPLEREGION || (flags & RDW_INVALIDATE)) r.Add(box);
    use = &r;
  } else if (rc) {
    r.Add(*rc);
    use = &r;
  }
  if ((flags & RDW_VALIDATE) && rgn && !rc) {
    RECT box;
    if (GetRgnBox(rgn, &box) != SIMPLEREGION) return TRUE;  // validating less is the safe side
  }
  Invalidate(w, use, flags);
  return TRUE;
}

BOOL WINAPI InvalidateRect(HWND hwnd, const RECT* rc, BOOL erase) {
  return RedrawWindow(hwnd, rc, nullptr, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL WINAPI InvalidateRgn(HWND hwnd, HRGN rgn, BOOL erase) {
  return RedrawWindow(hwnd, nullptr, rgn, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL WINAPI ValidateRect(HWND hwnd, const RECT* rc) {
  return RedrawWindow(hwnd, rc, nullptr, RDW_VALIDATE | RDW_NOCHILDREN);
}

BOOL WINAPI ValidateRgn(HWND hwnd, HRGN rgn) {
  return RedrawWindow(hwnd, nullptr, rgn, RDW_VALIDATE | RDW_NOCHILDREN);
}

BOOL WINAPI UpdateWindow(HWND hwnd) {
  Window* w = Lookup(hwnd);
  if (!w) return FALSE;
  PaintNow(w, true);
  return TRUE;
}

BOOL WINAPI GetUpdateRect(HWND hwnd, LPRECT rc, BOOL erase) {
  Window* w = Lookup(hwnd);
  if (!w) return FALSE;
  if (erase) EraseNow(w);
  RECT b = w->update.Bounds();
  if (rc) *rc = b;
  return !w->update.Empty();
}

int WINAPI GetUpdateRgn(HWND hwnd, HRGN rgn, BOOL erase) {
  Window* w = Lookup(hwnd);
  if (!w || !rgn) return ERROR;
  if (erase) EraseNow(w);
  HRGN tmp = ToHrgn(w->update);
  int kind = CombineRgn(rgn, tmp, nullptr, RGN_COPY);
  DeleteObject(tmp);
  return kind;
}

HDC WINAPI BeginPaint(HWND hwnd, LPPAINTSTRUCT ps) {
  Window* w = Lookup(hwnd);
  if (!w || !ps) return nullptr;
  CaretBeforePaint(w);
  if (w->ncDirty) {
    w->ncDirty = false;
    RECT scr = WindowRectScreen(w);
    HRGN frame = CreateRectRgn(scr.left, scr.top, scr.right, scr.bottom);
    Send(w, WM_NCPAINT, reinterpret_cast<WPARAM>(frame), 0);
    DeleteObject(frame);
    if (!Lookup(hwnd)) return nullptr;
  }
  Region update = w->update;
  w->update.Clear();
  w->internalPaint = false;
  bool erase = w->erase;
  w->erase = false;
  RECT client = ClientInSurface(w);
  Region vis = VisibleRegion(w, false, ClipsChildren(w), ClipsSiblings(w));
  Region upd = update;
  upd.Offset(client.left, client.top);
  vis.Intersect(upd);
  HDC dc = MakeDC(w, vis, false, nullptr, false);
  *ps = PAINTSTRUCT{};
  ps->hdc = dc;
  RECT box{0, 0, client.right - client.left, client.bottom - client.top};
  update.Intersect(box);
  ps->rcPaint = update.Bounds();
  ps->fErase = FALSE;
  if (erase && dc) ps->fErase = Send(w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) ? FALSE : TRUE;
  return dc;
}

BOOL WINAPI EndPaint(HWND hwnd, const PAINTSTRUCT* ps) {
  if (!ps) return FALSE;
  if (ps->hdc) ReleaseDC(hwnd, ps->hdc);
  if (Window* w = Lookup(hwnd)) CaretAfterPaint(w);
  return TRUE;
}

HDC WINAPI GetDCEx(HWND hwnd, HRGN clip, DWORD flags) {
  if (!hwnd) return gdi::CreateScreenDC();
  Window* w = Lookup(hwnd);
  if (!w) return nullptr;
  return GetDCFor(w, clip, flags);
}

HDC WINAPI GetDC(HWND hwnd) {
  if (!hwnd) {
    Host();
    return gdi::CreateScreenDC();
  }
  Window* w = Lookup(hwnd);
  if (!w) return nullptr;
  if ((w->cls->style & CS_OWNDC) && w->ownDC) {
    Region vis = VisibleRegion(w, false, ClipsChildren(w), ClipsSiblings(w));
    HRGN h = ToHrgn(vis);
    RECT c = ClientInSurface(w);
    gdi::SetSurfaceDCVisible(w->ownDC, POINT{c.left, c.top}, h);
    DeleteObject(h);
    DCs()[w->ownDC].bounds = vis.Bounds();
    return w->ownDC;
  }
  HDC dc = GetDCFor(w, nullptr, 0);
  if (dc && (w->cls->style & CS_OWNDC)) {
    w->ownDC = dc;
    DCs()[dc].own = true;
  }
  return dc;
}

HDC WINAPI GetWindowDC(HWND hwnd) {
  if (!hwnd) return GetDC(nullptr);
  return GetDCEx(hwnd, nullptr, DCX_WINDOW | DCX_CACHE | DCX_CLIPSIBLINGS);
}

int WINAPI ReleaseDC(HWND, HDC dc) {
  auto it = DCs().find(dc);
  if (it == DCs().end()) {
    // Screen DCs and foreign DCs.
    gdi::DeleteSurfaceDC(dc);
    return 1;
  }
  DCInfo info = it->second;
  if (Window* w = Lookup(info.hwnd)) PresentRect(Root(w), info.bounds);
  if (info.own) return 1;
  DCs().erase(it);
  gdi::DeleteSurfaceDC(dc);
  return 1;
}

HWND WINAPI WindowFromDC(HDC dc) { return WindowOfDC(dc); }

BOOL WINAPI LockWindowUpdate(HWND) { return TRUE; }

BOOL WINAPI ScrollWindow(HWND hwnd, int, int, const RECT*, const RECT* clip) {
  // Scrolled contents are repainted rather than copied.
  return InvalidateRect(hwnd, clip, TRUE);
}

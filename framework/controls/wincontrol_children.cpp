// TWinControl: the child list, alignment of the children, their z-order,
// and painting and hit-testing of the windowless ones.
#include <algorithm>

#include "framework/exceptions.h"
#include "framework/text.h"
#include "framework/wincontrol.h"

TControl* TWinControl::Controls(int index) const {
  const int n = static_cast<int>(controls_.size());
  if (index < 0 || index >= ControlCount()) ListIndexError(index);
  return index < n ? controls_[static_cast<size_t>(index)] : winControls_[static_cast<size_t>(index - n)];
}

int TWinControl::ControlCount() const { return static_cast<int>(controls_.size() + winControls_.size()); }

void TWinControl::InsertControl(TControl* control) {
  if (!control || control->parent_ == this) return;
  if (control == this) throw EInvalidOperation("A control cannot have itself as its parent");
  if (control->parent_) control->parent_->RemoveControl(control);
  control->parent_ = this;
  if (auto* w = dynamic_cast<TWinControl*>(control)) {
    winControls_.push_back(w);
    tabList_.push_back(w);
  } else {
    controls_.push_back(control);
  }
  control->ParentChanged();
  if (auto* w = dynamic_cast<TWinControl*>(control)) {
    if (handle_) w->UpdateShowing();
  } else {
    control->Invalidate();
  }
  if (control->Align() != alNone) Realign();
}

void TWinControl::RemoveControl(TControl* control) {
  if (!control || control->parent_ != this) return;
  auto* w = dynamic_cast<TWinControl*>(control);
  if (w) w->RemoveFocus(true);
  if (!w) control->Invalidate();
  if (CaptureControl() == control) control->SetMouseCapture(false);
  std::erase(controls_, control);
  if (w) {
    std::erase(winControls_, w);
    std::erase(tabList_, w);
  }
  control->parent_ = nullptr;
  if (w && w->handle_) w->DestroyHandle();
  if (control->Align() != alNone) Realign();
}

bool TWinControl::ContainsControl(TControl* control) const {
  for (const TControl* c = control; c; c = c->parent_)
    if (c == this) return true;
  return false;
}

TControl* TWinControl::ControlAtPos(TPoint pos, bool allowDisabled, bool allowWinControls) {
  auto hit = [&](TControl* c) {
    if (!c->Visible() || (!c->Enabled() && !allowDisabled)) return false;
    const TRect r = c->BoundsRect();
    if (pos.x < r.left || pos.x >= r.right || pos.y < r.top || pos.y >= r.bottom) return false;
    const LPARAM local = MAKELPARAM(static_cast<WORD>(pos.x - r.left), static_cast<WORD>(pos.y - r.top));
    return c->Perform(CM_HITTEST, 0, local) != 0;
  };
  if (allowWinControls)
    for (auto it = winControls_.rbegin(); it != winControls_.rend(); ++it)
      if (hit(*it)) return *it;
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it)
    if (hit(*it)) return *it;
  return nullptr;
}

TControl* TWinControl::FindChildControl(const std::string& name) const {
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (!c->Name().empty() && SameText(c->Name(), name)) return c;
  }
  return nullptr;
}

void TWinControl::Broadcast(TMessage& message) {
  for (int i = 0; i < ControlCount(); ++i) {
    Controls(i)->WindowProc(message);
    if (message.Result != 0) return;
  }
}

void TWinControl::NotifyControls(UINT msg) {
  TMessage m{msg, 0, 0, 0};
  Broadcast(m);
}

// ---- alignment

void TWinControl::DisableAlign() { ++alignLevel_; }

void TWinControl::EnableAlign() {
  if (alignLevel_ > 0 && --alignLevel_ == 0 && alignPending_) {
    alignPending_ = false;
    Realign();
  }
}

void TWinControl::Realign() {
  if (alignLevel_ > 0) {
    alignPending_ = true;
    return;
  }
  if (aligning_ || ComponentState().Contains(csDestroying) || ComponentState().Contains(csLoading)) return;
  aligning_ = true;
  try {
    TRect r = ClientRect();
    AlignControls(nullptr, r);
  } catch (...) {
    aligning_ = false;
    throw;
  }
  aligning_ = false;
}

void TWinControl::AlignChild(TControl* control) {
  if (aligning_ || control->Align() == alNone) return;
  Realign();
}

void TWinControl::SetBorderWidth(TBorderWidth width) {
  if (width == borderWidth_) return;
  borderWidth_ = width;
  Realign();
  Invalidate();
}

void TWinControl::AdjustClientRect(TRect& rect) {
  InflateRect(&rect, -borderWidth_, -borderWidth_);
}

void TWinControl::AlignControls(TControl*, TRect& rect) {
  AdjustClientRect(rect);
  std::vector<TControl*> aligned;
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (c->Visible() && c->Align() != alNone && c->Align() != alCustom) aligned.push_back(c);
  }
  // Edges dock top, bottom, left, right, each kind in creation order, so a
  // full-width bar along the top or bottom is never cut short by a
  // side-docked control created before it.
  auto rank = [](TAlign a) {
    switch (a) {
      case alTop: return 0;
      case alBottom: return 1;
      case alLeft: return 2;
      case alRight: return 3;
      default: return 4;
    }
  };
  std::sort(aligned.begin(), aligned.end(), [&](const TControl* a, const TControl* b) {
    if (rank(a->Align()) != rank(b->Align())) return rank(a->Align()) < rank(b->Align());
    return a->creationOrder_ < b->creationOrder_;
  });
  auto width = [&] { return std::max(0, static_cast<int>(rect.right - rect.left)); };
  auto height = [&] { return std::max(0, static_cast<int>(rect.bottom - rect.top)); };
  for (TControl* c : aligned) {
    switch (c->Align()) {
      case alTop:
        c->SetBounds(rect.left, rect.top, width(), c->Height());
        rect.top += c->Height();
        break;
      case alBottom:
        c->SetBounds(rect.left, rect.bottom - c->Height(), width(), c->Height());
        rect.bottom -= c->Height();
        break;
      case alLeft:
        c->SetBounds(rect.left, rect.top, c->Width(), height());
        rect.left += c->Width();
        break;
      case alRight:
        c->SetBounds(rect.right - c->Width(), rect.top, c->Width(), height());
        rect.right -= c->Width();
        break;
      default:
        break;
    }
  }
  for (TControl* c : aligned)
    if (c->Align() == alClient) c->SetBounds(rect.left, rect.top, width(), height());
}

// ---- z-order and painting

void TWinControl::SetChildZOrder(TControl* control, bool top) {
  auto move = [top](auto& list, auto* item) {
    auto it = std::find(list.begin(), list.end(), item);
    if (it == list.end()) return;
    list.erase(it);
    if (top)
      list.push_back(item);
    else
      list.insert(list.begin(), item);
  };
  if (auto* w = dynamic_cast<TWinControl*>(control)) {
    move(winControls_, w);
    if (w->handle_)
      SetWindowPos(w->handle_, top ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  } else {
    move(controls_, control);
    control->Invalidate();
  }
}

void TWinControl::PlaceWindowInZOrder() {
  if (!Parent() || !handle_) return;
  const auto& siblings = Parent()->winControls_;
  auto it = std::find(siblings.begin(), siblings.end(), this);
  HWND above = HWND_TOP;
  if (it != siblings.end())
    for (++it; it != siblings.end(); ++it)
      if ((*it)->handle_) {
        above = (*it)->handle_;
        break;
      }
  SetWindowPos(handle_, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::InvalidateChildArea(const TRect& r, bool erase) {
  if (handle_) InvalidateRect(handle_, &r, erase);
}

void TWinControl::PaintControls(HDC dc, TControl* first) {
  auto it = controls_.begin();
  if (first) it = std::find(controls_.begin(), controls_.end(), first);
  for (; it != controls_.end(); ++it) {
    TControl* c = *it;
    const TRect r = c->BoundsRect();
    if (!c->Visible() || !RectVisible(dc, &r)) continue;
    const int saved = SaveDC(dc);
    POINT origin{};
    GetViewportOrgEx(dc, &origin);
    SetViewportOrgEx(dc, origin.x + r.left, origin.y + r.top, nullptr);
    IntersectClipRect(dc, 0, 0, RectWidth(r), RectHeight(r));
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    RestoreDC(dc, saved);
  }
}

// TMegaPanel: construction, settings, the layout of frame and caption,
// and the messages it handles. Painting is in mega_panel_paint.cpp, the
// child labels and shadows in mega_panel_children.cpp, the hooks in
// mega_hooks.cpp.
#include "framework/gdi_resources.h"
#include "mega_hooks.h"
#include "store.h"
#include "panels/MegaPanl.h"

void TMegaEffect::Changed() {
  if (panel_) panel_->Invalidate();
}

void TGradient::Derive() {
  const COLORREF s = MegaColorToRGB(startColor_), e = MegaColorToRGB(endColor_);
  const int sc[3] = {GetRValue(s), GetGValue(s), GetBValue(s)};
  const int ec[3] = {GetRValue(e), GetGValue(e), GetBValue(e)};
  for (int c = 0; c < 3; ++c) {
    start_[c] = sc[c];
    diff_[c] = ec[c] - sc[c];
  }
}

void TGradient::ChangedWhenShown() {
  if (fillType_ != gtNone) Changed();
}

void TGradient::SetStyle(TPictureStyle v) {
  if (v == style_) return;
  style_ = v;
  ChangedWhenShown();
}
void TGradient::SetFillType(TGradientType v) {
  if (v == fillType_) return;
  fillType_ = v;
  Changed();
}
void TGradient::SetStartColor(TMegaColor v) {
  if (v == startColor_) return;
  startColor_ = v;
  Derive();
  ChangedWhenShown();
}
void TGradient::SetEndColor(TMegaColor v) {
  if (v == endColor_) return;
  endColor_ = v;
  Derive();
  ChangedWhenShown();
}
void TGradient::SetBands(int v) {
  v = std::min(v, 256);
  if (v == bands_) return;
  bands_ = v;
  ChangedWhenShown();
}

void TShadowEffect::SetColor(TMegaColor v) { if (StoreChanged(color_, v)) Changed(); }
void TShadowEffect::SetStyle(TColorStyle v) { if (StoreChanged(style_, v)) Changed(); }
void TShadowEffect::SetXOffset(int v) { if (StoreChanged(xOffset_, v)) Changed(); }
void TShadowEffect::SetYOffset(int v) { if (StoreChanged(yOffset_, v)) Changed(); }
void TFocusEffect::SetEffect(TEffect v) { if (StoreChanged(effect_, v)) Changed(); }
void TFocusEffect::SetLabelBackground(TMegaColor v) { if (StoreChanged(labelBackground_, v)) Changed(); }
void TFocusEffect::SetLabelBackgroundStyle(TColorStyle v) { if (StoreChanged(labelBackgroundStyle_, v)) Changed(); }
void TFocusEffect::SetLabelBevel(TPanelBevel v) { if (StoreChanged(labelBevel_, v)) Changed(); }
void TFocusEffect::SetLabelFontColor(TMegaColor v) { if (StoreChanged(labelFontColor_, v)) Changed(); }
void TFocusEffect::SetLabelFontStyle(TFontStyle v) { if (StoreChanged(labelFontStyle_, v)) Changed(); }

TMegaPanel::TMegaPanel(TComponent* owner) : TCustomPanel(owner) {
  TControl::SetColor(clBtnFace);
  SetParentColor(false);
  SetTabStop(false);
  captionFont_.OnChange = [this](TObject*) { Changed(kLayout); };
  labelFont_.OnChange = [this](TObject*) { Changed(kLayout); };
  picture_.OnChange = [this](TObject*) { Invalidate(); };
  captionPicture_.OnChange = [this](TObject*) { Invalidate(); };
  RecomputeLayout();
}

TMegaPanel::~TMegaPanel() {
  mega_hooks::FreePanel(this);
}

void TMegaPanel::Changed(ChangeKind kind) {
  if (kind == kLayout) RecomputeLayout();
  Invalidate();
}

void TMegaPanel::SetColorPanel(TMegaColor v) {
  if (v == ColorPanel()) return;
  TControl::SetColor(v);
  Changed(kLayout);
}

void TMegaPanel::SetCaption(const std::string& text) {
  TControl::SetCaption(text);
  Changed(kLayout);
}

void TMegaPanel::Loaded() {
  TCustomPanel::Loaded();
  UpgradeFixClasses();
  RecomputeLayout();
}

void TMegaPanel::Notification(TComponent* component, TOperation operation) {
  TCustomPanel::Notification(component, operation);
  childrenChanged_ = true;
  if (operation == opRemove) {
    if (component == focusedChild_) focusedChild_ = nullptr;
    mega_hooks::ForgetControl(static_cast<TControl*>(dynamic_cast<TControl*>(component)));
  }
}

void TMegaPanel::CreateParams(TCreateParams& params) {
  TCustomPanel::CreateParams(params);
  seeThrough_ = ColorPanel() == clNone || colorPanelStyle_ != csOpaque;
  if (!(clipChildControls_ && !seeThrough_)) params.Style &= ~WS_CLIPCHILDREN;
}

void TMegaPanel::UpgradeFixClasses() {
  if (fixClasses_.Count() == 0) return;
  const std::string first = fixClasses_.Strings(0);
  if (first.size() >= 4 && (first[3] == '0' || first[3] == '1')) return;
  for (int i = 0; i < fixClasses_.Count(); ++i) {
    const std::string e = fixClasses_.Strings(i);
    fixClasses_.SetStrings(i, e.substr(0, 3) + "111" + (e.size() > 3 ? e.substr(3) : std::string()));
  }
}

// ---- layout

TSize TMegaPanel::CaptionTextSize() {
  const std::string text = Caption();
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, FontHandle(captionFont_.Data()));
  RECT r{0, 0, 0, 0};
  DrawTextA(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return TSize{r.right - r.left, r.bottom - r.top};
}

void TMegaPanel::RecomputeLayout() {
  if (ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying)) return;
  captionShown_ = !Caption().empty() && captionStyle_ != csNone;
  seeThrough_ = ColorPanel() == clNone || colorPanelStyle_ != csOpaque;
  panelInset_ = panelBevelMargin_ + panelBorderWidth_ + (panelBorderStyle_ == bsSingle ? 1 : 0) +
                (panelBevelOuter_ != bvNone ? panelBevelWidth_ : 0) +
                (panelBevelInner_ != bvNone ? panelBevelWidth_ : 0);
  captionInset_ = 0;
  if (captionShown_)
    captionInset_ = captionBevelMargin_ + captionBorderWidth_ + captionClearance_ +
                    (captionBorderStyle_ == bsSingle ? 1 : 0) +
                    (captionBevelOuter_ != bvNone ? captionBevelWidth_ : 0) +
                    (captionBevelInner_ != bvNone ? captionBevelWidth_ : 0);
  ComputeCaptionRect();
  if (Parent()) Realign();
}

void TMegaPanel::ComputeCaptionRect() {
  captionRect_ = TRect{0, 0, 0, 0};
  if (!captionShown_) return;
  const TSize t = CaptionTextSize();
  const int ci = captionInset_, W = Width(), H = Height();
  const TRect client{0, 0, W, H};
  switch (captionStyle_) {
    case csGroupBox: {
      const int nWidth = [&] {
        HDC dc = GetDC(nullptr);
        HGDIOBJ old = SelectObject(dc, FontHandle(captionFont_.Data()));
        SIZE s{};
        GetTextExtentPoint32A(dc, "n", 1, &s);
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
        return static_cast<int>(s.cx);
      }();
      captionRect_ = Bounds(panelInset_ + nWidth, panelBevelMargin_, t.cx + 2 * ci, t.cy + 2 * ci);
      break;
    }
    case csPanel: {
      TRect r = client;
      const int in = captionLocation_ == clOutsideFrame ? panelBevelMargin_ : panelInset_;
      InflateRect(&r, -in, -in);
      if (captionPosition_ <= cpTopRight) r.bottom = r.top + t.cy + 2 * ci;
      else if (captionPosition_ <= cpLeftBottom) r.right = r.left + t.cx + 2 * ci;
      else if (captionPosition_ <= cpRightBottom) r.left = r.right - (t.cx + 2 * ci);
      else r.top = r.bottom - (t.cy + 2 * ci);
      captionRect_ = r;
      break;
    }
    case csFloating: {
      const int w = t.cx + 2 * ci, h = t.cy + 2 * ci;
      int dx = 0, dy = 0;
      switch (captionPosition_) {
        case cpTopCenter: dx = (W - w) / 2; break;
        case cpTopRight: case cpRightTop: dx = W - w; break;
        case cpLeftCenter: dy = (H - h) / 2; break;
        case cpLeftBottom: case cpBottomLeft: dy = H - h; break;
        case cpRightCenter: dx = W - w; dy = (H - h) / 2; break;
        case cpRightBottom: case cpBottomRight: dx = W - w; dy = H - h; break;
        case cpBottomCenter: dx = (W - w) / 2; dy = H - h; break;
        default: break;
      }
      captionRect_ = Bounds(dx + ci, dy + ci, w, h);
      break;
    }
    default: break;
  }
}

void TMegaPanel::AdjustClientRect(TRect& rect) {
  TWinControl::AdjustClientRect(rect);
  InflateRect(&rect, -panelInset_, -panelInset_);
  if (!captionShown_) return;
  if (captionStyle_ == csPanel) {
    const int bandH = RectHeight(captionRect_) + captionSpace_, bandW = RectWidth(captionRect_) + captionSpace_;
    if (captionPosition_ <= cpTopRight) rect.top += bandH;
    else if (captionPosition_ <= cpLeftBottom) rect.left += bandW;
    else if (captionPosition_ <= cpRightBottom) rect.right -= bandW;
    else rect.bottom -= bandH;
  } else if (captionStyle_ == csGroupBox) {
    rect.top = captionRect_.bottom + captionSpace_;
  }
}

TRect TMegaPanel::ChildArea() {
  TRect r = ClientRect();
  AdjustClientRect(r);
  return r;
}

// ---- messages

void TMegaPanel::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_ERASEBKGND:
      message.Result = 1;
      return;
    case WM_NCPAINT:
      message.Result = 0;
      return;
    case WM_MOVE:
    case WM_SIZE:
      TCustomPanel::WndProc(message);
      RecomputeLayout();
      return;
    case WM_WINDOWPOSCHANGING:
      if (childrenChanged_) UpdateChildHooks();
      break;
    case WM_PAINT:
      if (childrenChanged_) UpdateChildHooks();
      break;
    case WM_DESTROY:
      mega_hooks::FreePanel(this);
      childrenChanged_ = true;
      break;
    case WM_MOUSEMOVE:
      mega_hooks::EndLiveLabel();
      break;
    case CM_CONTROLCHANGE:
    case CM_CONTROLLISTCHANGE:
      childrenChanged_ = true;
      break;
    case CM_TEXTCHANGED:
    case CM_COLORCHANGED:
      TCustomPanel::WndProc(message);
      RecomputeLayout();
      Invalidate();
      return;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      if (seeThrough_ && Parent()) {
        message.Result = reinterpret_cast<LRESULT>(BrushHandle(Parent()->Brush()->Data()));
        return;
      }
      break;
    case mega_hooks::kPaintControlLabels:
      return;
    default: break;
  }
  TCustomPanel::WndProc(message);
}

// TMegaPanel and its children: their hooks, the labels drawn beside them
// with the focus and live effects, and their shadows.
#include "framework/gdi_resources.h"
#include "mega_draw.h"
#include "mega_hooks.h"
#include "panels/MegaPanl.h"
#include "panels/panel_fills.h"

void TMegaPanel::UpdateChildHooks() {
  mega_hooks::Update(this);
  childrenChanged_ = false;
  // A windowed child without its window yet is hooked on a later pass.
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* w = dynamic_cast<TWinControl*>(Controls(i)); w && !w->HandleAllocated()) childrenChanged_ = true;
}

TControl* TMegaPanel::LiveChild() { return mega_hooks::LiveChild(); }

std::string TMegaPanel::ChildLabelText(TControl* child) const {
  if (labelType_ == ltAutomatic) {
    std::string name = child->Name();
    for (char& c : name)
      if (c == '_') c = ' ';
    return name;
  }
  const std::string& hint = child->Hint();
  const auto bar = hint.find('|');
  if (bar == std::string::npos) return hint;
  const auto next = hint.find('|', bar + 1);
  return hint.substr(bar + 1, next == std::string::npos ? std::string::npos : next - bar - 1);
}

// Beside the control at LabelSpace: LabelWidth wide on the left and right,
// LabelHeight (or the font's height) high above and below.
TRect TMegaPanel::ChildLabelRect(TControl* child) {
  const TRect b = child->BoundsRect();
  int h = labelHeight_;
  if (h <= 0) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, FontHandle(labelFont_.Data()));
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    h = tm.tmHeight + 2 * labelClearance_;
  }
  const int w = labelWidth_, s = labelSpace_;
  switch (labelPosition_) {
    case lpTopLeftCorner: return TRect{b.left - s - w, b.top - s - h, b.left - s, b.top - s};
    case lpTopLeft: return TRect{b.left, b.top - s - h, b.left + w, b.top - s};
    case lpTopCenter: return TRect{(b.left + b.right - w) / 2, b.top - s - h, (b.left + b.right + w) / 2, b.top - s};
    case lpTopRight: return TRect{b.right - w, b.top - s - h, b.right, b.top - s};
    case lpTopRightCorner: return TRect{b.right + s, b.top - s - h, b.right + s + w, b.top - s};
    case lpLeftTop: return TRect{b.left - s - w, b.top, b.left - s, b.top + h};
    case lpLeftCenter: return TRect{b.left - s - w, b.top, b.left - s, b.bottom};
    case lpLeftBottom: return TRect{b.left - s - w, b.bottom - h, b.left - s, b.bottom};
    case lpRightTop: return TRect{b.right + s, b.top, b.right + s + w, b.top + h};
    case lpRightCenter: return TRect{b.right + s, b.top, b.right + s + w, b.bottom};
    case lpRightBottom: return TRect{b.right + s, b.bottom - h, b.right + s + w, b.bottom};
    case lpBottomLeftCorner: return TRect{b.left - s - w, b.bottom + s, b.left - s, b.bottom + s + h};
    case lpBottomLeft: return TRect{b.left, b.bottom + s, b.left + w, b.bottom + s + h};
    case lpBottomCenter:
      return TRect{(b.left + b.right - w) / 2, b.bottom + s, (b.left + b.right + w) / 2, b.bottom + s + h};
    case lpBottomRight: return TRect{b.right - w, b.bottom + s, b.right, b.bottom + s + h};
    default: return TRect{b.right + s, b.bottom + s, b.right + s + w, b.bottom + s + h};
  }
}

void TMegaPanel::InvalidateChildLabel(TControl* child) {
  if (!HandleAllocated() || !child) return;
  const TRect r = ChildLabelRect(child);
  InvalidateRect(WindowHandle(), &r, TRUE);
}

void TMegaPanel::InvalidateChildShadow(TControl* child) {
  if (!HandleAllocated() || !child || shadow_.Style() == csTransparent || shadow_.Color() == clNone) return;
  const TRect b = child->BoundsRect();
  RECT moved = b;
  OffsetRect(&moved, shadow_.XOffset(), shadow_.YOffset());
  HRGN shadow = CreateRectRgnIndirect(&moved), own = CreateRectRgnIndirect(&b);
  CombineRgn(shadow, shadow, own, RGN_DIFF);
  InvalidateRgn(WindowHandle(), shadow, TRUE);
  DeleteObject(shadow);
  DeleteObject(own);
}

void TMegaPanel::SetFocusedChild(TControl* child) {
  if (child == focusedChild_) return;
  TControl* old = focusedChild_;
  focusedChild_ = child;
  InvalidateChildLabel(old);
  InvalidateChildLabel(child);
}

void TMegaPanel::PaintChildLabel(HDC dc, TControl* child) {
  const std::string text = ChildLabelText(child);
  const bool effect = child == focusedChild_ || child == mega_hooks::LiveChild();
  TPanelBevel bevel = effect ? focusEffect_.LabelBevel() : labelBevel_;
  const TFontStyle style = effect ? focusEffect_.LabelFontStyle() : labelFontStyle_;
  RECT r = ChildLabelRect(child);
  RECT clip{};
  GetClipBox(dc, &clip);
  if (bevel != bvNone && labelBevelWidth_ >= 1) {
    const bool lowered = bevel == bvLowered;
    RECT f = r;
    mega_draw::Frame3D(dc, f, MegaColorToRGB(lowered ? ColorShadow() : ColorHighlight()),
                       MegaColorToRGB(lowered ? ColorHighlight() : ColorShadow()), labelBevelWidth_);
  }
  if (effect) {
    panel_fills::StyledFill(dc, r, clip, focusEffect_.LabelBackground(), focusEffect_.LabelBackgroundStyle());
  } else {
    const TMegaColor back = tagUsage_ == tuLabelBackground ? static_cast<TMegaColor>(child->Tag()) : colorLabelBkgnd_;
    panel_fills::StyledFill(dc, r, clip, back, colorLabelStyle_);
  }
  InflateRect(&r, -labelClearance_, -labelClearance_);
  TMegaColor colour = labelFont_.Color();
  if (effect) colour = focusEffect_.LabelFontColor();
  else if (!child->Enabled()) colour = colorDisabledLabel_;
  else if (tagUsage_ == tuLabelColor && static_cast<TMegaColor>(child->Tag()) != clNone)
    colour = static_cast<TMegaColor>(child->Tag());
  HGDIOBJ old = SelectObject(dc, FontHandle(labelFont_.Data()));
  const UINT flags = mega_draw::Justify(dc, text, r, labelHorzJustify_, labelVertJustify_);
  mega_draw::EffectText(dc, text, r, flags, style,
                        {MegaColorToRGB(colour), MegaColorToRGB(ColorHighlight()), MegaColorToRGB(ColorShadow())});
  SelectObject(dc, old);
}

void TMegaPanel::PaintChildLabels(HDC dc) {
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* child = Controls(i);
    const mega_hooks::TMegaInfo* info = mega_hooks::Find(child);
    if (!info || !child->Visible() || ChildLabelText(child).empty()) continue;
    if (info->effects & (mega_hooks::efLabel | mega_hooks::efFocus)) PaintChildLabel(dc, child);
  }
}

void TMegaPanel::PaintChildShadows(HDC dc) {
  const int dx = shadow_.XOffset(), dy = shadow_.YOffset();
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* child = Controls(i);
    const mega_hooks::TMegaInfo* info = mega_hooks::Find(child);
    if (!info || !(info->effects & mega_hooks::efShadow) || !child->Visible()) continue;
    const TRect b = child->BoundsRect();
    RECT moved = b;
    OffsetRect(&moved, dx, dy);
    HRGN shadow = CreateRectRgnIndirect(&moved), own = CreateRectRgnIndirect(&b);
    CombineRgn(shadow, shadow, own, RGN_DIFF);
    SelectClipRgn(dc, shadow);
    RECT clip{};
    GetClipBox(dc, &clip);
    panel_fills::StyledFill(dc, moved, clip, shadow_.Color(), shadow_.Style());
    SelectClipRgn(dc, nullptr);
    DeleteObject(shadow);
    DeleteObject(own);
  }
}

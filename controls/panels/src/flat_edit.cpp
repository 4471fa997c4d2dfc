// TFlatEdit: colours, hot rules and the border.
#include <algorithm>
#include <cmath>

#include "edit_border.h"
#include "framework/graphics.h"
#include "panels/TFlatEditUnit.h"

TFlatEdit::TFlatEdit(TComponent* owner) : TBorderedEdit(owner) {
  SetBounds(Left(), Top(), 121, 19);
  // The framework's own colour following would fight the border's rule.
  TControl::SetParentColor(false);
  parentColor_ = true;
}

void TFlatEdit::SetParent(TWinControl* parent) {
  TBorderedEdit::SetParent(parent);
  ParentColorChanged();
}

TFlatEdit::~TFlatEdit() = default;

void TFlatEdit::Loaded() {
  TBorderedEdit::Loaded();
  ParentColorChanged();
}

void TFlatEdit::SetColors(int index, TColor value) {
  if (index < 0 || index > 2) return;
  if (index == 2) parentColor_ = false;
  if (colors_[index] == value) return;
  colors_[index] = value;
  if (index == 2 && useAdvColors_) DeriveColors();
  RedrawBorder();
}

void TFlatEdit::SetParentColor(bool on) {
  parentColor_ = on;
  if (on && Parent()) {
    colors_[2] = Parent()->Color();
    if (useAdvColors_) DeriveColors();
  }
  RedrawBorder();
}

void TFlatEdit::SetAdvColorFocused(TAdvColors v) { SetAdvColor(advFocused_, v); }
void TFlatEdit::SetAdvColorBorder(TAdvColors v) { SetAdvColor(advBorder_, v); }

void TFlatEdit::SetAdvColor(TAdvColors& field, TAdvColors v) {
  field = std::min<TAdvColors>(v, 100);
  if (useAdvColors_) DeriveColors();
  RedrawBorder();
}

void TFlatEdit::SetUseAdvColors(bool on) {
  if (on == useAdvColors_) return;
  useAdvColors_ = on;
  if (on) DeriveColors();
  RedrawBorder();
}

void TFlatEdit::DeriveColors() {
  // The base is ten points lighter than ColorFlat; 0 % leaves a colour alone.
  if (advFocused_ > 0) colors_[0] = AdjustLightness(colors_[2], 10 + advFocused_);
  if (advBorder_ > 0) colors_[1] = AdjustLightness(colors_[2], 10 - advBorder_);
}

void TFlatEdit::ParentColorChanged() {
  if (!Parent()) return;
  if (useAdvColors_) {
    colors_[2] = Parent()->Color();
    DeriveColors();
  } else if (parentColor_) {
    colors_[2] = Parent()->Color();
  }
  RedrawBorder();
}

bool TFlatEdit::KeepsHotLook(TWinControl* focused) const { return dynamic_cast<TFlatEdit*>(focused) != nullptr; }

bool TFlatEdit::MouseEnterCounts() const { return GetActiveWindow() != nullptr; }

// The text background always matches the inner rings.
void TFlatEdit::DrawBorder(WPARAM region) {
  const bool hot = IsHot();
  const TColor inner = hot ? colors_[0] : colors_[2];
  if (TCustomEdit::Color() != inner) TCustomEdit::SetColor(inner);
  if (!HandleAllocated()) return;
  HDC dc = edit_border::WindowDc(WindowHandle(), region);
  RECT r = edit_border::WindowRect(WindowHandle());
  HBRUSH border = CreateSolidBrush(ColorToRGB(colors_[1]));
  HBRUSH ring = CreateSolidBrush(ColorToRGB(inner));
  FrameRect(dc, &r, border);
  for (int i = 0; i < 2; ++i) {
    InflateRect(&r, -1, -1);
    FrameRect(dc, &r, ring);
  }
  DeleteObject(border);
  DeleteObject(ring);
  ReleaseDC(WindowHandle(), dc);
}

void TFlatEdit::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_NCPAINT:
      DrawBorder(message.WParam);
      message.Result = 0;
      return;
    case CM_ENABLEDCHANGED:
      TBorderedEdit::WndProc(message);
      TCustomEdit::SetColor(Enabled() ? clWindow : clBtnFace);
      RedrawBorder();
      return;
    case CM_PARENTCOLORCHANGED:
      ParentColorChanged();
      return;
    case CM_SYSCOLORCHANGE:
      TBorderedEdit::WndProc(message);
      RedrawBorder();
      return;
    default: break;
  }
  TBorderedEdit::WndProc(message);
}

namespace {

struct Hsl {
  double h, s, l;  // h 0..360, s and l 0..100
};

Hsl ToHsl(COLORREF c) {
  const double r = GetRValue(c) / 255.0, g = GetGValue(c) / 255.0, b = GetBValue(c) / 255.0;
  const double mx = std::max({r, g, b}), mn = std::min({r, g, b}), d = mx - mn;
  Hsl out{0, 0, (mx + mn) / 2 * 100};
  if (d == 0) return out;
  const double l = (mx + mn) / 2;
  out.s = (l > 0.5 ? d / (2 - mx - mn) : d / (mx + mn)) * 100;
  if (mx == r) out.h = std::fmod((g - b) / d + 6, 6) * 60;
  else if (mx == g) out.h = ((b - r) / d + 2) * 60;
  else out.h = ((r - g) / d + 4) * 60;
  return out;
}

COLORREF FromHsl(Hsl c) {
  const double s = c.s / 100, l = c.l / 100;
  const double q = l < 0.5 ? l * (1 + s) : l + s - l * s, p = 2 * l - q;
  auto channel = [&](double t) {
    t = t < 0 ? t + 1 : t > 1 ? t - 1 : t;
    double v = t < 1.0 / 6 ? p + (q - p) * 6 * t : t < 0.5 ? q : t < 2.0 / 3 ? p + (q - p) * (2.0 / 3 - t) * 6 : p;
    return static_cast<BYTE>(std::lround(std::clamp(v, 0.0, 1.0) * 255));
  };
  const double h = c.h / 360;
  return RGB(channel(h + 1.0 / 3), channel(h), channel(h - 1.0 / 3));
}

}  // namespace

TColor AdjustLightness(TColor colour, int percent) {
  Hsl c = ToHsl(ColorToRGB(colour));
  c.l = std::clamp(c.l + percent, 0.0, 100.0);
  return static_cast<TColor>(FromHsl(c));
}

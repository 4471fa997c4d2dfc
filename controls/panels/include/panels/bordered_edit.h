// What the two flat edits share: no system border, three pixels of the
// window taken for a border they draw themselves in the non-client area,
// and the hot rule: hot while focused, or under the pointer while the
// focused control is not one that keeps the hot look to itself.
#pragma once

#include "framework/edit.h"

class TBorderedEdit : public TCustomEdit {
 public:
  bool MouseInControl() const { return mouseIn_; }
  // Whether the border shows the hot look now.
  bool IsHot();
  void WndProc(TMessage& message) override;

 protected:
  explicit TBorderedEdit(TComponent* owner);
  void CreateParams(TCreateParams& params) override;
  // Whether the focused control `focused` keeps the hot look from this
  // edit while the pointer is over it.
  virtual bool KeepsHotLook(TWinControl* focused) const = 0;
  // The border again, after a change of the hot look.
  virtual void RedrawBorder() = 0;
  // Whether the pointer coming onto the edit makes it mouse-in now.
  virtual bool MouseEnterCounts() const { return true; }

 private:
  bool mouseIn_ = false;
};

#include "panels/bordered_edit.h"

#include "edit_border.h"

TBorderedEdit::TBorderedEdit(TComponent* owner) : TCustomEdit(owner) { SetBorderStyle(bsNone); }

void TBorderedEdit::CreateParams(TCreateParams& params) {
  TCustomEdit::CreateParams(params);
  // No system border and no 3-D edge: the border is the edit's own.
  params.Style &= ~WS_BORDER;
  params.ExStyle &= ~WS_EX_CLIENTEDGE;
}

bool TBorderedEdit::IsHot() {
  if (HandleAllocated() && GetFocus() == WindowHandle()) return true;
  return mouseIn_ && !KeepsHotLook(edit_border::FocusedControl());
}

void TBorderedEdit::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_NCCALCSIZE: {
      TCustomEdit::WndProc(message);
      auto* proposed = reinterpret_cast<RECT*>(message.LParam);
      InflateRect(proposed, -edit_border::kWidth, -edit_border::kWidth);
      return;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      TCustomEdit::WndProc(message);
      RedrawBorder();
      return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      TCustomEdit::WndProc(message);
      if (message.LParam != 0) return;  // a child's, not this edit's
      if (message.Msg == CM_MOUSELEAVE) mouseIn_ = false;
      else if (MouseEnterCounts()) mouseIn_ = true;
      else return;
      RedrawBorder();
      return;
    default: break;
  }
  TCustomEdit::WndProc(message);
}

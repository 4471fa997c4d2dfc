#include "ui/link_label.h"

#include <win32/shell32.h>

TLinkLabel::TLinkLabel(TComponent* owner) : TLabel(owner) {
  Font()->SetColor(clBlue);
  Font()->SetStyle(TFontStyles{fsUnderline});
  SetCursor(crHandPoint);
}

std::string TLinkLabel::Target() {
  if (!link_.empty()) return link_;
  std::string caption = Caption();
  if (caption.find('@') != std::string::npos && caption.rfind("mailto:", 0) != 0) return "mailto:" + caption;
  return caption;
}

void TLinkLabel::Click() {
  TLabel::Click();
  std::string target = Target();
  if (!target.empty()) ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

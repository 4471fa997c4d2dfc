#include "display/ASLink.h"

#include <win32/shell32.h>
#include <win32/user32.h>

#include "framework/application.h"
#include "framework/forms.h"
#include "framework/wincontrol.h"

TASLink::TASLink(TComponent* owner) : TRxCustomLabel(owner) {
  SetTransparent(true);
  SetCursor(crCross);
  fontColor_ = Font()->Color();
}

const char* TASLink::URLPrefix(TURLType type) {
  switch (type) {
    case utFile: return "file://";
    case utFtp: return "ftp://";
    case utGopher: return "gopher://";
    case utHttp: return "http://";
    case utHttps: return "https://";
    case utMailto: return "mailto:";
    case utNews: return "news:";
    case utTelnet: return "telnet:";
    case utWais: return "wais:";
  }
  return "";
}

std::string TASLink::LinkText() {
  const std::string caption = Caption();
  if (caption.empty() || !urlEnabled_) return {};
  std::string text = urlTypeAdd_ ? URLPrefix(urlType_) + caption : caption;
  if (text.size() >= kShellBufferSize) return {};
  return text;
}

void TASLink::Click() {
  TRxCustomLabel::Click();
  const std::string text = LinkText();
  if (!text.empty()) {
    // The shell takes the text from a buffer of its fixed size, so it
    // never sees more than LinkText allowed.
    char file[kShellBufferSize] = {};
    text.copy(file, kShellBufferSize - 1);
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    HWND owner = main && main->HandleAllocated() ? main->Handle() : nullptr;
    ShellExecuteA(owner, nullptr, file, nullptr, nullptr, SW_SHOWNOACTIVATE);
  }
  Invalidate();
}

void TASLink::ShadowPlacement(TShadowPosition pos, int size, POINT& shadow, POINT& text) {
  switch (pos) {
    case spLeftTop:
      text = {size, size};
      shadow = {0, 0};
      break;
    case spLeftBottom:
      text = {size, 0};
      shadow = {0, size};
      break;
    case spRightBottom:
      text = {0, 0};
      shadow = {size, size};
      break;
    case spRightTop:
      text = {0, size};
      shadow = {size, 0};
      break;
  }
}

bool TASLink::FocusShown() {
  TWinControl* focus = FocusControl();
  return ShowFocus() && focus && focus->Focused() && !ComponentState().Contains(csDesigning);
}

void TASLink::MouseEnter() {
  fontColor_ = Font()->Color();
  Font()->SetColor(LinkColor());
  Invalidate();
  TRxCustomLabel::MouseEnter();
}

void TASLink::MouseLeave() {
  Font()->SetColor(fontColor_);
  Invalidate();
  TRxCustomLabel::MouseLeave();
}

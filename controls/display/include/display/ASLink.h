// TASLink: a shadowed label whose caption is a link. The mouse over it
// shows it in LinkColor; a click hands the caption, behind the prefix of
// URLType, to the shell, which opens the web page or a new e-mail.
#pragma once

#include <string>

#include "display/RXCtrls.h"

enum TURLType { utFile, utFtp, utGopher, utHttp, utHttps, utMailto, utNews, utTelnet, utWais };

class TASLink : public TRxCustomLabel {
 public:
  // Transparent, with the cross cursor; the font colour is remembered for
  // when the mouse leaves.
  explicit TASLink(TComponent* owner);

  TColor LinkColor() const { return linkColor_; }
  void SetLinkColor(TColor value) { linkColor_ = value; }
  bool URLEnabled() const { return urlEnabled_; }
  void SetURLEnabled(bool value) { urlEnabled_ = value; }
  bool URLTypeAdd() const { return urlTypeAdd_; }
  void SetURLTypeAdd(bool value) { urlTypeAdd_ = value; }
  TURLType URLType() const { return urlType_; }
  void SetURLType(TURLType value) { urlType_ = value; }

  // What a click hands to the shell: the caption, behind the URLType
  // prefix when URLTypeAdd; empty when the link is off, empty, or longer
  // than the shell's 79-character buffers (a cut address opens the wrong page).
  std::string LinkText();
  void Click() override;

  static const char* URLPrefix(TURLType type);
  static constexpr std::size_t kShellBufferSize = 80;

 protected:
  // Both stay inside the rectangle: the text moves instead of the shadow
  // going out on the left or top.
  void ShadowPlacement(TShadowPosition pos, int size, POINT& shadow, POINT& text) override;
  bool FocusShown() override;
  bool MayEnter() override { return true; }
  void MouseEnter() override;
  void MouseLeave() override;

 private:
  TColor linkColor_ = clBlue;
  bool urlEnabled_ = true;
  bool urlTypeAdd_ = true;
  TURLType urlType_ = utMailto;
  TColor fontColor_;
};

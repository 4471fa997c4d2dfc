// A label that opens a web or mail address when clicked: blue, underlined,
// with the hand cursor. It stands in for the dressed link label.
#pragma once
#include <string>

#include "framework/label.h"

class TLinkLabel : public TLabel {
 public:
  explicit TLinkLabel(TComponent* owner);
  // What a click opens ("mailto:..." or "http://..."); empty: the caption,
  // as a mail address when it holds an '@'.
  const std::string& Link() const { return link_; }
  void SetLink(const std::string& link) { link_ = link; }
  std::string Target();
  void Click() override;

 private:
  std::string link_;
};

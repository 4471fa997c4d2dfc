// TAdvStatusBar: the framework's status bar that also holds child
// controls, laid out by the ordinary alignment rules over its parts.
#pragma once

#include "framework/statusbar.h"

class TAdvStatusBar : public TStatusBar {
 public:
  explicit TAdvStatusBar(TComponent* owner);
};

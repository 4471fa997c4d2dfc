#include "panels/AdvStatusBar.h"

TAdvStatusBar::TAdvStatusBar(TComponent* owner) : TStatusBar(owner) {
  SetControlStyle(ControlStyle().Include(csAcceptsControls));
}

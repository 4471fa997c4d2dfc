// The LST File Contents window: the text area in which each rewritten
// mission list is put together, shown while it is written.
#pragma once
#include "framework/forms.h"

class TMemo;

class TLSTForm : public TForm {
 public:
  explicit TLSTForm(TComponent* owner);
  TMemo* Contents = nullptr;
};

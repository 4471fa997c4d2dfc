// The Instructions window: a heading and the instructions text.
#pragma once
#include "framework/forms.h"

class TLabel;
class TMemo;

class TInstructions : public TForm {
 public:
  explicit TInstructions(TComponent* owner);
  TLabel* Label1 = nullptr;
  TMemo* Memo1 = nullptr;
};

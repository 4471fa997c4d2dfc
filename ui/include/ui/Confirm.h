// The Confirm dialog: an installation's settings in five read-only
// fields, OK or Cancel. The fields keep their text between showings.
#pragma once
#include "framework/forms.h"

class TLabel;
class TFlatEdit;
class TToolbarButton97;

class TConfirmForm : public TForm {
 public:
  explicit TConfirmForm(TComponent* owner);

  TLabel* Label1 = nullptr;
  TLabel* Label2 = nullptr;
  TLabel* Label3 = nullptr;
  TLabel* Label4 = nullptr;
  TLabel* Label5 = nullptr;
  TFlatEdit* Game = nullptr;
  TFlatEdit* MType = nullptr;
  TFlatEdit* MSection = nullptr;
  TFlatEdit* Sides = nullptr;
  TFlatEdit* Players = nullptr;
  TToolbarButton97* OK = nullptr;
  TToolbarButton97* Cancel = nullptr;
};

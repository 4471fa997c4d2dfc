// The Confirm dialog: an installation's settings in five read-only
// fields, OK or Cancel. The fields keep their text between showings.
#pragma once
#include "framework/forms.h"

class TLabel;
class TEdit;
class TButton;

class TConfirmForm : public TForm {
 public:
  explicit TConfirmForm(TComponent* owner);

  TLabel* Label1 = nullptr;
  TLabel* Label2 = nullptr;
  TLabel* Label3 = nullptr;
  TLabel* Label4 = nullptr;
  TLabel* Label5 = nullptr;
  TEdit* Game = nullptr;
  TEdit* MType = nullptr;
  TEdit* MSection = nullptr;
  TEdit* Sides = nullptr;
  TEdit* Players = nullptr;
  TButton* OK = nullptr;
  TButton* Cancel = nullptr;
};

#include "ui/Confirm.h"

#include "framework/button.h"
#include "framework/stdctrls.h"
#include "ui/form_builder.h"

using namespace ui;

TConfirmForm::TConfirmForm(TComponent* owner) : TForm(owner) {
  const FormSpec& spec = FormByName("ConfirmForm");
  ApplyFormSpec(*this, spec);
  FormControls c = BuildControls(*this, spec);
  Label1 = c.Get<TLabel>("Label1");
  Label2 = c.Get<TLabel>("Label2");
  Label3 = c.Get<TLabel>("Label3");
  Label4 = c.Get<TLabel>("Label4");
  Label5 = c.Get<TLabel>("Label5");
  Game = c.Get<TEdit>("Game");
  MType = c.Get<TEdit>("MType");
  MSection = c.Get<TEdit>("MSection");
  Sides = c.Get<TEdit>("Sides");
  Players = c.Get<TEdit>("Players");
  OK = c.Get<TButton>("OK");
  Cancel = c.Get<TButton>("Cancel");
  // The labels end at one right edge, in front of the fields.
  for (TLabel* label : {Label1, Label2, Label3, Label4, Label5}) label->SetAlignment(taRightJustify);
  OK->SetModalResult(mrOk);
  OK->SetDefault(true);
  Cancel->SetModalResult(mrCancel);
  Cancel->SetCancel(true);
}

#include "ui/Confirm.h"

#include "framework/stdctrls.h"
#include "panels/TB97Ctls.h"
#include "panels/TFlatEditUnit.h"
#include "ui/form_builder.h"

using namespace ui;

TConfirmForm::TConfirmForm(TComponent* owner) : TForm(owner) {
  const FormLayout& spec = FormByName("ConfirmForm");
  ApplyFormLayout(*this, spec);
  FormControls c = BuildControls(*this, spec);
  Label1 = c.Get<TLabel>("Label1");
  Label2 = c.Get<TLabel>("Label2");
  Label3 = c.Get<TLabel>("Label3");
  Label4 = c.Get<TLabel>("Label4");
  Label5 = c.Get<TLabel>("Label5");
  Game = c.Get<TFlatEdit>("Game");
  MType = c.Get<TFlatEdit>("MType");
  MSection = c.Get<TFlatEdit>("MSection");
  Sides = c.Get<TFlatEdit>("Sides");
  Players = c.Get<TFlatEdit>("Players");
  OK = c.Get<TToolbarButton97>("OK");
  Cancel = c.Get<TToolbarButton97>("Cancel");
  // The labels end at one right edge, in front of the fields.
  for (TLabel* label : {Label1, Label2, Label3, Label4, Label5}) label->SetAlignment(taRightJustify);
  OK->SetModalResult(mrOk);
  Cancel->SetModalResult(mrCancel);
}

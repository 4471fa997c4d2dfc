#include "ui/LST.h"

#include "framework/stdctrls.h"
#include "ui/form_builder.h"

using namespace ui;

TLSTForm::TLSTForm(TComponent* owner) : TForm(owner) {
  const FormLayout& spec = FormByName("LSTForm");
  ApplyFormLayout(*this, spec);
  FormControls c = BuildControls(*this, spec);
  Contents = c.Get<TMemo>("Contents");
  Contents->SetAlign(alClient);
  Contents->SetWordWrap(true);
  Contents->SetScrollBars(ssNone);
}

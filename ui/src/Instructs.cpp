#include "ui/Instructs.h"

#include "framework/stdctrls.h"
#include "ui/form_builder.h"
#include "ui/instructions_text.h"

using namespace ui;

TInstructions::TInstructions(TComponent* owner) : TForm(owner) {
  const FormLayout& spec = FormByName("Instructions");
  ApplyFormLayout(*this, spec);
  FormControls c = BuildControls(*this, spec);
  Label1 = c.Get<TLabel>("Label1");
  Memo1 = c.Get<TMemo>("Memo1");
  Label1->SetAutoSize(false);
  Label1->SetHeight(28);
  Label1->SetAlign(alTop);
  Label1->SetAlignment(taCenter);
  Label1->SetLayout(tlCenter);
  Memo1->SetAlign(alClient);
  Memo1->SetScrollBars(ssVertical);
  Memo1->Lines()->BeginUpdate();
  for (const std::string& line : InstructionsLines()) Memo1->Lines()->Add(line);
  Memo1->Lines()->EndUpdate();
  // Open at the welcome, not at the end where the text was added.
  Memo1->SetSelStart(0);
  SendMessageA(Memo1->Handle(), EM_SCROLLCARET, 0, 0);
}

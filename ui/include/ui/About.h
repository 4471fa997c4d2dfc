// The About window: an animated logo, the program's name, the
// organisation's site and the author's address, and a close button.
#pragma once
#include "framework/forms.h"

class TRxGIFAnimator;
class TLabel;
class TASLink;
class TToolbarButton97;

class TAboutForm : public TForm {
 public:
  explicit TAboutForm(TComponent* owner);

  TRxGIFAnimator* RxGIFAnimator1 = nullptr;
  TLabel* Label1 = nullptr;
  TLabel* Label2 = nullptr;
  TLabel* Label3 = nullptr;
  TLabel* Label4 = nullptr;
  TASLink* ASLink1 = nullptr;
  TLabel* Label5 = nullptr;
  TASLink* ASLink2 = nullptr;
  TToolbarButton97* ToolbarButton971 = nullptr;
};

#include "ui/About.h"

#include <string>

#include "display/ASLink.h"
#include "display/GIFCtrl.h"
#include "display/RxGIF.h"
#include "panels/TB97Ctls.h"
#include "framework/stdctrls.h"
#include "ui/artwork.h"
#include "ui/form_builder.h"

using namespace ui;

TAboutForm::TAboutForm(TComponent* owner) : TForm(owner) {
  const FormLayout& spec = FormByName("AboutForm");
  ApplyFormLayout(*this, spec);
  FormControls c = BuildControls(*this, spec);
  RxGIFAnimator1 = c.Get<TRxGIFAnimator>("RxGIFAnimator1");
  Label1 = c.Get<TLabel>("Label1");
  Label2 = c.Get<TLabel>("Label2");
  Label3 = c.Get<TLabel>("Label3");
  Label4 = c.Get<TLabel>("Label4");
  ASLink1 = c.Get<TASLink>("ASLink1");
  Label5 = c.Get<TLabel>("Label5");
  ASLink2 = c.Get<TASLink>("ASLink2");
  ToolbarButton971 = c.Get<TToolbarButton97>("ToolbarButton971");

  auto animation = MakeAboutAnimation();
  RxGIFAnimator1->SetAnimate(true);
  RxGIFAnimator1->SetCenter(true);
  RxGIFAnimator1->SetFrameIndex(21);  // no picture yet: ignored, so it starts at frame 0
  RxGIFAnimator1->SetImage(animation.get());
  ASLink1->SetURLType(utHttp);
  ToolbarButton971->SetModalResult(mrOk);
}

#include "ui/About.h"

#include <string>

#include "display/RxGIF.h"
#include "panels/TB97Ctls.h"
#include "framework/image.h"
#include "framework/stdctrls.h"
#include "ui/artwork.h"
#include "ui/form_builder.h"
#include "ui/link_label.h"

using namespace ui;

TAboutForm::TAboutForm(TComponent* owner) : TForm(owner) {
  const FormSpec& spec = FormByName("AboutForm");
  ApplyFormSpec(*this, spec);
  FormControls c = BuildControls(*this, spec);
  RxGIFAnimator1 = c.Get<TImage>("RxGIFAnimator1");
  Label1 = c.Get<TLabel>("Label1");
  Label2 = c.Get<TLabel>("Label2");
  Label3 = c.Get<TLabel>("Label3");
  Label4 = c.Get<TLabel>("Label4");
  ASLink1 = c.Get<TLinkLabel>("ASLink1");
  Label5 = c.Get<TLabel>("Label5");
  ASLink2 = c.Get<TLinkLabel>("ASLink2");
  ToolbarButton971 = c.Get<TToolbarButton97>("ToolbarButton971");

  auto animation = MakeAboutAnimation();
  RxGIFAnimator1->Picture()->SetGraphic(animation.get());
  RxGIFAnimator1->SetCenter(true);
  ASLink1->SetLink(kSiteAddress);
  ASLink2->SetLink(std::string("mailto:") + kAuthorMail);
  ToolbarButton971->SetModalResult(mrOk);
}

// Every dressed control of the main, Confirm and About windows is of the
// class the window names, with each setting the window gives it read back
// from the live control; what the window does not set keeps the control's
// default.
#include "display/ASLink.h"
#include "display/GIFCtrl.h"
#include "display/RXCtrls.h"
#include "framework/statusbar.h"
#include "menus/am2000menubar.h"
#include "panels/AdvStatusBar.h"
#include "panels/MegaPanl.h"
#include "panels/TB97Ctls.h"
#include "panels/TFlatEditUnit.h"
#include "program_fixture.h"
#include "ui/About.h"
#include "ui/Confirm.h"

namespace {

using ui_test::ProgramTest;

// "MS Sans Serif", height -11, the given colour, no style.
void ExpectClassicFont(TFont* font, TColor colour, const std::string& who) {
  EXPECT_EQ(font->Name(), "MS Sans Serif") << who;
  EXPECT_EQ(font->Height(), -11) << who;
  EXPECT_EQ(font->Color(), colour) << who;
  EXPECT_TRUE(font->Style().Empty()) << who;
}

void ExpectGlyph16(TToolbarButton97* button) {
  EXPECT_EQ(button->Glyph()->Width(), 16) << button->Name();
  EXPECT_EQ(button->Glyph()->Height(), 16) << button->Name();
}

void ExpectLink(TASLink* link, const std::string& who) {
  EXPECT_EQ(link->ClassName(), "TASLink") << who;
  EXPECT_EQ(link->Cursor(), crCross) << who;
  EXPECT_TRUE(link->Transparent()) << who;
}

class WindowDressing : public ProgramTest {};

TEST_F(WindowDressing, TheMainWindowsPanelButtonsEditAndStatusBar) {
  TMainForm* f = MainForm;
  TMenuBar2000* menu = f->MenuBar;
  EXPECT_EQ(menu->ClassName(), "TMenuBar2000");
  EXPECT_EQ(menu->Menu(), f->MainMenu1);
  EXPECT_EQ(menu->Options()->Animation, anFadeIn);  // every start fades
  ExpectClassicFont(menu->Font(), clWindowText, "MenuBar font");
  EXPECT_FALSE(menu->ParentFont());
  EXPECT_TRUE(menu->ShowHint());
  EXPECT_FALSE(menu->ParentShowHint());
  EXPECT_EQ(menu->StatusBar(), f->StatusBar);
  EXPECT_EQ(menu->StatusBarIndex(), 0);
  EXPECT_TRUE(menu->Transparent());
  EXPECT_EQ(menu->Align(), alTop);
  EXPECT_EQ(menu->Width(), 734);
  EXPECT_EQ(menu->Height(), 19);
  EXPECT_EQ(menu->Left(), 0);
  EXPECT_EQ(menu->Top(), 0);

  EXPECT_EQ(f->MegaPanel1->ClassName(), "TMegaPanel");
  EXPECT_EQ(f->MegaPanel1->PanelBevelInner(), bvLowered);
  EXPECT_EQ(f->MegaPanel1->PanelBevelOuter(), bvRaised);  // a default, not set
  ExpectClassicFont(f->MegaPanel1->CaptionFont(), clWindowText, "CaptionFont");
  ExpectClassicFont(f->MegaPanel1->LabelFont(), clWindowText, "LabelFont");
  EXPECT_EQ(f->MegaPanel1->TabOrder(), 1);

  for (TToolbarButton97* b : {f->OpenFile, f->Refresh, f->Install, f->Remove}) {
    EXPECT_EQ(b->ClassName(), "TToolbarButton97") << b->Name();
    ExpectGlyph16(b);
    EXPECT_EQ(b->ModalResult(), 0) << b->Name();
  }
  EXPECT_EQ(f->OpenFile->Caption(), "");
  EXPECT_EQ(f->Refresh->Caption(), "Build Mission List");
  EXPECT_EQ(f->Install->Caption(), "Install");
  EXPECT_EQ(f->Remove->Caption(), "Remove");
  EXPECT_FALSE(f->OpenFile->Enabled());
  EXPECT_TRUE(f->Refresh->Enabled());
  EXPECT_FALSE(f->Install->Enabled());
  EXPECT_FALSE(f->Remove->Enabled());

  EXPECT_EQ(f->MissionName->ClassName(), "TEdit97");
  EXPECT_EQ(f->MissionName->TabOrder(), 0);

  TAdvStatusBar* bar = f->StatusBar;
  EXPECT_EQ(bar->ClassName(), "TAdvStatusBar");
  ASSERT_EQ(bar->Panels()->Count(), 2);
  EXPECT_EQ(bar->Panels()->Items(0)->Width(), 300);
  EXPECT_EQ(bar->Panels()->Items(1)->Width(), 275);
  EXPECT_FALSE(bar->SimplePanel());
  EXPECT_FALSE(bar->SizeGrip());
  EXPECT_EQ(bar->Align(), alBottom);
}

TEST_F(WindowDressing, TheMainWindowsTitlesLinkAndLogo) {
  TMainForm* f = MainForm;
  for (TRxLabel* l : {f->RxLabel1, f->RxLabel2, f->RxLabel3, f->RxLabel4, f->RxLabel5})
    EXPECT_EQ(l->ClassName(), "TRxLabel") << l->Name();
  EXPECT_EQ(f->RxLabel1->Caption(), "Custom Mission Installer");
  EXPECT_EQ(f->RxLabel1->Alignment(), taCenter);
  EXPECT_EQ(f->RxLabel1->Layout(), tlCenter);
  EXPECT_TRUE(f->RxLabel1->WordWrap());
  EXPECT_EQ(f->RxLabel1->Font()->Name(), "Perpetua");
  EXPECT_EQ(f->RxLabel1->Font()->Height(), -16);
  EXPECT_EQ(f->RxLabel1->Font()->Color(), clBlack);

  EXPECT_EQ(f->RxLabel2->Caption(), "X-Wing vs. Tie Fighter");
  EXPECT_EQ(f->RxLabel2->Font()->Name(), "MS Sans Serif");
  EXPECT_EQ(f->RxLabel2->Font()->Height(), -16);
  EXPECT_TRUE(f->RxLabel2->Font()->Style().Contains(fsBold));
  EXPECT_EQ(f->RxLabel2->Font()->Color(), clBlack);
  EXPECT_EQ(f->RxLabel2->Alignment(), taLeftJustify);  // defaults where nothing is set
  EXPECT_FALSE(f->RxLabel2->WordWrap());

  EXPECT_EQ(f->RxLabel3->Caption(), "XvT installled to:");  // sic: the window's own text
  EXPECT_EQ(f->RxLabel3->ShadowSize(), 0);
  EXPECT_EQ(f->RxLabel4->Caption(), "BoP installed to:");
  EXPECT_EQ(f->RxLabel4->ShadowSize(), 0);
  EXPECT_EQ(f->RxLabel5->ShadowSize(), 1);  // the default shadow

  ExpectLink(f->ASLink1, "main ASLink1");
  EXPECT_EQ(f->ASLink1->URLType(), utMailto);

  TRxGIFAnimator* gif = f->GIF;
  EXPECT_EQ(gif->ClassName(), "TRxGIFAnimator");
  EXPECT_EQ(gif->Width(), 70);
  EXPECT_EQ(gif->Height(), 70);
  EXPECT_FALSE(gif->Transparent());
  EXPECT_FALSE(gif->Animate());
  ASSERT_NE(gif->Image(), nullptr);
  EXPECT_EQ(gif->FrameIndex(), 0);
}

TEST_F(WindowDressing, ConfirmsButtonsAndReadOnlyFields) {
  TConfirmForm* f = ConfirmForm;
  EXPECT_EQ(f->OK->ClassName(), "TToolbarButton97");
  EXPECT_EQ(f->OK->Caption(), "OK");
  EXPECT_EQ(f->OK->ModalResult(), 1);
  EXPECT_EQ(f->Cancel->ClassName(), "TToolbarButton97");
  EXPECT_EQ(f->Cancel->Caption(), "Cancel");
  EXPECT_EQ(f->Cancel->ModalResult(), 2);
  int order = 0;
  for (TFlatEdit* e : {f->Game, f->MType, f->MSection, f->Sides, f->Players}) {
    EXPECT_EQ(e->ClassName(), "TFlatEdit") << e->Name();
    EXPECT_TRUE(e->ReadOnly()) << e->Name();
    EXPECT_EQ(e->ColorFocused(), clBtnFace) << e->Name();
    EXPECT_EQ(e->ColorFlat(), clBtnFace) << e->Name();
    EXPECT_TRUE(e->ParentColor()) << e->Name();
    EXPECT_EQ(e->TabOrder(), order++) << e->Name();
  }
}

TEST_F(WindowDressing, AboutsAnimatorStartsAtItsFirstFrameAndTheLinks) {
  TAboutForm* f = AboutForm;
  TRxGIFAnimator* gif = f->RxGIFAnimator1;
  EXPECT_EQ(gif->ClassName(), "TRxGIFAnimator");
  EXPECT_EQ(gif->Width(), 100);
  EXPECT_EQ(gif->Height(), 75);
  EXPECT_TRUE(gif->Animate());
  EXPECT_TRUE(gif->Center());
  ASSERT_NE(gif->Image(), nullptr);
  // The frame index 21 came before the picture and was ignored.
  EXPECT_EQ(gif->FrameIndex(), 0);

  EXPECT_EQ(f->ToolbarButton971->ClassName(), "TToolbarButton97");
  EXPECT_EQ(f->ToolbarButton971->Caption(), "Close this window");
  EXPECT_EQ(f->ToolbarButton971->ModalResult(), 1);

  ExpectLink(f->ASLink1, "about ASLink1");
  EXPECT_EQ(f->ASLink1->URLType(), utHttp);
  ExpectLink(f->ASLink2, "about ASLink2");
  EXPECT_EQ(f->ASLink2->URLType(), utMailto);
}

}  // namespace

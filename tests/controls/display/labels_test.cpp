// The shadowed label and the link label: where the shadow and the text
// land in pixels, the disabled look, fitting the bounds, the accelerator,
// the mouse, and what a click hands to the shell.
#include <gtest/gtest.h>

#include <memory>

#include <backend/headless.h>
#include <win32/gdi32.h>
#include <win32/user32.h>

#include "display/ASLink.h"
#include "display/RXCtrls.h"
#include "framework/canvas.h"
#include "framework/control_messages.h"
#include "framework/forms.h"

namespace {

constexpr COLORREF kText = RGB(0, 0, 0);
constexpr COLORREF kShadowColour = RGB(255, 0, 0);

struct Box {
  int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
  bool Empty() const { return right < 0; }
};

// Paints a control into a bitmap of its size and finds the pixels
// of each colour.
template <class Label>
class Painted : public Label {
 public:
  using Label::Label;
  using Label::Paint;

  void Render() {
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    bitmap_ = CreateCompatibleBitmap(screen, this->Width(), this->Height());
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc_, bitmap_);
    PaintWithCanvas(this->Canvas(), dc_, [&] { Paint(); });
    text = Find(kText);
    shadow = Find(kShadowColour);
    grey = Find(ColorToRGB(clGrayText));
    white = Find(ColorToRGB(clBtnHighlight));
    SelectObject(dc_, old);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  Box text, shadow, grey, white;

 private:
  Box Find(COLORREF color) {
    Box b;
    for (int y = 0; y < this->Height(); ++y)
      for (int x = 0; x < this->Width(); ++x)
        if (GetPixel(dc_, x, y) == color) {
          b.left = std::min(b.left, x), b.top = std::min(b.top, y);
          b.right = std::max(b.right, x), b.bottom = std::max(b.bottom, y);
        }
    return b;
  }
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
};

class Labels : public ::testing::Test {
 protected:
  void SetUp() override { headless::Start(); }

  template <class L>
  std::unique_ptr<Painted<L>> Make(int shadowSize, TShadowPosition pos) {
    auto label = std::make_unique<Painted<L>>(nullptr);
    label->SetTransparent(false);
    label->SetColor(clYellow);  // apart from every colour drawn
    label->Font()->SetColor(clBlack);
    label->SetShadowColor(clRed);
    label->SetShadowSize(shadowSize);
    label->SetShadowPos(pos);
    label->SetAutoSize(false);
    label->SetBounds(0, 0, 60, 24);
    label->SetCaption("HI");
    return label;
  }
};

TEST_F(Labels, DefaultsAndSize) {
  TRxLabel label(nullptr);
  EXPECT_EQ(label.ShadowSize(), 1);
  EXPECT_EQ(label.ShadowPos(), spLeftTop);
  EXPECT_EQ(label.ShadowColor(), clBtnHighlight);
  EXPECT_FALSE(label.Transparent());
  EXPECT_TRUE(label.AutoSize());
  TASLink link(nullptr);
  EXPECT_TRUE(link.Transparent());
  EXPECT_EQ(link.Cursor(), crCross);
  EXPECT_EQ(link.URLType(), utMailto);
  EXPECT_EQ(link.LinkColor(), clBlue);
}

// The shadow's corner against the text's: the shadow extends past the text
// on the side it is cast to.
TEST_F(Labels, RxLabelMovesTheShadowOutInAllFourDirections) {
  struct Case {
    TShadowPosition pos;
    int dx, dy;
  } cases[] = {{spLeftTop, -2, -2}, {spLeftBottom, -2, 2}, {spRightBottom, 2, 2}, {spRightTop, 2, -2}};
  auto plain = Make<TRxLabel>(0, spLeftTop);
  plain->Render();
  for (const Case& c : cases) {
    auto label = Make<TRxLabel>(2, c.pos);
    label->Render();
    ASSERT_FALSE(label->text.Empty());
    EXPECT_EQ(label->text.left, plain->text.left) << c.pos;  // the text stays in place
    EXPECT_EQ(label->text.top, plain->text.top) << c.pos;
    EXPECT_EQ(label->shadow.left - label->text.left + label->shadow.right - label->text.right, 2 * c.dx) << c.pos;
    EXPECT_EQ(label->shadow.top - label->text.top + label->shadow.bottom - label->text.bottom, 2 * c.dy) << c.pos;
  }
}

TEST_F(Labels, LinkKeepsShadowAndTextInsideByMovingTheText) {
  struct Case {
    TShadowPosition pos;
    int textX, textY, shadowX, shadowY;
  } cases[] = {{spLeftTop, 2, 2, 0, 0}, {spLeftBottom, 2, 0, 0, 2}, {spRightBottom, 0, 0, 2, 2}, {spRightTop, 0, 2, 2, 0}};
  auto plain = Make<TRxLabel>(0, spLeftTop);
  plain->Render();
  for (const Case& c : cases) {
    auto link = Make<TASLink>(2, c.pos);
    link->Render();
    // The shadow's far edge is never covered by the text.
    EXPECT_EQ(link->text.left, plain->text.left + c.textX) << c.pos;
    EXPECT_EQ(link->text.top, plain->text.top + c.textY) << c.pos;
    EXPECT_EQ(std::max(link->shadow.right, link->text.right), plain->text.right + std::max(c.textX, c.shadowX)) << c.pos;
    EXPECT_EQ(std::max(link->shadow.bottom, link->text.bottom), plain->text.bottom + std::max(c.textY, c.shadowY)) << c.pos;
  }
}

TEST_F(Labels, NoShadowDrawsTheTextOnceAndDisabledIsEngraved) {
  auto label = Make<TRxLabel>(0, spLeftTop);
  label->Render();
  EXPECT_FALSE(label->text.Empty());
  EXPECT_TRUE(label->shadow.Empty());
  const Box enabled = label->text;
  label->SetEnabled(false);
  label->Render();
  EXPECT_TRUE(label->text.Empty());
  EXPECT_EQ(label->grey.left, enabled.left);
  EXPECT_EQ(label->grey.top, enabled.top);
  EXPECT_EQ(label->white.right, enabled.right + 1);
  EXPECT_EQ(label->white.bottom, enabled.bottom + 1);
}

TEST_F(Labels, AutoSizeKeepsALineForAnEmptyCaptionOrALoneAmpersand) {
  TRxLabel label(nullptr);
  label.SetShadowSize(0);
  label.SetCaption("X");
  const int lineHeight = label.Height();
  EXPECT_GT(lineHeight, 5);
  label.SetCaption("");
  EXPECT_EQ(label.Height(), lineHeight);
  const int blankWidth = label.Width();
  label.SetCaption("&");
  EXPECT_EQ(label.Width(), blankWidth);
  label.SetShowAccelChar(false);
  EXPECT_NE(label.Width(), blankWidth);  // now a real '&'
  // A shadow widens the fitted box by its size.
  label.SetCaption("Wide");
  const int w = label.Width(), h = label.Height();
  label.SetShadowSize(3);
  EXPECT_EQ(label.Width(), w + 3);
  EXPECT_EQ(label.Height(), h + 3);
  // Right-justified, the right edge stays put.
  label.SetAlignment(taRightJustify);
  label.SetBounds(100, 0, label.Width(), label.Height());
  const int right = label.Left() + label.Width();
  label.SetCaption("Much wider");
  EXPECT_EQ(label.Left() + label.Width(), right);
}

TEST_F(Labels, AcceleratorMovesTheFocus) {
  TOwned<TForm> form(new TForm(nullptr));
  auto* edit = new TWinControl(form.get());
  edit->SetParent(form.get());
  TRxLabel label(nullptr);
  label.SetCaption("&Name");
  EXPECT_EQ(label.Perform(CM_DIALOGCHAR, 'n', 0), 0);  // no FocusControl
  label.SetFocusControl(edit);
  EXPECT_NE(label.Perform(CM_DIALOGCHAR, 'n', 0), 0);
  EXPECT_EQ(label.Perform(CM_DIALOGCHAR, 'x', 0), 0);
  label.SetShowAccelChar(false);
  EXPECT_EQ(label.Perform(CM_DIALOGCHAR, 'n', 0), 0);
}

TEST_F(Labels, MouseLeaveWaitsForTheButtonAndLinkHoverRecolours) {
  TRxLabel label(nullptr);
  label.SetBounds(0, 0, 50, 20);
  int enters = 0, leaves = 0;
  label.OnMouseEnter = [&](TObject*) { ++enters; };
  label.OnMouseLeave = [&](TObject*) { ++leaves; };
  label.Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(leaves, 0);  // never entered

  TASLink link(nullptr);
  link.Font()->SetColor(clGreen);
  link.Perform(CM_MOUSEENTER, 0, 0);
  EXPECT_EQ(link.Font()->Color(), clBlue);
  link.Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(link.Font()->Color(), clGreen);
}

TEST_F(Labels, LinkHandsThePrefixedCaptionToTheShell) {
  TASLink link(nullptr);
  link.SetCaption("someone@example.org");
  link.Click();
  link.SetURLType(utHttp);
  link.SetCaption("www.example.org");
  link.Click();
  link.SetURLTypeAdd(false);
  link.SetCaption("news:comp.games");
  link.Click();
  link.SetURLEnabled(false);
  link.Click();
  link.SetURLEnabled(true);
  link.SetCaption("");
  link.Click();
  EXPECT_EQ(headless::OpenedUrls(),
            (std::vector<std::string>{"mailto:someone@example.org", "http://www.example.org", "news:comp.games"}));
  const char* prefixes[] = {"file://", "ftp://", "gopher://", "http://", "https://",
                            "mailto:", "news:",  "telnet:",   "wais:"};
  for (int t = utFile; t <= utWais; ++t) EXPECT_STREQ(TASLink::URLPrefix(static_cast<TURLType>(t)), prefixes[t]);
}

TEST_F(Labels, LinkLongerThanTheShellBufferOpensNothing) {
  TASLink link(nullptr);
  link.SetURLType(utHttp);
  link.SetCaption(std::string(72, 'a'));  // 7 + 72 = 79 characters: fits
  link.Click();
  link.SetCaption(std::string(73, 'a'));  // 80: would be cut short
  EXPECT_EQ(link.LinkText(), "");
  link.Click();
  ASSERT_EQ(headless::OpenedUrls().size(), 1u);
  EXPECT_EQ(headless::OpenedUrls()[0].size(), 79u);
}

}  // namespace

// The plain menu bar on a form: captions drawn in the strip, drop-downs
// opened by the pointer and the keyboard, the chosen item's OnClick, hints
// reaching the application, and a pop-up menu's Popup.
#include "ui/plain_menu_bar.h"

#include <backend/headless.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/application.h"
#include "framework/edit.h"

namespace {

// Steps run one by one from a timer, so they run inside the menu loop.
std::vector<std::function<void()>>& Steps() {
  static std::vector<std::function<void()>> steps;
  return steps;
}

VOID CALLBACK RunStep(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  if (Steps().empty()) return;
  auto step = std::move(Steps().front());
  Steps().erase(Steps().begin());
  if (!Steps().empty()) SetTimer(nullptr, 0, 10, RunStep);
  step();
}

// The presented screen at one moment, 0x00RRGGBB.
class Shot {
 public:
  Shot() : px_(headless::ScreenPixels(&w_, &h_)) {}
  std::uint32_t At(int x, int y) const { return px_[static_cast<std::size_t>(y) * w_ + x]; }
  int Count(RECT r, std::uint32_t colour) const {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y) {
      auto row = px_.begin() + static_cast<std::ptrdiff_t>(y) * w_;
      n += static_cast<int>(std::count(row + r.left, row + r.right, colour));
    }
    return n;
  }

 private:
  int w_ = 0, h_ = 0;
  std::vector<std::uint32_t> px_;
};

class PlainMenuBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    headless::Start(800, 600);
    headless::SetIdleAdvance(true);
    Steps().clear();
    saved_ = Application;
    app_ = std::make_unique<TApplication>(nullptr);
    Application = app_.get();
    form = new TForm(Application);
    form->SetBorderStyle(bsNone);
    form->SetBounds(40, 30, 734, 300);
    menu = new TMainMenu(form);
    TMenuItem* file = Add(menu->Items(), "&File");
    open = Add(file, "&Open...", "Open a Mission");
    Add(file, "-");
    Add(file, "E&xit", "Exit this Program");
    TMenuItem* options = Add(menu->Items(), "&Options");
    xvt = Add(options, "&XvT Missions", "Load XvT Missions");
    xvt->SetChecked(true);
    xvt->OnClick = [this](TObject*) {
      ++clicks[xvt];
      xvt->SetChecked(!xvt->Checked());
    };
    Add(options, "-");
    expand = Add(options, "&Expand Tree", "Expand the Mission Tree");
    expand->SetEnabled(false);
    about = Add(Add(menu->Items(), "&Help"), "&About", "About this Program");
    bar = new TPlainMenuBar(form);
    bar->SetParent(form);
    bar->SetAlign(alTop);
    bar->SetMenu(menu);
    Application->OnHint = [this](TObject*) { hints.push_back(Application->Hint()); };
    form->Show();
    SetActiveWindow(form->Handle());
    Pump();
  }
  void TearDown() override {
    Steps().clear();
    Free(form);
    app_.reset();
    Application = saved_;
    headless::SetIdleAdvance(false);
  }

  TMenuItem* Add(TMenuItem* parent, const std::string& caption, const std::string& hint = "") {
    auto* item = new TMenuItem(form);
    item->SetCaption(caption);
    item->SetHint(hint);
    item->OnClick = [this, item](TObject*) { ++clicks[item]; };
    parent->Add(item);
    return item;
  }
  void Pump() { Application->ProcessMessages(); }
  void While(std::vector<std::function<void()>> steps) {
    for (auto& s : steps) Steps().push_back(std::move(s));
    SetTimer(nullptr, 0, 10, RunStep);
  }
  // Screen point of a caption's middle.
  TPoint Caption(int index) {
    const TRect r = bar->ItemRect(index);
    return bar->ClientToScreen(Point((r.left + r.right) / 2, (r.top + r.bottom) / 2));
  }
  // Screen point of entry `row` of a drop-down below caption `index`
  // (rows of 19 pixels, separators 9).
  TPoint Entry(int index, int top) {
    const TRect r = bar->ItemRect(index);
    return bar->ClientToScreen(Point(r.left + 30, r.bottom + 3 + top + 9));
  }
  static void Click(TPoint p) {
    headless::MoveMouse(p.x, p.y);
    headless::PressMouse(0);
    headless::ReleaseMouse(0);
  }
  static void Key(unsigned vk) {
    headless::PressKey(vk);
    headless::ReleaseKey(vk);
  }
  static HWND DropDown() { return FindWindowA("#32768", nullptr); }

  TApplication* saved_ = nullptr;
  std::unique_ptr<TApplication> app_;
  TForm* form = nullptr;
  TMainMenu* menu = nullptr;
  TPlainMenuBar* bar = nullptr;
  TMenuItem *open = nullptr, *xvt = nullptr, *expand = nullptr, *about = nullptr;
  std::map<TMenuItem*, int> clicks;
  std::vector<std::string> hints;
};

TEST_F(PlainMenuBarTest, DrawsTheCaptionsInAButtonFaceStrip) {
  EXPECT_EQ(bar->Height(), 19);
  EXPECT_EQ(bar->Width(), 734);
  ASSERT_EQ(bar->ItemCount(), 3);
  const TRect f = bar->ItemRect(0), o = bar->ItemRect(1);
  EXPECT_EQ(f.left, 0);
  EXPECT_EQ(o.left, f.right);
  EXPECT_EQ(RectHeight(f), 19);
  headless::SaveScreen(::testing::TempDir() + "plain_menu_bar.png");
  const Shot shot;
  const TPoint origin = bar->ClientToScreen(Point(0, 0));
  EXPECT_EQ(shot.At(origin.x + 700, origin.y + 10), 0xC0C0C0u);
  const int ink = shot.Count({origin.x + f.left, origin.y, origin.x + f.right, origin.y + 19}, 0x000000);
  EXPECT_GT(ink, 20) << "the caption's text";
  // The mnemonic is underlined: a dark row under the "F" only.
  const int under = origin.y + 15;
  EXPECT_GE(shot.Count({origin.x + f.left + 5, under, origin.x + f.left + 14, under + 1}, 0x000000), 5);
  // Hovering raises the caption with a white top-left edge.
  headless::MoveMouse(Caption(1).x, Caption(1).y);
  Pump();
  EXPECT_EQ(bar->HotIndex(), 1);
  EXPECT_EQ(Shot().At(origin.x + o.left, origin.y + 5), 0xFFFFFFu);
}

TEST_F(PlainMenuBarTest, AClickOnACaptionThenOnAnItemRunsItsOnClickAndTheCheckShowsNextTime) {
  int openIndex = -1;
  std::uint32_t pressedEdge = 0;
  int checkInk = -1;
  RECT drop{};
  Click(Caption(1));
  While({[&] {
    openIndex = bar->OpenIndex();
    GetWindowRect(DropDown(), &drop);
    headless::SaveScreen(::testing::TempDir() + "plain_menu_bar_options.png");
    const Shot shot;
    const TPoint origin = bar->ClientToScreen(Point(bar->ItemRect(1).left, 0));
    pressedEdge = shot.At(origin.x, origin.y + 5);
    checkInk = shot.Count({drop.left + 3, drop.top + 3, drop.left + 20, drop.top + 22}, 0x000000);
    Click(Entry(1, 0));
  }});
  Pump();
  EXPECT_EQ(openIndex, 1);
  EXPECT_EQ(pressedEdge, 0x808080u) << "the open caption is sunken";
  const TRect cell = bar->ItemRect(1);
  EXPECT_EQ(drop.left, bar->ClientToScreen(Point(cell.left, 0)).x);
  EXPECT_EQ(drop.top, bar->ClientToScreen(Point(0, cell.bottom)).y) << "right below the caption";
  EXPECT_GT(checkInk, 10);
  EXPECT_EQ(clicks[xvt], 1);
  EXPECT_FALSE(xvt->Checked());
  EXPECT_EQ(bar->OpenIndex(), -1);
  EXPECT_EQ(DropDown(), nullptr);
  // Opened again, the entry shows no check mark; the disabled one cannot run.
  Click(Caption(1));
  While({[&] {
    GetWindowRect(DropDown(), &drop);
    checkInk = Shot().Count({drop.left + 3, drop.top + 3, drop.left + 20, drop.top + 22}, 0x000000);
    Click(Entry(1, 19 + 9));
  },
         [&] { Key(VK_ESCAPE); }});
  Pump();
  EXPECT_EQ(checkInk, 0);
  EXPECT_EQ(clicks[expand], 0);
  EXPECT_EQ(clicks[xvt], 1);
}

TEST_F(PlainMenuBarTest, TheHintOfTheEntryUnderThePointerReachesTheApplication) {
  std::string whileOpen, onSeparator;
  Click(Caption(1));
  While({[&] { headless::MoveMouse(Entry(1, 0).x, Entry(1, 0).y); },
         [&] {
           whileOpen = Application->Hint();
           headless::MoveMouse(Entry(1, 19 + 4 - 9).x, Entry(1, 19 + 4 - 9).y);  // the separator
         },
         [&] {
           onSeparator = Application->Hint();
           Key(VK_ESCAPE);
         }});
  Pump();
  EXPECT_EQ(whileOpen, "Load XvT Missions");
  EXPECT_EQ(onSeparator, "");
  EXPECT_EQ(Application->Hint(), "") << "cleared when the menu closes";
  EXPECT_EQ(clicks[xvt], 0);
  ASSERT_FALSE(hints.empty());
  EXPECT_EQ(hints.front(), "Load XvT Missions");
}

TEST_F(PlainMenuBarTest, ThePointerMovingOntoAnotherCaptionSwitchesDropDowns) {
  std::vector<int> seen;
  Click(Caption(0));
  While({[&] {
           seen.push_back(bar->OpenIndex());
           headless::MoveMouse(Caption(2).x, Caption(2).y);
         },
         [&] {
           seen.push_back(bar->OpenIndex());
           Click(Entry(2, 0));
         }});
  Pump();
  EXPECT_EQ(seen, (std::vector<int>{0, 2}));
  EXPECT_EQ(clicks[about], 1);
  // A click on the open caption closes its drop-down.
  Click(Caption(0));
  While({[&] { Click(Caption(0)); }});
  Pump();
  EXPECT_EQ(bar->OpenIndex(), -1);
  EXPECT_EQ(DropDown(), nullptr);
}

TEST_F(PlainMenuBarTest, AltMnemonicAndF10OpenTheMenusAndArrowsMoveBetweenThem) {
  std::vector<int> seen;
  headless::PressKey(VK_MENU);
  Key('O');
  headless::ReleaseKey(VK_MENU);
  While({[&] {
    seen.push_back(bar->OpenIndex());
    Key(VK_RETURN);  // the first entry is highlighted already
  }});
  Pump();
  EXPECT_EQ(seen, std::vector<int>{1});
  EXPECT_EQ(clicks[xvt], 1);
  seen.clear();
  Key(VK_F10);
  While({[&] {
           seen.push_back(bar->OpenIndex());
           Key(VK_LEFT);  // wraps to Help
         },
         [&] {
           seen.push_back(bar->OpenIndex());
           Key(VK_RIGHT);
         },
         [&] {
           seen.push_back(bar->OpenIndex());
           Key(VK_RETURN);
         }});
  Pump();
  EXPECT_EQ(seen, (std::vector<int>{0, 2, 0}));
  EXPECT_EQ(clicks[open], 1);
  EXPECT_EQ(bar->OpenIndex(), -1);
  // The keys reach the bar through the form while an edit has the focus.
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  edit->SetBounds(10, 40, 100, 20);
  edit->SetFocus();
  Pump();
  headless::PressKey(VK_MENU);
  Key('H');
  headless::ReleaseKey(VK_MENU);
  While({[&] { Key(VK_RETURN); }});
  Pump();
  EXPECT_EQ(clicks[about], 1);
  EXPECT_EQ(edit->Text(), "") << "no character leaks into the edit";
}

TEST_F(PlainMenuBarTest, APopupMenuRunsTheChosenItem) {
  auto* popup = new TPopupMenu(form);
  TMenuItem* first = Add(popup->Items(), "&First");
  TMenuItem* second = Add(popup->Items(), "&Second");
  int popups = 0;
  popup->OnPopup = [&](TObject*) { ++popups; };
  headless::TypeText("s");
  popup->Popup(300, 200);
  EXPECT_EQ(popups, 1);
  EXPECT_EQ(clicks[second], 1);
  EXPECT_EQ(clicks[first], 0);
  Key(VK_ESCAPE);
  popup->Popup(300, 200);
  EXPECT_EQ(clicks[first] + clicks[second], 1) << "a dismissed menu runs nothing";
}

}  // namespace

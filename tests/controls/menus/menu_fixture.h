// A form with the menu bar, a status bar and the program's kind of menu,
// driven by injected input on the headless backend.
#pragma once

#include <backend/headless.h>
#include <gtest/gtest.h>

#include <win32/shell32.h>
#include <win32/user32.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/application.h"
#include "framework/statusbar.h"
#include "menus/am2000menubar.h"

// The presented screen at one moment, 0x00RRGGBB.
class Shot {
 public:
  Shot() : px_(headless::ScreenPixels(&w_, &h_)) {}
  std::uint32_t At(int x, int y) const { return px_[static_cast<std::size_t>(y) * w_ + x]; }
  int Count(RECT r, std::uint32_t colour) const {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += At(x, y) == colour;
    return n;
  }

 private:
  int w_ = 0, h_ = 0;
  std::vector<std::uint32_t> px_;
};

class MenuBarFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    headless::Start(1024, 768);
    headless::SetIdleAdvance(true);
    saved_ = Application;
    app_ = std::make_unique<TApplication>(nullptr);
    Application = app_.get();
    form = new TForm(Application);
    form->SetBorderStyle(bsNone);
    form->SetBounds(40, 30, 734, 300);
    menu = new TMainMenu(form);
    file = Add(menu->Items(), "&File");
    open = Add(file, "&Open...", "Open a Mission");
    open->SetEnabled(false);
    Add(file, "-");
    build = Add(file, "&Build Mission List", "Build/Refresh Mission List");
    Add(file, "-");
    exit = Add(file, "E&xit", "Exit this Program");
    options = Add(menu->Items(), "&Options");
    xvt = Add(options, "&XvT Missions", "Load XvT Missions");
    xvt->SetChecked(true);
    Add(options, "-");
    more = Add(options, "M&ore");
    deeper = Add(more, "&Deeper", "A nested command");
    help = Add(menu->Items(), "&Help");
    about = Add(help, "&About", "About this Program");
    status = new TStatusBar(form);
    status->SetParent(form);
    status->Panels()->Add()->SetWidth(200);
    status->Panels()->Add()->SetWidth(200);
    bar = new TMenuBar2000(form);
    bar->SetParent(form);
    bar->SetMenu(menu);
    bar->SetStatusBar(status);
    form->Show();
    SetActiveWindow(form->Handle());
    Pump();
  }
  void TearDown() override {
    CloseMenus(true, false);
    Free(form);
    app_.reset();
    Application = saved_;
    headless::SetIdleAdvance(false);
  }

  TMenuItem* Add(TMenuItem* parent, const std::string& caption, const std::string& hint = "") {
    auto* item = new TMenuItem(form);
    item->SetCaption(caption);
    item->SetHint(hint);
    item->OnClick = [this, item](TObject*) {
      ++clicks[item];
      order.push_back(item->Caption());
    };
    parent->Add(item);
    return item;
  }
  void Pump() { Application->ProcessMessages(); }
  // Runs the animation to its end in steps of the virtual clock.
  void Settle() {
    for (int i = 0; i < 60; ++i) {
      headless::AdvanceTime(5);
      Pump();
    }
  }
  TPoint ItemPoint(int index) {
    const TRect r = bar->ItemRect(index);
    return bar->ClientToScreen(Point((r.left + r.right) / 2, (r.top + r.bottom) / 2));
  }
  TPopupMenu2000Form* DropDown() { return bar->PopupMenu2000()->Window(); }
  bool Shown(TPopupMenu2000Form* w) { return w && w->HandleAllocated() && IsWindowVisible(w->WindowHandle()); }
  TPoint RowPoint(TPopupMenu2000Form* w, int row) {
    const TRect r = w->RowRect(row);
    return w->ClientToScreen(Point(r.left + 30, (r.top + r.bottom) / 2));
  }
  void Click(TPoint p) {
    headless::MoveMouse(p.x, p.y);
    Pump();
    headless::PressMouse(0);
    Pump();
    headless::ReleaseMouse(0);
    Pump();
  }
  void Key(unsigned vk) {
    headless::PressKey(vk);
    Pump();
    headless::ReleaseKey(vk);
    Pump();
  }
  void AltKey(unsigned vk) {
    headless::PressKey(VK_MENU);
    headless::PressKey(vk);
    headless::ReleaseKey(vk);
    headless::ReleaseKey(VK_MENU);
    Pump();
  }
  std::string PanelText() { return status->Panels()->Items(0)->Text(); }

  TApplication* saved_ = nullptr;
  std::unique_ptr<TApplication> app_;
  TForm* form = nullptr;
  TMainMenu* menu = nullptr;
  TStatusBar* status = nullptr;
  TMenuBar2000* bar = nullptr;
  TMenuItem *file = nullptr, *open = nullptr, *build = nullptr, *exit = nullptr, *options = nullptr,
            *xvt = nullptr, *more = nullptr, *deeper = nullptr, *help = nullptr, *about = nullptr;
  std::map<TMenuItem*, int> clicks;
  std::vector<std::string> order;
};

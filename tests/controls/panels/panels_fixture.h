// A shown form on the headless screen to hold the controls under test,
// with the virtual pointer, keys and clock at hand.
#pragma once

#include <backend/headless.h>
#include <gtest/gtest.h>

#include <memory>

#include "framework/application.h"
#include "framework/forms.h"

#include "colours.h"

namespace panels_test {

// The panels' light and shadow edges: white and grey beside the face.
inline constexpr COLORREF kLight = kWhite, kShadow = kGrey;

class FormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    headless::Start(640, 480);
    form.reset(new TForm(nullptr));
    form->SetBounds(0, 0, 400, 300);
    form->SetColor(clBtnFace);
    form->Show();
    Pump();
  }
  void TearDown() override { form.reset(); }
  static void Pump() { Application->ProcessMessages(); }
  template <class T>
  T* Make(int left, int top, int width, int height) {
    auto* c = new T(form.get());
    c->SetParent(form.get());
    c->SetBounds(left, top, width, height);
    return c;
  }
  // The pointer to a point of the form's client area.
  void MoveTo(int x, int y) {
    const TPoint p = form->ClientToScreen(TPoint{x, y});
    headless::MoveMouse(p.x, p.y);
    Pump();
  }
  static void Key(unsigned vk) {
    headless::PressKey(vk);
    headless::ReleaseKey(vk);
    Pump();
  }
  static void Wait(int ms) {
    headless::AdvanceTime(ms);
    Pump();
  }
  // A pixel of the form's client area as now painted.
  COLORREF Pixel(int x, int y) {
    form->Repaint();
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    HDC dc = GetDC(form->Handle());
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(form->Handle(), dc);
    return c;
  }
  // A pixel of a window, its non-client area included.
  static COLORREF WindowPixel(HWND h, int x, int y) {
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
    HDC dc = GetWindowDC(h);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(h, dc);
    return c;
  }
  TOwned<TForm> form;
};

}  // namespace panels_test

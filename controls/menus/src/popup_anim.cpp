// Opening and closing a drop-down window: the animation kinds, the steps
// paced by the tick count, and the fade on 24-bit byte arrays.
#include <algorithm>
#include <random>

#include <win32/gdi32.h>
#include <win32/kernel32.h>
#include <win32/user32.h>

#include "framework/application.h"
#include "menus/am2000menubar.h"
#include "menus/am2000popupmenu.h"

namespace {

constexpr int kFadeFrames = 20;
constexpr int kStepMs = 5;

BITMAPINFO FadeInfo(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = 40;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

std::size_t FadeBytes(int width, int height) {
  return static_cast<std::size_t>(width + 1) * static_cast<std::size_t>(height) * 3;
}

// Waits without serving input, so a closing fade cannot be interrupted.
void WaitTicks(DWORD ms) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < ms) MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - (GetTickCount() - start), 0);
}

}  // namespace

void TPopupMenu2000Form::ResolveAnimation() {
  static std::minstd_rand random(20010101u);
  T_AM2000_Animation kind = animKind_;
  if (kind == anRandom) kind = (random() & 1) ? anHSlide : anVSlide;
  running_ = kind;
  if (kind == anSmart) {
    running_ = anVSlide;
    animKind_ = anHSlide;
  } else if (kind == anPopup) {
    running_ = anUnfold;
    animKind_ = anHSlide;
  }
}

bool TPopupMenu2000Form::ShowAt(int x, int y, const TRect& avoid) {
  Prepare();
  TCustomPopupMenu2000* popup = PopupObject();
  HMENU menu = popup ? popup->MenuHandle() : nullptr;
  if (parentWindow_) menu = parentWindow_->measure_.Rows[static_cast<std::size_t>(parentRow_)].SubMenu;
  measure_ = MeasureMenu(menu, options_, image_.Canvas(), (windowFlags_ & wfFrame3D) != 0);
  selectedIndex_ = previousIndex_ = -1;
  ResolveAnimation();
  Place(x, y, avoid);
  if (popup && popup->SelectFirst() && !parentWindow_) {
    selectedIndex_ = NextRow(-1, 1);
    TMenuItem* item = selectedIndex_ < 0 ? nullptr : measure_.Rows[static_cast<std::size_t>(selectedIndex_)].Item;
    popup->WriteHint(item ? item->Hint() : "");
    windowFlags_ |= wfHintWritten;
  }
  return StartShow();
}

bool TPopupMenu2000Form::StartShow() {
  windowFlags_ &= static_cast<std::uint16_t>(~wfCancelled);
  windowFlags_ |= wfAnimating | wfFullRepaint;
  framesShown_ = 0;
  frameNo_ = 0;
  const int w = fullWidth_, h = fullHeight_;
  stepX_ = stepY_ = 1;
  const bool horizontal = running_ == anHSlide || running_ == anUnfold;
  const bool vertical = running_ == anVSlide || running_ == anUnfold;
  if (horizontal) stepX_ = std::max(3, w / 10);
  if (vertical) stepY_ = std::max(3, h / 20);
  if (stepX_ < stepY_) stepX_ = stepY_;
  const int startW = horizontal ? 1 : w;
  const int startH = vertical ? std::max(1, h / 3 - stepY_) : h;
  const int left = (windowFlags_ & wfLeftward) ? fullBounds_.right - startW : fullBounds_.left;
  const int top = (windowFlags_ & wfUpward) ? fullBounds_.bottom - startH : fullBounds_.top;
  animRect_ = Rect(left, top, startW, startH);
  HWND hwnd = Handle();
  PaintRows(true);
  if (running_ == anFadeIn) {
    ReadImage(menuImage_);
    // What the screen shows under the menu, before the menu is there.
    HDC screen = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    BitBlt(image_.Canvas()->Handle(), 0, 0, w, h, screen, fullBounds_.left, fullBounds_.top, SRCCOPY);
    DeleteDC(screen);
    ReadImage(screenImage_);
    steps_.assign(menuImage_.size(), 0);
    for (std::size_t i = 0; i < menuImage_.size(); ++i)
      steps_[i] = static_cast<std::int8_t>((static_cast<int>(menuImage_[i]) - static_cast<int>(screenImage_[i])) /
                                           kFadeFrames);
    frameNo_ = 1;
    animRect_ = Rect(fullBounds_.left, fullBounds_.top, w, h);
  }
  SetWindowPos(hwnd, HWND_TOPMOST, animRect_.left, animRect_.top, animRect_.right, animRect_.bottom,
               SWP_NOACTIVATE);
  ShowWindow(hwnd, SW_SHOWNA);
  visibleNow_ = true;
  if (Application && Application->MainForm() && !Application->MainForm()->Showing()) SetForegroundWindow(hwnd);
  SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
  Paint();
  if (!parentWindow_) HideCaret(nullptr);
  PlayMenuSound("MenuPopup");
  SendMessageA(hwnd, AM2000_ANIMSTEP, GetTickCount(), kStepMs);
  return visibleNow_;
}

void TPopupMenu2000Form::PostStep(DWORD started) {
  const DWORD spent = GetTickCount() - started;
  const LPARAM delay = spent >= kStepMs ? 0 : static_cast<LPARAM>(kStepMs - spent);
  PostMessageA(Handle(), AM2000_ANIMSTEP, GetTickCount(), delay);
}

void TPopupMenu2000Form::AnimStep(WPARAM posted, LPARAM delay) {
  if ((windowFlags_ & wfCancelled) || !(windowFlags_ & wfAnimating)) return;
  // The rest of the wanted delay is waited for here, unless a key or a
  // button comes first: then the step waits on a timer behind that input,
  // which may well cancel the animation.
  const long remaining = static_cast<long>(delay) - static_cast<long>(GetTickCount() - static_cast<DWORD>(posted));
  if (remaining >= 1 && remaining <= 999 &&
      MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(remaining), QS_KEY | QS_MOUSEBUTTON) ==
          WAIT_OBJECT_0) {
    stepTimer_ = SetTimer(Handle(), AM2000_STEPTIMER, static_cast<UINT>(remaining), nullptr);
    return;
  }
  if (running_ == anFadeIn)
    FadeStep();
  else
    SlideStep();
}

void TPopupMenu2000Form::FadeStep() {
  if (frameNo_ > kFadeFrames) return FinishAnimation();
  stepStart_ = GetTickCount();
  frameImage_.resize(screenImage_.size());
  for (std::size_t i = 0; i < frameImage_.size(); ++i)
    frameImage_[i] = static_cast<std::uint8_t>(screenImage_[i] + steps_[i] * frameNo_);
  ShowFrame(frameImage_);
  ++framesShown_;
  ++frameNo_;
  PostStep(stepStart_);
}

void TPopupMenu2000Form::SlideStep() {
  if (running_ == anNone || running_ == anFadeIn) return FinishAnimation();
  stepStart_ = GetTickCount();
  bool finished = false;
  int w = animRect_.right, h = animRect_.bottom;
  if (w < fullWidth_) {
    if (w + stepX_ >= fullWidth_) finished = true;
    w = std::min(fullWidth_, w + stepX_);
  }
  if (h < fullHeight_) {
    if (h + stepY_ >= fullHeight_) finished = true;
    h = std::min(fullHeight_, h + stepY_);
  }
  if (finished || (w == fullWidth_ && h == fullHeight_)) return FinishAnimation();
  const int left = (windowFlags_ & wfLeftward) ? fullBounds_.right - w : fullBounds_.left;
  const int top = (windowFlags_ & wfUpward) ? fullBounds_.bottom - h : fullBounds_.top;
  animRect_ = Rect(left, top, w, h);
  SetWindowPos(Handle(), nullptr, left, top, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
  Paint();
  ++framesShown_;
  PostStep(stepStart_);
}

void TPopupMenu2000Form::FinishAnimation() {
  animRect_ = Rect(fullBounds_.left, fullBounds_.top, fullWidth_, fullHeight_);
  SetWindowPos(Handle(), nullptr, fullBounds_.left, fullBounds_.top, fullWidth_, fullHeight_,
               SWP_NOZORDER | SWP_NOACTIVATE);
  windowFlags_ &= static_cast<std::uint16_t>(~(wfAnimating | wfCancelled));
  frameNo_ = 0;
  Repaint();
  if (PopupObject()) hoverTimer_->SetEnabled(true);
}

void TPopupMenu2000Form::ReadImage(std::vector<std::uint8_t>& bytes) {
  const int w = image_.Width(), h = image_.Height();
  bytes.assign(FadeBytes(w, h), 0);
  BITMAPINFO info = FadeInfo(w, h);
  HDC dc = GetDC(nullptr);
  GetDIBits(dc, image_.Handle(), 0, static_cast<UINT>(h), bytes.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
}

void TPopupMenu2000Form::ShowFrame(const std::vector<std::uint8_t>& bytes) {
  const int w = image_.Width(), h = image_.Height();
  BITMAPINFO info = FadeInfo(w, h);
  HDC dc = GetDC(nullptr);
  SetDIBits(dc, image_.Handle(), 0, static_cast<UINT>(h), bytes.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  image_.Canvas()->Refresh();
  HDC window = GetDC(Handle());
  BitBlt(window, 0, 0, w, h, image_.Canvas()->Handle(), 0, 0, SRCCOPY);
  ReleaseDC(Handle(), window);
}

void TPopupMenu2000Form::FreeFadeBuffers() {
  std::vector<std::uint8_t>().swap(menuImage_);
  std::vector<std::uint8_t>().swap(screenImage_);
  std::vector<std::uint8_t>().swap(frameImage_);
  std::vector<std::int8_t>().swap(steps_);
}

void TPopupMenu2000Form::FadeOut() {
  PaintRows(true);
  ReadImage(menuImage_);
  if (screenImage_.size() != menuImage_.size()) return;
  steps_.resize(menuImage_.size());
  for (std::size_t i = 0; i < menuImage_.size(); ++i)
    steps_[i] = static_cast<std::int8_t>((static_cast<int>(menuImage_[i]) - static_cast<int>(screenImage_[i])) /
                                         kFadeFrames);
  frameImage_ = menuImage_;
  framesShown_ = 0;
  for (int k = kFadeFrames - 1; k >= 0; --k) {
    for (std::size_t i = 0; i < frameImage_.size(); ++i)
      if (steps_[i] != 0) frameImage_[i] = static_cast<std::uint8_t>(screenImage_[i] + steps_[i] * k);
    ShowFrame(frameImage_);
    ++framesShown_;
    WaitTicks(kStepMs);
  }
}

void TPopupMenu2000Form::Close(bool fadeOut) {
  const bool childOpen = childWindow_ && childWindow_->visibleNow_;
  if (fadeOut && animKind_ == anFadeIn && !childOpen && selectedIndex_ >= 0 && visibleNow_) {
    FadeOut();
  } else if (childWindow_ && childWindow_->HandleAllocated()) {
    SendMessageA(childWindow_->WindowHandle(), AM2000_CLOSE, 0, 0);
  }
  Hide();
}

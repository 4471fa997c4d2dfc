#include <algorithm>
#include <vector>

#include <win32/gdi32.h>
#include <win32/user32.h>

#include "display/GIFCtrl.h"
#include "framework/wincontrol.h"

namespace {

constexpr unsigned kMinDelay = 50, kMaxDelay = 10000;

}  // namespace

TRxGIFAnimator::TRxGIFAnimator(TComponent* owner)
    : TRxImageControl(owner), image_(std::make_unique<TGIFImage>()), timer_(std::make_unique<TRxTimer>(nullptr)) {
  graphic_ = image_.get();
  image_->OnChange = [this](TObject* sender) { ImageChanged(sender); };
}

TRxGIFAnimator::~TRxGIFAnimator() {
  timer_.reset();
  image_->OnChange = nullptr;
  if (composed_) DeleteObject(composed_);
}

unsigned TRxGIFAnimator::FrameDelay() const {
  if (frameIndex_ < 0 || frameIndex_ >= image_->Count() || image_->Count() < 2) return 0;
  return std::clamp<unsigned>(image_->Frames(frameIndex_)->AnimateInterval, kMinDelay, kMaxDelay);
}

void TRxGIFAnimator::SetImage(TGIFImage* value) { image_->Assign(value); }

void TRxGIFAnimator::ImageChanged(TObject*) {
  composer_.reset();
  composedIndex_ = -1;
  frameIndex_ = image_->FrameIndex();
  if (frameIndex_ >= 0 && image_->Count() > 0) timer_->SetInterval(FrameDelay());
  PictureChanged();
  Change();
}

void TRxGIFAnimator::SetFrameIndex(int value) {
  if (value == frameIndex_ || value < 0 || value >= image_->Count()) return;
  frameIndex_ = value;
  timer_->SetInterval(FrameDelay());
  FrameChanged();
  PictureChanged();
}

void TRxGIFAnimator::SetAnimate(bool value) {
  if (value == animate_) return;
  if (value) {
    timer_->SetOnTimer([this](TObject* sender) { TimerTick(sender); });
    timer_->SetEnabled(true);
    animate_ = timer_->Enabled();
    Start();
  } else {
    timer_->SetEnabled(false);
    timer_->SetOnTimer(nullptr);
    animate_ = false;
    resting_ = false;
    Stop();
    PictureChanged();
  }
}

// A change of the way the frame is placed shows at once while animating.
void TRxGIFAnimator::Refreshed(bool repaintNow) {
  PictureChanged();
  if (repaintNow && animate_) Repaint();
}

void TRxGIFAnimator::SetAutoSize(bool value) {
  if (value == autoSize_) return;
  autoSize_ = value;
  PictureChanged();
}

void TRxGIFAnimator::SetCenter(bool value) {
  if (value == center_) return;
  center_ = value;
  Refreshed(true);
}

void TRxGIFAnimator::SetStretch(bool value) {
  if (value == stretch_) return;
  stretch_ = value;
  Refreshed(true);
}

void TRxGIFAnimator::SetTransparent(bool value) {
  if (value == transparent_) return;
  transparent_ = value;
  Refreshed(true);
}

void TRxGIFAnimator::TimerTick(TObject*) {
  TWinControl* parent = Parent();
  if (!Visible() || image_->Count() < 2) return;
  if (!parent || !parent->HandleAllocated() || !IsWindowVisible(parent->Handle())) {
    // Nobody sees the frames: the picture holds still and the process
    // sleeps until the window it paints on shows.
    resting_ = true;
    timer_->SetEnabled(false);
    return;
  }
  frameIndex_ = frameIndex_ + 1 >= image_->Count() ? 0 : frameIndex_ + 1;
  FrameChanged();
  Repaint();
  if (frameIndex_ >= 0 && frameIndex_ < image_->Count()) timer_->SetInterval(FrameDelay());
  if (!loop_ && frameIndex_ == 0) SetAnimate(false);
}

void TRxGIFAnimator::AdjustSize() {
  if (ComponentState().Contains(csLoading) || !autoSize_ || image_->GetEmpty()) return;
  SetBounds(Left(), Top(), image_->ScreenWidth(), image_->ScreenHeight());
}

HBITMAP TRxGIFAnimator::ComposedBitmap(HDC dc, int n) {
  if (!composer_) composer_ = std::make_unique<TGIFComposer>(image_->Picture(), ColorToRGB(clWindow));
  if (composed_ && composedIndex_ == n) return composed_;
  const std::vector<std::uint32_t>& pixels = composer_->Compose(n);
  const int w = image_->ScreenWidth(), h = image_->ScreenHeight();
  if (!composed_) composed_ = CreateCompatibleBitmap(dc, w, h);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;  // rows from the top, as composed
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  SetDIBits(dc, composed_, 0, static_cast<UINT>(h), pixels.data(), &info, DIB_RGB_COLORS);
  composedIndex_ = n;
  return composed_;
}

void TRxGIFAnimator::DoPaintImage() {
  if (resting_ && animate_) {
    resting_ = false;
    timer_->SetEnabled(true);
  }
  if (image_->HasTransparentFrame() || image_->GetEmpty()) PaintParentBackground();
  const int w = image_->ScreenWidth(), h = image_->ScreenHeight();
  if (image_->GetEmpty() || w < 1 || h < 1) return;
  const int n = std::clamp(frameIndex_, 0, image_->Count() - 1);
  HDC dc = Canvas()->Handle();
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(memory, ComposedBitmap(dc, n));
  TRect target{0, 0, w, h};
  if (stretch_) {
    target = ClientRect();
  } else if (center_) {
    OffsetRect(&target, (Width() - w) / 2, (Height() - h) / 2);
  }
  const TColor key = composer_->TransparentColor();
  if (key != clNone && transparent_)
    TransparentBlt(dc, target.left, target.top, RectWidth(target), RectHeight(target), memory, 0, 0, w, h,
                   ColorToRGB(key));
  else
    StretchBlt(dc, target.left, target.top, RectWidth(target), RectHeight(target), memory, 0, 0, w, h, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
}

void TRxGIFAnimator::Change() {
  if (OnChange) OnChange(this);
}
void TRxGIFAnimator::FrameChanged() {
  if (OnFrameChanged) OnFrameChanged(this);
}
void TRxGIFAnimator::Start() {
  if (OnStart) OnStart(this);
}
void TRxGIFAnimator::Stop() {
  if (OnStop) OnStop(this);
}

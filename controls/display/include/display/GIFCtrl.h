// TRxImageControl: a windowless picture control that paints through an
// off-screen bitmap, so the parent's background and the picture never
// flicker. TRxGIFAnimator: shows a GIF picture and, with Animate, steps
// through its frames on a timer, each composed over the ones before it.
#pragma once

#include <memory>

#include <win32/windef.h>

#include "display/GIFCompose.h"
#include "display/RxGIF.h"
#include "display/RxTimer.h"
#include "framework/controls.h"

class TRxImageControl : public TGraphicControl {
 public:
  // 105 x 105, opaque, taking its parent's colour.
  explicit TRxImageControl(TComponent* owner);
  void WndProc(TMessage& message) override;

 protected:
  // Fits the control to its content.
  virtual void AdjustSize() {}
  // Draws the content on the canvas.
  virtual void DoPaintImage() {}
  void Paint() override;
  // After the content changed: refit, realise the palette, repaint.
  void PictureChanged();
  // Paints what lies under the control: the parent's background and the
  // windowless siblings below it.
  void PaintParentBackground();
  bool Drawing() const { return drawing_; }

  TGraphic* graphic_ = nullptr;

 private:
  void PaintBuffered(HDC dc);
  bool drawing_ = false;
  bool paintBuffered_ = false;
};

class TRxGIFAnimator : public TRxImageControl {
 public:
  explicit TRxGIFAnimator(TComponent* owner);
  ~TRxGIFAnimator() override;

  bool Animate() const { return animate_; }
  void SetAnimate(bool value);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  bool Center() const { return center_; }
  void SetCenter(bool value);
  int FrameIndex() const { return frameIndex_; }
  // Ignored unless it names another existing frame.
  void SetFrameIndex(int value);
  TGIFImage* Image() { return image_.get(); }
  // Copies the picture; the animator starts again from its current frame.
  void SetImage(TGIFImage* value);
  bool Loop() const { return loop_; }
  void SetLoop(bool value) { loop_ = value; }
  bool Stretch() const { return stretch_; }
  void SetStretch(bool value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);

  TNotifyEvent OnChange;
  TNotifyEvent OnFrameChanged;
  TNotifyEvent OnStart;
  TNotifyEvent OnStop;

  // The delay of the current frame in milliseconds: 0 for a still picture,
  // otherwise the frame's own clamped to 50 ms .. 10 s.
  unsigned FrameDelay() const;
  const TRxTimer* Timer() const { return timer_.get(); }
  TRxTimer* Timer() { return timer_.get(); }
  // The frame-advance step the timer runs.
  void TimerTick(TObject* sender);

 protected:
  void AdjustSize() override;
  void DoPaintImage() override;
  virtual void Change();
  virtual void FrameChanged();
  virtual void Start();
  virtual void Stop();

 private:
  void ImageChanged(TObject* sender);
  void Refreshed(bool repaintNow);
  // The composed frame as a bitmap on `dc`'s screen, built from the cache.
  HBITMAP ComposedBitmap(HDC dc, int n);

  std::unique_ptr<TGIFImage> image_;
  std::unique_ptr<TRxTimer> timer_;
  std::unique_ptr<TGIFComposer> composer_;
  HBITMAP composed_ = nullptr;
  int composedIndex_ = -1;
  bool animate_ = false;
  // Animating, but the timer rests while the window it paints on is hidden:
  // the next paint, which comes when the window shows, starts it again.
  bool resting_ = false;
  bool autoSize_ = true;
  bool center_ = false;
  int frameIndex_ = 0;
  bool loop_ = true;
  bool stretch_ = false;
  bool transparent_ = true;
};

// TImage: a windowless control showing a picture of any graphic class
// (bitmaps, and whatever other classes register with TPicture), at its own
// size from the top-left corner, centred, or stretched over the control.
#pragma once

#include <memory>

#include "framework/controls.h"
#include "framework/picture.h"

class TImage : public TGraphicControl {
 public:
  // 105 x 105.
  explicit TImage(TComponent* owner);
  ~TImage() override;

  // The picture shown; changing it (or its graphic) repaints, and resizes
  // the control with AutoSize.
  TPicture* Picture() { return picture_.get(); }
  void SetPicture(TPicture* picture);

  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool on);
  // The picture's middle on the control's middle (when not stretched).
  bool Center() const { return center_; }
  void SetCenter(bool on);
  // The picture scaled to fill the control.
  bool Stretch() const { return stretch_; }
  void SetStretch(bool on);
  // Handed to the graphic: its transparent pixels show the parent.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool on);

  // Where the picture is drawn, in the control's coordinates.
  TRect DestRect();

 protected:
  void Paint() override;

 private:
  void PictureChanged(TObject*);

  std::unique_ptr<TPicture> picture_;
  bool autoSize_ = false;
  bool center_ = false;
  bool stretch_ = false;
  bool transparent_ = false;
  bool drawing_ = false;
};

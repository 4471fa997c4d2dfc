// The picture control: draws any graphic through TGraphic::Draw, so every
// class registered with TPicture shows without this control knowing it.
#include "framework/image.h"

TImage::TImage(TComponent* owner) : TGraphicControl(owner), picture_(std::make_unique<TPicture>()) {
  TControlStyle style = ControlStyle();
  style.Include(csReplicatable);
  SetControlStyle(style);
  picture_->OnChange = [this](TObject* sender) { PictureChanged(sender); };
  SetBounds(Left(), Top(), 105, 105);
}

TImage::~TImage() { picture_->OnChange = nullptr; }

void TImage::SetPicture(TPicture* picture) { picture_->Assign(picture); }

void TImage::SetAutoSize(bool on) {
  if (on == autoSize_) return;
  autoSize_ = on;
  PictureChanged(this);
}

void TImage::SetCenter(bool on) {
  if (on == center_) return;
  center_ = on;
  PictureChanged(this);
}

void TImage::SetStretch(bool on) {
  if (on == stretch_) return;
  stretch_ = on;
  PictureChanged(this);
}

void TImage::SetTransparent(bool on) {
  if (on == transparent_) return;
  transparent_ = on;
  PictureChanged(this);
}

TRect TImage::DestRect() {
  const int w = picture_->Width(), h = picture_->Height();
  if (stretch_) return ClientRect();
  if (center_) return Bounds((Width() - w) / 2, (Height() - h) / 2, w, h);
  return Bounds(0, 0, w, h);
}

void TImage::Paint() {
  TGraphic* graphic = picture_->Graphic();
  if (!graphic || graphic->Empty()) return;
  // A graphic that changes while it is drawn (a lazily decoded image
  // announcing its progress) must not start another repaint from inside.
  drawing_ = true;
  try {
    Canvas()->StretchDraw(DestRect(), graphic);
  } catch (...) {
    drawing_ = false;
    throw;
  }
  drawing_ = false;
}

void TImage::PictureChanged(TObject*) {
  TGraphic* graphic = picture_->Graphic();
  if (autoSize_ && picture_->Width() > 0 && picture_->Height() > 0)
    SetBounds(Left(), Top(), picture_->Width(), picture_->Height());
  TControlStyle style = ControlStyle();
  if (graphic) {
    if (graphic->Transparent() != transparent_) graphic->SetTransparent(transparent_);
    // Only a picture that covers the whole control lets the parent skip
    // painting behind it.
    const bool covers = stretch_ || (graphic->Width() >= Width() && graphic->Height() >= Height());
    if (!graphic->Transparent() && covers && !graphic->Empty()) style.Include(csOpaque);
    else style.Exclude(csOpaque);
  } else {
    style.Exclude(csOpaque);
  }
  SetControlStyle(style);
  if (!drawing_) Invalidate();
}

// TGIFImage: loading, writing, copying and drawing the current frame.
#include "display/RxGIF.h"

#include "framework/picture.h"
#include "framework/stream.h"

namespace {

// Registered once, before any picture is loaded by extension or format.
struct Registration {
  Registration() {
    TPicture::RegisterFileFormat("gif", "CompuServe GIF Image", &MakeGraphic<TGIFImage>);
    TPicture::RegisterClipboardFormat(CF_GIF(), &MakeGraphic<TGIFImage>);
  }
};
const Registration registration;

std::uint32_t Length32(const std::uint8_t* b) {
  return std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 | std::uint32_t(b[3]) << 24;
}

}  // namespace

UINT CF_GIF() {
  static const UINT format = RegisterClipboardFormatA("GIF Image");
  return format;
}

std::unique_ptr<TGIFFrameBase> TGIFImage::TFramePicture::NewFrame() { return std::make_unique<TGIFFrame>(FImage); }

TGIFImage::TGIFImage() : FPicture(this) {
  FPicture.OnChange = [this] { Changed(this); };
}

TGIFImage::~TGIFImage() {
  // Frames go first: they refer back to this picture.
  FPicture.OnChange = nullptr;
  FPicture.Frames.clear();
}

void TGIFImage::Changed(TObject* sender) { TGraphic::Changed(sender); }

TGIFFrame* TGIFImage::Frames(int index) {
  if (index < 0 || index >= Count()) ListIndexError(index);
  return static_cast<TGIFFrame*>(FPicture.Frames[std::size_t(index)].get());
}

void TGIFImage::SetFrameIndex(int index) {
  if (index < 0 || index >= Count() || index == FPicture.FrameIndex) return;
  FPicture.FrameIndex = index;
  Changed(this);
}

void TGIFImage::SetBackgroundColor(TColor color) {
  if (color == FPicture.BackgroundColor) return;
  FPicture.BackgroundColor = color;
  Changed(this);
}

void TGIFImage::SetLooping(bool value) {
  if (value == FPicture.Looping) return;
  FPicture.Looping = value;
  Changed(this);
}

void TGIFImage::SetRepeatCount(std::uint16_t value) {
  if (value == FPicture.RepeatCount) return;
  FPicture.RepeatCount = value;
  Changed(this);
}

void TGIFImage::Clear() {
  FPicture.Clear();
  Changed(this);
}

void TGIFImage::LoadBytes(std::span<const std::uint8_t> bytes) {
  SyncProgress();
  FPicture.LoadFromBytes(bytes, true);
}

void TGIFImage::LoadFromStream(TStream* stream) {
  const std::int64_t left = std::max<std::int64_t>(stream->Size() - stream->Position(), 0);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(left));
  stream->ReadBuffer(bytes.data(), left);
  LoadBytes(bytes);
}

void TGIFImage::ReadData(TStream* stream) {
  std::uint8_t count[4];
  stream->ReadBuffer(count, 4);
  const std::int64_t n = Length32(count);
  // A count beyond the stream is a read error before anything is allocated.
  if (n > stream->Size() - stream->Position()) throw EReadError("Stream read error");
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(n));
  stream->ReadBuffer(bytes.data(), n);
  LoadBytes(bytes);
}

void TGIFImage::SaveToStream(TStream* stream) {
  const std::vector<std::uint8_t> bytes = FPicture.SaveToBytes();
  stream->WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
}

void TGIFImage::WriteData(TStream* stream) {
  const std::vector<std::uint8_t> bytes = FPicture.SaveToBytes();
  const std::uint32_t n = static_cast<std::uint32_t>(bytes.size());
  const std::uint8_t count[4] = {std::uint8_t(n), std::uint8_t(n >> 8), std::uint8_t(n >> 16), std::uint8_t(n >> 24)};
  stream->WriteBuffer(count, 4);
  stream->WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
}

void TGIFImage::SetHeight(int) { FPicture.SetHeight(0); }
void TGIFImage::SetWidth(int) { FPicture.SetWidth(0); }

bool TGIFImage::Equals(TGraphic* graphic) {
  auto* other = dynamic_cast<TGIFImage*>(graphic);
  return other && FPicture.Equals(other->FPicture);
}

HPALETTE TGIFImage::GetPalette() {
  if (Count() == 0) return nullptr;
  return Frames(std::clamp(FrameIndex(), 0, Count() - 1))->Bitmap()->Palette();
}

void TGIFImage::Draw(TCanvas* canvas, const TRect& rect) {
  if (FrameIndex() < 0 || FrameIndex() >= Count()) return;
  Frames(FrameIndex())->Draw(canvas, rect, HasTransparentFrame());
}

int TGIFImage::AddFrame(TGraphic* graphic) {
  std::unique_ptr<TGIFFrameBase> frame = FPicture.NewFrame();
  static_cast<TGIFFrame*>(frame.get())->Assign(graphic);
  return FPicture.AddFrame(std::move(frame));
}

void TGIFImage::Assign(TPersistent* source) {
  if (source == this) return;
  if (!source) return FPicture.Assign(static_cast<const TGIFPicture*>(nullptr));
  if (auto* image = dynamic_cast<TGIFImage*>(source)) return FPicture.Assign(&image->FPicture);
  if (auto* frame = dynamic_cast<TGIFFrame*>(source)) return FPicture.Assign(static_cast<const TGIFFrameBase&>(*frame));
  if (auto* picture = dynamic_cast<TPicture*>(source)) return Assign(picture->Graphic());
  if (auto* bitmap = dynamic_cast<TBitmap*>(source)) {
    FPicture.Clear();
    AddFrame(bitmap);
    return;
  }
  TGraphic::Assign(source);
}

void TGIFImage::AssignTo(TPersistent* dest) {
  if (auto* image = dynamic_cast<TGIFImage*>(dest)) return image->Assign(this);
  auto* graphic = dynamic_cast<TGraphic*>(dest);
  if (!graphic) return TGraphic::AssignTo(dest);
  if (Empty()) return graphic->Assign(nullptr);
  graphic->Assign(Frames(FrameIndex() < 0 ? 0 : FrameIndex())->Bitmap());
}

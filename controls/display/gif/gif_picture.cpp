// The picture: clearing, the load entry points, copies and added frames.
#include "display/GIFPicture.h"

#include <istream>

namespace {

// Reads exactly n bytes in bounded steps, so a forged count cannot make us
// allocate more than the stream really holds.
std::vector<std::uint8_t> ReadExactly(std::istream& in, std::uint64_t n) {
  std::vector<std::uint8_t> bytes;
  constexpr std::uint64_t kStep = 1 << 20;
  while (bytes.size() < n) {
    const std::size_t chunk = std::size_t(std::min<std::uint64_t>(kStep, n - bytes.size()));
    const std::size_t at = bytes.size();
    bytes.resize(at + chunk);
    in.read(reinterpret_cast<char*>(bytes.data() + at), std::streamsize(chunk));
    if (std::size_t(in.gcount()) != chunk) throw EInvalidGraphicOperation(gifmsg::StreamRead);
  }
  return bytes;
}

std::uint32_t Length32(std::span<const std::uint8_t> b) {
  return std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 | std::uint32_t(b[3]) << 24;
}

}  // namespace

TGIFPicture::TGIFPicture() : Data(TSharedRef<TGIFData>::Make()) {}

void TGIFPicture::Clear() {
  Data = TSharedRef<TGIFData>::Make();
  Frames.clear();
  FrameIndex = -1;
  BackgroundColor = clNone;
  RepeatCount = 1;
  Looping = false;
  Corrupted = false;
  Version = gvUnknown;
  FScreenWidth = FScreenHeight = 0;
}

void TGIFPicture::LoadFromBytes(std::span<const std::uint8_t> bytes, bool decodeFirst) { Load(bytes, decodeFirst); }

namespace {

// The rest of the stream, read at once when its size is known.
std::vector<std::uint8_t> ReadRest(std::istream& in) {
  std::vector<std::uint8_t> bytes;
  const std::istream::pos_type here = in.tellg();
  if (here != std::istream::pos_type(-1) && in.seekg(0, std::ios::end)) {
    const std::streamoff size = in.tellg() - here;
    in.seekg(here);
    if (size > 0) {
      bytes.resize(std::size_t(size));
      in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(size));
      bytes.resize(std::size_t(in.gcount()));
    }
    return bytes;
  }
  in.clear();
  char buf[65536];
  while (in.read(buf, sizeof buf) || in.gcount() > 0) bytes.insert(bytes.end(), buf, buf + in.gcount());
  return bytes;
}

}  // namespace

// The file's bytes go before the first frame is decoded, so that a large
// picture does not hold its file twice while its pixels are made.
void TGIFPicture::LoadFromStream(std::istream& in) {
  bool parsed;
  {
    const std::vector<std::uint8_t> bytes = ReadRest(in);
    parsed = Parse(bytes);
  }
  if (parsed) Finish(true);
}

void TGIFPicture::ReadData(std::istream& in) {
  std::uint8_t len[4];
  in.read(reinterpret_cast<char*>(len), 4);
  if (in.gcount() != 4) throw EInvalidGraphicOperation(gifmsg::StreamRead);
  Load(ReadExactly(in, Length32(len)), true);
}

void TGIFPicture::LoadFromClipboardData(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < 4) throw EInvalidGraphicOperation(gifmsg::StreamRead);
  const std::uint32_t n = Length32(bytes);
  if (n > bytes.size() - 4) throw EInvalidGraphicOperation(gifmsg::StreamRead);
  Load(bytes.subspan(4, n), false);
}

void TGIFPicture::Assign(const TGIFPicture* source) {
  if (source == this) return;
  if (!source) {
    Clear();
    Changed();
    return;
  }
  Data = source->Data;
  Version = source->Version;
  BackgroundColor = source->BackgroundColor;
  RepeatCount = source->RepeatCount;
  Looping = source->Looping;
  Corrupted = source->Corrupted;
  FScreenWidth = source->FScreenWidth;
  FScreenHeight = source->FScreenHeight;
  FrameIndex = source->FrameIndex;
  Frames.clear();
  for (const auto& f : source->Frames) {
    Frames.push_back(NewFrame());
    Frames.back()->Assign(*f);
  }
  Changed();
}

void TGIFPicture::Assign(const TGIFFrameBase& source) {
  // Take everything from the source first: it may be one of our own frames.
  auto data = TSharedRef<TGIFData>::Make();
  std::uint16_t w = 0, h = 0;
  if (source.Picture) {
    const TGIFData& from = *source.Picture->Data;
    data->AspectRatio = from.AspectRatio;
    data->BitsPerPixel = from.BitsPerPixel;
    data->ColorResBits = from.ColorResBits;
    data->ColorMap = from.ColorMap;
    w = source.Picture->FScreenWidth;
    h = source.Picture->FScreenHeight;
  }
  auto copy = NewFrame();
  copy->Assign(source);
  const std::uint8_t version = Version;
  Clear();
  Data = data;
  FScreenWidth = w;
  FScreenHeight = h;
  Frames.push_back(std::move(copy));
  FrameIndex = 0;
  Version = version == gvUnknown ? std::uint8_t(gv87a) : version;
  Changed();
}

void TGIFPicture::Assign(const TGIFBitmap& source) {
  Clear();
  AddFrame(source);
}

int TGIFPicture::AddFrame(const TGIFBitmap& bitmap) {
  std::unique_ptr<TGIFFrameBase> frame = NewFrame();
  frame->Assign(bitmap);
  return AddFrame(std::move(frame));
}

int TGIFPicture::AddFrame(std::unique_ptr<TGIFFrameBase> frame) {
  const TGIFPoint size = frame->Size();
  const auto extent = [](std::int32_t at, std::int32_t n) { return std::clamp<std::int64_t>(std::int64_t(at) + n, 0, 65535); };
  FScreenWidth = std::uint16_t(std::max<std::int64_t>(FScreenWidth, extent(frame->TopLeft.X, size.X)));
  FScreenHeight = std::uint16_t(std::max<std::int64_t>(FScreenHeight, extent(frame->TopLeft.Y, size.Y)));
  frame->Picture = this;
  Frames.push_back(std::move(frame));
  FrameIndex = int(Frames.size()) - 1;
  if (Version == gvUnknown) Version = gv87a;
  if (Frames.size() >= 2) Version = gv89a;
  Changed();
  return FrameIndex;
}

bool TGIFPicture::GetEmpty() const {
  if (Frames.empty()) return true;
  const TGIFFrameBase& f = *Frames[std::size_t(std::clamp<int>(FrameIndex, 0, int(Frames.size()) - 1))];
  return !f.HasDecoded() && !f.HasImageData();
}

int TGIFPicture::GetWidth() const {
  if (FrameIndex < 0 || std::size_t(FrameIndex) >= Frames.size()) return 0;
  return Frames[std::size_t(FrameIndex)]->Size().X;
}

int TGIFPicture::GetHeight() const {
  if (FrameIndex < 0 || std::size_t(FrameIndex) >= Frames.size()) return 0;
  return Frames[std::size_t(FrameIndex)]->Size().Y;
}

void TGIFPicture::SetWidth(int) { throw EInvalidGraphicOperation(gifmsg::ChangeSize); }
void TGIFPicture::SetHeight(int) { throw EInvalidGraphicOperation(gifmsg::ChangeSize); }

bool TGIFPicture::HasTransparentFrame() const {
  for (const auto& f : Frames)
    if (f->TransparentColor != clNone) return true;
  return false;
}

void TGIFPicture::MakeRoomFor(std::uint64_t pixels, const TGIFFrameBase* keep) {
  std::uint64_t kept = 0;
  for (const auto& f : Frames)
    if (f.get() != keep && f->HasDecoded() && f->HasImageData()) {
      const TGIFPoint s = f->Size();
      kept += std::uint64_t(std::max(s.X, 0)) * std::uint64_t(std::max(s.Y, 0));
    }
  for (const auto& f : Frames) {
    if (kept + pixels <= kGIFMaxKeptPixels) break;
    if (f.get() != keep) kept -= std::min(kept, f->ReleaseDecoded());
  }
}


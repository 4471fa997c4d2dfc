// Writing a picture as a GIF stream.
#include "display/GIFPicture.h"

#include <algorithm>
#include <cstring>
#include <ostream>

namespace {

class Out {
public:
  std::vector<std::uint8_t> b;
  void Byte(unsigned v) { b.push_back(std::uint8_t(v)); }
  void Word(unsigned v) {
    Byte(v & 0xFF);
    Byte((v >> 8) & 0xFF);
  }
  void Text(const char* s) { b.insert(b.end(), s, s + std::strlen(s)); }
  void Bytes(std::span<const std::uint8_t> s) { b.insert(b.end(), s.begin(), s.end()); }
  void Table(const TGIFColorTable& t, int bits) {
    for (int i = 0; i < (1 << bits); ++i) Bytes(t.Colors[std::size_t(i)]);
  }
  // Strings as data sub-blocks of at most 255 bytes, then the empty block.
  void SubBlocks(const std::vector<std::string>& lines) {
    for (const std::string& s : lines)
      for (std::size_t p = 0; p < s.size(); p += 255) {
        const std::size_t n = std::min<std::size_t>(255, s.size() - p);
        Byte(unsigned(n));
        b.insert(b.end(), s.begin() + std::ptrdiff_t(p), s.begin() + std::ptrdiff_t(p + n));
      }
    Byte(0);
  }
};

// Image data as kept, made well-formed when it was read cut short: the last
// block's length is set to what is there and the empty block is added.
void PutImageData(Out& o, const std::vector<std::uint8_t>& d) {
  if (d.empty()) {
    o.Bytes(std::vector<std::uint8_t>{2, 0});
    return;
  }
  o.Byte(d[0]);
  std::size_t p = 1;
  while (p < d.size()) {
    const std::size_t n = std::min<std::size_t>(d[p], d.size() - p - 1);
    if (n == 0) break;
    o.Byte(unsigned(n));
    o.Bytes(std::span(d).subspan(p + 1, n));
    p += 1 + n;
  }
  o.Byte(0);
}

int TransparentIndexOf(const TGIFFrameBase& f) {
  if (f.TransparentColor == clNone) return -1;
  const TGIFColorTable& t = f.Item->ColorMap;
  if (f.TransparentIndex >= 0 && f.TransparentIndex < t.Count && t.Color(f.TransparentIndex) == f.TransparentColor)
    return f.TransparentIndex;
  return t.IndexOf(f.TransparentColor);
}

bool NeedsGraphicControl(const TGIFFrameBase& f) {
  for (const TExtension& e : f.Extensions)
    if (e.ExtType == etGraphicControl) return true;
  return f.AnimateInterval != 0 || f.DisposalMethod != 0 || TransparentIndexOf(f) >= 0;
}

void PutFrame(Out& o, const TGIFFrameBase& f) {
  for (const TExtension& e : f.Extensions) {
    if (e.ExtType != etComment) continue;
    o.Byte(0x21);
    o.Byte(0xFE);
    o.SubBlocks(e.Blocks);
  }
  if (NeedsGraphicControl(f)) {
    const int t = TransparentIndexOf(f);
    o.Byte(0x21);
    o.Byte(0xF9);
    o.Byte(4);
    o.Byte(unsigned((f.DisposalMethod & 7) << 2) | (t >= 0 ? 1u : 0u));
    o.Word((f.AnimateInterval + 5u) / 10u);
    o.Byte(unsigned(t >= 0 ? t : 0));
    o.Byte(0);
  }
  const TGIFItem& item = *f.Item;
  o.Byte(',');
  o.Word(unsigned(std::clamp(f.TopLeft.X, 0, 65535)));
  o.Word(unsigned(std::clamp(f.TopLeft.Y, 0, 65535)));
  o.Word(unsigned(std::clamp(item.Size.X, 0, 65535)));
  o.Word(unsigned(std::clamp(item.Size.Y, 0, 65535)));
  o.Byte(item.PackedFields);
  if (item.PackedFields & 0x80) o.Table(item.ColorMap, (item.PackedFields & 7) + 1);
  PutImageData(o, item.ImageData);
}

}  // namespace

std::vector<std::uint8_t> TGIFPicture::SaveToBytes() {
  if (Frames.empty()) throw EInvalidGraphicOperation(gifmsg::NoData);
  bool extensions = !Data->Comment.empty() || (Looping && Frames.size() >= 2);
  for (auto& f : Frames) {
    f->EnsureImageData();
    extensions = extensions || !f->Extensions.empty() || NeedsGraphicControl(*f);
  }
  if (extensions) Version = gv89a;
  if (Version == gvUnknown) Version = gv87a;
  const TGIFData& data = *Data;
  Out o;
  o.Text(Version == gv89a ? "GIF89a" : "GIF87a");
  o.Word(FScreenWidth);
  o.Word(FScreenHeight);
  const int globalBits = data.ColorMap.Count > 0 ? GIFBitsForColorCount(data.ColorMap.Count) : 0;
  if (data.ColorMap.Count > 0 && globalBits == 0) throw EInvalidGraphicOperation(gifmsg::WrongColorCount);
  unsigned packed = unsigned((std::max(1, int(data.ColorResBits)) - 1) & 7) << 4;
  if (globalBits) packed |= 0x80u | unsigned(globalBits - 1);
  o.Byte(packed);
  const int background = BackgroundColor == clNone ? -1 : data.ColorMap.IndexOf(BackgroundColor);
  o.Byte(unsigned(std::max(background, 0)));
  o.Byte(data.AspectRatio);
  if (globalBits) o.Table(data.ColorMap, globalBits);
  if (Looping && Frames.size() >= 2) {
    o.Byte(0x21);
    o.Byte(0xFF);
    o.Byte(11);
    o.Text("NETSCAPE2.0");
    o.Byte(3);
    o.Byte(1);
    o.Word(RepeatCount);
    o.Byte(0);
  }
  for (const auto& f : Frames) PutFrame(o, *f);
  if (!data.Comment.empty()) {
    o.Byte(0x21);
    o.Byte(0xFE);
    o.SubBlocks(data.Comment);
  }
  o.Byte(';');
  return std::move(o.b);
}

void TGIFPicture::SaveToStream(std::ostream& out) {
  const auto bytes = SaveToBytes();
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

void TGIFPicture::WriteData(std::ostream& out) {
  const auto bytes = SaveToBytes();
  const std::uint32_t n = std::uint32_t(bytes.size());
  const char len[4] = {char(n & 0xFF), char((n >> 8) & 0xFF), char((n >> 16) & 0xFF), char(n >> 24)};
  out.write(len, 4);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

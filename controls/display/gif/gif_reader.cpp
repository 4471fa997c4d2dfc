// Loading a GIF stream: header, screen, extensions and frames. Every read is
// bounded by the data; fixed-size records that do not fit are read errors.
#include "display/GIFPicture.h"

#include <cctype>
#include <cstdio>
#include <cstring>

namespace {

class Cursor {
public:
  explicit Cursor(std::span<const std::uint8_t> d) : d_(d) {}
  bool More() const { return p_ < d_.size(); }
  std::size_t Left() const { return d_.size() - p_; }
  std::uint8_t Byte() {
    if (!More()) throw EInvalidGraphicOperation(gifmsg::StreamRead);
    return d_[p_++];
  }
  std::span<const std::uint8_t> Take(std::size_t n) {
    if (n > Left()) throw EInvalidGraphicOperation(gifmsg::StreamRead);
    auto s = d_.subspan(p_, n);
    p_ += n;
    return s;
  }
  std::span<const std::uint8_t> TakeUpTo(std::size_t n) { return Take(std::min(n, Left())); }
  std::uint16_t Word() {
    auto s = Take(2);
    return std::uint16_t(s[0] | (s[1] << 8));
  }
  // The bytes from here to the end of the sub-block chain that starts after
  // the next byte (the code size): what a frame's data will hold.
  std::size_t ChainLength() const {
    std::size_t q = p_ + 1;
    while (q < d_.size() && d_[q] != 0) q += std::size_t(d_[q]) + 1;
    return std::min(q + 1, d_.size()) - std::min(p_, d_.size());
  }
  // The next separator: at the end of the data it reads as the trailer.
  std::uint8_t Separator() { return More() ? d_[p_++] : std::uint8_t(';'); }

private:
  std::span<const std::uint8_t> d_;
  std::size_t p_ = 0;
};

bool SameText(std::span<const std::uint8_t> s, const char* text) {
  for (std::size_t i = 0; i < s.size(); ++i)
    if (std::tolower(s[i]) != std::tolower(static_cast<unsigned char>(text[i]))) return false;
  return true;
}

void ReadTable(Cursor& c, int bits, TGIFColorTable& t) {
  t.Count = 1 << bits;
  auto s = c.Take(std::size_t(t.Count) * 3);
  for (int i = 0; i < t.Count; ++i)
    for (int k = 0; k < 3; ++k) t.Colors[std::size_t(i)][std::size_t(k)] = s[std::size_t(i * 3 + k)];
}

void ReadSubBlocks(Cursor& c, std::vector<std::string>& blocks) {
  while (c.More()) {
    std::size_t n = c.Byte();
    if (n == 0) break;
    auto s = c.TakeUpTo(n);
    blocks.emplace_back(reinterpret_cast<const char*>(s.data()), s.size());
  }
}

}  // namespace

class TGIFReader {
public:
  TGIFReader(TGIFPicture& pic, std::span<const std::uint8_t> bytes) : pic_(pic), c_(bytes) {}
  void Run();

private:
  TGIFPicture& pic_;
  Cursor c_;

  void Header();
  std::uint8_t ReadExtensions(std::uint8_t sep, std::vector<TExtension>& kept);
  void Looping(const TExtension& app);
  void ReadFrame(TGIFFrameBase& frame, std::vector<TExtension> kept);
  void ApplyGraphicControls(TGIFFrameBase& frame);
};

void TGIFReader::Header() {
  if (!SameText(c_.Take(3), "GIF")) throw EInvalidGraphicOperation(gifmsg::UnknownVersion);
  auto v = c_.Take(3);
  if (SameText(v, "87a")) pic_.Version = gv87a;
  else if (SameText(v, "89a")) pic_.Version = gv89a;
  else throw EInvalidGraphicOperation(gifmsg::UnknownVersion);
  auto sd = c_.Take(7);
  pic_.FScreenWidth = std::uint16_t(sd[0] | (sd[1] << 8));
  pic_.FScreenHeight = std::uint16_t(sd[2] | (sd[3] << 8));
  const std::uint8_t packed = sd[4], background = sd[5];
  TGIFData& data = *pic_.Data;
  data.AspectRatio = sd[6];
  data.BitsPerPixel = std::uint8_t((packed & 7) + 1);
  data.ColorResBits = std::uint8_t(((packed & 0x70) >> 4) + 1);
  if (packed & 0x80) {
    ReadTable(c_, data.BitsPerPixel, data.ColorMap);
    if (background < data.ColorMap.Count) pic_.BackgroundColor = data.ColorMap.Color(background);
  }
}

void TGIFReader::Looping(const TExtension& app) {
  static const char* ids[] = {"NETSCAPE2.0", "ANIMEXTS1.0"};
  for (const char* id : ids) {
    if (app.HeaderSize < 12 || std::memcmp(app.Header.data() + 1, id, 11) != 0) continue;
    if (app.Blocks.empty() || app.Blocks[0].size() < 3 || app.Blocks[0][0] != 1) return;
    const auto& b = app.Blocks[0];
    const unsigned count = unsigned(std::uint8_t(b[1])) | unsigned(std::uint8_t(b[2])) << 8;
    pic_.Looping = true;
    pic_.RepeatCount = std::uint16_t(std::min(count, 30000u));
    return;
  }
}

std::uint8_t TGIFReader::ReadExtensions(std::uint8_t sep, std::vector<TExtension>& kept) {
  while (sep == '!') {
    const std::uint8_t label = c_.Byte();
    TExtension e;
    auto header = [&](std::size_t n) {
      auto s = c_.Take(n);
      std::memcpy(e.Header.data(), s.data(), n);
      e.HeaderSize = std::uint8_t(n);
    };
    switch (label) {
      case 0xF9: e.ExtType = etGraphicControl; header(6); kept.push_back(std::move(e)); break;
      case 0xFE: e.ExtType = etComment; ReadSubBlocks(c_, e.Blocks); kept.push_back(std::move(e)); break;
      case 0x01:
        e.ExtType = etPlainText;
        header(13);
        ReadSubBlocks(c_, e.Blocks);
        kept.clear();  // text drawn over the picture voids what came before it
        break;
      case 0xFF:
        e.ExtType = etApplication;
        header(12);
        ReadSubBlocks(c_, e.Blocks);
        Looping(e);
        break;
      default: {
        char msg[64];
        std::snprintf(msg, sizeof msg, "Unrecognized extension block: %.2x", label);
        throw EInvalidGraphicOperation(msg);
      }
    }
    sep = c_.Separator();
  }
  return sep;
}

void TGIFReader::ApplyGraphicControls(TGIFFrameBase& f) {
  f.AnimateInterval = 0;
  const TGIFColorTable& table = f.Item->ColorMap;
  for (const TExtension& e : f.Extensions) {
    if (e.ExtType != etGraphicControl) continue;
    const std::uint8_t packed = e.Header[1];
    if (!(packed & 1)) {
      f.TransparentColor = clNone;
      f.TransparentIndex = -1;
    } else if (e.Header[4] < table.Count) {
      f.TransparentColor = table.Color(e.Header[4]);
      f.TransparentIndex = e.Header[4];
    }
    // Saturate: a long delay must not wrap round to a short one.
    const unsigned delay = std::min(unsigned(e.Header[2] | (e.Header[3] << 8)) * 10, 65535u);
    f.AnimateInterval = std::uint16_t(std::max<unsigned>(f.AnimateInterval, delay));
    f.DisposalMethod = std::uint8_t((packed & 0x1C) >> 2);
  }
}

void TGIFReader::ReadFrame(TGIFFrameBase& f, std::vector<TExtension> kept) {
  TGIFItem& item = *f.Item;
  auto d = c_.Take(9);
  auto word = [&](int i) { return std::int32_t(d[std::size_t(i)] | (d[std::size_t(i) + 1] << 8)); };
  const std::uint8_t packed = d[8];
  f.Interlaced = (packed & 0x40) != 0;
  if (packed & 0x80) {
    f.LocalColors = true;
    item.BitsPerPixel = std::uint8_t((packed & 7) + 1);
    ReadTable(c_, item.BitsPerPixel, item.ColorMap);
  } else {
    item.ColorMap = pic_.Data->ColorMap;
  }
  bool truncated = false;
  item.ImageData.reserve(c_.ChainLength());
  item.ImageData.push_back(c_.Byte());
  for (;;) {
    if (!c_.More()) { truncated = true; break; }
    const std::uint8_t n = c_.Byte();
    item.ImageData.push_back(n);
    if (n == 0) break;
    if (n > c_.Left()) truncated = true;
    auto s = c_.TakeUpTo(n);
    item.ImageData.insert(item.ImageData.end(), s.begin(), s.end());
    if (truncated) break;
  }
  if (truncated) {
    f.Corrupted = true;
    pic_.Corrupted = true;
    if (!TolerateCorruptGIF) throw EInvalidGraphicOperation(gifmsg::StreamRead);
  }
  f.TopLeft = {word(0), word(2)};
  item.Size = {word(4) ? word(4) : pic_.FScreenWidth, word(6) ? word(6) : pic_.FScreenHeight};
  item.PackedFields = packed;
  f.Extensions = std::move(kept);
  ApplyGraphicControls(f);
}

void TGIFReader::Run() {
  Header();
  std::uint8_t sep = c_.Separator();
  while (sep != 0 && sep != ';') {
    std::vector<TExtension> kept;
    sep = ReadExtensions(sep, kept);
    if (sep == ',') {
      std::unique_ptr<TGIFFrameBase> frame = pic_.NewFrame();
      frame->Item = TSharedRef<TGIFItem>::Make();
      const TGIFColorTable& global = pic_.Data->ColorMap;
      if (global.Count > 0) {
        const int bits = GIFBitsForColorCount(global.Count);
        if (bits == 0) throw EInvalidGraphicOperation(gifmsg::WrongColorCount);
        frame->Item->BitsPerPixel = std::uint8_t(bits);
      }
      ReadFrame(*frame, std::move(kept));
      pic_.Frames.push_back(std::move(frame));
      if (c_.More()) {
        sep = c_.Byte();
        while (sep == 0 && c_.More()) sep = c_.Byte();
      } else {
        sep = ';';
      }
      if (sep != '!' && sep != ',' && sep != ';') sep = 0;
    } else if (pic_.Data->Comment.empty() && !kept.empty()) {
      auto& comment = pic_.Data->Comment;
      bool first = true;
      for (const TExtension& e : kept) {
        if (e.ExtType != etComment) continue;
        if (!first) comment.emplace_back("\r\n\r\n");
        first = false;
        comment.insert(comment.end(), e.Blocks.begin(), e.Blocks.end());
      }
    } else if (sep != 0 && sep != ';') {
      throw EInvalidGraphicOperation(gifmsg::StreamRead);
    }
  }
}

void TGIFPicture::Load(std::span<const std::uint8_t> bytes, bool decodeFirst) {
  if (Parse(bytes)) Finish(decodeFirst);
}

bool TGIFPicture::Parse(std::span<const std::uint8_t> bytes) {
  Clear();
  if (bytes.empty()) return false;
  try {
    TGIFReader(*this, bytes).Run();
  } catch (...) {
    if (!Frames.empty()) FrameIndex = 0;
    Changed();
    throw;
  }
  if (!Frames.empty()) FrameIndex = 0;
  return true;
}

void TGIFPicture::Finish(bool decodeFirst) {
  if (decodeFirst && !Frames.empty()) {
    try {
      Frames[0]->Decoded();
    } catch (...) {
      Frames.erase(Frames.begin());
      FrameIndex = Frames.empty() ? -1 : 0;
      throw;
    }
  }
  Changed();
}

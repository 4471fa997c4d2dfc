#pragma once
// Data records of a GIF picture: colour tables, the reference-counted shared
// payloads, extension blocks and the decoded frame bitmap.
#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// Colours are the framework's: 0x00BBGGRR, clNone marks "no colour".
#include "framework/types.h"

constexpr TColor RGBColor(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return TColor(r) | (TColor(g) << 8) | (TColor(b) << 16);
}

struct TGIFPoint {
  std::int32_t X = 0, Y = 0;
  bool operator==(const TGIFPoint&) const = default;
};

using TGIFRGB = std::array<std::uint8_t, 3>;  // red, green, blue

// A GIF colour table: Count valid entries (0 when the file has no table).
struct TGIFColorTable {
  std::int32_t Count = 0;
  std::array<TGIFRGB, 256> Colors{};

  TColor Color(int index) const {
    const TGIFRGB& c = Colors[std::size_t(index) & 255];
    return RGBColor(c[0], c[1], c[2]);
  }
  // First entry of that colour, -1 when none.
  int IndexOf(TColor color) const;
};

// Frames and screens above this many pixels are refused rather than
// allocated: nothing in this program comes near it, and a forged header must
// not exhaust memory.
inline constexpr std::uint64_t kGIFMaxPixels = std::uint64_t(1) << 24;
// The decoded frames one picture keeps at a time, together: past it, frames
// decoded earlier are let go and decoded again when asked for, so a small
// file of many huge frames costs no more than this many bytes of pixels.
inline constexpr std::uint64_t kGIFMaxKeptPixels = std::uint64_t(1) << 26;

// Bit count (1..8) of a colour table of `count` entries; 0 when the count is
// not a power of two between 2 and 256.
int GIFBitsForColorCount(int count);

// Reference-counted payload: frees itself when the last holder releases it.
class TSharedImage {
public:
  TSharedImage() = default;
  TSharedImage(const TSharedImage&) = delete;
  TSharedImage& operator=(const TSharedImage&) = delete;
  void Reference() { ++FRefCount; }
  void Release() {
    if (--FRefCount == 0) {
      FreeHandle();
      delete this;
    }
  }
  int RefCount() const { return FRefCount; }

protected:
  virtual ~TSharedImage() = default;
  virtual void FreeHandle() {}

private:
  int FRefCount = 0;
};

// Holder of one reference to a shared payload.
template <class T>
class TSharedRef {
public:
  TSharedRef() = default;
  explicit TSharedRef(T* p) : p_(p) { if (p_) p_->Reference(); }
  TSharedRef(const TSharedRef& o) : p_(o.p_) { if (p_) p_->Reference(); }
  TSharedRef(TSharedRef&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
  TSharedRef& operator=(TSharedRef o) noexcept { std::swap(p_, o.p_); return *this; }
  ~TSharedRef() { if (p_) p_->Release(); }
  static TSharedRef Make() { return TSharedRef(new T()); }
  T* get() const { return p_; }
  T* operator->() const { return p_; }
  T& operator*() const { return *p_; }
  explicit operator bool() const { return p_ != nullptr; }
  bool operator==(const TSharedRef& o) const { return p_ == o.p_; }

private:
  T* p_ = nullptr;
};

// Picture-wide data, shared between pictures assigned from one another.
class TGIFData : public TSharedImage {
public:
  std::vector<std::string> Comment;
  std::uint8_t AspectRatio = 0;
  std::uint8_t BitsPerPixel = 0;
  std::uint8_t ColorResBits = 0;
  TGIFColorTable ColorMap;
};

// A frame's compressed data and colour table, shared between copied frames.
class TGIFItem : public TSharedImage {
public:
  // LZW minimum code size, then every sub-block with its length byte, up to
  // and including the terminating empty block, exactly as read.
  std::vector<std::uint8_t> ImageData;
  TGIFPoint Size;
  std::uint8_t PackedFields = 0;
  std::uint8_t BitsPerPixel = 0;
  TGIFColorTable ColorMap;
};

enum TGIFExtensionType : std::uint8_t { etGraphicControl = 0, etPlainText = 1, etApplication = 2, etComment = 3 };

// One extension block kept with a frame.
struct TExtension {
  std::uint8_t ExtType = etComment;
  std::vector<std::string> Blocks;  // one string per data sub-block
  std::array<std::uint8_t, 13> Header{};  // fixed part as read after the label
  std::uint8_t HeaderSize = 0;
};

// A decoded frame: colour indices row by row from the top, and the colour
// entries of its device-independent form (2, 16 or 256 of them; entries
// beyond the frame's own table are mid-grey).
struct TGIFBitmap {
  std::int32_t Width = 0, Height = 0;
  int BitCount = 8;  // 1, 4 or 8; anything else cannot be written as GIF
  std::vector<TGIFRGB> Palette;
  std::vector<std::uint8_t> Indices;  // Width x Height, top row first

  bool Empty() const { return Width <= 0 || Height <= 0; }
  std::uint8_t Index(int x, int y) const { return Indices[std::size_t(y) * std::size_t(Width) + std::size_t(x)]; }
  // Rows from the top, each pixel 0x00RRGGBB through the palette.
  std::vector<std::uint32_t> Rgb32() const;
  // The frame as a Windows BMP file: bottom-up rows of BitCount bits.
  std::vector<std::uint8_t> ToBmp() const;
};

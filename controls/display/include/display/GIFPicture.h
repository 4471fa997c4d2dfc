#pragma once
// GIF pictures: loading (GIF87a and GIF89a), lazy decoding of frames into
// index planes and device-independent bitmaps, and writing. The framework's
// graphic class TGIFImage (RxGIF.h) builds on TGIFPicture for drawing and
// the clipboard; this part needs no window layer.
#include "display/GIFError.h"
#include "display/GIFLzw.h"
#include "display/GIFTypes.h"

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <span>
#include <string>
#include <vector>

// On: bad code sizes, runaway chains and truncated data mark the frame
// corrupted instead of failing. This program never turns it off.
inline bool TolerateCorruptGIF = true;

enum TGIFVersion : std::uint8_t { gvUnknown = 0, gv87a = 1, gv89a = 2 };

class TGIFPicture;

// The codec's half of a frame; the graphic's TGIFFrame adds its bitmap.
class TGIFFrameBase {
public:
  explicit TGIFFrameBase(TGIFPicture* picture) : Picture(picture) {}
  TGIFFrameBase(const TGIFFrameBase&) = delete;
  TGIFFrameBase& operator=(const TGIFFrameBase&) = delete;
  virtual ~TGIFFrameBase() = default;

  TGIFPicture* Picture;
  TSharedRef<TGIFItem> Item;
  std::vector<TExtension> Extensions;
  TGIFPoint TopLeft;
  bool Interlaced = false;
  bool Corrupted = false;
  TColor TransparentColor = clNone;
  std::uint16_t AnimateInterval = 0;  // milliseconds
  std::uint8_t DisposalMethod = 0;
  bool LocalColors = false;
  // Index that gave TransparentColor, so writing keeps the very entry even
  // when the table holds that colour twice; -1 when none.
  int TransparentIndex = -1;

  // The decoded frame, built on first use and kept until the data change or
  // the picture needs the room (see kGIFMaxKeptPixels): hold DecodedShared
  // to keep it past the next decoding of another frame. Throws "Wrong number
  // of colors; must be a power of 2" without a table.
  const TGIFBitmap& Decoded();
  bool HasDecoded() const { return FBitmap != nullptr; }
  // The decoded plane as held (null before the first decoding): its
  // identity changes whenever the frame's pixels do.
  const std::shared_ptr<const TGIFBitmap>& DecodedShared() const { return FBitmap; }
  bool HasImageData() const { return Item && !Item->ImageData.empty(); }
  TGIFPoint Size() const;
  // Lines of the frame's comment extensions.
  std::vector<std::string> Comment() const;

  // Copies another frame, sharing its compressed data.
  void Assign(const TGIFFrameBase& source);
  // Replaces the frame with a bitmap; it has no compressed data until written.
  void Assign(const TGIFBitmap& bitmap);
  // Keeps the frame's data but shows `bitmap` as its decoded pixels.
  void ReplaceDecoded(const TGIFBitmap& bitmap) {
    FBitmap = std::make_shared<const TGIFBitmap>(bitmap);
    FReplaced = true;
  }
  // Encodes the bitmap when there is no compressed data (for writing).
  void EnsureImageData();
  // Lets the decoded pixels go when they can be decoded again; returns how
  // many pixels that frees.
  std::uint64_t ReleaseDecoded();

private:
  std::shared_ptr<const TGIFBitmap> FBitmap;
  bool FReplaced = false;  // FBitmap did not come from the compressed data
};

class TGIFPicture {
public:
  TGIFPicture();
  TGIFPicture(const TGIFPicture&) = delete;
  TGIFPicture& operator=(const TGIFPicture&) = delete;
  virtual ~TGIFPicture() = default;
  // Every frame the picture makes comes from here, so a holder can use
  // frames of its own class.
  virtual std::unique_ptr<TGIFFrameBase> NewFrame() { return std::make_unique<TGIFFrameBase>(this); }

  TSharedRef<TGIFData> Data;
  std::uint8_t Version = gvUnknown;
  std::vector<std::unique_ptr<TGIFFrameBase>> Frames;
  std::int32_t FrameIndex = -1;
  TColor BackgroundColor = clNone;
  bool Looping = false;
  bool Corrupted = false;
  std::uint16_t RepeatCount = 1;
  TGIFProgress OnProgress;
  std::function<void()> OnChange;

  std::uint16_t ScreenWidth() const { return Frames.empty() ? 0 : FScreenWidth; }
  std::uint16_t ScreenHeight() const { return Frames.empty() ? 0 : FScreenHeight; }
  void SetScreenSize(std::uint16_t w, std::uint16_t h) { FScreenWidth = w; FScreenHeight = h; }
  std::size_t Count() const { return Frames.size(); }
  TGIFFrameBase& Frame(std::size_t i) { return *Frames.at(i); }

  void Clear();
  // Loads a whole GIF held in memory; decodes frame 0 when asked.
  void LoadFromBytes(std::span<const std::uint8_t> bytes, bool decodeFirst = true);
  // Reads from the stream's position to its end.
  void LoadFromStream(std::istream& in);
  // Window-definition form: a 32-bit little-endian byte count, then the GIF.
  void ReadData(std::istream& in);
  // The clipboard's form (count and GIF) without decoding any frame.
  void LoadFromClipboardData(std::span<const std::uint8_t> bytes);

  std::vector<std::uint8_t> SaveToBytes();
  void SaveToStream(std::ostream& out);
  void WriteData(std::ostream& out);

  void Assign(const TGIFPicture* source);
  void Assign(const TGIFFrameBase& source);
  void Assign(const TGIFBitmap& source);
  int AddFrame(const TGIFBitmap& bitmap);
  // Appends a frame made by NewFrame and filled by the caller; the screen
  // grows to hold it. Returns its index, now the current frame.
  int AddFrame(std::unique_ptr<TGIFFrameBase> frame);
  bool Equals(const TGIFPicture& other) const { return Data == other.Data; }
  bool GetEmpty() const;
  int GetWidth() const;
  int GetHeight() const;
  [[noreturn]] void SetWidth(int);
  [[noreturn]] void SetHeight(int);
  bool HasTransparentFrame() const;
  // Lets decoded frames other than `keep` go until `pixels` more fit in
  // kGIFMaxKeptPixels.
  void MakeRoomFor(std::uint64_t pixels, const TGIFFrameBase* keep);
  void Changed() { if (OnChange) OnChange(); }

private:
  friend class TGIFReader;
  std::uint16_t FScreenWidth = 0, FScreenHeight = 0;
  void Load(std::span<const std::uint8_t> bytes, bool decodeFirst);
  // Load in two steps: reading the frames (false for no data at all), then
  // decoding the first one and telling of the change.
  bool Parse(std::span<const std::uint8_t> bytes);
  void Finish(bool decodeFirst);
};

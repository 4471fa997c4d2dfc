#pragma once
// TGIFImage: a GIF87a/GIF89a picture as a framework graphic. It loads from
// streams, window-definition data and the clipboard, decodes each frame into
// a bitmap on first use, draws its current frame (transparently when the
// picture has transparent frames) and writes itself back as GIF. The codec
// underneath is TGIFPicture (GIFPicture.h).
#include "display/GIFPicture.h"

#include <memory>

#include "framework/bitmap.h"
#include "framework/canvas.h"
#include "framework/graphic.h"

class TGIFImage;

// The clipboard format registered under "GIF Image": a 32-bit byte count
// followed by the GIF file, in global memory.
UINT CF_GIF();

class TGIFFrame : public TPersistent, public TGIFFrameBase {
 public:
  explicit TGIFFrame(TGIFImage* owner);
  ~TGIFFrame() override;

  TGIFImage* Owner;

  // The frame as a bitmap: decoded on first use and cached until the
  // frame's data change. Never null; empty when the frame has no data.
  TBitmap* Bitmap();
  // Replaces the shown pixels (the compressed data stay as they are).
  void SetBitmap(TBitmap* bitmap);
  // Stretches the frame into `rect`; with `transparent` and a transparent
  // colour, pixels of that colour leave the canvas untouched.
  void Draw(TCanvas* canvas, const TRect& rect, bool transparent);

  using TGIFFrameBase::Assign;
  // From a TGIFFrame (shares its data), a TBitmap (reduced to at most 256
  // colours), a TGIFImage (its current frame) or nil (empties).
  void Assign(TPersistent* source) override;
  void AssignTo(TPersistent* dest) override;

 private:
  struct TMaskCache;
  std::unique_ptr<TBitmap> FBitmap;
  // What FBitmap was made from, held so the identities cannot be reused.
  TSharedRef<TGIFItem> FBitmapItem;
  std::shared_ptr<const TGIFBitmap> FBitmapPlane;
  std::unique_ptr<TMaskCache> FMask;

  bool BitmapCurrent() const;
  void DrawTransparent(TCanvas* canvas, const TRect& rect);
};

class TGIFImage : public TGraphic {
 public:
  TGIFImage();
  ~TGIFImage() override;

  TGIFProgress OnProgress;

  void Assign(TPersistent* source) override;
  void AssignTo(TPersistent* dest) override;
  void Draw(TCanvas* canvas, const TRect& rect) override;
  bool Equals(TGraphic* graphic) override;
  bool GetEmpty() override { return FPicture.GetEmpty(); }
  int GetHeight() override { return FPicture.GetHeight(); }
  int GetWidth() override { return FPicture.GetWidth(); }
  // Window-definition form: a 32-bit byte count, then the GIF.
  void ReadData(TStream* stream) override;
  void WriteData(TStream* stream) override;
  // Always fail: a GIF keeps the size its frames give it.
  [[noreturn]] void SetHeight(int height) override;
  [[noreturn]] void SetWidth(int width) override;
  // Reads from the stream's position to its end.
  void LoadFromStream(TStream* stream) override;
  void SaveToStream(TStream* stream) override;
  void LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette) override;
  void SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette) override;
  HPALETTE GetPalette() override;
  // Appends a frame holding `graphic`, makes it current, returns its index.
  virtual int AddFrame(TGraphic* graphic);

  void Clear();
  int Count() const { return int(FPicture.Count()); }
  TGIFFrame* Frames(int index);
  int FrameIndex() const { return FPicture.FrameIndex; }
  // Ignores indices outside the frames.
  void SetFrameIndex(int index);
  std::vector<std::string>& Comment() { return FPicture.Data->Comment; }
  TGIFData* Data() const { return FPicture.Data.get(); }
  std::uint8_t Version() const { return FPicture.Version; }
  TColor BackgroundColor() const { return FPicture.BackgroundColor; }
  void SetBackgroundColor(TColor color);
  bool Looping() const { return FPicture.Looping; }
  void SetLooping(bool value);
  std::uint16_t RepeatCount() const { return FPicture.RepeatCount; }
  void SetRepeatCount(std::uint16_t value);
  bool Corrupted() const { return FPicture.Corrupted; }
  std::uint16_t ScreenWidth() const { return FPicture.ScreenWidth(); }
  std::uint16_t ScreenHeight() const { return FPicture.ScreenHeight(); }
  bool HasTransparentFrame() const { return FPicture.HasTransparentFrame(); }
  // The codec's view of the same picture (for composing and inspection).
  TGIFPicture& Picture() { return FPicture; }

 protected:
  void Changed(TObject* sender) override;

 private:
  friend class TGIFFrame;
  class TFramePicture : public TGIFPicture {
   public:
    explicit TFramePicture(TGIFImage* image) : FImage(image) {}
    std::unique_ptr<TGIFFrameBase> NewFrame() override;

   private:
    TGIFImage* FImage;
  };
  TFramePicture FPicture;

  // Decoding happens inside the codec, which reports to its own callback.
  void SyncProgress() { FPicture.OnProgress = OnProgress; }
  void LoadBytes(std::span<const std::uint8_t> bytes);
};

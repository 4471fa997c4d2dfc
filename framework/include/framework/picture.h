// TPicture: holds one graphic of any registered class. Files choose the
// class by extension through the file format registry; the clipboard
// registry maps clipboard formats to classes the same way.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/bitmap.h"
#include "framework/graphic.h"

struct TFileFormat {
  std::string extension;  // lower case, without the dot
  std::string description;
  TGraphicClass graphicClass;
};

struct TClipboardFormat {
  UINT format;
  TGraphicClass graphicClass;
};

class TPicture : public TPersistent {
 public:
  TPicture();
  ~TPicture() override;

  TNotifyEvent OnChange;

  TGraphic* Graphic() const { return graphic_.get(); }
  // A copy of `graphic` (of its own class, which must be registered for a
  // file or clipboard format, or be TBitmap) becomes the picture's; null
  // clears.
  void SetGraphic(TGraphic* graphic);
  // The graphic as a bitmap: a bitmap takes the place of any other graphic.
  TBitmap* Bitmap();
  void SetBitmap(TBitmap* bitmap) { SetGraphic(bitmap); }
  int Width() const { return graphic_ ? graphic_->Width() : 0; }
  int Height() const { return graphic_ ? graphic_->Height() : 0; }

  // The class registered for the file's extension (any case) reads it;
  // an unknown extension raises EInvalidGraphic "Unknown picture file
  // extension (.ext)".
  void LoadFromFile(const std::string& fileName);
  // Writes the graphic in its own format; nothing when empty.
  void SaveToFile(const std::string& fileName);
  void LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette);
  void SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette);

  void Assign(TPersistent* source) override;

  // A later registration of the same extension or format wins.
  static void RegisterFileFormat(const std::string& extension, const std::string& description,
                                 TGraphicClass graphicClass);
  static void UnregisterGraphicClass(TGraphicClass graphicClass);
  static void RegisterClipboardFormat(UINT format, TGraphicClass graphicClass);
  static bool SupportsClipboardFormat(UINT format);
  static const std::vector<TFileFormat>& FileFormats();
  static const std::vector<TClipboardFormat>& ClipboardFormats();
  // "Bitmaps (*.bmp)|*.bmp|..." for an open dialog, all formats first.
  static std::string GraphicFilter();

 protected:
  virtual void Changed(TObject* sender);

 private:
  void Adopt(std::unique_ptr<TGraphic> graphic);
  std::unique_ptr<TGraphic> graphic_;
};

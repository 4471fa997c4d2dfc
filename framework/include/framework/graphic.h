// TGraphic: the abstract picture the canvas draws and TPicture holds. The
// virtual operations are the ones picture classes (bitmaps, animated
// images) override; the non-virtual helpers route through them.
#pragma once

#include <string>

#include "framework/graphics.h"
#include "framework/object.h"
#include "framework/types.h"

class TCanvas;
class TStream;

class TGraphic : public TPersistent {
 public:
  TNotifyEvent OnChange;

  virtual void Draw(TCanvas* canvas, const TRect& rect) = 0;
  virtual bool Equals(TGraphic* graphic);
  virtual bool GetEmpty() = 0;
  virtual int GetHeight() = 0;
  virtual int GetWidth() = 0;
  // The stored form inside a window definition: by default the stream form.
  virtual void ReadData(TStream* stream);
  virtual void WriteData(TStream* stream);
  virtual void SetHeight(int height) = 0;
  virtual void SetWidth(int width) = 0;
  virtual void LoadFromStream(TStream* stream) = 0;
  virtual void SaveToStream(TStream* stream) = 0;
  virtual void LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette);
  virtual void SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette);
  virtual HPALETTE GetPalette() { return nullptr; }
  virtual bool GetTransparent() { return transparent_; }
  virtual void SetTransparent(bool value);

  bool Empty() { return GetEmpty(); }
  int Width() { return GetWidth(); }
  int Height() { return GetHeight(); }
  bool Transparent() { return GetTransparent(); }
  bool Modified() const { return modified_; }
  void SetModified(bool value);
  HPALETTE Palette() { return GetPalette(); }

  // Files are opened for reading (sharing writes away) or created, and
  // handed to the stream operations.
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName);

 protected:
  // Marks the graphic modified and announces the change.
  virtual void Changed(TObject* sender);

 private:
  bool transparent_ = false;
  bool modified_ = false;
};

// Makes a graphic of one class: the file and clipboard registries hold these.
using TGraphicClass = TGraphic* (*)();
template <class G>
TGraphic* MakeGraphic() {
  return new G;
}

// TClipboard: the user32 clipboard for the framework's objects: text,
// bitmaps and the graphics of TPicture's clipboard format registry.
#pragma once

#include <cstddef>
#include <string>

#include <win32/windef.h>

#include "framework/exceptions.h"
#include "framework/object.h"

class TBitmap;
class TGraphic;
class TPicture;

class TClipboard : public TPersistent {
 public:
  TClipboard();
  ~TClipboard() override;

  // Opens are counted: only the outermost Open and Close reach user32.
  // EClipboardException "Cannot open clipboard" when another window has it.
  void Open();
  void Close();
  // Empties the clipboard (this program becomes its owner).
  void Clear();

  bool HasFormat(UINT format) const;
  int FormatCount() const;
  UINT Formats(int index) const;

  // "" when there is no text.
  std::string AsText();
  void SetAsText(const std::string& text);
  // The clipboard's handle for `format` (still the clipboard's), or null.
  HANDLE GetAsHandle(UINT format);
  // Replaces the clipboard's contents with `data` (which becomes the
  // clipboard's). Inside an Open/Close pair only the first store empties,
  // so several formats of one object go on together.
  void SetAsHandle(UINT format, HANDLE data);
  // A copy of `bytes` in global memory under `format`.
  void SetBuffer(UINT format, const void* bytes, std::size_t size);

  // Puts a TBitmap (CF_BITMAP), a TPicture's graphic or any graphic that
  // writes a clipboard format on the clipboard.
  void Assign(TPersistent* source) override;

 protected:
  // Reads into a TPicture (the first registered format available) or a
  // TBitmap (CF_BITMAP).
  void AssignTo(TPersistent* dest) override;

 private:
  void AssignGraphic(TGraphic* graphic);
  void AssignBitmap(TBitmap* bitmap);
  void AssignToBitmap(TBitmap* bitmap);
  void AssignToPicture(TPicture* picture);
  void Adding();

  HWND window_ = nullptr;
  int openCount_ = 0;
  bool emptied_ = false;
};

XVT_DECLARE_EXCEPTION(EClipboardException, Exception);

// The program's clipboard object, made on first use.
TClipboard* Clipboard();
// Replaces it (returns the old one, which the caller then owns).
TClipboard* SetClipboard(TClipboard* clipboard);

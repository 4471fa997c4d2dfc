#include "framework/clipboard.h"

#include <cstring>
#include <typeinfo>

#include <win32/kernel32.h>
#include <win32/user32.h>
#include <win32/user32_clipboard.h>

#include "framework/bitmap.h"
#include "framework/picture.h"
#include "framework/timer.h"

namespace {

TClipboard*& TheClipboard() {
  static TClipboard* clipboard = nullptr;
  return clipboard;
}

// Open for the length of a scope, nested in any outer Open.
class OpenScope {
 public:
  explicit OpenScope(TClipboard* clipboard) : clipboard_(clipboard) { clipboard_->Open(); }
  ~OpenScope() { clipboard_->Close(); }
  OpenScope(const OpenScope&) = delete;
  OpenScope& operator=(const OpenScope&) = delete;

 private:
  TClipboard* clipboard_;
};

}  // namespace

TClipboard* Clipboard() {
  if (!TheClipboard()) TheClipboard() = new TClipboard;
  return TheClipboard();
}

TClipboard* SetClipboard(TClipboard* clipboard) {
  TClipboard* old = TheClipboard();
  TheClipboard() = clipboard;
  return old;
}

TClipboard::TClipboard() = default;

TClipboard::~TClipboard() {
  if (openCount_ > 0) CloseClipboard();
  DeallocateHWnd(window_);
}

void TClipboard::Open() {
  if (openCount_ == 0) {
    if (!window_) window_ = AllocateHWnd([](HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcA(w, m, wp, lp); });
    if (!OpenClipboard(window_)) throw EClipboardException("Cannot open clipboard");
    emptied_ = false;
  }
  ++openCount_;
}

void TClipboard::Close() {
  if (openCount_ == 0) return;
  if (--openCount_ == 0) CloseClipboard();
}

void TClipboard::Clear() {
  OpenScope open(this);
  EmptyClipboard();
  emptied_ = true;
}

void TClipboard::Adding() {
  if (!emptied_) Clear();
}

bool TClipboard::HasFormat(UINT format) const { return IsClipboardFormatAvailable(format) != FALSE; }

int TClipboard::FormatCount() const { return CountClipboardFormats(); }

UINT TClipboard::Formats(int index) const {
  UINT format = 0;
  for (int i = 0; i <= index; ++i) {
    format = EnumClipboardFormats(format);
    if (!format) break;
  }
  return format;
}

std::string TClipboard::AsText() {
  OpenScope open(this);
  HANDLE data = GetClipboardData(CF_TEXT);
  if (!data) return {};
  const char* text = static_cast<const char*>(GlobalLock(data));
  std::string result = text ? std::string(text, strnlen(text, GlobalSize(data))) : std::string();
  GlobalUnlock(data);
  return result;
}

void TClipboard::SetAsText(const std::string& text) { SetBuffer(CF_TEXT, text.c_str(), text.size() + 1); }

void TClipboard::SetBuffer(UINT format, const void* bytes, std::size_t size) {
  HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size);
  if (!data) throw EOutOfMemory();
  std::memcpy(GlobalLock(data), bytes, size);
  GlobalUnlock(data);
  try {
    SetAsHandle(format, data);
  } catch (...) {
    GlobalFree(data);
    throw;
  }
}

HANDLE TClipboard::GetAsHandle(UINT format) {
  OpenScope open(this);
  return GetClipboardData(format);
}

void TClipboard::SetAsHandle(UINT format, HANDLE data) {
  OpenScope open(this);
  Adding();
  if (!SetClipboardData(format, data)) throw EClipboardException("Cannot set clipboard data");
}

void TClipboard::Assign(TPersistent* source) {
  if (auto* picture = dynamic_cast<TPicture*>(source)) {
    if (picture->Graphic()) AssignGraphic(picture->Graphic());
    return;
  }
  if (auto* graphic = dynamic_cast<TGraphic*>(source)) return AssignGraphic(graphic);
  TPersistent::Assign(source);
}

void TClipboard::AssignGraphic(TGraphic* graphic) {
  OpenScope open(this);
  Adding();
  auto* bitmap = dynamic_cast<TBitmap*>(graphic);
  if (bitmap && typeid(*graphic) == typeid(TBitmap)) return AssignBitmap(bitmap);
  UINT format = 0;
  HANDLE data = nullptr;
  HPALETTE palette = nullptr;
  try {
    graphic->SaveToClipboardFormat(format, data, palette);
  } catch (const EInvalidGraphic&) {
    // A kind of bitmap without a format of its own goes on as a bitmap.
    if (!bitmap) throw;
    return AssignBitmap(bitmap);
  }
  if (data) SetAsHandle(format, data);
  if (palette) SetAsHandle(CF_PALETTE, palette);
}

void TClipboard::AssignBitmap(TBitmap* bitmap) {
  // The clipboard keeps a copy of its own; the bitmap stays the caller's.
  TBitmap copy;
  copy.Assign(bitmap);
  SetAsHandle(CF_BITMAP, copy.ReleaseHandle());
}

void TClipboard::AssignTo(TPersistent* dest) {
  if (auto* picture = dynamic_cast<TPicture*>(dest)) return AssignToPicture(picture);
  if (auto* bitmap = dynamic_cast<TBitmap*>(dest)) return AssignToBitmap(bitmap);
  TPersistent::AssignTo(dest);
}

void TClipboard::AssignToBitmap(TBitmap* bitmap) {
  OpenScope open(this);
  auto handle = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
  if (!handle) throw EClipboardException("Clipboard does not support Bitmaps");
  // Borrow the clipboard's bitmap just long enough to copy it.
  TBitmap view;
  view.SetHandle(handle);
  try {
    bitmap->Assign(&view);
  } catch (...) {
    view.ReleaseHandle();
    throw;
  }
  view.ReleaseHandle();
}

void TClipboard::AssignToPicture(TPicture* picture) {
  OpenScope open(this);
  // Later registrations first: a graphic that also leaves a plain bitmap
  // beside its own format is read back in its own format.
  const auto& formats = TPicture::ClipboardFormats();
  for (auto it = formats.rbegin(); it != formats.rend(); ++it) {
    const TClipboardFormat& entry = *it;
    if (!HasFormat(entry.format)) continue;
    if (entry.format == CF_BITMAP) {
      AssignToBitmap(picture->Bitmap());
    } else {
      picture->LoadFromClipboardFormat(entry.format, GetClipboardData(entry.format),
                                       static_cast<HPALETTE>(GetClipboardData(CF_PALETTE)));
    }
    return;
  }
  throw EClipboardException("Unsupported clipboard format");
}

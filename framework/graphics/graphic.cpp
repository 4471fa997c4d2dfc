#include "framework/graphic.h"

#include "framework/exceptions.h"
#include "framework/stream.h"

#include <algorithm>
#include <typeinfo>

bool TGraphic::Equals(TGraphic* graphic) {
  if (!graphic || typeid(*graphic) != typeid(*this)) return false;
  if (graphic == this) return true;
  if (Empty() || graphic->Empty()) return Empty() == graphic->Empty();
  // Same class, both with content: equal when their stream forms are.
  TMemoryStream mine, theirs;
  SaveToStream(&mine);
  graphic->SaveToStream(&theirs);
  return mine.Size() == theirs.Size() &&
         std::equal(mine.Memory(), mine.Memory() + mine.Size(), theirs.Memory());
}

void TGraphic::ReadData(TStream* stream) { LoadFromStream(stream); }

void TGraphic::WriteData(TStream* stream) { SaveToStream(stream); }

void TGraphic::LoadFromClipboardFormat(UINT, HANDLE, HPALETTE) {
  throw EInvalidGraphic("Unsupported clipboard format");
}

void TGraphic::SaveToClipboardFormat(UINT&, HANDLE&, HPALETTE&) {
  throw EInvalidGraphic("Unsupported clipboard format");
}

void TGraphic::SetTransparent(bool value) {
  if (value == transparent_) return;
  transparent_ = value;
  Changed(this);
}

void TGraphic::SetModified(bool value) {
  if (value)
    Changed(this);
  else
    modified_ = false;
}

void TGraphic::Changed(TObject*) {
  modified_ = true;
  if (OnChange) OnChange(this);
}

void TGraphic::LoadFromFile(const std::string& fileName) {
  TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&stream);
}

void TGraphic::SaveToFile(const std::string& fileName) {
  TFileStream stream(fileName, fmCreate);
  SaveToStream(&stream);
}

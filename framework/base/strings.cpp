#include "framework/strings.h"

#include "framework/exceptions.h"
#include "framework/format.h"
#include "framework/stream.h"
#include "framework/text.h"

void TStrings::Error(const char* message, int index) const { throw EStringListError(Format(message, index)); }

void TStrings::SetStrings(int index, const std::string& text) {
  TObject* object = Objects(index);
  Delete(index);
  InsertObject(index, text, object);
}

TObject* TStrings::Objects(int) const { return nullptr; }
void TStrings::SetObjects(int, TObject*) {}

int TStrings::Add(const std::string& text) {
  int index = Count();
  Insert(index, text);
  return index;
}

int TStrings::AddObject(const std::string& text, TObject* object) {
  int index = Add(text);
  SetObjects(index, object);
  return index;
}

void TStrings::InsertObject(int index, const std::string& text, TObject* object) {
  Insert(index, text);
  SetObjects(index, object);
}

void TStrings::AddStrings(const TStrings& strings) {
  BeginUpdate();
  try {
    for (int i = 0; i < strings.Count(); ++i) AddObject(strings.Strings(i), strings.Objects(i));
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

int TStrings::CompareStrings(const std::string& a, const std::string& b) const { return AnsiCompareText(a, b); }

int TStrings::IndexOf(const std::string& text) const {
  for (int i = 0; i < Count(); ++i)
    if (CompareStrings(Strings(i), text) == 0) return i;
  return -1;
}

int TStrings::IndexOfObject(const TObject* object) const {
  for (int i = 0; i < Count(); ++i)
    if (Objects(i) == object) return i;
  return -1;
}

void TStrings::Exchange(int index1, int index2) {
  BeginUpdate();
  std::string text = Strings(index1);
  TObject* object = Objects(index1);
  SetStrings(index1, Strings(index2));
  SetObjects(index1, Objects(index2));
  SetStrings(index2, text);
  SetObjects(index2, object);
  EndUpdate();
}

void TStrings::Move(int currentIndex, int newIndex) {
  if (currentIndex == newIndex) return;
  BeginUpdate();
  std::string text = Strings(currentIndex);
  TObject* object = Objects(currentIndex);
  Delete(currentIndex);
  InsertObject(newIndex, text, object);
  EndUpdate();
}

bool TStrings::Equals(const TStrings& other) const {
  if (Count() != other.Count()) return false;
  for (int i = 0; i < Count(); ++i)
    if (Strings(i) != other.Strings(i)) return false;
  return true;
}

std::string TStrings::Text() const {
  std::string out;
  for (int i = 0; i < Count(); ++i) out += Strings(i) + "\r\n";
  return out;
}

void TStrings::SetText(std::string_view text) {
  BeginUpdate();
  Clear();
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t start = i;
    while (i < text.size() && text[i] != '\r' && text[i] != '\n') ++i;
    Add(std::string(text.substr(start, i - start)));
    if (i < text.size() && text[i] == '\r') ++i;
    if (i < text.size() && text[i] == '\n') ++i;
  }
  EndUpdate();
}

std::string TStrings::CommaText() const {
  if (Count() == 1 && Strings(0).empty()) return "\"\"";
  std::string out;
  for (int i = 0; i < Count(); ++i) {
    std::string s = Strings(i);
    bool quote = false;
    for (char c : s) quote = quote || static_cast<unsigned char>(c) <= ' ' || c == '"' || c == ',';
    if (i > 0) out += ',';
    out += quote ? AnsiQuotedStr(s, '"') : s;
  }
  return out;
}

void TStrings::SetCommaText(std::string_view text) {
  auto blank = [&](std::size_t p) { return p < text.size() && static_cast<unsigned char>(text[p]) <= ' '; };
  BeginUpdate();
  Clear();
  std::size_t p = 0;
  while (blank(p)) ++p;
  while (p < text.size()) {
    std::string item;
    if (text[p] == '"') {
      item = AnsiExtractQuotedStr(text, p, '"');
    } else {
      std::size_t start = p;
      while (p < text.size() && !blank(p) && text[p] != ',') ++p;
      item = std::string(text.substr(start, p - start));
    }
    Add(item);
    while (blank(p)) ++p;
    if (p < text.size() && text[p] == ',') {
      do ++p;
      while (blank(p));
    }
  }
  EndUpdate();
}

std::string TStrings::Names(int index) const {
  std::string s = Strings(index);
  auto eq = s.find('=');
  return eq == std::string::npos ? std::string() : s.substr(0, eq);
}

int TStrings::IndexOfName(const std::string& name) const {
  for (int i = 0; i < Count(); ++i) {
    std::string s = Strings(i);
    auto eq = s.find('=');
    if (eq != std::string::npos && CompareStrings(s.substr(0, eq), name) == 0) return i;
  }
  return -1;
}

std::string TStrings::Values(const std::string& name) const {
  int i = IndexOfName(name);
  return i < 0 ? std::string() : Strings(i).substr(name.size() + 1);
}

void TStrings::SetValues(const std::string& name, const std::string& value) {
  int i = IndexOfName(name);
  if (value.empty()) {
    if (i >= 0) Delete(i);
  } else if (i < 0) {
    Add(name + "=" + value);
  } else {
    SetStrings(i, name + "=" + value);
  }
}

void TStrings::BeginUpdate() {
  if (updateCount_ == 0) SetUpdateState(true);
  ++updateCount_;
}

void TStrings::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0) SetUpdateState(false);
}

void TStrings::Assign(TPersistent* source) {
  if (auto* strings = dynamic_cast<TStrings*>(source)) {
    if (strings == this) return;
    BeginUpdate();
    try {
      Clear();
      AddStrings(*strings);
    } catch (...) {
      EndUpdate();
      throw;
    }
    EndUpdate();
    return;
  }
  TPersistent::Assign(source);
}

void TStrings::LoadFromStream(TStream& stream) {
  std::int64_t size = stream.Size() - stream.Position();
  std::string text(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
  if (!text.empty()) stream.ReadBuffer(text.data(), static_cast<std::int64_t>(text.size()));
  SetText(text);
}

void TStrings::SaveToStream(TStream& stream) const {
  std::string text = Text();
  if (!text.empty()) stream.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
}

void TStrings::LoadFromFile(const std::string& fileName) {
  TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(stream);
}

void TStrings::SaveToFile(const std::string& fileName) const {
  TFileStream stream(fileName, fmCreate);
  SaveToStream(stream);
}

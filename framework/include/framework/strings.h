// TStrings, the framework's list-of-text-lines interface with an object per
// line, and TStringList, its stand-alone implementation (optionally sorted
// without regard to case, with a duplicates policy and change events).
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/object.h"
#include "framework/types.h"

class TStream;

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStrings : public TPersistent {
 public:
  virtual int Count() const = 0;
  virtual std::string Strings(int index) const = 0;
  virtual void SetStrings(int index, const std::string& text);
  virtual TObject* Objects(int index) const;
  virtual void SetObjects(int index, TObject* object);
  virtual void Insert(int index, const std::string& text) = 0;
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;

  virtual int Add(const std::string& text);
  virtual int AddObject(const std::string& text, TObject* object);
  void Append(const std::string& text) { Add(text); }
  void AddStrings(const TStrings& strings);
  void InsertObject(int index, const std::string& text, TObject* object);
  virtual int IndexOf(const std::string& text) const;
  int IndexOfObject(const TObject* object) const;
  virtual void Exchange(int index1, int index2);
  virtual void Move(int currentIndex, int newIndex);
  bool Equals(const TStrings& other) const;

  // Every line followed by CR LF. Setting splits at CR LF, CR or LF; a last
  // line without an ending still counts.
  virtual std::string Text() const;
  virtual void SetText(std::string_view text);
  // Lines separated by commas, each quoted when it holds a blank, a comma
  // or a double quote. Setting also splits at unquoted blanks.
  std::string CommaText() const;
  void SetCommaText(std::string_view text);
  // Lines of the form name=value.
  std::string Names(int index) const;
  std::string Values(const std::string& name) const;
  void SetValues(const std::string& name, const std::string& value);
  int IndexOfName(const std::string& name) const;

  // Changes inside BeginUpdate/EndUpdate are announced once, at the end.
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return updateCount_; }

  void Assign(TPersistent* source) override;
  virtual void LoadFromStream(TStream& stream);
  virtual void SaveToStream(TStream& stream) const;
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName) const;

 protected:
  // Entering (true) or leaving (false) an update.
  virtual void SetUpdateState(bool /*updating*/) {}
  // Compares two lines as this list does (by default ignoring case).
  virtual int CompareStrings(const std::string& a, const std::string& b) const;
  [[noreturn]] void Error(const char* message, int index) const;

 private:
  int updateCount_ = 0;
};

class TStringList : public TStrings {
 public:
  using TStringListSortCompare = std::function<int(TStringList& list, int index1, int index2)>;

  TStringList() = default;
  ~TStringList() override;

  int Count() const override { return static_cast<int>(items_.size()); }
  std::string Strings(int index) const override;
  void SetStrings(int index, const std::string& text) override;
  TObject* Objects(int index) const override;
  void SetObjects(int index, TObject* object) override;
  // Sorted lists insert in order; Insert on a sorted list fails.
  int Add(const std::string& text) override;
  int AddObject(const std::string& text, TObject* object) override;
  void Insert(int index, const std::string& text) override;
  void Delete(int index) override;
  void Clear() override;
  int IndexOf(const std::string& text) const override;
  void Exchange(int index1, int index2) override;
  void Move(int currentIndex, int newIndex) override;

  // Binary search of a sorted list: true when found; `index` is where the
  // line is (or would go).
  virtual bool Find(const std::string& text, int& index) const;
  virtual void Sort();
  virtual void CustomSort(const TStringListSortCompare& compare);

  bool Sorted() const { return sorted_; }
  void SetSorted(bool sorted);
  TDuplicates Duplicates() const { return duplicates_; }
  void SetDuplicates(TDuplicates duplicates) { duplicates_ = duplicates; }
  bool CaseSensitive() const { return caseSensitive_; }
  void SetCaseSensitive(bool caseSensitive);
  // When set, the list destroys the objects of deleted lines and its own.
  bool OwnsObjects() const { return ownsObjects_; }
  void SetOwnsObjects(bool owns) { ownsObjects_ = owns; }

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

 protected:
  virtual void Changed();
  virtual void Changing();
  void SetUpdateState(bool updating) override;
  int CompareStrings(const std::string& a, const std::string& b) const override;
  virtual void InsertItem(int index, const std::string& text, TObject* object);

 private:
  struct Item {
    std::string text;
    TObject* object = nullptr;
  };
  void CheckIndex(int index) const;
  void CheckUnsorted() const;
  void SortItems(const TStringListSortCompare& compare);
  void FreeObject(TObject* object) const;

  std::vector<Item> items_;
  bool sorted_ = false;
  bool caseSensitive_ = false;
  bool ownsObjects_ = false;
  TDuplicates duplicates_ = dupIgnore;
};

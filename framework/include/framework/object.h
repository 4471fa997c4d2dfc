// The root of the class tree: a virtual destructor, the class name, and the
// copy protocol of persistent objects (Assign asks the source to AssignTo).
#pragma once

#include <memory>
#include <string>

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;

  // The class's own name ("TMainForm"), taken from the run-time type with
  // namespaces and template arguments stripped, so a subclass declares
  // nothing. A class whose C++ name is not the name it should report
  // overrides this.
  virtual std::string ClassName() const;
  // Case-insensitive comparison with ClassName().
  bool ClassNameIs(const std::string& name) const;

  // Called by Free() while the object is still whole, before any destructor
  // runs, so work that needs the full dynamic type can happen here.
  virtual void BeforeDestruction() {}
};

// Destroys an object (nothing for nullptr), running BeforeDestruction first.
void Free(TObject* object);

template <class T>
void FreeAndNil(T*& object) {
  T* doomed = object;
  object = nullptr;
  Free(doomed);
}

// Deleter for std::unique_ptr that destroys through Free().
struct TFree {
  void operator()(TObject* object) const { Free(object); }
};
template <class T>
using TOwned = std::unique_ptr<T, TFree>;

class TPersistent : public TObject {
 public:
  // Copies from `source`. The default asks the source to AssignTo this; a
  // class that knows how to copy from some source overrides this and falls
  // back to TPersistent::Assign for the rest.
  virtual void Assign(TPersistent* source);
  // Copies this object into `dest`; the default fails as an impossible copy.
  virtual void AssignTo(TPersistent* dest);
  // Raises EConvertError "Cannot assign a %s to a %s" (source, this class).
  [[noreturn]] void AssignError(TPersistent* source);
};

// A class name as reported for `object`, or "nil" for none.
std::string ClassNameOf(const TObject* object);

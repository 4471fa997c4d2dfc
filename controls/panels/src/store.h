// The setters' one rule: store a value only when it differs, and say so.
#pragma once

template <class T>
bool StoreChanged(T& field, T value) {
  if (field == value) return false;
  field = value;
  return true;
}

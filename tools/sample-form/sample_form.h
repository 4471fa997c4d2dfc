// A small window that shows most of the standard-control wrappers in one
// place, built into a plain top-level window of the headless (or any)
// backend, so its look can be checked against a golden picture.
#pragma once

#include <memory>

#include <win32/windows.h>

#include "framework/panel.h"

namespace sample_form {

inline constexpr int kWidth = 420;
inline constexpr int kHeight = 300;

class SampleForm {
 public:
  // Makes the host window and every control in it, painted and ready.
  SampleForm();
  ~SampleForm();
  HWND Window() const { return host_; }
  // Paints everything and writes the window's surface to `path` as PNG.
  bool SavePng(const char* path);

 private:
  void Build();
  HWND host_ = nullptr;
  std::unique_ptr<TPanel> root_;
};

}  // namespace sample_form

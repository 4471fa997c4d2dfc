// System colours changed for one test and given back when it ends, passed
// or failed, so that no later test sees them.
#pragma once

#include <win32/windows.h>

#include <utility>
#include <vector>

namespace testsupport {

class ChangedSysColors {
 public:
  ChangedSysColors(std::vector<INT> which, std::vector<COLORREF> colours) : which_(std::move(which)) {
    for (INT i : which_) before_.push_back(GetSysColor(i));
    ok_ = SetSysColors(static_cast<int>(which_.size()), which_.data(), colours.data()) != FALSE;
  }
  ~ChangedSysColors() { SetSysColors(static_cast<int>(which_.size()), which_.data(), before_.data()); }
  ChangedSysColors(const ChangedSysColors&) = delete;
  ChangedSysColors& operator=(const ChangedSysColors&) = delete;
  bool ok() const { return ok_; }

 private:
  std::vector<INT> which_;
  std::vector<COLORREF> before_;
  bool ok_ = false;
};

}  // namespace testsupport

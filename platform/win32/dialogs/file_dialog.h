// The file-open dialog window: the folder combo, the list of folders and
// files, the file-name edit, the file-type combo, Open and Cancel.
#pragma once

#include <win32/windows.h>

#include <string>
#include <vector>

#include "file_browse.h"

namespace dialogs {

struct FileDialogSetup {
  HWND owner = nullptr;
  std::string title = "Open";
  std::vector<FilterPair> filters;
  int filterIndex = 0;  // 0-based
  std::string folder;   // existing Windows folder shown first
  std::string name;     // initial text of the file-name edit
  std::string defExt;   // appended to a typed name without an extension
  DWORD flags = 0;
};

struct FileDialogResult {
  bool chosen = false;
  std::string path;     // Windows path of the chosen file
  int filterIndex = 0;  // 0-based, as last selected
};

// Runs the dialog modally (the thread's other windows disabled) until the
// user opens a file or cancels.
FileDialogResult RunFileDialog(const hostfs::Drives& drives, const FileDialogSetup& setup);

}  // namespace dialogs

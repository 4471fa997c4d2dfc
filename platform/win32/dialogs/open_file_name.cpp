// GetOpenFileNameA: checks the OPENFILENAMEA, picks the first folder, runs
// the dialog and writes the chosen path back in Windows form.
#include <win32/comdlg32.h>

#include <algorithm>
#include <cstring>

#include "file_dialog.h"

namespace dialogs {
namespace {

DWORD& LastError() {
  static thread_local DWORD error = 0;
  return error;
}

BOOL Fail(DWORD code) {
  LastError() = code;
  return FALSE;
}

// The first folder: the one in lpstrFile's initial text, else lpstrInitialDir,
// else the root of C: (or of the first drive); the initial text's own name
// goes into the edit.
void InitialFolder(const hostfs::Drives& drives, const OPENFILENAMEA& ofn, FileDialogSetup& setup) {
  std::string initial(ofn.lpstrFile, strnlen(ofn.lpstrFile, ofn.nMaxFile));
  std::string folder;
  const auto cut = initial.find_last_of("\\/");
  if (cut != std::string::npos && IsAbsolute(initial)) {
    folder = initial.substr(0, cut + 1);
    setup.name = initial.substr(cut + 1);
  } else {
    setup.name = initial;
  }
  if ((folder.empty() || !FolderExists(drives, folder)) && ofn.lpstrInitialDir && IsAbsolute(ofn.lpstrInitialDir))
    folder = ofn.lpstrInitialDir;
  if (folder.empty() || !FolderExists(drives, folder)) {
    const auto letters = drives.DriveLetters();
    folder = letters.front() + "\\";
    for (const std::string& d : letters)
      if (hostfs::EqualNoCase(d, "C:")) folder = "C:\\";
  }
  setup.folder = OnDiskSpelling(drives, NormalFolder(folder));
}

FileDialogSetup SetupFrom(const hostfs::Drives& drives, const OPENFILENAMEA& ofn) {
  FileDialogSetup setup;
  setup.owner = ofn.hwndOwner;
  if (ofn.lpstrTitle && *ofn.lpstrTitle) setup.title = ofn.lpstrTitle;
  setup.filters = ParseFilter(ofn.lpstrFilter);
  // nFilterIndex counts from 1; 0 (the custom filter, which we do not keep)
  // and indexes past the end start on the first pair.
  if (ofn.nFilterIndex >= 1 && ofn.nFilterIndex <= setup.filters.size())
    setup.filterIndex = static_cast<int>(ofn.nFilterIndex) - 1;
  if (ofn.lpstrDefExt) setup.defExt = ofn.lpstrDefExt;
  setup.flags = ofn.Flags;
  InitialFolder(drives, ofn, setup);
  return setup;
}

// Writes the result: path, offsets and title. A buffer too small for the
// path gets the size it needs in its first two bytes.
BOOL WriteResult(OPENFILENAMEA& ofn, const FileDialogResult& r) {
  const size_t need = r.path.size() + 1;
  if (need > ofn.nMaxFile || need > 0xFFFF) {
    if (ofn.nMaxFile >= 2) {
      const WORD size = static_cast<WORD>(need > 0xFFFF ? 0xFFFF : need);
      std::memcpy(ofn.lpstrFile, &size, sizeof size);
    }
    return Fail(FNERR_BUFFERTOOSMALL);
  }
  std::memcpy(ofn.lpstrFile, r.path.c_str(), need);
  const size_t nameAt = r.path.rfind('\\') + 1;
  const size_t dot = r.path.rfind('.');
  ofn.nFileOffset = static_cast<WORD>(nameAt);
  ofn.nFileExtension = static_cast<WORD>(dot != std::string::npos && dot >= nameAt ? dot + 1 : 0);
  ofn.nFilterIndex = static_cast<DWORD>(r.filterIndex + 1);
  if (ofn.lpstrFileTitle && ofn.nMaxFileTitle) {
    const std::string title = r.path.substr(nameAt);
    const size_t n = std::min<size_t>(title.size(), ofn.nMaxFileTitle - 1);
    std::memcpy(ofn.lpstrFileTitle, title.data(), n);
    ofn.lpstrFileTitle[n] = '\0';
  }
  return TRUE;
}

}  // namespace
}  // namespace dialogs

BOOL WINAPI GetOpenFileNameA(LPOPENFILENAMEA lpofn) {
  using namespace dialogs;
  LastError() = 0;
  if (!lpofn || (lpofn->lStructSize != sizeof(OPENFILENAMEA) && lpofn->lStructSize != OPENFILENAME_SIZE_VERSION_400A))
    return Fail(CDERR_STRUCTSIZE);
  if (!lpofn->lpstrFile || lpofn->nMaxFile == 0) return Fail(CDERR_INITIALIZATION);
  if (lpofn->hwndOwner && !IsWindow(lpofn->hwndOwner)) return Fail(CDERR_DIALOGFAILURE);
  const hostfs::Drives drives(FileDialogPrefix());
  if (drives.DriveLetters().empty()) return Fail(CDERR_INITIALIZATION);  // no drives to browse
  const FileDialogSetup setup = SetupFrom(drives, *lpofn);
  const FileDialogResult result = RunFileDialog(drives, setup);
  if (!result.chosen) return FALSE;
  return WriteResult(*lpofn, result);
}

DWORD WINAPI CommDlgExtendedError(void) { return dialogs::LastError(); }

void WINAPI xvtSetFileDialogPrefix(LPCSTR prefixDir) { dialogs::PrefixSetting() = prefixDir ? prefixDir : ""; }

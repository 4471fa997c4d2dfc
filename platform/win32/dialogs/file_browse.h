// What the file-open dialog browses, without any window: Windows folders of a
// Wine prefix listed through hostfs, filter patterns, and what a name typed
// into the dialog means.
#pragma once

#include <hostfs/codepage.h>
#include <hostfs/hostfs.h>
#include <win32/comdlg32.h>

#include <optional>
#include <string>
#include <vector>

namespace dialogs {

// The Wine prefix the dialog shows: the one set by xvtSetFileDialogPrefix,
// else $WINEPREFIX, else ~/.wine.
std::string FileDialogPrefix();
// The prefix set by xvtSetFileDialogPrefix ("" for the default).
std::string& PrefixSetting();

// One "description\0pattern\0" pair of OPENFILENAMEA::lpstrFilter.
struct FilterPair {
  std::string description;
  std::string patterns;  // "*.lst;*.txt"
};
// Reads the double-NUL-terminated filter list; empty for nullptr.
std::vector<FilterPair> ParseFilter(const char* filter);

// Whether a file name matches one of the ';'-separated wildcard patterns
// ('*' and '?', without regard to case). "*.*" and "*" match every name.
bool MatchesPatterns(const std::string& name, const std::string& patterns);

// "C:\Games\" -> "C:\Games": a folder without a trailing backslash, except a
// drive root, which keeps it ("C:\").
std::string NormalFolder(const std::string& windowsPath);
// The folder that holds a path ("C:\Games\x.lst" -> "C:\Games"); a drive
// root has none.
std::optional<std::string> ParentFolder(const std::string& folder);
// A path joined to a folder.
std::string JoinPath(const std::string& folder, const std::string& name);
// Whether a typed name is a whole path ("C:\..." or "C:/...").
bool IsAbsolute(const std::string& name);

// The folder combo's rows: each drive, with the current folder's ancestors
// (and the folder itself) under its drive, indented by depth.
struct FolderRow {
  std::string path;   // Windows path of the folder
  std::string label;  // what the row shows ("C:\", "Games")
  int depth = 0;
};
std::vector<FolderRow> FolderRows(const hostfs::Drives& drives, const std::string& current);

struct Listing {
  std::vector<std::string> folders;  // sorted without regard to case
  std::vector<std::string> files;    // matching the patterns, sorted likewise
};
// The sub-folders and matching files of a Windows folder; empty when it
// cannot be read. Hidden names (a leading dot) are left out.
Listing ListFolder(const hostfs::Drives& drives, const std::string& folder, const std::string& patterns);

// Whether a Windows path names an existing folder / file, and its spelling on
// disk (the case of each component as stored) when it exists.
bool FolderExists(const hostfs::Drives& drives, const std::string& path);
bool FileExists(const hostfs::Drives& drives, const std::string& path);
std::string OnDiskSpelling(const hostfs::Drives& drives, const std::string& path);

// Whether a path's last component has an extension.
bool HasExtension(const std::string& path);
// The warning the dialog gives instead of returning a path that OFN_PATHMUSTEXIST
// or OFN_FILEMUSTEXIST rules out: the missing folder's path, or the missing
// file's name; nothing when the path may be returned.
std::optional<std::string> MustExistWarning(const hostfs::Drives& drives, const std::string& path, DWORD flags);

// What a name typed into the file-name edit asks for.
struct Typed {
  enum Kind { Nothing, Filter, Folder, File } kind = Nothing;
  std::string value;   // the patterns, or the full Windows path
  std::string folder;  // for a Filter with a folder part: the folder to show
};
Typed InterpretTyped(const hostfs::Drives& drives, const std::string& current, std::string text);

}  // namespace dialogs

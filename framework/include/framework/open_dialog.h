// TOpenDialog: the common file-open dialog as a component. The options,
// title, start folder and filter are kept until Execute hands them to
// GetOpenFileNameA; the chosen file comes back in FileName (and Files).
#pragma once

#include <memory>
#include <string>

#include <win32/windows.h>

#include "framework/component.h"
#include "framework/set.h"
#include "framework/strings.h"

enum TOpenOption {
  ofReadOnly,
  ofOverwritePrompt,
  ofHideReadOnly,
  ofNoChangeDir,
  ofShowHelp,
  ofNoValidate,
  ofAllowMultiSelect,
  ofExtensionDifferent,
  ofPathMustExist,
  ofFileMustExist,
  ofCreatePrompt,
  ofShareAware,
  ofNoReadOnlyReturn,
  ofNoTestFileCreate,
  ofNoNetworkButton,
  ofNoLongNames,
  ofOldStyleDialog,
  ofNoDereferenceLinks,
  ofEnableIncludeNotify,
  ofEnableSizing
};
using TOpenOptions = Set<TOpenOption>;

// The file name field is a plain edit either way; the choice is kept for
// window descriptions that name it.
enum TFileEditStyle { fsEdit, fsComboBox };

class TCommonDialog : public TComponent {
 public:
  explicit TCommonDialog(TComponent* owner) : TComponent(owner) {}
  virtual bool Execute() = 0;
  // The window the dialog is modal to; the active window when not set.
  HWND ParentWindow() const { return parentWindow_; }
  void SetParentWindow(HWND window) { parentWindow_ = window; }

 protected:
  HWND OwnerWindow() const;

 private:
  HWND parentWindow_ = nullptr;
};

class TOpenDialog : public TCommonDialog {
 public:
  explicit TOpenDialog(TComponent* owner);
  ~TOpenDialog() override;

  // Shows the dialog modally; true when a file was chosen (FileName,
  // Files and FilterIndex then say which). A dialog that could not be
  // shown returns false, with the reason in LastError().
  bool Execute() override;

  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title) { title_ = title; }
  const std::string& InitialDir() const { return initialDir_; }
  void SetInitialDir(const std::string& dir) { initialDir_ = dir; }
  // "Description|pattern|Description|pattern...".
  const std::string& Filter() const { return filter_; }
  void SetFilter(const std::string& filter) { filter_ = filter; }
  // 1-based, as the dialog counts the filter pairs.
  int FilterIndex() const { return filterIndex_; }
  void SetFilterIndex(int index) { filterIndex_ = index; }
  const std::string& DefaultExt() const { return defaultExt_; }
  void SetDefaultExt(const std::string& ext) { defaultExt_ = ext; }
  const std::string& FileName() const { return fileName_; }
  void SetFileName(const std::string& name) { fileName_ = name; }
  TOpenOptions Options() const { return options_; }
  void SetOptions(TOpenOptions options) { options_ = options; }
  TFileEditStyle FileEditStyle() const { return fileEditStyle_; }
  void SetFileEditStyle(TFileEditStyle style) { fileEditStyle_ = style; }
  // Every chosen file (one unless ofAllowMultiSelect).
  TStrings& Files() const { return *files_; }
  DWORD LastError() const { return lastError_; }

  // The dialog's flags for a set of options.
  static DWORD OptionFlags(TOpenOptions options);
  // The filter as the dialog takes it: the '|' turned into NULs, ended by
  // two NULs.
  static std::string FilterBuffer(const std::string& filter);

 protected:
  // Fills `ofn` for this dialog; `fileBuffer` holds the file name.
  void BuildStruct(OPENFILENAMEA& ofn, std::string& filterBuffer, std::string& fileBuffer) const;
  // Reads the result out of a completed structure.
  void ReadResult(const OPENFILENAMEA& ofn);

 private:
  std::string title_;
  std::string initialDir_;
  std::string filter_;
  std::string defaultExt_;
  std::string fileName_;
  int filterIndex_ = 1;
  TOpenOptions options_{ofHideReadOnly, ofEnableSizing};
  TFileEditStyle fileEditStyle_ = fsEdit;
  std::unique_ptr<TStringList> files_;
  DWORD lastError_ = 0;
};

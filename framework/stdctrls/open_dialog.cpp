// The file-open dialog component over GetOpenFileNameA.
#include "framework/open_dialog.h"

#include <array>
#include <utility>

namespace {

// Room for many names when several may be chosen.
constexpr size_t kSingleBuffer = 4096;
constexpr size_t kMultiBuffer = 65536;

constexpr std::array<std::pair<TOpenOption, DWORD>, 19> kFlags{{
    {ofReadOnly, OFN_READONLY},
    {ofOverwritePrompt, OFN_OVERWRITEPROMPT},
    {ofHideReadOnly, OFN_HIDEREADONLY},
    {ofNoChangeDir, OFN_NOCHANGEDIR},
    {ofShowHelp, OFN_SHOWHELP},
    {ofNoValidate, OFN_NOVALIDATE},
    {ofAllowMultiSelect, OFN_ALLOWMULTISELECT},
    {ofExtensionDifferent, OFN_EXTENSIONDIFFERENT},
    {ofPathMustExist, OFN_PATHMUSTEXIST},
    {ofFileMustExist, OFN_FILEMUSTEXIST},
    {ofCreatePrompt, OFN_CREATEPROMPT},
    {ofShareAware, OFN_SHAREAWARE},
    {ofNoReadOnlyReturn, OFN_NOREADONLYRETURN},
    {ofNoTestFileCreate, OFN_NOTESTFILECREATE},
    {ofNoNetworkButton, OFN_NONETWORKBUTTON},
    {ofNoLongNames, OFN_NOLONGNAMES},
    {ofNoDereferenceLinks, OFN_NODEREFERENCELINKS},
    {ofEnableIncludeNotify, OFN_ENABLEINCLUDENOTIFY},
    {ofEnableSizing, OFN_ENABLESIZING},
}};

}  // namespace

HWND TCommonDialog::OwnerWindow() const { return parentWindow_ ? parentWindow_ : GetActiveWindow(); }

TOpenDialog::TOpenDialog(TComponent* owner) : TCommonDialog(owner), files_(std::make_unique<TStringList>()) {}

TOpenDialog::~TOpenDialog() = default;

DWORD TOpenDialog::OptionFlags(TOpenOptions options) {
  DWORD flags = 0;
  for (auto [option, flag] : kFlags)
    if (options.Contains(option)) flags |= flag;
  // Every dialog but the old-style one is the explorer kind.
  if (!options.Contains(ofOldStyleDialog)) flags |= OFN_EXPLORER;
  return flags;
}

std::string TOpenDialog::FilterBuffer(const std::string& filter) {
  if (filter.empty()) return std::string();
  std::string buffer = filter;
  for (char& c : buffer)
    if (c == '|') c = '\0';
  buffer.push_back('\0');
  buffer.push_back('\0');
  return buffer;
}

void TOpenDialog::BuildStruct(OPENFILENAMEA& ofn, std::string& filterBuffer, std::string& fileBuffer) const {
  ofn = OPENFILENAMEA{};
  ofn.lStructSize = sizeof(OPENFILENAMEA);
  ofn.hwndOwner = OwnerWindow();
  filterBuffer = FilterBuffer(filter_);
  ofn.lpstrFilter = filterBuffer.empty() ? nullptr : filterBuffer.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(filterIndex_ < 0 ? 0 : filterIndex_);
  size_t size = options_.Contains(ofAllowMultiSelect) ? kMultiBuffer : kSingleBuffer;
  // A name longer than the buffer is cut, never written past it.
  fileBuffer.assign(size, '\0');
  fileBuffer.replace(0, std::min(fileName_.size(), size - 1), fileName_, 0, size - 1);
  ofn.lpstrFile = fileBuffer.data();
  ofn.nMaxFile = static_cast<DWORD>(size);
  ofn.lpstrInitialDir = initialDir_.empty() ? nullptr : initialDir_.c_str();
  ofn.lpstrTitle = title_.empty() ? nullptr : title_.c_str();
  ofn.lpstrDefExt = defaultExt_.empty() ? nullptr : defaultExt_.c_str();
  ofn.Flags = OptionFlags(options_);
}

void TOpenDialog::ReadResult(const OPENFILENAMEA& ofn) {
  files_->Clear();
  const char* p = ofn.lpstrFile;
  std::string first = p;
  p += first.size() + 1;
  // Several names come as the folder, then each name, then an empty one.
  if (options_.Contains(ofAllowMultiSelect) && *p) {
    std::string dir = first;
    if (!dir.empty() && dir.back() != '\\') dir += '\\';
    for (; *p; p += std::string(p).size() + 1) files_->Add(dir + p);
    fileName_ = files_->Strings(0);
  } else {
    fileName_ = first;
    files_->Add(first);
  }
  filterIndex_ = static_cast<int>(ofn.nFilterIndex);
  options_.Exclude(ofReadOnly);
  if (ofn.Flags & OFN_READONLY) options_.Include(ofReadOnly);
  options_.Exclude(ofExtensionDifferent);
  if (ofn.Flags & OFN_EXTENSIONDIFFERENT) options_.Include(ofExtensionDifferent);
}

bool TOpenDialog::Execute() {
  OPENFILENAMEA ofn;
  std::string filterBuffer, fileBuffer;
  BuildStruct(ofn, filterBuffer, fileBuffer);
  lastError_ = 0;
  if (!GetOpenFileNameA(&ofn)) {
    lastError_ = CommDlgExtendedError();
    return false;
  }
  ReadResult(ofn);
  return true;
}

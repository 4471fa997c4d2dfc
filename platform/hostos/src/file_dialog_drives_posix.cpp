#include <win32/comdlg32.h>

#include "hostos/file_dialog_drives.h"

namespace hostos {

void SetFileDialogDrives(const std::filesystem::path& winePrefix) {
  xvtSetFileDialogPrefix(winePrefix.string().c_str());
}

}  // namespace hostos

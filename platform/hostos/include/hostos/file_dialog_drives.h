// The drives the file-open dialog browses. Our own Windows layer shows those
// of a Wine prefix and needs to be told which; on Windows the dialog shows the
// system's drives and this does nothing.
#pragma once

#include <filesystem>

namespace hostos {

void SetFileDialogDrives(const std::filesystem::path& winePrefix);

}  // namespace hostos

// What the program needs from the host operating system beyond the standard
// library, with one implementation for POSIX hosts and one for Windows.
#pragma once

#include <ctime>
#include <filesystem>
#include <string>

namespace hostos {

// The broken-down local time of `t`.
std::tm LocalTime(std::time_t t);
// Seconds the local time of `t` is ahead of UTC (negative west of Greenwich).
long LocalOffsetSeconds(std::time_t t);

// Makes <parent>/<stem>-XXXXXX, a new folder with a unique name open to this
// user only. Throws std::filesystem::filesystem_error when it cannot.
std::filesystem::path MakeScratchFolder(const std::filesystem::path& parent, const std::string& stem);

// A write past a file-size limit then fails with an error instead of ending
// the process (where the host has such a signal).
void IgnoreFileSizeSignal();

// Ends the process as the signal `signal` ends it when not caught.
[[noreturn]] void EndBySignal(int signal);

// The program's own executable file; empty when the host does not tell.
std::filesystem::path ExecutablePath();

// True where the games run under Wine and the program reads a Wine prefix's
// registry and drives; false on Windows, whose own registry and drives are
// the games'.
bool ReadsWinePrefix();

// The home folder of the user: HOME, else the account's own folder; "." when
// neither is known.
std::filesystem::path HomeFolder();

}  // namespace hostos

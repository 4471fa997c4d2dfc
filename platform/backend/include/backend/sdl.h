// The SDL2 backend: one host window per top-level window, on X11 or, through
// SDL, Wayland. The program starts it; tests use the headless backend.
#pragma once

#include <string>
#include <vector>

namespace sdl {

// Installs the SDL backend as backend::Current(). Throws std::runtime_error
// with a message naming DISPLAY and xvfb-run when no display can be opened.
void Start();

// The Windows virtual-key code of an SDL key code (SDL_Keycode), 0 when it
// has none.
unsigned VirtualKey(int sdlKeycode);

// Host text is UTF-8, the program's text Windows-1252. Characters that
// Windows-1252 lacks, and bytes that are not UTF-8, become '?'. The five
// bytes the code page leaves undefined go out as the control characters of
// the same number, so they come back unchanged.
std::string Utf8ToCp1252(const std::string& utf8);
std::string Cp1252ToUtf8(const std::string& text);

// The freedesktop sound name of a Windows sound event, "" when none fits.
std::string FreedesktopSound(const std::string& windowsEvent);

// Arguments that start the host's URL handler for `url` (no shell is
// involved); empty when the address is refused (empty, or one that the
// handler would read as an option).
std::vector<std::string> OpenUrlCommand(const std::string& url);

}  // namespace sdl

// winmm: the system sounds, played by name through the host.
#pragma once

#include <win32/windef.h>

#define SND_SYNC 0x0000
#define SND_ASYNC 0x0001
#define SND_NODEFAULT 0x0002
#define SND_MEMORY 0x0004
#define SND_LOOP 0x0008
#define SND_NOSTOP 0x0010

// Plays a sound event ("MenuPopup", "MenuCommand", "SystemAsterisk", ...)
// through the host; NULL or "" stops what plays. The host starts a sound
// and does not report its end, so every sound counts as finished once it
// has been started: SND_SYNC returns at once and SND_NOSTOP never refuses.
// Sounds in memory (SND_MEMORY) are not supported and answer FALSE.
BOOL WINAPI sndPlaySoundA(LPCSTR pszSound, UINT fuSound);

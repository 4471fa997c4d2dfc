// sndPlaySoundA through the backend's named sounds.
#include <backend/backend.h>
#include <win32/winmm.h>

BOOL WINAPI sndPlaySoundA(LPCSTR sound, UINT flags) {
  backend::Backend* b = backend::Current();
  if (!sound || !*sound) {
    if (b) b->PlaySound("");
    return TRUE;
  }
  if ((flags & SND_MEMORY) || !b) return FALSE;
  b->PlaySound(sound);
  return TRUE;
}

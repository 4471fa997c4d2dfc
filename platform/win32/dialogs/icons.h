// The four message-box icons in a 32x32 cell: stop and information from
// the program's artwork, the other two drawn with GDI.
#pragma once

#include <win32/windows.h>

namespace dialogs {

enum class IconKind { None, Error, Information, Warning, Question };

// The icon a message-box style asks for (MB_ICONMASK bits).
IconKind IconFor(UINT mbStyle);

// Draws `kind` with its top-left corner at (x, y).
void DrawIcon32(HDC dc, int x, int y, IconKind kind);

}  // namespace dialogs

// user32_draw: declarations are added by the library that implements them.
#pragma once

#include <win32/windef.h>

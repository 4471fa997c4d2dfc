// Window class lookup.
#pragma once

#include "window.h"

namespace user {
std::shared_ptr<WindowClass> FindClass(LPCSTR nameOrAtom);
}

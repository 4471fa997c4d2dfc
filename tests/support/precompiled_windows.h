// The precompiled test headers of the layers over the Windows layer.
#pragma once

#include "precompiled.h"

#include <win32/windows.h>

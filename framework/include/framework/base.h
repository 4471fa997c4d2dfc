// The platform-free base of the framework in one include.
#pragma once

#include "framework/collection.h"
#include "framework/component.h"
#include "framework/datetime.h"
#include "framework/exceptions.h"
#include "framework/format.h"
#include "framework/graphics_objects.h"
#include "framework/list.h"
#include "framework/object.h"
#include "framework/rounding.h"
#include "framework/set.h"
#include "framework/shortcut.h"
#include "framework/stream.h"
#include "framework/strings.h"
#include "framework/text.h"
#include "framework/types.h"

// The standard-control wrappers in one include.
#pragma once

#include "framework/button.h"
#include "framework/checkbox.h"
#include "framework/combobox.h"
#include "framework/edit.h"
#include "framework/glyph_placement.h"
#include "framework/groupbox.h"
#include "framework/image.h"
#include "framework/label.h"
#include "framework/memo.h"
#include "framework/open_dialog.h"
#include "framework/statusbar.h"
#include "framework/treeview.h"

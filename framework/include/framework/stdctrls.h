// The standard-control wrappers in one include.
#pragma once

#include "framework/button.h"
#include "framework/buttons.h"
#include "framework/checkbox.h"
#include "framework/combobox.h"
#include "framework/dialogs.h"
#include "framework/edits.h"
#include "framework/groupbox.h"
#include "framework/image.h"
#include "framework/label.h"
#include "framework/statusbar.h"
#include "framework/treeview.h"

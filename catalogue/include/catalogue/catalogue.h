// The mission catalogue: game installs, mission lists, the mission tree,
// classification of mission files and their installation. No window code:
// the windows and the command line are two front ends over it.
#pragma once

#include "catalogue/classification.h"
#include "catalogue/game_install.h"
#include "catalogue/installation.h"
#include "catalogue/list_files.h"
#include "catalogue/list_reader.h"
#include "catalogue/mission_tree.h"
#include "catalogue/prompts.h"

#pragma once
#include <vector>

#include "shapes.h"

namespace artwork {

// The program's icon: a mission list page on a night-blue tile, with an
// arrow dropping a new entry into it.
std::vector<Shape> AppIcon();

}  // namespace artwork

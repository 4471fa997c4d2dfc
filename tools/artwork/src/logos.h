#pragma once
#include "indexed.h"

namespace artwork {

// The main window's still-shown logo: a ringed planet turning under a moon,
// 70 x 70, 22 frames of 100 ms, 256 colours, each frame left in place.
Animation MainLogo();

// The About window's animation: a moon circling a small planet on its orbit
// line, 100 x 75, 25 frames of 60 ms, 4 colours over a transparent ground,
// each frame cleared to the ground before the next.
Animation AboutLogo();

}  // namespace artwork

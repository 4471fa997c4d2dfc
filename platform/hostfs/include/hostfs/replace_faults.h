// A seam for tests: makes a step of ReplaceFile fail as if the host had
// returned an error, to prove that a failed save leaves the old file intact.
// Not for use by the program itself.
#pragma once

#include <functional>

namespace hostfs::testing {

enum class ReplaceStep { Create, Write, Chmod, Sync, Close, Rename };

// Called before each step (before every write() call for Write); returns the
// errno the step fails with, or 0 to let it run. An empty hook removes it.
using ReplaceFaultHook = std::function<int(ReplaceStep)>;
void SetReplaceFaultHook(ReplaceFaultHook hook);

}  // namespace hostfs::testing

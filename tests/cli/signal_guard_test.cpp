// The command line stopped by a signal in the middle of a save: the list
// stays as it was and no half-written new text is left beside it.
#include <signal.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "hostfs/hostfs.h"
#include "hostfs/replace_faults.h"
#include "signal_guard.h"
#include "temp_prefix.h"

namespace {

namespace fs = std::filesystem;
using catalogue::test::TempPrefix;
using hostfs::testing::ReplaceStep;

TEST(SignalGuard, AStopInTheMiddleOfASaveLeavesTheOldListAlone) {
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
    SCOPED_TRACE(signal);
    TempPrefix prefix(false);
    const fs::path list = prefix.C() / "XvT" / "combat" / "mission.lst";
    TempPrefix::Write(list, "old");
    const hostfs::Drives drives(prefix.Dir());
    EXPECT_EXIT(
        {
          cli::SignalGuard guard;
          hostfs::testing::SetReplaceFaultHook([signal](ReplaceStep step) {
            if (step == ReplaceStep::Write) {
              ::kill(::getpid(), signal);
              for (;;) ::pause();  // the guard ends the process from its own thread
            }
            return 0;
          });
          hostfs::ReplaceFile(drives, "C:\\XvT\\combat\\mission.lst", std::string(1 << 20, 'n'));
          std::exit(0);
        },
        ::testing::KilledBySignal(signal), "");
    EXPECT_EQ(TempPrefix::Slurp(list), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(list.parent_path()), fs::directory_iterator()), 1);
  }
}

}  // namespace

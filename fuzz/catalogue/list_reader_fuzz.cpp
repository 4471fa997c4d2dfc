// Any bytes as a mission list: reading, the tree build and the insertion
// must end without crashing, and the saved text must hold the new mission.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "catalogue/catalogue.h"

namespace {

using namespace catalogue;

struct NullStatus : StatusSink {
  void SetPanelText(int, std::string_view) override {}
};

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  SectionHeaders(text);
  MemoryListFiles files;
  files.Put("C:\\x.lst", text);
  MemoryTree tree;
  NullStatus status;
  BuildState state;
  try {
    AddListToTree("C:\\x.lst", "XvT", "Combat", files, tree, status, state);
  } catch (const ConvertError&) {
  }
  Check(tree.Count() >= 2);
  TextBuffer buffer(files);
  const NewMission mission{"[Fuzz]", "fuzz.tie", "Fuzz"};
  std::int32_t number = 0;
  try {
    number = InsertIntoList("C:\\x.lst", mission, files, buffer, false);
  } catch (const ConvertError&) {
    return 0;
  } catch (const std::range_error&) {
    return 0;
  }
  // The saved text holds the new group, ends every line with CR LF, and
  // reads again (a list of odd shape may then stop at a line, as it would
  // in the games).
  const std::string& saved = files.Get("C:\\x.lst");
  Check(HasSection(saved, mission.section));
  Check(saved.find("\r\n" + std::to_string(number) + "\r\nfuzz.tie\r\nFuzz\r\n") != std::string::npos);
  Check(saved.size() >= 2 && saved.compare(saved.size() - 2, 2, "\r\n") == 0);
  try {
    HighestMissionNumber(saved);
  } catch (const ConvertError&) {
  }
  return 0;
}

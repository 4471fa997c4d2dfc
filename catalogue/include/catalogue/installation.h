// Installing an opened mission: the checks of the user's entries, the
// Confirm dialog, and the rewriting of one to three lists with the new
// mission under the chosen section.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/classification.h"
#include "catalogue/prompts.h"

namespace catalogue {

class ListFiles;

inline constexpr const char* kNeedMissionName = "You Must Provide a Mission Name.";
inline constexpr const char* kNeedMissionSection = "You Must Provide a Mission Section.";
inline constexpr const char* kNeedOpeningBracket = "You must include a [ at the start of the mission section.";
inline constexpr const char* kNeedClosingBracket = "You must include a ] at the end of the mission section.";
inline constexpr const char* kListCaptionPrefix = "LST FILE:";
// A name the host gave with a character Windows-1252 lacks reaches us with a
// "?" in its place, which no Windows file name holds: written into a list it
// would name a file that does not exist.
inline constexpr const char* kNameOutsideCodePage =
    "The mission file name has a character that the mission lists cannot hold";

// The list suffixes written for a classification, in order; none for a
// combination the table does not name.
std::vector<std::string> InstallTargets(MissionType type, Side side, bool singlePlayer);

// A ListContents that keeps its lines and saves them through ListFiles.
class TextBuffer : public ListContents {
 public:
  explicit TextBuffer(ListFiles& files) : files_(files) {}

  std::string caption;
  std::vector<std::string> lines;
  bool shown = false;

  void SetCaption(const std::string& text) override { caption = text; }
  void Show() override { shown = true; }
  void Clear() override { lines.clear(); }
  void AppendLine(std::string line) override { lines.push_back(std::move(line)); }
  void SaveTo(const std::string& windowsPath) override;

 private:
  ListFiles& files_;
};

// Saves lines over a list as the LST window does: each line ended by CR LF,
// replacing the file as a whole.
void SaveListLines(ListFiles& files, const std::string& windowsPath, const std::vector<std::string>& lines);

// What one list gets: the mission group's lines and the section it goes under.
struct NewMission {
  std::string section;   // the whole header line, brackets included
  std::string fileName;  // second line of the group
  std::string title;     // third line of the group
};

// Adds the mission to one list: numbered one above the highest number in
// that list, first in every section group whose header equals the section,
// or in a new section at the end when there is none. The new text is put
// together in `contents` (shown first when `show`) and saved over the list.
// Returns the number given.
std::int32_t InsertIntoList(const std::string& path, const NewMission& mission, ListFiles& files,
                            ListContents& contents, bool show);

struct InstallContext {
  MissionDetails& details;
  MissionSelection& selection;
  const GameInstalls& installs;
  ListFiles& files;
  Prompts& prompts;
  ConfirmDialog& confirm;
  ListContents& contents;
  bool showLstProcessing = true;  // the Options menu's check mark
};

// The Install command. Returns true when it ran to its end (panel reset);
// false when a check failed or the dialog was cancelled. Throws the file
// and number errors of the lists, and kNameOutsideCodePage for a file name
// with "?" or "*", leaving the panel as it was and every list unwritten.
bool InstallClick(InstallContext& ctx);

}  // namespace catalogue

// Working out which game and kind of mission an opened mission file is,
// from the folders that hold it, and offering the sections of its list.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/game_install.h"

namespace catalogue {

class ListFiles;
class MissionTreeView;
class Prompts;
class FileOpenDialog;

enum MissionType { mtNone, mtCombat, mtTraining, mtMelee };
enum Side { sdImperial, sdRebel, sdBoth };

struct MissionSelection {
  Game game = gmNone;
  MissionType type = mtNone;
  Side side = sdImperial;
  bool singlePlayer = false;
};

inline constexpr const char* kNoFileLoaded = "No File Loaded";

// The three side buttons of the details panel (the window's RImperial, RRebel
// and RBoth), in their order on screen.
enum SideButton { sbImperial, sbRebel, sbBoth };

// The mission details panel: the controls the Open and Install commands read
// and set. The window implements it with its controls; PlainMissionDetails
// holds the same state in plain fields.
class MissionDetails {
 public:
  virtual ~MissionDetails() = default;
  virtual std::string FilenameCaption() const = 0;
  virtual void SetFilenameCaption(const std::string& text) = 0;
  virtual std::string MissionTypeCaption() const = 0;
  virtual void SetMissionTypeCaption(const std::string& text) = 0;
  virtual std::string MissionNameText() const = 0;
  virtual void SetMissionNameText(const std::string& text) = 0;
  // The edit field of the section combo box and its item list.
  virtual std::string MissionSectionText() const = 0;
  virtual void SetMissionSectionText(const std::string& text) = 0;
  virtual void ClearSectionItems() = 0;
  virtual void AddSectionItem(const std::string& header) = 0;
  // Radio buttons: checking one unchecks the other two.
  virtual bool SideChecked(SideButton button) const = 0;
  virtual void SetSideChecked(SideButton button) = 0;
  virtual void SetSideEnabled(SideButton button, bool enabled) = 0;
  virtual bool SPChecked() const = 0;
  virtual void SetSPChecked(bool checked) = 0;
  virtual void SetSPEnabled(bool enabled) = 0;
  virtual void SetInstallEnabled(bool enabled) = 0;
};

// The panel as plain state, starting as the main window starts.
class PlainMissionDetails : public MissionDetails {
 public:
  std::string filename = kNoFileLoaded;
  std::string missionType = kNoFileLoaded;
  std::string missionName;
  std::string missionSection;
  std::vector<std::string> sectionItems;
  SideButton checkedSide = sbImperial;
  std::array<bool, 3> sideEnabled{false, false, false};
  bool spChecked = false;
  bool spEnabled = false;
  bool installEnabled = false;

  std::string FilenameCaption() const override { return filename; }
  void SetFilenameCaption(const std::string& text) override { filename = text; }
  std::string MissionTypeCaption() const override { return missionType; }
  void SetMissionTypeCaption(const std::string& text) override { missionType = text; }
  std::string MissionNameText() const override { return missionName; }
  void SetMissionNameText(const std::string& text) override { missionName = text; }
  std::string MissionSectionText() const override { return missionSection; }
  void SetMissionSectionText(const std::string& text) override { missionSection = text; }
  void ClearSectionItems() override { sectionItems.clear(); }
  void AddSectionItem(const std::string& header) override { sectionItems.push_back(header); }
  bool SideChecked(SideButton button) const override { return checkedSide == button; }
  void SetSideChecked(SideButton button) override { checkedSide = button; }
  void SetSideEnabled(SideButton button, bool enabled) override { sideEnabled[button] = enabled; }
  bool SPChecked() const override { return spChecked; }
  void SetSPChecked(bool checked) override { spChecked = checked; }
  void SetSPEnabled(bool enabled) override { spEnabled = enabled; }
  void SetInstallEnabled(bool enabled) override { installEnabled = enabled; }
};

// A chosen mission file's path in three parts, split at its last two
// backslashes: C:\Games\XvT\combat\raid.tie gives C:\Games\XvT, combat and
// raid.tie.
struct MissionPathParts {
  std::string gameRoot;
  std::string parentDir;
  std::string fileName;
};
MissionPathParts SplitMissionPath(const std::string& path);

// Lower case of Windows-1252 text, as the games' folder names compare.
std::string AnsiLowerCase(std::string text);

// The list whose sections are offered: the install path and the suffix for
// the type (training by the checked side button); "" when there is none.
std::string SectionListSuffix(MissionType type, const MissionDetails& details);

// Information box text and the folder filter of the file-open dialog.
inline constexpr const char* kBuildTreeFirst = "You must build a Mission Tree first.";
inline constexpr const char* kMissionFilter = "XvT/BoP Missions (*.tie)|*.tie|All Files (*.*)|*.*";

// The state the Open and side commands work on.
struct OpenContext {
  MissionDetails& details;
  MissionSelection& selection;
  const GameInstalls& installs;
  ListFiles& files;
};

// Adds the headers of one list to the section items; throws the file error.
void LoadSectionHeaders(OpenContext& ctx, const std::string& path);
// Refills the section items for the selection's game and type and the
// checked side; the edit text stays.
void SideClick(OpenContext& ctx);
// The open command after the dialog: classifies `chosenPath` (nullopt when
// the dialog was cancelled) and sets the panel. Throws a file error of the
// section list, in which case Install stays as it was.
void OpenMissionFile(OpenContext& ctx, const std::optional<std::string>& chosenPath);

// The whole Open command: needs a tree with nodes (else the information
// box), empties the mission name, lets the user choose, then as
// OpenMissionFile.
void OpenFileClick(OpenContext& ctx, const MissionTreeView& tree, FileOpenDialog& dialog, Prompts& prompts);

// The folder the file-open dialog starts in: the XvT install path, a
// trailing backslash dropped unless it is a drive root.
std::string OpenDialogStartFolder(const GameInstalls& installs);

}  // namespace catalogue

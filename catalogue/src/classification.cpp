#include "catalogue/classification.h"

#include "catalogue/list_files.h"
#include "catalogue/list_reader.h"
#include "catalogue/mission_tree.h"
#include "catalogue/prompts.h"

namespace catalogue {

MissionPathParts SplitMissionPath(const std::string& path) {
  // Split at the real last two backslashes, however many come before them
  // (a fixed table of 21 positions would cut a deep path in the wrong
  // place). With fewer than two there is no parent folder and no game root:
  // both stay empty and the file name is what follows the backslash, if any,
  // so such a file matches no game and no mission type.
  std::size_t last = path.rfind('\\');
  if (last == std::string::npos) return {"", "", path};
  std::string fileName = path.substr(last + 1);
  if (last == 0) return {"", "", fileName};
  std::size_t before = path.rfind('\\', last - 1);
  if (before == std::string::npos) return {"", "", fileName};
  return {path.substr(0, before), path.substr(before + 1, last - before - 1), fileName};
}

std::string AnsiLowerCase(std::string text) {
  for (char& ch : text) {
    auto c = static_cast<unsigned char>(ch);
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) c = static_cast<unsigned char>(c + 32);
    else if (c == 0x8A || c == 0x8C || c == 0x8E) c = static_cast<unsigned char>(c + 16);
    else if (c == 0x9F) c = 0xFF;
    ch = static_cast<char>(c);
  }
  return text;
}

std::string SectionListSuffix(MissionType type, const MissionDetails& details) {
  switch (type) {
    case mtCombat: return "\\combat\\mission.lst";
    case mtMelee: return "\\melee\\mission.lst";
    case mtTraining:
      if (details.SideChecked(sbImperial)) return "\\train\\imperial.lst";
      if (details.SideChecked(sbRebel)) return "\\train\\rebel.lst";
      return "";
    case mtNone: break;
  }
  return "";
}

void LoadSectionHeaders(OpenContext& ctx, const std::string& path) {
  for (const std::string& header : SectionHeaders(ctx.files.Read(path))) ctx.details.AddSectionItem(header);
}

void SideClick(OpenContext& ctx) {
  ctx.details.ClearSectionItems();
  std::string suffix = SectionListSuffix(ctx.selection.type, ctx.details);
  if (suffix.empty()) return;
  if (ctx.selection.game == gmXvT) LoadSectionHeaders(ctx, ctx.installs.xvt.path + suffix);
  if (ctx.selection.game == gmBoP) LoadSectionHeaders(ctx, ctx.installs.bop.path + suffix);
}

namespace {

void ClassifyGame(OpenContext& ctx, const std::string& gameRoot) {
  std::string root = AnsiLowerCase(gameRoot);
  if (root == AnsiLowerCase(ctx.installs.xvt.path)) {
    ctx.selection.game = gmXvT;
    ctx.details.SetMissionTypeCaption("XvT ");
  }
  // Checked second, so BoP wins when both games share one folder.
  if (root == AnsiLowerCase(ctx.installs.bop.path)) {
    ctx.selection.game = gmBoP;
    ctx.details.SetMissionTypeCaption("BoP ");
  }
}

void ClassifyType(OpenContext& ctx, const std::string& parentDir) {
  MissionDetails& d = ctx.details;
  std::string parent = AnsiLowerCase(parentDir);
  if (parent == "combat") {
    d.SetMissionTypeCaption(d.MissionTypeCaption() + "Combat");
    ctx.selection.type = mtCombat;
    d.SetSideChecked(sbBoth);
    d.SetSideEnabled(sbImperial, false);
    d.SetSideEnabled(sbRebel, false);
    d.SetSPEnabled(false);
  } else if (parent == "melee") {
    d.SetMissionTypeCaption(d.MissionTypeCaption() + "Melee");
    ctx.selection.type = mtMelee;
    d.SetSideChecked(sbBoth);
    d.SetSideEnabled(sbImperial, false);
    d.SetSideEnabled(sbRebel, false);
    d.SetSideEnabled(sbBoth, false);
    d.SetSPChecked(false);
    d.SetSPEnabled(false);
  } else if (parent == "train") {
    d.SetMissionTypeCaption(d.MissionTypeCaption() + "Training");
    ctx.selection.type = mtTraining;
    d.SetSideChecked(sbImperial);
    d.SetSideEnabled(sbBoth, false);
    d.SetSPEnabled(true);
  }
}

}  // namespace

void OpenMissionFile(OpenContext& ctx, const std::optional<std::string>& chosenPath) {
  MissionPathParts parts;
  if (chosenPath) {
    ctx.details.SetFilenameCaption("");
    parts = SplitMissionPath(*chosenPath);
    ctx.details.SetFilenameCaption(parts.fileName);
  }
  ClassifyGame(ctx, parts.gameRoot);
  ctx.details.SetSideEnabled(sbImperial, true);
  ctx.details.SetSideEnabled(sbRebel, true);
  ctx.details.SetSideEnabled(sbBoth, true);
  ClassifyType(ctx, parts.parentDir);
  SideClick(ctx);
  ctx.details.SetInstallEnabled(true);
}

std::string OpenDialogStartFolder(const GameInstalls& installs) {
  std::string folder = installs.xvt.path;
  bool driveRoot = folder.size() == 3 && folder[1] == ':';
  if (!folder.empty() && folder.back() == '\\' && !driveRoot) folder.pop_back();
  return folder;
}

void OpenFileClick(OpenContext& ctx, const MissionTreeView& tree, FileOpenDialog& dialog, Prompts& prompts) {
  if (tree.Count() == 0) {
    prompts.Information(kBuildTreeFirst);
    return;
  }
  ctx.details.SetMissionNameText("");
  OpenMissionFile(ctx, dialog.Choose(OpenDialogStartFolder(ctx.installs), kMissionFilter));
}

}  // namespace catalogue

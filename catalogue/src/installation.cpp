#include "catalogue/installation.h"

#include <limits>
#include <stdexcept>

#include "catalogue/list_files.h"
#include "catalogue/list_reader.h"

namespace catalogue {

std::vector<std::string> InstallTargets(MissionType type, Side side, bool singlePlayer) {
  if (type == mtTraining && (side == sdRebel || side == sdImperial)) {
    std::vector<std::string> targets{side == sdRebel ? "\\train\\rebel.lst" : "\\train\\imperial.lst"};
    if (!singlePlayer) targets.emplace_back("\\train\\mission.lst");
    return targets;
  }
  if (type == mtCombat && side == sdBoth) {
    return {"\\combat\\mission.lst", "\\combat\\rebel.lst", "\\combat\\imperial.lst"};
  }
  if (type == mtMelee && side == sdBoth) return {"\\melee\\mission.lst"};
  return {};
}

void SaveListLines(ListFiles& files, const std::string& windowsPath, const std::vector<std::string>& lines) {
  files.Replace(windowsPath, JoinLines(lines));
}

void TextBuffer::SaveTo(const std::string& windowsPath) { SaveListLines(files_, windowsPath, lines); }

namespace {

std::int32_t NextMissionNumber(std::string_view text) {
  std::int32_t highest = HighestMissionNumber(text);
  // One more would not read back as a number; refuse rather than write a
  // list the next reading fails on.
  if (highest == std::numeric_limits<std::int32_t>::max()) {
    throw std::range_error("Mission number " + std::to_string(highest) + " is the highest a list can hold");
  }
  return highest + 1;
}

void AppendMission(ListContents& contents, const std::string& number, const NewMission& mission) {
  contents.AppendLine(number);
  contents.AppendLine(mission.fileName);
  contents.AppendLine(mission.title);
}

// Copies the list with the mission after the section group of every header
// equal to the section. A header whose group never closes with "//" gets the
// mission at the end of the file instead of reading on forever.
void CopyWithInsertion(std::string_view text, const std::string& number, const NewMission& mission,
                       ListContents& contents) {
  LineReader reader(text);
  while (!reader.AtEnd()) {
    std::string_view line = reader.ReadLine();
    contents.AppendLine(std::string(line));
    if (line != mission.section) continue;
    std::string_view last = line;
    do {
      if (reader.AtEnd()) break;
      last = reader.ReadLine();
      contents.AppendLine(std::string(last));
    } while (last != "//");
    AppendMission(contents, number, mission);
  }
}

}  // namespace

std::int32_t InsertIntoList(const std::string& path, const NewMission& mission, ListFiles& files,
                            ListContents& contents, bool show) {
  // One read serves the three readings: none of them changes the file.
  const std::string text = files.Read(path);
  const std::int32_t number = NextMissionNumber(text);
  const bool sectionThere = HasSection(text, mission.section);
  contents.Clear();
  contents.SetCaption(kListCaptionPrefix + path);
  if (show) contents.Show();
  const std::string numberLine = std::to_string(number);
  if (sectionThere) {
    CopyWithInsertion(text, numberLine, mission, contents);
  } else {
    LineReader reader(text);
    while (!reader.AtEnd()) contents.AppendLine(std::string(reader.ReadLine()));
    contents.AppendLine("//");
    contents.AppendLine(mission.section);
    contents.AppendLine("//");
    AppendMission(contents, numberLine, mission);
  }
  contents.SaveTo(path);
  return number;
}

namespace {

bool CheckEntries(InstallContext& ctx) {
  const std::string name = ctx.details.MissionNameText();
  const std::string section = ctx.details.MissionSectionText();
  const char* failure = nullptr;
  if (name.empty()) failure = kNeedMissionName;
  else if (section.empty()) failure = kNeedMissionSection;
  else if (section.front() != '[') failure = kNeedOpeningBracket;
  else if (section.back() != ']') failure = kNeedClosingBracket;
  if (failure) ctx.prompts.Error(failure);
  return failure == nullptr;
}

// Game and type come back from the MissionType caption by its first and
// last characters; the side and players from the buttons.
void DeriveSelection(InstallContext& ctx) {
  MissionSelection& sel = ctx.selection;
  const std::string type = ctx.details.MissionTypeCaption();
  if (!type.empty()) {
    if (type.front() == 'X') sel.game = gmXvT, ctx.confirm.SetGame("XvT");
    if (type.front() == 'B') sel.game = gmBoP, ctx.confirm.SetGame("BoP");
    if (type.back() == 'g') sel.type = mtTraining, ctx.confirm.SetMType("Training");
    if (type.back() == 't') sel.type = mtCombat, ctx.confirm.SetMType("Combat");
    if (type.back() == 'e') sel.type = mtMelee, ctx.confirm.SetMType("Melee");
  }
  if (ctx.details.SideChecked(sbRebel)) sel.side = sdRebel, ctx.confirm.SetSides("Rebel");
  else if (ctx.details.SideChecked(sbImperial)) sel.side = sdImperial, ctx.confirm.SetSides("Imperial");
  else if (ctx.details.SideChecked(sbBoth)) sel.side = sdBoth, ctx.confirm.SetSides("Imperial;Rebel");
  sel.singlePlayer = ctx.details.SPChecked();
  ctx.confirm.SetPlayers(sel.singlePlayer ? "Single" : "Multi");
  ctx.confirm.SetMSection(ctx.details.MissionSectionText());
}

void ResetDetails(MissionDetails& d) {
  d.ClearSectionItems();
  d.SetFilenameCaption(kNoFileLoaded);
  d.SetMissionTypeCaption(kNoFileLoaded);
  d.SetMissionNameText("");
  d.SetMissionSectionText("");
  d.SetSPChecked(false);
  d.SetSPEnabled(false);
  d.SetSideEnabled(sbImperial, false);
  d.SetSideEnabled(sbRebel, false);
  d.SetSideEnabled(sbBoth, false);
  d.SetInstallEnabled(false);
}

}  // namespace

bool InstallClick(InstallContext& ctx) {
  if (!CheckEntries(ctx)) return false;
  if (ctx.details.FilenameCaption().find_first_of("?*") != std::string::npos)
    throw std::invalid_argument(kNameOutsideCodePage);
  DeriveSelection(ctx);
  if (!ctx.confirm.ShowModal()) return false;
  const MissionSelection& sel = ctx.selection;
  const NewMission mission{ctx.details.MissionSectionText(), ctx.details.FilenameCaption(),
                           ctx.details.MissionNameText()};
  if (sel.game == gmBoP) {
    if (sel.type == mtCombat) ctx.prompts.Information("Combat");
    if (sel.type == mtMelee) ctx.prompts.Information("Melee");
  }
  const std::string* root = sel.game == gmXvT ? &ctx.installs.xvt.path
                            : sel.game == gmBoP ? &ctx.installs.bop.path
                                                : nullptr;
  if (root) {
    std::vector<std::string> paths;
    for (const std::string& suffix : InstallTargets(sel.type, sel.side, sel.singlePlayer)) paths.push_back(*root + suffix);
    // Every list is taken and its numbers read before the first is written,
    // so a list that fails leaves all of them as they were, and a run again
    // after mending it adds the mission once to each.
    RewriteHold hold(ctx.files, paths);
    for (const std::string& path : paths) NextMissionNumber(ctx.files.Read(path));
    for (const std::string& path : paths)
      InsertIntoList(path, mission, ctx.files, ctx.contents, ctx.showLstProcessing);
  }
  ResetDetails(ctx.details);
  return true;
}

}  // namespace catalogue

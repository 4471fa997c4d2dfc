// Shared helpers of the window tests: the main window's controls as plain
// state, so the commands can be driven without a screen.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "catalogue_fixtures.h"
#include "catalogue/catalogue.h"
#include "registry/registry.h"
#include "ui/main_commands.h"

namespace ui::test {

using namespace catalogue;

// A tree in memory that also remembers which nodes are open.
class PlainTree : public MissionTreeControl {
 public:
  MemoryTree nodes;
  std::set<NodeRef> expanded;
  void Clear() override {
    nodes.Clear();
    expanded.clear();
  }
  std::size_t Count() const override { return nodes.Count(); }
  void Visit(const Visitor& v) const override { nodes.Visit(v); }
  NodeRef AddTopLevel(std::string caption) override { return nodes.AddTopLevel(std::move(caption)); }
  NodeRef AddChild(NodeRef parent, std::string caption) override { return nodes.AddChild(parent, std::move(caption)); }
  NodeRef FirstNode() const override {
    std::vector<NodeRef> top = nodes.Children(kNoNode);
    if (top.empty()) throw std::out_of_range(kInvalidIndex);
    return top.front();
  }
  void Expand(NodeRef node, bool recurse) override { Mark(node, recurse, true); }
  void Collapse(NodeRef node, bool recurse) override { Mark(node, recurse, false); }
  bool Open(const std::string& caption) const { return expanded.count(nodes.FindCaption(caption)) != 0; }

 private:
  void Mark(NodeRef node, bool recurse, bool open) {
    if (open)
      expanded.insert(node);
    else
      expanded.erase(node);
    if (recurse)
      for (NodeRef child : nodes.Children(node)) Mark(child, true, open);
  }
};

struct PlainControls : MainWindowControls {
  std::string xvtPath, bopPath, refreshCaption = kBuildButtonCaption;
  bool openFileEnabled = false, terminated = false, fadeIn = true;
  int instructionsShown = 0, aboutShown = 0;
  void SetPathCaptions(const std::string& x, const std::string& b) override {
    xvtPath = x;
    bopPath = b;
  }
  void SetRefreshCaption(const std::string& c) override { refreshCaption = c; }
  void SetOpenFileEnabled(bool on) override { openFileEnabled = on; }
  void ShowInstructions() override { ++instructionsShown; }
  void ShowAbout() override { ++aboutShown; }
  void Terminate() override { terminated = true; }
  void SetMenuFades(bool on) override { fadeIn = on; }
};

struct RecordingPrompts : Prompts {
  std::vector<std::string> shown;  // "I:" or "E:" and the text
  void Information(const std::string& t) override { shown.push_back("I:" + t); }
  void Error(const std::string& t) override { shown.push_back("E:" + t); }
};

struct ScriptedDialog : FileOpenDialog {
  std::optional<std::string> answer;
  std::string startFolder, filter;
  std::optional<std::string> Choose(const std::string& start, const std::string& f) override {
    startFolder = start;
    filter = f;
    return answer;
  }
};

// The main window with both games installed and every list in place.
struct MainWindowRig {
  PlainMissionDetails details;
  PlainTree tree;
  catalogue::test::RecordingStatus status;
  PlainMenuItems menu;
  PlainControls controls;
  RecordingPrompts prompts;
  ScriptedDialog dialog;
  PlainConfirmDialog confirm;
  MemoryListFiles files;
  TextBuffer contents{files};
  catalogue::test::ManualClock clock;
  MainCommands commands{{details, tree, status, menu, controls, prompts, dialog, confirm, contents}, files, clock};

  explicit MainWindowRig(bool xvt = true, bool bop = true) {
    clock.times = {0.0};
    registry::MemoryRegistry reg;
    if (xvt) reg.SetString(kXvTKey, kInstallPathValue, catalogue::test::kXvT);
    if (bop) reg.SetString(kBoPKey, kInstallPathValue, catalogue::test::kBoP);
    commands.ReadInstallPaths(reg);
    catalogue::test::PutAllLists(files, commands.Installs());
  }
};

}  // namespace ui::test

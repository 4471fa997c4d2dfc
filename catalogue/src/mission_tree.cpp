#include "catalogue/mission_tree.h"

#include <chrono>
#include <cmath>
#include <ctime>

#include "catalogue/list_files.h"
#include "catalogue/list_reader.h"
#include "hostos/hostos.h"

namespace catalogue {

NodeRef MissionTreeView::FindCaption(std::string_view caption) const {
  NodeRef found = kNoNode;
  Visit([&](NodeRef node, std::string_view text, int) {
    if (text != caption) return true;
    found = node;
    return false;
  });
  return found;
}

void MemoryTree::Clear() {
  nodes_.clear();
  firstTop_ = lastTop_ = kNoNode;
}

NodeRef MemoryTree::Append(NodeRef parent, std::string caption) {
  nodes_.push_back(Node{std::move(caption), parent});
  NodeRef ref = nodes_.size();
  NodeRef& first = parent ? nodes_[parent - 1].firstChild : firstTop_;
  NodeRef& last = parent ? nodes_[parent - 1].lastChild : lastTop_;
  if (last) nodes_[last - 1].next = ref;
  else first = ref;
  last = ref;
  return ref;
}

NodeRef MemoryTree::AddTopLevel(std::string caption) { return Append(kNoNode, std::move(caption)); }

NodeRef MemoryTree::AddChild(NodeRef parent, std::string caption) {
  if (parent == kNoNode || parent > nodes_.size()) throw std::out_of_range("Tree index out of bounds");
  return Append(parent, std::move(caption));
}

void MemoryTree::Visit(const Visitor& visitor) const {
  // Down to the first child, else on to the next sibling, else up until an
  // ancestor has one: depth-first without a stack.
  NodeRef node = firstTop_;
  int level = 0;
  while (node) {
    const Node& n = nodes_[node - 1];
    if (!visitor(node, n.caption, level)) return;
    if (n.firstChild) {
      node = n.firstChild;
      ++level;
      continue;
    }
    while (node && !nodes_[node - 1].next) {
      node = nodes_[node - 1].parent;
      --level;
    }
    if (node) node = nodes_[node - 1].next;
  }
}

std::vector<NodeRef> MemoryTree::Children(NodeRef parent) const {
  std::vector<NodeRef> children;
  for (NodeRef c = parent ? nodes_.at(parent - 1).firstChild : firstTop_; c; c = nodes_[c - 1].next) {
    children.push_back(c);
  }
  return children;
}

double SystemClock::Now() const {
  // Days since the epoch in local time: only differences are used, but
  // they must span a change of the local offset as the local clock does.
  std::time_t now = std::time(nullptr);
  auto since = std::chrono::system_clock::now().time_since_epoch();
  double seconds = std::chrono::duration<double>(since).count() + static_cast<double>(hostos::LocalOffsetSeconds(now));
  return seconds / 86400.0;
}

std::int64_t RoundHalfEven(double value) {
  double floor = std::floor(value);
  double fraction = value - floor;
  auto lower = static_cast<std::int64_t>(floor);
  if (fraction > 0.5) return lower + 1;
  if (fraction < 0.5) return lower;
  return (lower % 2 == 0) ? lower : lower + 1;
}

namespace {

struct TreeFiller : GroupVisitor {
  MissionTreeView& tree;
  StatusSink& status;
  BuildState& state;
  NodeRef category;
  NodeRef parent;
  std::string caption;  // reused so a long list allocates little

  TreeFiller(MissionTreeView& t, StatusSink& s, BuildState& st, NodeRef c)
      : tree(t), status(s), state(st), category(c), parent(c) {}

  void OnGroupLine(std::string_view line) override { status.SetPanelText(1, line); }
  void OnSection(std::string_view header) override { parent = tree.AddChild(category, std::string(header)); }
  void OnMission(std::int32_t, std::string_view file, std::string_view title) override {
    status.SetPanelText(1, title);
    caption.assign(title).append(" - ").append(file);
    tree.AddChild(parent, caption);
    ++state.missionTotal;
    status.SetPanelText(0, "Adding Missions...(" + std::to_string(state.missionTotal) + ")");
  }
};

struct ListRow {
  const char* suffix;
  const char* category;
};
constexpr ListRow kXvTRows[] = {{"\\Train\\Imperial.lst", "Imperial Training"},
                                {"\\Train\\rebel.lst", "Rebel Training"},
                                {"\\melee\\mission.lst", "Melees"},
                                {"\\combat\\mission.lst", "Combat"}};
constexpr ListRow kBoPRows[] = {{"\\Train\\Imperial.lst", "BoP Imperial Training"},
                                {"\\Train\\rebel.lst", "BoP Rebel Training"},
                                {"\\melee\\mission.lst", "BoP Melees"},
                                {"\\combat\\mission.lst", "BoP Combat"}};

}  // namespace

NodeRef AddListToTree(const std::string& path, const std::string& gameCaption, const std::string& categoryCaption,
                      ListFiles& files, MissionTreeView& tree, StatusSink& status, BuildState& state) {
  std::string text = files.Read(path);
  NodeRef game = tree.FindCaption(gameCaption);
  if (game == kNoNode) game = tree.AddTopLevel(gameCaption);
  if (tree.FindCaption(categoryCaption) != kNoNode) return game;
  NodeRef category = tree.AddChild(game, categoryCaption);
  TreeFiller filler(tree, status, state, category);
  WalkGroups(text, filler);
  return game;
}

void BuildMissionTree(const GameInstalls& installs, const BuildOptions& options, ListFiles& files,
                      MissionTreeView& tree, StatusSink& status, const Clock& clock, BuildState& state) {
  state.startTime = clock.Now();
  status.SetPanelText(0, "Adding Missions...");
  state.missionTotal = 0;
  state.secondGameNode = kNoNode;
  tree.Clear();
  if (options.xvtMissions && installs.xvt.present) {
    for (const ListRow& row : kXvTRows) {
      AddListToTree(installs.xvt.path + row.suffix, "XvT", row.category, files, tree, status, state);
    }
  }
  if (options.bopMissions && installs.bop.present) {
    for (const ListRow& row : kBoPRows) {
      NodeRef game = AddListToTree(installs.bop.path + row.suffix, "BoP", row.category, files, tree, status, state);
      if (&row == &kBoPRows[0]) state.secondGameNode = game;
    }
  }
  status.SetPanelText(0, "Done.");
  std::int64_t seconds = RoundHalfEven((clock.Now() - state.startTime) * 86400.0);
  status.SetPanelText(1, std::to_string(state.missionTotal) + " Missions, in " + std::to_string(seconds) +
                             " seconds.");
}

}  // namespace catalogue

// Building the tree of games, lists, sections and missions from the lists of
// the installed games, against an abstract tree and status bar so that the
// window and the command line can both show it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/game_install.h"

namespace catalogue {

class ListFiles;

// A node of a tree; 0 is no node. A window's tree passes its item handles.
using NodeRef = std::uintptr_t;
inline constexpr NodeRef kNoNode = 0;

class MissionTreeView {
 public:
  virtual ~MissionTreeView() = default;
  virtual void Clear() = 0;
  virtual std::size_t Count() const = 0;
  // Every node in depth-first order with its caption and level (0 for the
  // top); the callback returns false to stop the visit.
  using Visitor = std::function<bool(NodeRef node, std::string_view caption, int level)>;
  virtual void Visit(const Visitor& visitor) const = 0;
  // Appends a node after the existing top-level nodes.
  virtual NodeRef AddTopLevel(std::string caption) = 0;
  // Appends a node as the last child of `parent`.
  virtual NodeRef AddChild(NodeRef parent, std::string caption) = 0;
  // The first node in depth-first order whose caption equals `caption`
  // exactly; kNoNode when there is none. The build asks this twice per list
  // (eight lists at most), so one visit each keeps a build linear in the
  // number of nodes. A tree whose visit is costly per node (one message per
  // item, say) should override it, for instance with a caption index.
  virtual NodeRef FindCaption(std::string_view caption) const;
};

// A tree held in memory, for the command line and for tests. Adding is
// constant time and visiting needs no stack.
class MemoryTree : public MissionTreeView {
 public:
  void Clear() override;
  std::size_t Count() const override { return nodes_.size(); }
  void Visit(const Visitor& visitor) const override;
  NodeRef AddTopLevel(std::string caption) override;
  NodeRef AddChild(NodeRef parent, std::string caption) override;

  const std::string& Caption(NodeRef node) const { return nodes_.at(node - 1).caption; }
  NodeRef Parent(NodeRef node) const { return nodes_.at(node - 1).parent; }
  std::vector<NodeRef> Children(NodeRef parent) const;  // kNoNode: the top level

 private:
  struct Node {
    std::string caption;
    NodeRef parent = kNoNode;
    NodeRef firstChild = kNoNode;
    NodeRef lastChild = kNoNode;
    NodeRef next = kNoNode;
  };
  NodeRef Append(NodeRef parent, std::string caption);

  std::vector<Node> nodes_;
  NodeRef firstTop_ = kNoNode;
  NodeRef lastTop_ = kNoNode;
};

// The status bar panels the build writes to (0: progress, 1: details).
class StatusSink {
 public:
  virtual ~StatusSink() = default;
  virtual void SetPanelText(int panel, std::string_view text) = 0;
};

// The local date and time in days (with the fraction of the day).
class Clock {
 public:
  virtual ~Clock() = default;
  virtual double Now() const = 0;
};

class SystemClock : public Clock {
 public:
  double Now() const override;
};

// Which games the Options menu asks to load.
struct BuildOptions {
  bool xvtMissions = true;
  bool bopMissions = true;
};

// Kept by the main window from one build to the next.
struct BuildState {
  std::int32_t missionTotal = 0;
  NodeRef secondGameNode = kNoNode;  // the "BoP" node of the last build
  double startTime = 0;
};

// Rounds to the nearest whole number, a half going to the even neighbour.
std::int64_t RoundHalfEven(double value);

// The build: clears the tree, then reads the four lists of each selected,
// installed game (XvT first) and reports in the status panels. On an error
// (a file error or a bad number line) it throws with the nodes added so far
// left in the tree and `state` as far as it got. The window's own steps
// stay with the window: the build button's and menu item's captions and
// the menu items enabled before, the OpenFile button enabled after a build
// that did not throw.
void BuildMissionTree(const GameInstalls& installs, const BuildOptions& options, ListFiles& files,
                      MissionTreeView& tree, StatusSink& status, const Clock& clock, BuildState& state);

// Reads one list into the tree below the node captioned `gameCaption`
// (found anywhere, else added at the top) as a category node; a category
// caption already in the tree leaves the list unread. Returns the game node.
NodeRef AddListToTree(const std::string& path, const std::string& gameCaption, const std::string& categoryCaption,
                      ListFiles& files, MissionTreeView& tree, StatusSink& status, BuildState& state);

}  // namespace catalogue

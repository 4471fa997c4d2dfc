#include "ui/main_commands.h"

#include <stdexcept>

namespace ui {

using namespace catalogue;

void MainCommands::ReadInstallPaths(registry::Registry& reg) {
  installs_ = catalogue::ReadInstallPaths(reg);
  w_.controls.SetPathCaptions(installs_.xvt.path, installs_.bop.path);
}

void MainCommands::RefreshClick() {
  w_.controls.SetRefreshCaption(kRefreshButtonCaption);
  w_.menu.SetCaption(miBuildMissionList1, kRefreshCaption);
  for (MenuItemId item : {miOpen1, miInstall1, miExpandAll1}) w_.menu.SetEnabled(item, true);
  BuildOptions options{w_.menu.Checked(miXvTM), w_.menu.Checked(miBoPM)};
  BuildMissionTree(installs_, options, files_, w_.tree, w_.status, clock_, build_);
  // Only a build that ran to its end makes the Open button usable.
  w_.controls.SetOpenFileEnabled(true);
}

void MainCommands::OpenFileClick() {
  OpenContext ctx = OpenCtx();
  catalogue::OpenFileClick(ctx, w_.tree, w_.openDialog, w_.prompts);
}

void MainCommands::SideClick() {
  OpenContext ctx = OpenCtx();
  catalogue::SideClick(ctx);
}

void MainCommands::InstallClick() {
  InstallContext ctx{w_.details, selection_,  installs_,   files_, w_.prompts,
                     w_.confirm, w_.contents, w_.menu.Checked(miShowLSTProcessing1)};
  catalogue::InstallClick(ctx);
}

void MainCommands::ExpandAll1Click() {
  // The command follows its own check mark, not the tree's present look.
  bool expand = !w_.menu.Checked(miExpandAll1);
  NodeRef first = w_.tree.FirstNode();  // throws on an empty tree: the mark stays
  auto apply = [&](NodeRef node) {
    if (expand)
      w_.tree.Expand(node, true);
    else
      w_.tree.Collapse(node, true);
  };
  apply(first);
  if (build_.secondGameNode != kNoNode) apply(build_.secondGameNode);
  w_.menu.SetChecked(miExpandAll1, expand);
}

void MainCommands::MenuFades1Click() {
  bool fadesOn = w_.menu.Checked(miMenuFades1);
  w_.controls.SetMenuFades(!fadesOn);
  w_.menu.SetChecked(miMenuFades1, !fadesOn);
}

}  // namespace ui

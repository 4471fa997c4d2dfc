// TStatusBar over the "msctls_statusbar32" window class: Panels as parts,
// or one simple text; docked to the bottom by the framework's alignment.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "framework/status_panels.h"
#include "framework/wincontrol.h"

class TStatusBar;
using TDrawPanelEvent = std::function<void(TStatusBar* statusBar, TStatusPanel* panel, const TRect& rect)>;

class TStatusBar : public TWinControl {
 public:
  // alBottom, 19 pixels high, button face, a size grip. Kinds that host
  // child controls add csAcceptsControls to ControlStyle in their constructor.
  explicit TStatusBar(TComponent* owner);
  ~TStatusBar() override;

  TStatusPanels* Panels() { return panels_.get(); }
  bool SimplePanel() const { return simplePanel_; }
  void SetSimplePanel(bool on);
  const std::string& SimpleText() const { return simpleText_; }
  // A different text is stored and sent as the simple part's text.
  void SetSimpleText(const std::string& text);
  bool SizeGrip() const { return sizeGrip_; }
  void SetSizeGrip(bool on);

  // Draws an owner-drawn panel (psOwnerDraw) with the bar's canvas.
  TDrawPanelEvent OnDrawPanel;
  TCanvas* Canvas() { return canvas_.get(); }

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  virtual void DrawPanel(TStatusPanel* panel, const TRect& rect);

 private:
  void DrawItem(const DRAWITEMSTRUCT& item);

  std::unique_ptr<TStatusPanels> panels_;
  std::unique_ptr<TCanvas> canvas_;
  bool simplePanel_ = false;
  std::string simpleText_;
  bool sizeGrip_ = true;
};

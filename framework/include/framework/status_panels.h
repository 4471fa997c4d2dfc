// TStatusPanels and TStatusPanel: the text panels of a status bar as a
// collection, written into the "msctls_statusbar32" window (parts and their
// texts) while the bar has one.
#pragma once

#include <string>

#include <win32/windows.h>

#include "framework/collection.h"
#include "framework/types.h"

enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };
enum TStatusPanelStyle { psText, psOwnerDraw };

class TStatusPanels;

class TStatusPanel : public TCollectionItem {
 public:
  explicit TStatusPanel(TCollection* collection);

  const std::string& Text() const { return text_; }
  // An equal text changes nothing and sends nothing.
  void SetText(const std::string& text);
  int Width() const { return width_; }
  void SetWidth(int width);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  TStatusPanelBevel Bevel() const { return bevel_; }
  void SetBevel(TStatusPanelBevel bevel);
  TStatusPanelStyle Style() const { return style_; }
  void SetStyle(TStatusPanelStyle style);

  void Assign(TPersistent* source) override;
  std::string DisplayName() const override { return text_.empty() ? TCollectionItem::DisplayName() : text_; }

 private:
  std::string text_;
  int width_ = 50;
  TAlignment alignment_ = taLeftJustify;
  TStatusPanelBevel bevel_ = pbLowered;
  TStatusPanelStyle style_ = psText;
};

class TStatusPanels : public TCollection {
 public:
  // The bar's window has at most this many parts.
  static constexpr int kMaxParts = 128;

  TStatusPanels();
  TStatusPanel* Add();
  TStatusPanel* Items(int index) const;
  TStatusPanel* operator[](int index) const { return Items(index); }

  // The bar hands its window over when made (the parts are written at
  // once) and takes it back before it is destroyed.
  void AttachWindow(HWND window);
  void DetachWindow() { window_ = nullptr; }
  HWND Window() const { return window_; }

  // Writes the parts and every panel's text into the window.
  void SendParts() const;
  // Writes one panel's text (with its bevel, style and alignment).
  void SendText(int index) const;
  // The window text of a panel: one tab centres it, two right-align it.
  static std::string WindowText(const TStatusPanel& panel);
  static WPARAM TextFlags(const TStatusPanel& panel, int index);

 protected:
  void Update(TCollectionItem* item) override;

 private:
  HWND window_ = nullptr;
};

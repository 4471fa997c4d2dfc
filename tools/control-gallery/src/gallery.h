// The control gallery: one window with every custom control in its main
// variants side by side, section under section. A section is a title, a
// height and a function that puts its controls on the section's host; each
// library of controls adds its sections in a file of its own, listed in
// gallery_sections.cpp.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/forms.h"

namespace gallery {

struct Section {
  std::string title;
  int height;
  // Puts the section's controls on `host` (a plain panel `kWidth` wide).
  std::function<void(TWinControl* host)> build;
  // Runs once the window is shown: states that need the pointer or the
  // focus (a hot button, a focused edit). May be empty.
  std::function<void(TWinControl* host)> afterShow;
};

inline constexpr int kWidth = 760;
// The headless screen the gallery is shot on, large enough for the window.
inline constexpr int kScreenWidth = 800;
inline constexpr int kScreenHeight = 960;

// A control of class T on `host`, owned by the host's owner.
template <class T>
T* Put(TWinControl* host, int left, int top, int width, int height) {
  auto* c = new T(host->Owner());
  c->SetParent(host);
  c->SetBounds(left, top, width, height);
  return c;
}

// Every section, in the order they are shown (gallery_sections.cpp).
std::vector<Section> AllSections();
// The sections of each library, one file each.
void AddPanelSections(std::vector<Section>& out);
void AddDisplaySections(std::vector<Section>& out);

// Pictures (the golden test, --shot) show the clocks at 10:09:36 on a fixed
// day, so that every shot has the same digits and hands.
void UseFixedTime();

// The gallery window, built and not yet shown.
class TGalleryForm : public TForm {
 public:
  explicit TGalleryForm(TComponent* owner);
  // Shows the window and brings every section into its shown state.
  void ShowSections();

 private:
  std::vector<std::pair<Section, TWinControl*>> hosts_;
};

// A 16 x 16 glyph on a fuchsia ground for the sections to share.
void PaintSampleGlyph(class TBitmap& glyph);

}  // namespace gallery

// The sections of the gallery, library by library: a new library of
// controls adds its Add...Sections here.
#include "gallery.h"

namespace gallery {

std::vector<Section> AllSections() {
  std::vector<Section> all;
  AddPanelSections(all);
  AddDisplaySections(all);
  return all;
}

}  // namespace gallery

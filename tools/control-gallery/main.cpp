// xvt-control-gallery [--shot FILE]: the custom controls side by side, on
// real windows, or drawn on the headless screen and written as a PNG.
#include <backend/headless.h>
#include <backend/sdl.h>

#include <cstdio>
#include <cstring>
#include <exception>

#include "framework/application.h"
#include "gallery.h"

int main(int argc, char** argv) {
  const bool shot = argc == 3 && std::strcmp(argv[1], "--shot") == 0;
  if (argc != 1 && !shot) {
    std::fprintf(stderr, "usage: xvt-control-gallery [--shot FILE]\n");
    return 2;
  }
  try {
    if (shot) {
      headless::Start(gallery::kScreenWidth, gallery::kScreenHeight);
      gallery::UseFixedTime();
    } else {
      sdl::Start();
    }
    InitCommonControls();
    TOwned<gallery::TGalleryForm> form(new gallery::TGalleryForm(nullptr));
    form->ShowSections();
    if (shot) {
      if (!headless::SaveWindow(form->Handle(), argv[2])) {
        std::fprintf(stderr, "xvt-control-gallery: cannot write %s\n", argv[2]);
        return 1;
      }
      return 0;
    }
    Application->Run();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "xvt-control-gallery: %s\n", e.what());
    return 1;
  }
  return 0;
}

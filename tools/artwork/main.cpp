// xvt-artwork OUTDIR: draws the program's pictures from code into OUTDIR.
// Its output is kept in the repository beside this program, so a build never
// needs to run it; run it again after changing a drawing.
#include <fstream>
#include <iostream>
#include <string>

#include "app_icon.h"
#include "png_writer.h"
#include "shapes.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: xvt-artwork OUTDIR\n";
    return 2;
  }
  std::string dir = argv[1];
  auto icon = artwork::AppIcon();
  for (int size : {16, 32, 48, 64, 128, 256}) {
    std::string path = dir + "/xvtinst-" + std::to_string(size) + ".png";
    if (!WritePng(path, size, size, artwork::Rasterise(icon, size))) {
      std::cerr << "xvt-artwork: cannot write " << path << "\n";
      return 1;
    }
  }
  std::ofstream svg(dir + "/xvtinst.svg", std::ios::binary);
  svg << artwork::ToSvg(icon);
  if (!svg.flush()) {
    std::cerr << "xvt-artwork: cannot write " << dir << "/xvtinst.svg\n";
    return 1;
  }
  return 0;
}

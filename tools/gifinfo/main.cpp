// gifinfo FILE | --indices FILE DIR | --frames FILE DIR
#include "gifinfo.h"

#include <fstream>
#include <iostream>

namespace {

int Usage() {
  std::cerr << "usage: gifinfo FILE\n"
               "       gifinfo --indices FILE DIR\n"
               "       gifinfo --frames FILE DIR\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string mode, file, dir;
  if (argc == 2 && argv[1][0] != '-') {
    file = argv[1];
  } else if (argc == 4 && (std::string(argv[1]) == "--indices" || std::string(argv[1]) == "--frames")) {
    mode = argv[1];
    file = argv[2];
    dir = argv[3];
  } else {
    return Usage();
  }
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    std::cerr << "Cannot open " << file << '\n';
    return 1;
  }
  try {
    TGIFPicture pic;
    pic.LoadFromStream(in);
    // A frame that cannot be decoded fails like a load, after the metadata.
    const std::string error = PrintGIFInfo(pic, std::cout);
    if (!error.empty()) throw EInvalidGraphicOperation(error);
    if (mode == "--indices") WriteIndexFiles(pic, dir);
    if (mode == "--frames") WriteFramePngs(pic, dir);
  } catch (const std::exception& e) {
    std::cout.flush();
    std::cerr << e.what() << '\n';
    return 1;
  }
  return 0;
}

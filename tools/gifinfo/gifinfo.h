#pragma once
// The report of the gifinfo tool, apart from its command line.
#include "display/GIFPicture.h"

#include <ostream>
#include <string>

// Metadata lines of a loaded picture, every frame decoded first. Returns
// the message of the first frame that cannot be decoded, "" when none.
std::string PrintGIFInfo(TGIFPicture& pic, std::ostream& out);
// Each frame's indices as dir/frame-NNN.idx; throws on a file error.
void WriteIndexFiles(TGIFPicture& pic, const std::string& dir);
// Each frame composed as the animator shows it, as dir/frame-NNN.png; the
// pixels of the composition's transparent colour are written transparent.
void WriteFramePngs(TGIFPicture& pic, const std::string& dir);

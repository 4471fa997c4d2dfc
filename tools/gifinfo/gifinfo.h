#pragma once
// The report of the gifinfo tool, apart from its command line.
#include <RxGIF.h>

#include <ostream>
#include <string>

// Metadata lines of a loaded picture, every frame decoded first.
void PrintGIFInfo(TGIFPicture& pic, std::ostream& out);
// Each frame's indices as dir/frame-NNN.idx; throws on a file error.
void WriteIndexFiles(TGIFPicture& pic, const std::string& dir);

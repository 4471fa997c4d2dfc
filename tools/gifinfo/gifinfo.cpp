#include "gifinfo.h"

#include <backend/backend.h>

#include "display/GIFCompose.h"

#include <cstdio>
#include <fstream>
#include <stdexcept>

namespace {

const char* YesNo(bool b) { return b ? "yes" : "no"; }

std::string Hex(TColor c) {
  if (c == clNone) return "none";
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02X%02X%02X", unsigned(c & 0xFF), unsigned((c >> 8) & 0xFF),
                unsigned((c >> 16) & 0xFF));
  return buf;
}

std::string CommentLine(const std::string& s) {
  if (s == "\r\n\r\n") return "";
  std::string out;
  for (char ch : s) {
    if (ch == '\r') out += "\\r";
    else if (ch == '\n') out += "\\n";
    else out += ch;
  }
  return out;
}

}  // namespace

std::string PrintGIFInfo(TGIFPicture& pic, std::ostream& out) {
  std::string error;
  for (auto& f : pic.Frames) {
    try {
      f->Decoded();
    } catch (const EInvalidGraphicOperation& e) {
      if (error.empty()) error = e.what();
    }
  }
  static const char* versions[] = {"unknown", "87a", "89a"};
  out << "version: " << versions[pic.Version < 3 ? pic.Version : 0] << '\n';
  out << "screen: " << pic.ScreenWidth() << " x " << pic.ScreenHeight() << '\n';
  out << "background: " << Hex(pic.BackgroundColor) << '\n';
  out << "frames: " << pic.Frames.size() << '\n';
  out << "looping: " << YesNo(pic.Looping) << '\n';
  out << "repeat: " << pic.RepeatCount << '\n';
  out << "corrupted: " << YesNo(pic.Corrupted) << '\n';
  for (std::size_t i = 0; i < pic.Frames.size(); ++i) {
    const TGIFFrameBase& f = *pic.Frames[i];
    const TGIFPoint size = f.Size();
    out << "frame " << i << ": origin " << f.TopLeft.X << ',' << f.TopLeft.Y << " size " << size.X << " x "
        << size.Y << " delay " << f.AnimateInterval << " disposal " << int(f.DisposalMethod) << " transparent "
        << Hex(f.TransparentColor) << " interlaced " << YesNo(f.Interlaced) << " local-colors "
        << YesNo(f.LocalColors) << " corrupted " << YesNo(f.Corrupted) << '\n';
  }
  for (const std::string& line : pic.Data->Comment) out << "comment: " << CommentLine(line) << '\n';
  return error;
}

std::string FramePath(const std::string& dir, std::size_t i, const char* ext) {
  char name[32];
  std::snprintf(name, sizeof name, "/frame-%03zu.%s", i, ext);
  return dir + name;
}

void WriteIndexFiles(TGIFPicture& pic, const std::string& dir) {
  for (std::size_t i = 0; i < pic.Frames.size(); ++i) {
    const TGIFBitmap& b = pic.Frames[i]->Decoded();
    const std::string path = FramePath(dir, i, "idx");
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(b.Indices.data()), std::streamsize(b.Indices.size()));
    if (!f) throw std::runtime_error("Cannot write " + path);
  }
}

void WriteFramePngs(TGIFPicture& pic, const std::string& dir) {
  TGIFComposer composer(pic);
  const int w = pic.ScreenWidth(), h = pic.ScreenHeight();
  for (std::size_t i = 0; i < pic.Frames.size(); ++i) {
    const std::vector<std::uint32_t>& px = composer.Compose(int(i));
    const TColor t = composer.TransparentColor();
    const std::uint32_t key = t == clNone ? 0xFFFFFFFFu : ((t & 0xFF) << 16) | (t & 0xFF00) | ((t >> 16) & 0xFF);
    std::vector<std::uint32_t> argb;
    argb.reserve(px.size());
    for (std::uint32_t p : px) argb.push_back((p & 0xFFFFFFu) | (p == key ? 0u : 0xFF000000u));
    const backend::PixelView view{argb.data(), w, h, w, true};
    const std::string path = FramePath(dir, i, "png");
    if (!backend::WritePng(path, view)) throw std::runtime_error("Cannot write " + path);
  }
}

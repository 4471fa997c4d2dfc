// The 84-case decoder suite: each picture against its expected size, loop
// count, delays and frames. Its frames are composed the way browsers do it
// (transparent canvas, disposal applied), which the helper below repeats;
// the cases where this program's rules decide otherwise are listed with why.
#include "gif_support.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

using namespace giftest;

namespace {

using Ini = std::map<std::string, std::map<std::string, std::string>>;

Ini ReadIni(const std::string& path) {
  Ini ini;
  std::ifstream f(path);
  std::string line, section;
  while (std::getline(f, line)) {
    if (line.empty() || line[0] == '#') continue;
    if (line[0] == '[') {
      section = line.substr(1, line.find(']') - 1);
      continue;
    }
    const auto eq = line.find(" = ");
    if (eq == std::string::npos) {
      const auto e2 = line.find(" =");
      if (e2 != std::string::npos) ini[section][line.substr(0, e2)] = "";
      continue;
    }
    ini[section][line.substr(0, eq)] = line.substr(eq + 3);
  }
  return ini;
}

std::vector<std::string> Split(const std::string& s) {
  std::vector<std::string> out;
  std::stringstream ss(s);
  std::string item;
  while (std::getline(ss, item, ','))
    if (!item.empty()) out.push_back(item);
  return out;
}

// RGBA canvases after each frame, browser style.
std::vector<Bytes> Compose(TGIFPicture& pic) {
  const int w = pic.ScreenWidth(), h = pic.ScreenHeight();
  Bytes canvas(std::size_t(w * h * 4), 0);
  std::vector<Bytes> out;
  for (auto& f : pic.Frames) {
    const Bytes before = canvas;
    const TGIFBitmap& b = f->Decoded();
    auto each = [&](auto&& fn) {
      for (int y = 0; y < b.Height; ++y)
        for (int x = 0; x < b.Width; ++x) {
          const int sx = f->TopLeft.X + x, sy = f->TopLeft.Y + y;
          if (sx < w && sy < h) fn(x, y, std::size_t((sy * w + sx) * 4));
        }
    };
    each([&](int x, int y, std::size_t at) {
      const int index = b.Index(x, y);
      if (index == f->TransparentIndex) return;
      const TGIFRGB& c = f->Item->ColorMap.Colors[std::size_t(index)];
      canvas[at] = c[0];
      canvas[at + 1] = c[1];
      canvas[at + 2] = c[2];
      canvas[at + 3] = 255;
    });
    out.push_back(canvas);
    if (f->DisposalMethod == 2) each([&](int, int, std::size_t at) { std::fill_n(canvas.begin() + std::ptrdiff_t(at), 4, 0); });
    if (f->DisposalMethod == 3) canvas = before;
  }
  return out;
}

// Where this program's rules give another result than the suite expects.
const std::map<std::string, std::string> kOurRules = {
    {"unknown-extension", "an unknown extension label fails the load"},
    {"no-data", "a file without an image descriptor has no frames"},
    {"image-zero-width", "a zero width takes the screen's, so the frame shows index 0"},
    {"image-zero-height", "the local table is cut short: a read error"},
    {"image-zero-size", "the local table is cut short: a read error"},
    {"invalid-code", "codes past the table are tolerated"},
    {"overflow-codes", "codes past the table are tolerated"},
    {"overflow-codes-max", "codes past the table are tolerated"},
    {"invalid-colors", "indices past the colour table are tolerated"},
    {"max-codes", "code size 11 is outside 2 to 9: the frame is corrupt and stays at index 0"},
    {"loop-max", "repeat counts are capped at 30000"},
    {"gif87a-animation", "only a looping block makes a picture loop"},
    {"plain-text", "the image after a plain-text block is still a frame"},
    {"dispose-restore-previous", "an image without delay is a frame of its own"},
    {"animation-multi-image", "an image without delay is a frame of its own"},
    {"animation-multi-image-explicit-zero-delay", "an image without delay is a frame of its own"},
};

// The first difference between our reading of a case and its expectation.
std::string Mismatch(const std::string& dir, Ini& ini) {
  auto& cfg = ini["config"];
  const auto frames = Split(cfg["frames"]);
  TGIFPicture pic;
  try {
    pic.LoadFromBytes(ReadFile(dir + cfg["input"]));
    for (auto& f : pic.Frames) f->Decoded();
  } catch (const EInvalidGraphicOperation& e) {
    if (!frames.empty()) return std::string("load failed: ") + e.what();
    return "";
  }
  const auto composed = Compose(pic);
  // Browsers show a run of images without delays as one frame: the last
  // composition must then be that frame.
  if (frames.size() == 1 && pic.Frames.size() > 1 && ini[frames[0]].count("pixels")) {
    for (auto& f : pic.Frames)
      if (f->AnimateInterval != 0) return "delays in a merged run";
    return composed.back() == ReadFile(dir + ini[frames[0]]["pixels"]) ? "" : "merged pixels";
  }
  if (pic.Frames.size() != frames.size())
    return "frames " + std::to_string(pic.Frames.size()) + ", expected " + std::to_string(frames.size());
  if (frames.empty()) return "";
  if (pic.ScreenWidth() != std::stoi(cfg["width"]) || pic.ScreenHeight() != std::stoi(cfg["height"]))
    return "screen size";
  const std::string loops = !pic.Looping ? "0" : pic.RepeatCount == 0 ? "infinite" : std::to_string(pic.RepeatCount);
  if (loops != cfg["loop-count"]) return "loop count " + loops;
  for (std::size_t i = 0; i < frames.size(); ++i) {
    auto& fr = ini[frames[i]];
    if (fr.count("delay") && pic.Frame(i).AnimateInterval != std::stoi(fr["delay"]) * 10)
      return "delay of frame " + std::to_string(i);
    if (fr.count("pixels") && composed[i] != ReadFile(dir + fr["pixels"])) return "pixels of frame " + std::to_string(i);
  }
  return "";
}

}  // namespace

TEST(GifSuite, EveryCaseMatchesItsExpectationOrOurRule) {
  const std::string dir = DataDir() + "pygif-suite/";
  std::ifstream list(dir + "TESTS");
  std::string name;
  int cases = 0;
  while (std::getline(list, name)) {
    if (name.empty()) continue;
    ++cases;
    Ini ini = ReadIni(dir + name + ".conf");
    const std::string diff = Mismatch(dir, ini);
    if (kOurRules.count(name)) {
      EXPECT_NE(diff, "") << name << " is listed as differing but matches";
    } else {
      EXPECT_EQ(diff, "") << name;
    }
  }
  EXPECT_EQ(cases, 84);
}

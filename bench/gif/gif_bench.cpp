// Decoding the test pictures to index planes, ours against giflib on the
// same bytes in the same run, and encoding those planes again.
#include "display/GIFPicture.h"
#include "display/GIFQuantize.h"
#include <gif_lib.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Picture {
  std::string name;
  Bytes gif;
  std::size_t pixels = 0;
  std::vector<Bytes> planes;  // decoded once, input of the encoder
  std::vector<int> bits;
};

std::vector<Picture> LoadPictures() {
  std::vector<Picture> out;
  const std::string root = std::string(XVT_SOURCE_DIR) + "/tests/data/gif/";
  for (const char* dir : {"giflib", "wuffs"}) {
    std::vector<std::filesystem::path> files;
    for (const auto& e : std::filesystem::directory_iterator(root + dir))
      if (e.path().extension() == ".gif") files.push_back(e.path());
    std::sort(files.begin(), files.end());
    for (const auto& p : files) {
      std::ifstream f(p, std::ios::binary);
      Picture pic{p.stem().string(), Bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>())};
      TGIFPicture g;
      try {
        g.LoadFromBytes(pic.gif, false);
        for (auto& fr : g.Frames) {
          const TGIFBitmap& b = fr->Decoded();
          pic.pixels += b.Indices.size();
          pic.planes.push_back(b.Indices);
          pic.bits.push_back(std::max(2, int(fr->Item->BitsPerPixel)));
        }
      } catch (const std::exception&) {
        continue;
      }
      if (!pic.planes.empty()) out.push_back(std::move(pic));
    }
  }
  return out;
}

const std::vector<Picture>& Pictures() {
  static const std::vector<Picture> pics = LoadPictures();
  return pics;
}

std::size_t DecodeOurs(const Picture& p) {
  TGIFPicture g;
  g.LoadFromBytes(p.gif, false);
  std::size_t sum = 0;
  for (auto& f : g.Frames) sum += f->Decoded().Indices.size();
  return sum;
}

struct Reader {
  const Bytes* data;
  std::size_t pos;
};

int ReadMem(GifFileType* gif, GifByteType* buf, int n) {
  auto* r = static_cast<Reader*>(gif->UserData);
  const std::size_t k = std::min<std::size_t>(std::size_t(n), r->data->size() - r->pos);
  std::memcpy(buf, r->data->data() + r->pos, k);
  r->pos += k;
  return int(k);
}

// The same work with giflib's line interface: every frame into its own
// index plane, interlaced rows put in place.
std::size_t DecodeGiflib(const Picture& p) {
  Reader r{&p.gif, 0};
  int err = 0;
  GifFileType* gif = DGifOpen(&r, ReadMem, &err);
  if (!gif) return 0;
  std::size_t sum = 0;
  GifRecordType type;
  Bytes plane;
  while (DGifGetRecordType(gif, &type) == GIF_OK && type != TERMINATE_RECORD_TYPE) {
    if (type == IMAGE_DESC_RECORD_TYPE) {
      if (DGifGetImageDesc(gif) != GIF_OK) break;
      const int w = gif->Image.Width, h = gif->Image.Height;
      plane.assign(std::size_t(w) * std::size_t(h), 0);
      static const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
      bool ok = true;
      if (gif->Image.Interlace) {
        for (int pass = 0; pass < 4 && ok; ++pass)
          for (int y = start[pass]; y < h && ok; y += step[pass])
            ok = DGifGetLine(gif, plane.data() + std::size_t(y) * std::size_t(w), w) == GIF_OK;
      } else {
        for (int y = 0; y < h && ok; ++y) ok = DGifGetLine(gif, plane.data() + std::size_t(y) * std::size_t(w), w) == GIF_OK;
      }
      if (!ok) break;
      sum += plane.size();
    } else if (type == EXTENSION_RECORD_TYPE) {
      int code;
      GifByteType* ext;
      if (DGifGetExtension(gif, &code, &ext) != GIF_OK) break;
      while (ext && DGifGetExtensionNext(gif, &ext) == GIF_OK) {
      }
    }
  }
  DGifCloseFile(gif, &err);
  return sum;
}

std::size_t EncodeOurs(const Picture& p) {
  std::size_t sum = 0;
  for (std::size_t i = 0; i < p.planes.size(); ++i)
    sum += LzwEncode(p.planes[i].data(), p.planes[i].size(), p.bits[i]).size();
  return sum;
}

template <std::size_t (*Work)(const Picture&)>
void AllPictures(benchmark::State& state) {
  std::size_t pixels = 0;
  for (auto& p : Pictures()) pixels += p.pixels;
  for (auto _ : state)
    for (auto& p : Pictures()) benchmark::DoNotOptimize(Work(p));
  state.SetItemsProcessed(std::int64_t(state.iterations()) * std::int64_t(pixels));
}

double CpuSeconds() {
  timespec ts;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

// CPU seconds per pass over all pictures, best of several rounds: the
// machine is shared, so wall time would measure the neighbours.
template <std::size_t (*Work)(const Picture&)>
double BestPass() {
  double best = 1e9;
  for (int round = 0; round < 15; ++round) {
    const double t0 = CpuSeconds();
    for (auto& p : Pictures()) benchmark::DoNotOptimize(Work(p));
    best = std::min(best, CpuSeconds() - t0);
  }
  return best;
}

}  // namespace



BENCHMARK(AllPictures<DecodeOurs>)->Name("decode/ours")->Unit(benchmark::kMillisecond);
BENCHMARK(AllPictures<DecodeGiflib>)->Name("decode/giflib")->Unit(benchmark::kMillisecond);
BENCHMARK(AllPictures<EncodeOurs>)->Name("encode/ours")->Unit(benchmark::kMillisecond);

// Reducing a 256 x 256 true-colour picture of 65536 colours to 256.
void QuantizeGradient(benchmark::State& state) {
  std::vector<std::uint32_t> px;
  for (std::uint32_t y = 0; y < 256; ++y)
    for (std::uint32_t x = 0; x < 256; ++x) px.push_back(x << 16 | y << 8 | ((x + y) & 0xFF));
  for (auto _ : state) benchmark::DoNotOptimize(GIFQuantize(px.data(), 256, 256).Indices.data());
}
BENCHMARK(QuantizeGradient)->Name("quantize/256x256")->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  for (auto& p : Pictures())
    if (DecodeOurs(p) != DecodeGiflib(p)) std::cerr << "pixel counts differ on " << p.name << '\n';
  const double ours = BestPass<DecodeOurs>(), giflib = BestPass<DecodeGiflib>(), enc = BestPass<EncodeOurs>();
  std::cout << "decode throughput, ours / giflib: " << giflib / ours << "x\n"
            << "encode time / decode time: " << enc / ours << "\n";
  benchmark::Shutdown();
  return 0;
}

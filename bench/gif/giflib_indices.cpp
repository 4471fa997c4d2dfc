// giflib_indices FILE DIR: what `gifinfo --indices` does, done by giflib:
// the whole file read with DGifSlurp, each frame's index plane written as
// DIR/frame-NNN.idx. The yardstick of the whole-tool comparison.
#include <gif_lib.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: giflib_indices FILE DIR\n");
    return 2;
  }
  int error = 0;
  GifFileType* gif = DGifOpenFileName(argv[1], &error);
  if (!gif || DGifSlurp(gif) != GIF_OK) {
    std::fprintf(stderr, "%s: %s\n", argv[1], GifErrorString(gif ? gif->Error : error));
    return 1;
  }
  for (int i = 0; i < gif->ImageCount; ++i) {
    const SavedImage& s = gif->SavedImages[i];
    char path[4096];
    std::snprintf(path, sizeof path, "%s/frame-%03d.idx", argv[2], i);
    FILE* f = std::fopen(path, "wb");
    const size_t n = size_t(s.ImageDesc.Width) * size_t(s.ImageDesc.Height);
    if (!f || std::fwrite(s.RasterBits, 1, n, f) != n || std::fclose(f) != 0) {
      std::fprintf(stderr, "Cannot write %s\n", path);
      return 1;
    }
  }
  DGifCloseFile(gif, &error);
  return 0;
}

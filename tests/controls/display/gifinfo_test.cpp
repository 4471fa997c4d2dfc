// The gifinfo tool, run as a program on real files.
#include "gif_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

using namespace giftest;
namespace fs = std::filesystem;

namespace {

struct ToolRun {
  int status;
  std::string out;
};

ToolRun Gifinfo(const std::string& args) {
  const std::string cmd = std::string(GIFINFO_PATH) + " " + args + " 2>&1";
  FILE* p = popen(cmd.c_str(), "r");
  ToolRun r{-1, ""};
  if (!p) return r;
  char buf[4096];
  std::size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) r.out.append(buf, n);
  const int st = pclose(p);
  r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
  return r;
}

fs::path Scratch(const std::string& name) {
  fs::path dir = fs::temp_directory_path() / ("gifinfo-test-" + name + "-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

}  // namespace

TEST(Gifinfo, MetadataOfAnAnimation) {
  const ToolRun r = Gifinfo(DataDir() + "wuffs/animated-red-blue.gif");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out.substr(0, r.out.find("frame 0")),
            "version: 89a\nscreen: 64 x 48\nbackground: 000000\nframes: 4\nlooping: yes\nrepeat: 2\n"
            "corrupted: no\n");
  EXPECT_NE(r.out.find("frame 1: origin 15,31 size 37 x 9 delay 200 disposal 1 transparent FF0000 "
                       "interlaced no local-colors no corrupted no\n"),
            std::string::npos);
}

TEST(Gifinfo, CorruptionAndComments) {
  fs::path dir = Scratch("comment");
  auto g = GifBuilder().Header().Screen(2, 1, 1).Table(1).Image(0, 0, 2, 1).Encoded({1, 0}, 2);
  g.Image(0, 0, 2, 1).Codes(2, {{4, 3}, {1, 3}});  // ends one pixel short
  g.Comment({"Hello", "World!"}).Comment({"again"}).Trailer();
  {
    std::ofstream(dir / "cut.gif", std::ios::binary).write(reinterpret_cast<const char*>(g.b.data()), std::streamsize(g.b.size()));
  }
  ToolRun r = Gifinfo((dir / "cut.gif").string());
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("corrupted: yes\n"), std::string::npos);
  EXPECT_NE(r.out.find("frame 0: origin 0,0 size 2 x 1 delay 0 disposal 0 transparent none interlaced no "
                       "local-colors no corrupted no\n"
                       "frame 1: origin 0,0 size 2 x 1 delay 0 disposal 0 transparent none interlaced no "
                       "local-colors no corrupted yes\n"
                       "comment: Hello\ncomment: World!\ncomment: \ncomment: again\n"),
            std::string::npos)
      << r.out;
  fs::remove_all(dir);
}

TEST(Gifinfo, IndicesAreWrittenPerFrame) {
  fs::path dir = Scratch("idx");
  const ToolRun r = Gifinfo("--indices " + DataDir() + "wuffs/muybridge.gif " + dir.string());
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(ReadFile((dir / "frame-000.idx").string()), ReadFile(DataDir() + "wuffs/muybridge-frame-000.indexes"));
  EXPECT_EQ(ReadFile((dir / "frame-014.idx").string()), ReadFile(DataDir() + "wuffs/muybridge-frame-014.indexes"));
  EXPECT_FALSE(fs::exists(dir / "frame-015.idx"));
  fs::remove_all(dir);
}

TEST(Gifinfo, LoadErrorsExitWithTheMessage) {
  const ToolRun r = Gifinfo(DataDir() + "pygif-suite/unknown-extension.gif");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("Unrecognized extension block: "), std::string::npos) << r.out;
  // Loads, but its second frame has no colour table: metadata, then the error.
  const ToolRun frame = Gifinfo(DataDir() + "wuffs/artificial/empty-palette.gif");
  EXPECT_EQ(frame.status, 1);
  EXPECT_NE(frame.out.find("frames: 2\n"), std::string::npos);
  EXPECT_NE(frame.out.find("Wrong number of colors; must be a power of 2\n"), std::string::npos);
  const ToolRun bad = Gifinfo(DataDir() + "README.md");
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(bad.out, "Unknown GIF version\n");
}

TEST(Gifinfo, FramesAreWrittenAsPng) {
  fs::path dir = Scratch("png");
  const ToolRun r = Gifinfo("--frames " + DataDir() + "wuffs/animated-red-blue.gif " + dir.string());
  ASSERT_EQ(r.status, 0) << r.out;
  for (int i = 0; i < 4; ++i) {
    const Bytes png = ReadFile((dir / ("frame-00" + std::to_string(i) + ".png")).string());
    ASSERT_GT(png.size(), 33u) << i;
    EXPECT_EQ(std::string(png.begin() + 1, png.begin() + 4), "PNG");
    EXPECT_EQ(png[19], 64);  // IHDR width: the logical screen
    EXPECT_EQ(png[23], 48);
    EXPECT_EQ(png[25], 6) << "RGBA, so that the transparent colour stays transparent";
  }
  fs::remove_all(dir);
}

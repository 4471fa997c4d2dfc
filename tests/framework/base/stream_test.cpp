#include "framework/stream.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "framework/exceptions.h"

namespace {

class FileStreamTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() / ("xvt_stream_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }
  std::string Contents(const std::string& name) const {
    std::ifstream in(dir_ / name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::filesystem::path dir_;
};

TEST(MemoryStream, WriteSeekReadRoundTrip) {
  TMemoryStream stream;
  std::uint32_t count = 0x01020304;
  stream.WriteBuffer(&count, 4);
  stream.WriteBuffer("GIF89a", 6);
  EXPECT_EQ(stream.Size(), 10);
  EXPECT_EQ(stream.Position(), 10);
  stream.SetPosition(0);
  std::uint32_t back = 0;
  stream.ReadBuffer(&back, 4);
  EXPECT_EQ(back, count);
  EXPECT_EQ(stream.Memory()[0], 0x04);  // little-endian on the host
  char tag[6];
  stream.ReadBuffer(tag, 6);
  EXPECT_EQ(std::memcmp(tag, "GIF89a", 6), 0);
  EXPECT_EQ(stream.Seek(-2, soEnd), 8);
  EXPECT_EQ(stream.Seek(1, soCurrent), 9);
}

TEST(MemoryStream, ShortReadRaisesReadErrorAndLeavesPartialPosition) {
  TMemoryStream stream;
  stream.WriteBuffer("abc", 3);
  stream.SetPosition(1);
  char buffer[8];
  try {
    stream.ReadBuffer(buffer, 3);
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), "Stream read error");
  }
  EXPECT_EQ(stream.Read(buffer, 4), 0);  // at the end now
  stream.SetPosition(-5);
  EXPECT_EQ(stream.Read(buffer, 1), 0);
  EXPECT_THROW(stream.WriteBuffer("x", 1), EWriteError);
}

TEST(MemoryStream, WritingPastTheEndFillsWithZerosAndSetSizeCuts) {
  TMemoryStream stream;
  stream.SetPosition(4);
  stream.WriteBuffer("z", 1);
  ASSERT_EQ(stream.Size(), 5);
  EXPECT_EQ(std::memcmp(stream.Memory(), "\0\0\0\0z", 5), 0);
  stream.SetSize(2);
  EXPECT_EQ(stream.Size(), 2);
  stream.Clear();
  EXPECT_EQ(stream.Size(), 0);
  EXPECT_EQ(stream.Position(), 0);
}

TEST(MemoryStream, CopyFromWholeAndPart) {
  TMemoryStream source, target;
  source.WriteBuffer("0123456789", 10);
  EXPECT_EQ(target.CopyFrom(source, 0), 10);  // 0: the whole source from its start
  source.SetPosition(2);
  EXPECT_EQ(target.CopyFrom(source, 3), 3);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(target.Memory()), 13), "0123456789234");
  EXPECT_THROW(target.CopyFrom(source, 10), EReadError);
}

TEST(StringStream, TextInAndOut) {
  TStringStream stream("GIF87a rest");
  EXPECT_EQ(stream.ReadString(6), "GIF87a");
  stream.SetPosition(7);
  stream.WriteString("REST and more");
  EXPECT_EQ(stream.DataString(), "GIF87a REST and more");
  stream.SetPosition(17);
  EXPECT_EQ(stream.ReadString(100), "ore");
}

TEST_F(FileStreamTest, CreateWriteReopenAndRead) {
  {
    TFileStream out(PathOf("mission.lst"), fmCreate);
    out.WriteBuffer("//\r\n", 4);
    EXPECT_EQ(out.Size(), 4);
  }
  EXPECT_EQ(Contents("mission.lst"), "//\r\n");
  TFileStream in(PathOf("mission.lst"), fmOpenRead | fmShareDenyWrite);
  char buffer[4];
  in.ReadBuffer(buffer, 4);
  EXPECT_EQ(std::string(buffer, 4), "//\r\n");
  EXPECT_THROW(in.ReadBuffer(buffer, 1), EReadError);
  EXPECT_THROW(in.WriteBuffer("x", 1), EWriteError);  // opened for reading only
}

TEST_F(FileStreamTest, OpenForWritingKeepsContentsAndSetSizeCuts) {
  { TFileStream(PathOf("f.bin"), fmCreate).WriteBuffer("abcdef", 6); }
  {
    TFileStream rw(PathOf("f.bin"), fmOpenReadWrite);
    rw.SetPosition(2);
    rw.WriteBuffer("XY", 2);
    char c;
    rw.ReadBuffer(&c, 1);  // reading right after writing sees the next byte
    EXPECT_EQ(c, 'e');
    rw.SetSize(3);
    EXPECT_EQ(rw.Position(), 3);
    EXPECT_EQ(rw.Size(), 3);
  }
  EXPECT_EQ(Contents("f.bin"), "abX");
  {
    TFileStream w(PathOf("f.bin"), fmOpenWrite);
    w.Seek(0, soEnd);
    w.WriteBuffer("!", 1);
  }
  EXPECT_EQ(Contents("f.bin"), "abX!");
}

TEST_F(FileStreamTest, OpenAndCreateFailuresNameTheFile) {
  std::string missing = PathOf("missing.lst");
  try {
    TFileStream s(missing, fmOpenRead);
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), "Cannot open file " + missing);
  }
  std::string noDir = PathOf("no/such/dir.lst");
  try {
    TFileStream s(noDir, fmCreate);
    FAIL();
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message(), "Cannot create file " + noDir);
  }
  EXPECT_THROW(TFileStream(dir_.string(), fmOpenRead), EFOpenError);  // a directory is no file
}

TEST_F(FileStreamTest, MemoryStreamFileRoundTrip) {
  TMemoryStream data;
  for (int i = 0; i < 70000; ++i) {
    auto b = static_cast<std::uint8_t>(i * 7);
    data.WriteBuffer(&b, 1);
  }
  data.SaveToFile(PathOf("blob"));
  TMemoryStream back;
  back.LoadFromFile(PathOf("blob"));
  ASSERT_EQ(back.Size(), 70000);
  EXPECT_EQ(std::memcmp(back.Memory(), data.Memory(), 70000), 0);
  EXPECT_EQ(back.Position(), 0);
}

}  // namespace

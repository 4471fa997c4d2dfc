#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "framework/exceptions.h"
#include "framework/picture.h"
#include "framework/stream.h"

namespace {

// A graphic of its own file format: its stream form is the text "PIC"
// followed by one size byte, so a file of it is easy to make.
class TTestGraphic : public TGraphic {
 public:
  void Draw(TCanvas* canvas, const TRect& rect) override {
    canvas->Brush()->SetColor(clRed);
    canvas->FillRect(rect);
  }
  bool GetEmpty() override { return size_ == 0; }
  int GetHeight() override { return size_; }
  int GetWidth() override { return size_; }
  void SetHeight(int v) override { size_ = v; }
  void SetWidth(int v) override { size_ = v; }
  void LoadFromStream(TStream* stream) override {
    char head[4];
    stream->ReadBuffer(head, 4);
    if (std::string(head, 3) != "PIC") throw EInvalidGraphic("not a test picture");
    size_ = head[3];
    Changed(this);
  }
  void SaveToStream(TStream* stream) override {
    const char head[4] = {'P', 'I', 'C', static_cast<char>(size_)};
    stream->WriteBuffer(head, 4);
  }
  void Assign(TPersistent* source) override {
    if (auto* g = dynamic_cast<TTestGraphic*>(source)) {
      size_ = g->size_;
      return Changed(this);
    }
    TGraphic::Assign(source);
  }

 private:
  int size_ = 0;
};

std::string TempFile(const std::string& name) {
  return (std::filesystem::temp_directory_path() / name).string();
}

}  // namespace

TEST(PictureRegistry, ChoosesTheClassByExtensionInAnyCase) {
  TPicture::RegisterFileFormat(".TPC", "Test pictures", &MakeGraphic<TTestGraphic>);
  const std::string path = TempFile("xvt_fwg_picture.Tpc");
  {
    TTestGraphic g;
    g.SetWidth(9);
    g.SaveToFile(path);
  }
  TPicture picture;
  int changes = 0;
  picture.OnChange = [&](TObject*) { ++changes; };
  picture.LoadFromFile(path);
  ASSERT_NE(dynamic_cast<TTestGraphic*>(picture.Graphic()), nullptr);
  EXPECT_EQ(picture.Width(), 9);
  EXPECT_EQ(changes, 1);
  std::remove(path.c_str());

  EXPECT_NE(TPicture::GraphicFilter().find("Test pictures (*.tpc)|*.tpc"), std::string::npos);
  TPicture::UnregisterGraphicClass(&MakeGraphic<TTestGraphic>);
  EXPECT_THROW(picture.LoadFromFile(path), EInvalidGraphic);
}

TEST(PictureRegistry, UnknownExtensionIsRefusedAndTheOldGraphicKept) {
  TPicture picture;
  picture.Bitmap()->SetSize(2, 2);
  try {
    picture.LoadFromFile("/nowhere/image.xyz");
    FAIL() << "no error";
  } catch (const EInvalidGraphic& e) {
    EXPECT_STREQ(e.what(), "Unknown picture file extension (.xyz)");
  }
  // A known extension whose file is unreadable keeps the old graphic too.
  EXPECT_ANY_THROW(picture.LoadFromFile("/nowhere/image.bmp"));
  EXPECT_EQ(picture.Width(), 2);
}

TEST(PictureRegistry, BitmapsLoadFromBmpFiles) {
  const std::string path = TempFile("xvt_fwg_picture.bmp");
  TBitmap b;
  b.SetSize(3, 5);
  b.SaveToFile(path);
  TPicture picture;
  picture.LoadFromFile(path);
  ASSERT_NE(dynamic_cast<TBitmap*>(picture.Graphic()), nullptr);
  EXPECT_EQ(picture.Height(), 5);
  std::remove(path.c_str());
}

TEST(PictureRegistry, ClipboardFormatsAreData) {
  EXPECT_TRUE(TPicture::SupportsClipboardFormat(CF_BITMAP));
  EXPECT_FALSE(TPicture::SupportsClipboardFormat(0xC123));
  TPicture::RegisterClipboardFormat(0xC123, &MakeGraphic<TTestGraphic>);
  EXPECT_TRUE(TPicture::SupportsClipboardFormat(0xC123));
  TPicture::RegisterClipboardFormat(0xC123, &MakeGraphic<TBitmap>);  // a later registration wins
  int matches = 0;
  for (const auto& f : TPicture::ClipboardFormats())
    if (f.format == 0xC123) {
      ++matches;
      EXPECT_EQ(f.graphicClass, &MakeGraphic<TBitmap>);
    }
  EXPECT_EQ(matches, 1);
  TPicture picture;
  EXPECT_THROW(picture.LoadFromClipboardFormat(0xC999, nullptr, nullptr), EInvalidGraphic);
}

TEST(PictureGraphic, SetGraphicCopiesAndForwardsChanges) {
  TPicture::RegisterClipboardFormat(0xC124, &MakeGraphic<TTestGraphic>);
  TTestGraphic source;
  source.SetWidth(4);
  TPicture picture;
  int changes = 0;
  picture.OnChange = [&](TObject*) { ++changes; };
  picture.SetGraphic(&source);
  ASSERT_NE(picture.Graphic(), &source);
  EXPECT_EQ(picture.Width(), 4);
  changes = 0;
  source.SetWidth(7);  // the copy is independent
  EXPECT_EQ(changes, 0);
  picture.Graphic()->SetTransparent(true);
  EXPECT_EQ(changes, 1);
  // Asking for a bitmap replaces any other graphic by an empty bitmap.
  EXPECT_TRUE(picture.Bitmap()->Empty());
  EXPECT_EQ(dynamic_cast<TTestGraphic*>(picture.Graphic()), nullptr);
  picture.SetGraphic(nullptr);
  EXPECT_EQ(picture.Graphic(), nullptr);
  EXPECT_EQ(picture.Width(), 0);
}

TEST(PictureGraphic, GraphicEqualityComparesClassAndStreamForm) {
  TTestGraphic a, b;
  a.SetWidth(3);
  b.SetWidth(3);
  EXPECT_TRUE(a.Equals(&b));
  b.SetWidth(4);
  EXPECT_FALSE(a.Equals(&b));
  TBitmap bitmap;
  EXPECT_FALSE(a.Equals(&bitmap));
}

TEST(PictureGraphic, ModifiedFollowsChangesUntilCleared) {
  TTestGraphic g;
  EXPECT_FALSE(g.Modified());
  g.SetTransparent(true);
  EXPECT_TRUE(g.Modified());
  g.SetModified(false);
  EXPECT_FALSE(g.Modified());
  g.SetTransparent(true);  // no change: stays unmodified
  EXPECT_FALSE(g.Modified());
}

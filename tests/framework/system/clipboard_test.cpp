// Text and pictures through the clipboard and back.
#include <gtest/gtest.h>

#include <cstring>

#include <backend/headless.h>
#include <win32/kernel32.h>
#include <win32/user32.h>
#include <win32/user32_clipboard.h>

#include "framework/bitmap.h"
#include "framework/clipboard.h"
#include "framework/picture.h"

namespace {

class ClipboardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    headless::Start();
    Clipboard()->Clear();
  }
};

TBitmap* Striped(TBitmap& bitmap) {
  bitmap.SetSize(4, 3);
  bitmap.Canvas()->Brush()->SetColor(clRed);
  bitmap.Canvas()->FillRect(Rect(0, 0, 4, 3));
  bitmap.Canvas()->SetPixel(1, 2, clBlue);
  return &bitmap;
}

TEST_F(ClipboardTest, TextRoundTripAndFormats) {
  EXPECT_EQ(Clipboard()->AsText(), "");
  EXPECT_FALSE(Clipboard()->HasFormat(CF_TEXT));
  Clipboard()->SetAsText("Mission \xE9 1");
  EXPECT_TRUE(Clipboard()->HasFormat(CF_TEXT));
  EXPECT_EQ(Clipboard()->AsText(), "Mission \xE9 1");
  Clipboard()->Clear();
  EXPECT_FALSE(Clipboard()->HasFormat(CF_TEXT));
}

TEST_F(ClipboardTest, FormatsStoredInOneOpenStayTogether) {
  UINT custom = RegisterClipboardFormatA("Test Bytes");
  Clipboard()->Open();
  Clipboard()->SetAsText("a");
  Clipboard()->SetBuffer(custom, "xyz", 3);
  Clipboard()->Close();
  EXPECT_TRUE(Clipboard()->HasFormat(CF_TEXT));
  EXPECT_TRUE(Clipboard()->HasFormat(custom));
  EXPECT_EQ(Clipboard()->FormatCount(), 2);
  // A store outside an Open replaces everything.
  Clipboard()->SetAsText("b");
  EXPECT_FALSE(Clipboard()->HasFormat(custom));
  HANDLE text = Clipboard()->GetAsHandle(CF_TEXT);
  ASSERT_NE(text, nullptr);
  EXPECT_STREQ(static_cast<const char*>(GlobalLock(text)), "b");
  GlobalUnlock(text);
}

TEST_F(ClipboardTest, BitmapRoundTripKeepsPixelsAndTheSourceIntact) {
  TBitmap source;
  Clipboard()->Assign(Striped(source));
  EXPECT_TRUE(Clipboard()->HasFormat(CF_BITMAP));
  source.Canvas()->SetPixel(0, 0, clLime);  // the clipboard has its own copy

  TBitmap back;
  back.Assign(Clipboard());
  ASSERT_EQ(back.Width(), 4);
  ASSERT_EQ(back.Height(), 3);
  EXPECT_EQ(back.Canvas()->Pixel(0, 0), clRed);
  EXPECT_EQ(back.Canvas()->Pixel(1, 2), clBlue);

  TPicture picture;
  picture.Assign(Clipboard());
  ASSERT_NE(dynamic_cast<TBitmap*>(picture.Graphic()), nullptr);
  EXPECT_EQ(picture.Bitmap()->Canvas()->Pixel(1, 2), clBlue);
  // Reading twice works: the clipboard's bitmap was only borrowed.
  TBitmap again;
  again.Assign(Clipboard());
  EXPECT_EQ(again.Canvas()->Pixel(3, 0), clRed);
}

// A graphic with a clipboard format of its own that also leaves a bitmap,
// as animated images do.
class TTagGraphic : public TBitmap {
 public:
  static UINT Format() {
    static UINT format = RegisterClipboardFormatA("Tag Graphic");
    return format;
  }
  std::string tag;
  void SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette) override {
    TBitmap plain;
    plain.Assign(this);
    Clipboard()->Assign(&plain);
    format = Format();
    data = GlobalAlloc(GMEM_MOVEABLE, tag.size() + 1);
    std::memcpy(GlobalLock(data), tag.c_str(), tag.size() + 1);
    GlobalUnlock(data);
    palette = nullptr;
  }
  void LoadFromClipboardFormat(UINT, HANDLE data, HPALETTE) override {
    tag = static_cast<const char*>(GlobalLock(data));
    GlobalUnlock(data);
  }
};

TEST_F(ClipboardTest, RegisteredFormatsComeBackAsTheirOwnGraphic) {
  TPicture::RegisterClipboardFormat(TTagGraphic::Format(), &MakeGraphic<TTagGraphic>);
  TTagGraphic source;
  Striped(source);
  source.tag = "frames";
  Clipboard()->Open();
  Clipboard()->Assign(&source);
  Clipboard()->Close();
  EXPECT_TRUE(Clipboard()->HasFormat(CF_BITMAP));
  EXPECT_TRUE(Clipboard()->HasFormat(TTagGraphic::Format()));
  TPicture picture;
  picture.Assign(Clipboard());
  auto* back = dynamic_cast<TTagGraphic*>(picture.Graphic());
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->tag, "frames");
  TPicture::UnregisterGraphicClass(&MakeGraphic<TTagGraphic>);
}

TEST_F(ClipboardTest, ReadingAPictureFromTextFails) {
  Clipboard()->SetAsText("no picture");
  TBitmap bitmap;
  EXPECT_THROW(bitmap.Assign(Clipboard()), EClipboardException);
  TPicture picture;
  EXPECT_THROW(picture.Assign(Clipboard()), EClipboardException);
}

}  // namespace

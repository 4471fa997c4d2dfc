// What the SDL backend maps without a display: keys, text, sounds, URLs.
#include <gtest/gtest.h>

#include <SDL2/SDL_keycode.h>

#include <cstdlib>
#include <stdexcept>

#include <backend/sdl.h>

namespace {

TEST(SdlKeys, MapToWindowsVirtualKeys) {
  EXPECT_EQ(sdl::VirtualKey(SDLK_a), 0x41u);
  EXPECT_EQ(sdl::VirtualKey(SDLK_z), 0x5Au);
  EXPECT_EQ(sdl::VirtualKey(SDLK_0), 0x30u);
  EXPECT_EQ(sdl::VirtualKey(SDLK_9), 0x39u);
  EXPECT_EQ(sdl::VirtualKey(SDLK_F1), 0x70u);
  EXPECT_EQ(sdl::VirtualKey(SDLK_F10), 0x79u);
  EXPECT_EQ(sdl::VirtualKey(SDLK_F12), 0x7Bu);
  EXPECT_EQ(sdl::VirtualKey(SDLK_KP_0), 0x60u);
  EXPECT_EQ(sdl::VirtualKey(SDLK_KP_9), 0x69u);
  EXPECT_EQ(sdl::VirtualKey(SDLK_RETURN), 0x0Du);
  EXPECT_EQ(sdl::VirtualKey(SDLK_ESCAPE), 0x1Bu);
  EXPECT_EQ(sdl::VirtualKey(SDLK_LALT), 0x12u);
  EXPECT_EQ(sdl::VirtualKey(SDLK_RALT), 0x12u);
  EXPECT_EQ(sdl::VirtualKey(SDLK_RSHIFT), 0x10u);
  EXPECT_EQ(sdl::VirtualKey(SDLK_LEFT), 0x25u);
  EXPECT_EQ(sdl::VirtualKey(SDLK_DOWN), 0x28u);
  EXPECT_EQ(sdl::VirtualKey(SDLK_DELETE), 0x2Eu);
  EXPECT_EQ(sdl::VirtualKey(SDLK_MINUS), 0xBDu);
  EXPECT_EQ(sdl::VirtualKey(SDLK_QUOTE), 0xDEu);
  EXPECT_EQ(sdl::VirtualKey(SDLK_AC_BACK), 0u);
}

TEST(SdlText, Utf8AndWindows1252RoundTrip) {
  EXPECT_EQ(sdl::Utf8ToCp1252("Mission"), "Mission");
  EXPECT_EQ(sdl::Utf8ToCp1252("\xC3\xA9t\xC3\xA9"), "\xE9t\xE9");       // é
  EXPECT_EQ(sdl::Utf8ToCp1252("\xE2\x82\xAC 5"), "\x80 5");             // the euro sign
  EXPECT_EQ(sdl::Utf8ToCp1252("\xE2\x80\x9Cq\xE2\x80\x9D"), "\x93q\x94");  // curly quotes
  EXPECT_EQ(sdl::Utf8ToCp1252("\xE4\xB8\xAD"), "?");                    // not in the code page
  EXPECT_EQ(sdl::Utf8ToCp1252("a\xC3"), "a?");                          // cut short
  EXPECT_EQ(sdl::Utf8ToCp1252("\xF0\x9F\x98\x80!"), "?!");
  EXPECT_EQ(sdl::Cp1252ToUtf8("\xE9\x80\x93"), "\xC3\xA9\xE2\x82\xAC\xE2\x80\x9C");
  for (int b = 0x20; b < 0x100; ++b) {
    if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D) continue;  // undefined bytes
    std::string one(1, static_cast<char>(b));
    EXPECT_EQ(sdl::Utf8ToCp1252(sdl::Cp1252ToUtf8(one)), one) << b;
  }
}

TEST(SdlHost, SoundsMapToFreedesktopNames) {
  EXPECT_EQ(sdl::FreedesktopSound("MenuPopup"), "menu-popup");
  EXPECT_EQ(sdl::FreedesktopSound("MenuCommand"), "menu-click");
  EXPECT_EQ(sdl::FreedesktopSound("SystemHand"), "dialog-error");
  EXPECT_EQ(sdl::FreedesktopSound("NoSuchEvent"), "");
}

TEST(SdlHost, UrlsGoToTheHandlerAsOneArgument) {
  EXPECT_EQ(sdl::OpenUrlCommand("http://a.example/x y;rm -rf"),
            (std::vector<std::string>{"xdg-open", "http://a.example/x y;rm -rf"}));
  EXPECT_TRUE(sdl::OpenUrlCommand("").empty());
  EXPECT_TRUE(sdl::OpenUrlCommand("--help").empty());
  EXPECT_TRUE(sdl::OpenUrlCommand("http://a\nb").empty());
}

TEST(SdlStart, WithoutADisplayTheMessageNamesDisplayAndXvfbRun) {
  std::string saved = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
  std::string savedWl = std::getenv("WAYLAND_DISPLAY") ? std::getenv("WAYLAND_DISPLAY") : "";
  unsetenv("DISPLAY");
  unsetenv("WAYLAND_DISPLAY");
  try {
    sdl::Start();
    ADD_FAILURE() << "started without a display";
  } catch (const std::runtime_error& e) {
    std::string m = e.what();
    EXPECT_NE(m.find("DISPLAY"), std::string::npos) << m;
    EXPECT_NE(m.find("xvfb-run"), std::string::npos) << m;
  }
  if (!saved.empty()) setenv("DISPLAY", saved.c_str(), 1);
  if (!savedWl.empty()) setenv("WAYLAND_DISPLAY", savedWl.c_str(), 1);
}

}  // namespace

// SDL key codes to Windows virtual-key codes, and text between UTF-8 and
// Windows-1252.
#include <SDL2/SDL_keycode.h>

#include <backend/sdl.h>
#include <codepage/cp1252.h>

namespace sdl {
namespace {

struct KeyPair {
  int sdl;
  unsigned vk;
};

constexpr KeyPair kKeys[] = {
    {SDLK_BACKSPACE, 0x08}, {SDLK_TAB, 0x09},     {SDLK_RETURN, 0x0D},    {SDLK_KP_ENTER, 0x0D},
    {SDLK_LSHIFT, 0x10},    {SDLK_RSHIFT, 0x10},  {SDLK_LCTRL, 0x11},     {SDLK_RCTRL, 0x11},
    {SDLK_LALT, 0x12},      {SDLK_RALT, 0x12},    {SDLK_PAUSE, 0x13},     {SDLK_CAPSLOCK, 0x14},
    {SDLK_ESCAPE, 0x1B},    {SDLK_SPACE, 0x20},   {SDLK_PAGEUP, 0x21},    {SDLK_PAGEDOWN, 0x22},
    {SDLK_END, 0x23},       {SDLK_HOME, 0x24},    {SDLK_LEFT, 0x25},      {SDLK_UP, 0x26},
    {SDLK_RIGHT, 0x27},     {SDLK_DOWN, 0x28},    {SDLK_PRINTSCREEN, 0x2C}, {SDLK_INSERT, 0x2D},
    {SDLK_DELETE, 0x2E},    {SDLK_LGUI, 0x5B},    {SDLK_RGUI, 0x5C},      {SDLK_APPLICATION, 0x5D},
    {SDLK_KP_MULTIPLY, 0x6A}, {SDLK_KP_PLUS, 0x6B}, {SDLK_KP_MINUS, 0x6D}, {SDLK_KP_PERIOD, 0x6E},
    {SDLK_KP_DIVIDE, 0x6F}, {SDLK_NUMLOCKCLEAR, 0x90}, {SDLK_SCROLLLOCK, 0x91},
    {SDLK_SEMICOLON, 0xBA}, {SDLK_EQUALS, 0xBB},  {SDLK_COMMA, 0xBC},     {SDLK_MINUS, 0xBD},
    {SDLK_PERIOD, 0xBE},    {SDLK_SLASH, 0xBF},   {SDLK_BACKQUOTE, 0xC0}, {SDLK_LEFTBRACKET, 0xDB},
    {SDLK_BACKSLASH, 0xDC}, {SDLK_RIGHTBRACKET, 0xDD}, {SDLK_QUOTE, 0xDE},
};

}  // namespace

unsigned VirtualKey(int k) {
  if (k >= SDLK_a && k <= SDLK_z) return static_cast<unsigned>('A' + (k - SDLK_a));
  if (k >= SDLK_0 && k <= SDLK_9) return static_cast<unsigned>(k);
  if (k >= SDLK_F1 && k <= SDLK_F12) return 0x70u + static_cast<unsigned>(k - SDLK_F1);
  if (k >= SDLK_KP_1 && k <= SDLK_KP_9) return 0x61u + static_cast<unsigned>(k - SDLK_KP_1);
  if (k == SDLK_KP_0) return 0x60;
  for (const KeyPair& p : kKeys)
    if (p.sdl == k) return p.vk;
  return 0;
}

// SDL hands over UTF-8 only, so a byte that is not UTF-8 is damage, not a
// Windows-1252 character: it becomes '?'.
std::string Utf8ToCp1252(const std::string& s) { return cp1252::Utf8ToAnsi(s, cp1252::BadUtf8::Question); }

std::string Cp1252ToUtf8(const std::string& s) { return cp1252::AnsiToUtf8(s); }

}  // namespace sdl

// The pictures of the standard commands, drawn here pixel by pixel in the
// 16 colours of the classic palette: a few well-known commands as full
// pictures, the others as a pictogram of their kind with a short label.
#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include <win32/gdi32.h>
#include <win32/user32.h>

#include "framework/bitmap.h"
#include "menus/am2000cache.h"

namespace {

// The 16-colour palette, 0x00BBGGRR. 'T' (teal) is the transparent key.
TColor PaletteColor(char c) {
  switch (c) {
    case 'k': return clBlack;
    case 'r': return clMaroon;
    case 'g': return clGreen;
    case 'o': return clOlive;
    case 'n': return clNavy;
    case 'p': return clPurple;
    case 'T': return clTeal;
    case 'd': return clGray;
    case 's': return clSilver;
    case 'R': return clRed;
    case 'G': return clLime;
    case 'y': return clYellow;
    case 'B': return clBlue;
    case 'F': return clFuchsia;
    case 'a': return clAqua;
    default: return clWhite;  // 'w'
  }
}

using Picture = std::array<const char*, 16>;
constexpr char kKey = 'T';

// The classic open-folder picture, with the arrow of a folder being opened.
constexpr Picture kOpen = {
    "TTTTTTTTTTTTTTTT", "TTTTTTTTTTkkkTTT", "TTTTTTTTTkTTTkTk", "TTTTTTTTTTTTTTkk",
    "TkkkTTTTTTTTTkkk", "kwywkkkkkkkTTTTT", "kywywywywykTTTTT", "kwywywywywkTTTTT",
    "kywywykkkkkkkkkk", "kwywykoooooooook", "kywykoooooooookT", "kwykoooooooookTT",
    "kykoooooooookTTT", "kkoooooooookTTTT", "kkkkkkkkkkkTTTTT", "TTTTTTTTTTTTTTTT"};

constexpr Picture kNew = {
    "TTTTTTTTTTTTTTTT", "TTkkkkkkkkTTTTTT", "TTkwwwwwwkkTTTTT", "TTkwwwwwwkwkTTTT",
    "TTkwwwwwwkkkkTTT", "TTkwwwwwwwwwkTTT", "TTkwwwwwwwwwkTTT", "TTkwwwwwwwwwkTTT",
    "TTkwwwwwwwwwkTTT", "TTkwwwwwwwwwkTTT", "TTkwwwwwwwwwkTTT", "TTkwwwwwwwwwkTTT",
    "TTkwwwwwwwwwkTTT", "TTkwwwwwwwwwkTTT", "TTkkkkkkkkkkkTTT", "TTTTTTTTTTTTTTTT"};

constexpr Picture kSave = {
    "TTTTTTTTTTTTTTTT", "TkkkkkkkkkkkkkkT", "TkokwwwwwwwwkokT", "TkokwwwwwwwwkkkT",
    "TkokwwwwwwwwkokT", "TkokwwwwwwwwkokT", "TkookkkkkkkkookT", "TkoooooooooooookT",
    "TkooookkkkkkookT", "TkoookkssskookkT", "TkoookkssskookkT", "TkoookkssskookkT",
    "TTkkkkkkkkkkkkkT", "TTTTTTTTTTTTTTTT", "TTTTTTTTTTTTTTTT", "TTTTTTTTTTTTTTTT"};

constexpr Picture kCut = {
    "TTTTTTTTTTTTTTTT", "TTTTkTTTTTkTTTTT", "TTTTkTTTTTkTTTTT", "TTTTkTTTTTkTTTTT",
    "TTTTkkTTTkkTTTTT", "TTTTTkTTTkTTTTTT", "TTTTTkkTkkTTTTTT", "TTTTTTkkkTTTTTTT",
    "TTTTTTTkTTTTTTTT", "TTTTTTnknTTTTTTT", "TTTTnnnTnnnTTTTT", "TTTnTTnTnTTnTTTT",
    "TTTnTTnTnTTnTTTT", "TTTnTTnTnTTnTTTT", "TTTTnnTTTnnTTTTT", "TTTTTTTTTTTTTTTT"};

constexpr Picture kCopy = {
    "TTTTTTTTTTTTTTTT", "kkkkkkTTTTTTTTTT", "kwwwwkkTTTTTTTTT", "kwkkwkwkTTTTTTTT",
    "kwwwwkkkkTTTTTTT", "kwkkkwwwkTTTTTTT", "kwwwwwwwknnnnnnT", "kwkkkkkwknwwwwnnT",
    "kwwwwwwwknwnnwnwn", "kwkkkkkwknwwwwnnn", "kwwwwwwwknwnnnwwn", "kkkkkkkkknwwwwwwn",
    "TTTTTTTTTnwnnnnwn", "TTTTTTTTTnwwwwwwn", "TTTTTTTTTnnnnnnnn", "TTTTTTTTTTTTTTTT"};

constexpr Picture kPaste = {
    "TTTTTTTTTTTTTTTT", "TTTTkkkkkTTTTTTT", "TkkkkyyykkkkTTTT", "kooookkkooookTTT",
    "kookkkkkkkookTTT", "kooooooooookTTTT", "kooooonnnnnnnnT", "kooooonwwwwwnwnT",
    "kooooonwkkkwnnnT", "kooooonwwwwwwwnT", "kooooonwkkkkkwnT", "kooooonwwwwwwwnT",
    "kkkkkknwkkkkkwnT", "TTTTTTnwwwwwwwnT", "TTTTTTnnnnnnnnnT", "TTTTTTTTTTTTTTTT"};

constexpr Picture kPrint = {
    "TTTTTTTTTTTTTTTT", "TTTTkkkkkkkkkTTT", "TTTkwwwwwwwwkTTT", "TTTkwkkkkkwkTTTT",
    "TTkwwwwwwwwkTTTT", "TTkkkkkkkkkkkkTT", "TkssssssssssskkT", "kkkkkkkkkkkkkskT",
    "kssssssssGGGsskkT", "ksssssssssssskskT", "kkkkkkkkkkkkkkskT", "kssssssssssssskkT",
    "TkkkkkkkkkkkkkkT", "TTTTTTTTTTTTTTTT", "TTTTTTTTTTTTTTTT", "TTTTTTTTTTTTTTTT"};

constexpr Picture kFind = {
    "TTTTTTTTTTTTTTTT", "TTTkkkkTTTkkkkTT", "TTTkBBkTTTkBBkTT", "TTkkkkkkTkkkkkkT",
    "TkkBkkBkkkBkkBkT", "TkBBkkBBkBBkkBkT", "TkBBkkBBkBBkkBkT", "TkkkkkkkkkkkkkkT",
    "TkBBBBkkkBBBBBkT", "TkBBBBkTkBBBBBkT", "TkkkkkkTkkkkkkkT", "TTTTTTTTTTTTTTTT",
    "TTTTTTTTTTTTTTTT", "TTTTTTTTTTTTTTTT", "TTTTTTTTTTTTTTTT", "TTTTTTTTTTTTTTTT"};

struct FullPicture {
  const char* key;
  const Picture* picture;
};
constexpr FullPicture kPictures[] = {{"OPEN", &kOpen}, {"NEW", &kNew},     {"SAVE", &kSave},
                                     {"CUT", &kCut},   {"COPY", &kCopy},   {"PASTE", &kPaste},
                                     {"PRINT", &kPrint}, {"FIND", &kFind}};

// The other commands: a pictogram of their kind and a label of up to
// three characters in a 3 x 5 pixel font.
enum Shape { shPage, shFolder, shWindow, shLines, shArrowUp, shArrowDown, shArrowLeft, shArrowRight, shLetter,
             shClock, shMail };

struct Recipe {
  const char* key;
  Shape shape;
  const char* label;
  char accent;
};

constexpr Recipe kRecipes[] = {
    {"ADDRESSBOOK", shPage, "AB", 'n'},    {"ALIGNCENTER", shLines, "C", 'k'},   {"ALIGNLEFT", shLines, "L", 'k'},
    {"ALIGNRIGHT", shLines, "R", 'k'},     {"AUTOPREVIEW", shWindow, "AP", 'n'}, {"BOLD", shLetter, "B", 'k'},
    {"BOOKMARKS", shPage, "BM", 'B'},      {"BULLETS", shLines, "o", 'k'},      {"CASCADE", shWindow, "CA", 'n'},
    {"CONTENTS", shPage, "?", 'n'},        {"CONTENTSANDINDEX", shPage, "?I", 'n'}, {"DATE", shClock, "D", 'R'},
    {"DATEANDTIME", shClock, "DT", 'R'},   {"DATETIME", shClock, "DT", 'B'},    {"DECREASEINDENT", shArrowLeft, "ID", 'n'},
    {"DELETE", shLetter, "X", 'R'},        {"FINDNEXT", shPage, "FN", 'B'},     {"FONT", shLetter, "A", 'k'},
    {"FONTSIZE", shLetter, "AA", 'k'},     {"FONTSTYLE", shLetter, "Ab", 'k'},  {"FULLSCREEN", shWindow, "FS", 'n'},
    {"GOTOBOOKMARK", shArrowRight, "BM", 'B'}, {"HELPONHELP", shLetter, "??", 'n'}, {"HOME", shPage, "HM", 'g'},
    {"HYPERLINK", shPage, "WWW", 'B'},     {"INCREASEINDENT", shArrowRight, "ID", 'n'}, {"INDENT", shLines, "I", 'n'},
    {"ITALIC", shLetter, "I", 'k'},        {"ALIGNJUSTIFY", shLines, "J", 'k'}, {"JUSTIFY", shLines, "JU", 'k'},
    {"MARKASREAD", shMail, "R", 'g'},      {"MARKASUNREAD", shMail, "U", 'R'},  {"MOVETOFOLDER", shFolder, "MV", 'n'},
    {"NEWFOLDER", shFolder, "N", 'R'},     {"NEWMAIL", shMail, "N", 'n'},      {"NEWMAILMESSAGE", shMail, "NM", 'n'},
    {"NEWNOTE", shPage, "NN", 'o'},        {"NEWTASK", shPage, "NT", 'g'},     {"NOTE", shPage, "NO", 'o'},
    {"NUMBERING", shLines, "1", 'k'},      {"PRINTPREVIEW", shPage, "PV", 'n'}, {"PROPERTIES", shPage, "PR", 'p'},
    {"REDO", shArrowRight, "RE", 'B'},     {"REFRESH", shArrowDown, "RF", 'g'}, {"RELOAD", shArrowDown, "RL", 'g'},
    {"REPEAT", shArrowRight, "RP", 'g'},   {"REPLACE", shPage, "RPL", 'B'},     {"SAVEALL", shPage, "SA", 'n'},
    {"SEARCHTHEWEB", shPage, "WEB", 'g'},  {"SENDMAIL", shMail, "S", 'B'},     {"SETBOOKMARK", shPage, "SB", 'B'},
    {"SETDATE", shClock, "SD", 'R'},       {"SETFONT", shLetter, "SF", 'k'},   {"SETTIME", shClock, "ST", 'B'},
    {"SORT", shLines, "AZ", 'k'},          {"SPELLCHECK", shLetter, "ABC", 'R'}, {"CHECKSPELLING", shLetter, "ABC", 'g'},
    {"SPLITWINDOW", shWindow, "SP", 'n'},  {"TASK", shPage, "TK", 'g'},        {"TILE", shWindow, "TI", 'n'},
    {"TIME", shClock, "T", 'B'},           {"UNDERLINE", shLetter, "U", 'k'},  {"UNDO", shArrowLeft, "UN", 'B'},
    {"UNINDENT", shArrowLeft, "UI", 'n'},  {"WHATSTHIS", shLetter, "?", 'B'},   {"PARAGRAPH", shLetter, "P", 'n'},
    {"MOVEUP", shArrowUp, "", 'g'},        {"MOVEDOWN", shArrowDown, "", 'g'},  {"MOVELEFT", shArrowLeft, "", 'g'},
    {"MOVERIGHT", shArrowRight, "", 'g'},  {"UPONELEVEL", shFolder, "UP", 'g'}, {"RULER", shLines, "RU", 'o'},
    {"DELETEB", shPage, "X", 'R'},         {"NEWFOLDERB", shFolder, "NB", 'R'}, {"CREATE", shPage, "CR", 'g'},
    {"CREATEB", shPage, "CB", 'g'},        {"BACKWARD", shArrowLeft, "BW", 'n'}, {"BACK", shArrowLeft, "BK", 'g'},
    {"FORWARD", shArrowRight, "FW", 'g'},  {"CLEAR", shPage, "CL", 'R'},       {"SELECTALL", shLines, "SA", 'n'},
    {"GOTO", shArrowRight, "GO", 'n'},     {"PAGESETUP", shPage, "PS", 'n'},   {"PRINTERSETUP", shPage, "PRS", 'n'},
    {"SAVEAS", shPage, "AS", 'n'},         {"PASTELINK", shPage, "PL", 'o'},   {"PASTESPECIAL", shPage, "PSP", 'o'},
    {"NEWWINDOW", shWindow, "NW", 'n'},    {"ARRANGEICONS", shWindow, "AI", 'n'}, {"EDIT", shPage, "ED", 'k'},
    {"VIEW", shWindow, "VW", 'k'},         {"FILE", shPage, "FI", 'k'},        {"SEARCH", shPage, "SR", 'k'},
    {"TOOLS", shLetter, "TL", 'k'},        {"WINDOW", shWindow, "WI", 'k'},    {"HELP", shLetter, "?", 'k'},
    {"SYSTEMRESTORE", shWindow, "RS", 'k'}, {"SYSTEMMOVE", shWindow, "MV", 'k'}, {"SYSTEMSIZE", shWindow, "SZ", 'k'},
    {"SYSTEMMINIMIZE", shWindow, "_", 'k'}, {"SYSTEMMAXIMIZE", shWindow, "MX", 'k'}, {"SYSTEMCLOSE", shWindow, "X", 'R'},
};

// 3 x 5 pixel characters, each row three bits (high bit left).
std::array<int, 5> Font3x5(char c) {
  switch (c) {
    case 'A': return {2, 5, 7, 5, 5};
    case 'B': return {6, 5, 6, 5, 6};
    case 'C': return {3, 4, 4, 4, 3};
    case 'D': return {6, 5, 5, 5, 6};
    case 'E': return {7, 4, 6, 4, 7};
    case 'F': return {7, 4, 6, 4, 4};
    case 'G': return {3, 4, 5, 5, 3};
    case 'H': return {5, 5, 7, 5, 5};
    case 'I': return {7, 2, 2, 2, 7};
    case 'J': return {1, 1, 1, 5, 2};
    case 'K': return {5, 5, 6, 5, 5};
    case 'L': return {4, 4, 4, 4, 7};
    case 'M': return {5, 7, 7, 5, 5};
    case 'N': return {6, 5, 5, 5, 5};
    case 'O': return {2, 5, 5, 5, 2};
    case 'P': return {6, 5, 6, 4, 4};
    case 'R': return {6, 5, 6, 5, 5};
    case 'S': return {3, 4, 2, 1, 6};
    case 'T': return {7, 2, 2, 2, 2};
    case 'U': return {5, 5, 5, 5, 7};
    case 'V': return {5, 5, 5, 5, 2};
    case 'W': return {5, 5, 7, 7, 5};
    case 'X': return {5, 5, 2, 5, 5};
    case 'Z': return {7, 1, 2, 4, 7};
    case 'b': return {4, 4, 6, 5, 6};
    case 'o': return {0, 2, 5, 2, 0};
    case '1': return {2, 6, 2, 2, 7};
    case '?': return {6, 1, 2, 0, 2};
    case '_': return {0, 0, 0, 0, 7};
    default: return {0, 0, 0, 0, 0};
  }
}

// Pictures are drawn into memory and given to their bitmap in one go:
// pixel by pixel through the bitmap, the strip of 110 took seconds.
struct Pixels {
  Pixels(int w, int h) : width(w), height(h), px(static_cast<std::size_t>(w) * h, PaletteColor(kKey)) {}
  int width, height;
  std::vector<TColor> px;  // rows top-down, 0x00BBGGRR
};

class Cell {
 public:
  Cell(Pixels& pixels, int left) : p_(pixels), x0_(left) {}
  void Dot(int x, int y, char colour) {
    if (x >= 0 && x < 16 && y >= 0 && y < 16)
      p_.px[static_cast<std::size_t>(y) * p_.width + x0_ + x] = PaletteColor(colour);
  }
  void Fill(int l, int t, int r, int b, char colour) {
    for (int y = t; y < b; ++y)
      for (int x = l; x < r; ++x) Dot(x, y, colour);
  }
  void Frame(int l, int t, int r, int b, char colour) {
    for (int x = l; x < r; ++x) Dot(x, t, colour), Dot(x, b - 1, colour);
    for (int y = t; y < b; ++y) Dot(l, y, colour), Dot(r - 1, y, colour);
  }
  void Picture(const ::Picture& p) {
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16 && p[y][x]; ++x) Dot(x, y, p[y][x]);
  }
  void Text(int x, int y, const std::string& text, char colour) {
    for (char ch : text) {
      const auto rows = Font3x5(ch);
      for (int r = 0; r < 5; ++r)
        for (int b = 0; b < 3; ++b)
          if (rows[r] & (4 >> b)) Dot(x + b, y + r, colour);
      x += 4;
    }
  }

 private:
  Pixels& p_;
  int x0_;
};

void DrawArrow(Cell& g, Shape shape, char colour) {
  for (int i = 0; i < 5; ++i) {
    for (int j = -i; j <= i; ++j) {
      switch (shape) {
        case shArrowUp: g.Dot(7 + j, 1 + i, colour); break;
        case shArrowDown: g.Dot(7 + j, 9 - i, colour); break;
        case shArrowLeft: g.Dot(1 + i, 5 + j, colour); break;
        default: g.Dot(13 - i, 5 + j, colour); break;
      }
    }
  }
  switch (shape) {
    case shArrowUp: g.Fill(6, 6, 9, 10, colour); break;
    case shArrowDown: g.Fill(6, 0, 9, 5, colour); break;
    case shArrowLeft: g.Fill(6, 4, 14, 7, colour); break;
    default: g.Fill(1, 4, 9, 7, colour); break;
  }
}

void DrawShape(Cell& g, const Recipe& r) {
  switch (r.shape) {
    case shPage:
      g.Fill(3, 0, 12, 10, 'w');
      g.Frame(2, 0, 13, 11, 'k');
      for (int y = 2; y < 9; y += 2) g.Fill(4, y, 11, y + 1, r.accent);
      break;
    case shFolder:
      g.Fill(1, 3, 14, 10, 'y');
      g.Frame(0, 2, 15, 11, 'k');
      g.Fill(1, 1, 6, 2, 'k');
      g.Fill(7, 5, 13, 7, r.accent);
      break;
    case shWindow:
      g.Fill(1, 1, 14, 10, 'w');
      g.Frame(0, 0, 15, 11, 'k');
      g.Fill(1, 1, 14, 3, r.accent == 'k' ? 'n' : r.accent);
      break;
    case shLines: {
      const int widths[] = {11, 7, 11, 7};
      for (int i = 0; i < 4; ++i) {
        const int y = 1 + i * 2;
        int left = 2;
        if (r.label[0] == 'C') left = 2 + (11 - widths[i]) / 2;
        if (r.label[0] == 'R') left = 13 - widths[i];
        const int width = r.label[0] == 'J' ? 11 : widths[i];
        g.Fill(left, y, left + width, y + 1, r.accent);
      }
      break;
    }
    case shLetter:
      g.Fill(2, 0, 13, 10, 's');
      g.Frame(2, 0, 13, 10, 'd');
      break;
    case shClock:
      g.Frame(2, 0, 13, 11, 'k');
      g.Fill(3, 1, 12, 10, 'w');
      g.Fill(7, 2, 8, 6, 'k');
      g.Fill(7, 5, 11, 6, r.accent);
      break;
    case shMail:
      g.Fill(1, 2, 14, 10, 'w');
      g.Frame(0, 1, 15, 11, 'k');
      for (int i = 0; i < 6; ++i) g.Dot(1 + i, 2 + i, r.accent), g.Dot(13 - i, 2 + i, r.accent);
      break;
    default:
      DrawArrow(g, r.shape, r.accent);
      break;
  }
}

void DrawGlyph(Cell& g, const std::string& key) {
  for (const FullPicture& p : kPictures)
    if (key == p.key) return g.Picture(*p.picture);
  for (const Recipe& r : kRecipes) {
    if (key != r.key) continue;
    DrawShape(g, r);
    const std::string label = r.label;
    const int width = static_cast<int>(label.size()) * 4 - 1;
    g.Text(15 - width, 11, label, r.shape == shLetter ? r.accent : 'k');
    return;
  }
}

// A 24-bit bitmap of the pixels, written with one SetDIBits.
std::unique_ptr<TBitmap> ToBitmap(const Pixels& p) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(pf24bit);
  bitmap->SetSize(p.width, p.height);
  const int stride = (p.width * 3 + 3) & ~3;
  std::vector<std::uint8_t> bits(static_cast<std::size_t>(stride) * p.height);
  for (int y = 0; y < p.height; ++y) {
    std::uint8_t* row = bits.data() + static_cast<std::size_t>(p.height - 1 - y) * stride;  // bottom-up
    for (int x = 0; x < p.width; ++x) {
      const auto c = static_cast<std::uint32_t>(p.px[static_cast<std::size_t>(y) * p.width + x]);
      row[x * 3] = static_cast<std::uint8_t>(c >> 16);
      row[x * 3 + 1] = static_cast<std::uint8_t>(c >> 8);
      row[x * 3 + 2] = static_cast<std::uint8_t>(c);
    }
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = p.width;
  info.bmiHeader.biHeight = p.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  HDC dc = GetDC(nullptr);
  SetDIBits(dc, bitmap->Handle(), 0, static_cast<UINT>(p.height), bits.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  bitmap->Canvas()->Refresh();
  return bitmap;
}

}  // namespace

std::unique_ptr<TBitmap> MakeCacheGlyphStrip() {
  std::vector<std::string> keys;
  for (int i = 0; i < CacheKeyCount(); ++i) keys.emplace_back(CacheKey(i));
  std::sort(keys.begin(), keys.end());
  Pixels strip(16 * static_cast<int>(keys.size()), 16);
  for (std::size_t i = 0; i < keys.size(); ++i) {
    Cell cell(strip, static_cast<int>(i) * 16);
    DrawGlyph(cell, keys[i]);
  }
  return ToBitmap(strip);
}

std::unique_ptr<TBitmap> MakeCheckMarkGlyph() {
  Pixels pixels(16, 16);
  Cell g(pixels, 0);
  // The classic tick: seven columns, three pixels thick.
  const int rise[] = {2, 3, 4, 3, 2, 1, 0};
  for (int i = 0; i < 7; ++i)
    for (int t = 0; t < 3; ++t) g.Dot(4 + i, 5 + rise[i] + t, 'k');
  return ToBitmap(pixels);
}

std::unique_ptr<TBitmap> MakeRadioItemGlyph() {
  Pixels pixels(16, 16);
  Cell g(pixels, 0);
  g.Fill(6, 5, 10, 11, 'k');
  g.Fill(5, 6, 11, 10, 'k');
  return ToBitmap(pixels);
}

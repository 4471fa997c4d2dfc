#include <cctype>
#include <cstring>

#include "framework/bitmap.h"
#include "menus/am2000cache.h"

namespace {

struct KeySpec {
  const char* key;
  bool glyph;
  const char* shortCut;
  const char* hint;
};

// In the order they are added; the strip is drawn in sorted order.
constexpr KeySpec kKeys[] = {
    {"ADDRESSBOOK", true, "", "Opens the address book"},
    {"ALIGNCENTER", true, "Ctrl+E", "Centres the paragraph"},
    {"ALIGNLEFT", true, "Ctrl+L", "Aligns the paragraph to the left"},
    {"ALIGNRIGHT", true, "Ctrl+R", "Aligns the paragraph to the right"},
    {"AUTOPREVIEW", true, "", "Shows the first lines of each message"},
    {"BOLD", true, "Ctrl+B", "Makes the selection bold"},
    {"BOOKMARKS", true, "", "Lists the bookmarks"},
    {"BULLETS", true, "", "Adds bullets to the paragraphs"},
    {"CASCADE", true, "", "Arranges the windows so they overlap"},
    {"CONTENTS", true, "", "Shows the help contents"},
    {"CONTENTSANDINDEX", true, "", "Shows the help contents and index"},
    {"COPY", true, "Ctrl+C;Ctrl+Ins", "Copies the selection to the clipboard"},
    {"CUT", true, "Ctrl+X;Shift+Del", "Cuts the selection to the clipboard"},
    {"DATE", true, "", "Inserts the date"},
    {"DATEANDTIME", true, "", "Inserts the date and time"},
    {"DATETIME", true, "", "Inserts the date and time"},
    {"DECREASEINDENT", true, "", "Decreases the indent"},
    {"DELETE", true, "Del", "Deletes the selection"},
    {"FIND", true, "Ctrl+F", "Finds text"},
    {"FINDNEXT", true, "F3", "Finds the next occurrence"},
    {"FONT", true, "", "Changes the font"},
    {"FONTSIZE", true, "", "Changes the font size"},
    {"FONTSTYLE", true, "", "Changes the font style"},
    {"FULLSCREEN", true, "", "Shows the document on the whole screen"},
    {"GOTOBOOKMARK", true, "", "Goes to a bookmark"},
    {"HELPONHELP", true, "", "Explains how to use help"},
    {"HOME", true, "", "Goes to the start page"},
    {"HYPERLINK", true, "Ctrl+K", "Inserts a hyperlink"},
    {"INCREASEINDENT", true, "", "Increases the indent"},
    {"INDENT", true, "", "Indents the paragraph"},
    {"ITALIC", true, "Ctrl+I", "Makes the selection italic"},
    {"ALIGNJUSTIFY", true, "Ctrl+J", "Justifies the paragraph"},
    {"JUSTIFY", true, "", "Justifies the paragraph"},
    {"MARKASREAD", true, "", "Marks the message as read"},
    {"MARKASUNREAD", true, "", "Marks the message as unread"},
    {"MOVETOFOLDER", true, "Ctrl+Shift+V", "Moves the selection to a folder"},
    {"NEW", true, "Ctrl+N", "Creates a new document"},
    {"NEWFOLDER", true, "", "Creates a new folder"},
    {"NEWMAIL", true, "", "Writes a new mail message"},
    {"NEWMAILMESSAGE", true, "", "Writes a new mail message"},
    {"NEWNOTE", true, "", "Creates a new note"},
    {"NEWTASK", true, "", "Creates a new task"},
    {"NOTE", true, "", "Inserts a note"},
    {"NUMBERING", true, "", "Numbers the paragraphs"},
    {"OPEN", true, "Ctrl+O", "Opens an existing document from a file"},
    {"PASTE", true, "Ctrl+V;Shift+Ins", "Inserts the clipboard contents"},
    {"PRINT", true, "Ctrl+P", "Prints the document"},
    {"PRINTPREVIEW", true, "", "Shows the document as it will print"},
    {"PROPERTIES", true, "Alt+Enter", "Shows the properties of the selection"},
    {"REDO", true, "Ctrl+Y", "Redoes the last undone action"},
    {"REFRESH", true, "F5", "Shows the current contents again"},
    {"RELOAD", true, "", "Loads the document again"},
    {"REPEAT", true, "", "Repeats the last action"},
    {"REPLACE", true, "Ctrl+H", "Replaces text"},
    {"SAVE", true, "Ctrl+S;Shift+F12;Alt+Shift+F2", "Saves the document"},
    {"SAVEALL", true, "", "Saves every open document"},
    {"SEARCHTHEWEB", true, "", "Searches the web"},
    {"SENDMAIL", true, "", "Sends the document by mail"},
    {"SETBOOKMARK", true, "", "Sets a bookmark"},
    {"SETDATE", true, "", "Sets the date"},
    {"SETFONT", true, "", "Sets the font"},
    {"SETTIME", true, "", "Sets the time"},
    {"SORT", true, "", "Sorts the selection"},
    {"SPELLCHECK", true, "F7", "Checks the spelling"},
    {"CHECKSPELLING", true, "", "Checks the spelling"},
    {"SPLITWINDOW", true, "", "Splits the window in two"},
    {"TASK", true, "", "Inserts a task"},
    {"TILE", true, "", "Arranges the windows side by side"},
    {"TIME", true, "", "Inserts the time"},
    {"UNDERLINE", true, "Ctrl+U", "Underlines the selection"},
    {"UNDO", true, "Ctrl+Z", "Undoes the last action"},
    {"UNINDENT", true, "", "Removes the indent"},
    {"WHATSTHIS", true, "Shift+F1", "Explains the item clicked next"},
    {"PARAGRAPH", true, "", "Formats the paragraph"},
    {"MOVEUP", true, "", "Moves the selection up"},
    {"MOVEDOWN", true, "", "Moves the selection down"},
    {"MOVELEFT", true, "", "Moves the selection left"},
    {"MOVERIGHT", true, "", "Moves the selection right"},
    {"UPONELEVEL", true, "Backspace", "Goes up one level"},
    {"RULER", true, "", "Shows or hides the ruler"},
    {"DELETEB", true, "", "Deletes the selection"},
    {"NEWFOLDERB", true, "", "Creates a new folder"},
    {"CREATE", true, "", "Creates a new item"},
    {"CREATEB", true, "", "Creates a new item"},
    {"BACKWARD", true, "", "Goes back"},
    {"BACK", true, "Alt+Left", "Goes back"},
    {"FORWARD", true, "Alt+Right", "Goes forward"},
    {"CLEAR", false, "", "Clears the selection"},
    {"SELECTALL", false, "Ctrl+A", "Selects everything"},
    {"GOTO", false, "", "Goes to a place in the document"},
    {"PAGESETUP", false, "", "Sets up the page"},
    {"PRINTERSETUP", false, "", "Sets up the printer"},
    {"SAVEAS", false, "", "Saves the document under a new name"},
    {"PASTELINK", false, "", "Pastes a link to the clipboard contents"},
    {"PASTESPECIAL", false, "", "Pastes the clipboard contents in a chosen format"},
    {"NEWWINDOW", false, "", "Opens a new window"},
    {"ARRANGEICONS", false, "", "Arranges the icons"},
    {"EDIT", false, "", "Contains commands for editing"},
    {"VIEW", false, "", "Contains commands for changing the view"},
    {"FILE", false, "", "Contains commands for saving documents and opening saved documents"},
    {"SEARCH", false, "", "Contains commands for searching"},
    {"TOOLS", false, "", "Contains tools"},
    {"WINDOW", false, "", "Contains commands for arranging windows"},
    {"HELP", false, "", "Contains commands for solving problem situations"},
    {"SYSTEMRESTORE", true, "", "Restores the window to its normal size"},
    {"SYSTEMMOVE", true, "", "Moves the window"},
    {"SYSTEMSIZE", true, "", "Sizes the window"},
    {"SYSTEMMINIMIZE", true, "", "Shrinks the window to an icon"},
    {"SYSTEMMAXIMIZE", true, "", "Enlarges the window to the whole screen"},
    {"SYSTEMCLOSE", true, "Alt+F4", "Closes the window"},
};
static_assert(std::size(kKeys) == 110);

}  // namespace

int CacheKeyCount() { return static_cast<int>(std::size(kKeys)); }
const char* CacheKey(int index) { return kKeys[index].key; }

T_AM2000_MenuItemCache::T_AM2000_MenuItemCache() {
  SetCaseSensitive(false);
  SetSorted(true);
  SetOwnsObjects(true);
  for (const KeySpec& k : kKeys)
    AddObject(k.key, new T_AM2000_MenuItemCacheItem(k.shortCut, k.hint, k.glyph, *k.shortCut != '\0'));
}

std::string T_AM2000_MenuItemCache::NormalizeKey(const std::string& caption) {
  std::string key;
  for (unsigned char c : caption)
    if (std::isalpha(c)) key += static_cast<char>(std::toupper(c));
  return key;
}

T_AM2000_MenuItemCacheItem* T_AM2000_MenuItemCache::Lookup(const std::string& caption, int* index) const {
  const std::string key = NormalizeKey(caption);
  int at = -1;
  if (key.empty() || !Find(key, at)) return nullptr;
  if (index) *index = at;
  return static_cast<T_AM2000_MenuItemCacheItem*>(Objects(at));
}

TCustomImageList* T_AM2000_MenuItemCache::Images() {
  if (!images_) {
    images_ = std::make_unique<TCustomImageList>(16, 16, nullptr);
    std::unique_ptr<TBitmap> strip = MakeCacheGlyphStrip();
    images_->AddMasked(strip.get(), strip->Canvas()->Pixel(0, 15));
  }
  return images_.get();
}

T_AM2000_MenuItemCache& MenuItemCache() {
  static T_AM2000_MenuItemCache cache;
  return cache;
}

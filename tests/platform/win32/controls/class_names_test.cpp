// Window classes answer with the spelling Windows registers them under,
// whatever case a caller used to create the window.
#include "controls_test_support.h"

#include <win32/comctl32.h>

namespace controls_test {
namespace {

class ClassNames : public ControlTest {};

std::string ClassOf(HWND h) {
  char cls[64] = {};
  GetClassNameA(h, cls, sizeof cls);
  return cls;
}

TEST_F(ClassNames, SystemAndCommonControlsKeepWindowsSpelling) {
  const std::pair<const char*, const char*> classes[] = {
      {"button", "Button"},       {"EDIT", "Edit"},
      {"combobox", "ComboBox"},   {"LISTBOX", "ListBox"},
      {"scrollbar", "ScrollBar"}, {"STATIC", "Static"},
      {"SYSTREEVIEW32", "SysTreeView32"}, {"MSCTLS_STATUSBAR32", "msctls_statusbar32"},
  };
  int id = 10;
  for (const auto& [asked, windows] : classes) {
    HWND h = Make(asked, "", 0, {10, 10, 100, 40}, id++);
    ASSERT_NE(h, nullptr) << asked;
    EXPECT_EQ(ClassOf(h), windows);
    WNDCLASSA wc{};
    EXPECT_TRUE(GetClassInfoA(nullptr, asked, &wc)) << asked;
    EXPECT_STREQ(wc.lpszClassName, windows);
  }
  HWND tip = CreateWindowExA(0, "Tooltips_Class32", nullptr, WS_POPUP, 0, 0, 10, 10, parent, nullptr, nullptr, nullptr);
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(ClassOf(tip), "tooltips_class32");
  DestroyWindow(tip);
}

}  // namespace
}  // namespace controls_test

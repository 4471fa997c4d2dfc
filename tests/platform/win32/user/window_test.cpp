// Creation and destruction order, relations, window data, subclassing and
// geometry.
#include <cstring>

#include "user_test_support.h"

namespace user_test {
namespace {

using ::testing::ElementsAre;

class Windows : public UserTest {};

TEST_F(Windows, CreationSendsTheWindowsSequence) {
  log().Watch({WM_GETMINMAXINFO, WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW,
               WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_PARENTNOTIFY});
  HWND top = Top("top", WS_OVERLAPPEDWINDOW);
  log().names[top] = "top";
  std::vector<std::string> created = Take();
  EXPECT_THAT(created, ElementsAre("top:WM_GETMINMAXINFO", "top:WM_NCCREATE", "top:WM_NCCALCSIZE", "top:WM_CREATE",
                                   "top:WM_SIZE", "top:WM_MOVE"));
  HWND c = CreateWindowExA(0, kClass, "c", WS_CHILD | WS_VISIBLE, 1, 2, 30, 40, top, nullptr, nullptr, nullptr);
  log().names[c] = "c";
  created_.push_back(c);
  using namespace testsupport;
  const ExpectedMessage kChild[] = {{WM_NCCREATE, sent},
                                    {WM_NCCALCSIZE, sent | wparam, FALSE},
                                    {WM_CREATE, sent},
                                    {WM_SIZE, sent | wparam | lparam, SIZE_RESTORED, MAKELPARAM(30, 40)},
                                    {WM_MOVE, sent | lparam, 0, MAKELPARAM(1, 2)},
                                    {WM_PARENTNOTIFY, sent | wparam | lparam, WM_CREATE, reinterpret_cast<LPARAM>(c)},
                                    {WM_SHOWWINDOW, sent | wparam, TRUE},
                                    {WM_WINDOWPOSCHANGING, sent},
                                    {WM_WINDOWPOSCHANGED, sent}};
  EXPECT_TRUE(OkSequence(log().messages.Entries(), kChild));
  EXPECT_THAT(Take(), ElementsAre("c:WM_NCCREATE", "c:WM_NCCALCSIZE", "c:WM_CREATE", "c:WM_SIZE", "c:WM_MOVE",
                                  "top:WM_PARENTNOTIFY", "c:WM_SHOWWINDOW(1)", "c:WM_WINDOWPOSCHANGING",
                                  "c:WM_WINDOWPOSCHANGED"));
  char text[8];
  EXPECT_EQ(GetWindowTextA(c, text, sizeof text), 1);
  EXPECT_STREQ(text, "c");
}

TEST_F(Windows, FailingCreateMessagesDestroyTheWindow) {
  static int ncdestroyed;
  ncdestroyed = 0;
  struct Proc {
    static LRESULT CALLBACK Refuse(HWND h, UINT m, WPARAM w, LPARAM l) {
      if (m == WM_CREATE) return -1;
      if (m == WM_NCDESTROY) ++ncdestroyed;
      return DefWindowProcA(h, m, w, l);
    }
  };
  WNDCLASSA wc{};
  wc.lpfnWndProc = Proc::Refuse;
  wc.lpszClassName = "XvtRefuse";
  RegisterClassA(&wc);
  EXPECT_EQ(CreateWindowExA(0, "XvtRefuse", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr), nullptr);
  EXPECT_EQ(ncdestroyed, 1);
  EXPECT_EQ(CreateWindowExA(0, "NoSuchClass", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
  EXPECT_EQ(RegisterClassA(&wc), 0);  // already registered
  EXPECT_TRUE(UnregisterClassA("XvtRefuse", nullptr));
}

TEST_F(Windows, DestroySendsDestroyParentFirstAndNcDestroyChildrenFirst) {
  HWND p = Top("p");
  HWND c = Child("c", p, {0, 0, 10, 10});
  HWND g = Child("g", c, {0, 0, 5, 5});
  HWND owned = Top("owned", WS_POPUP, {0, 0, 10, 10}, 0, p);
  log().Watch({WM_DESTROY, WM_NCDESTROY});
  EXPECT_TRUE(DestroyWindow(p));
  EXPECT_THAT(Take(), ElementsAre("owned:WM_DESTROY", "owned:WM_NCDESTROY", "p:WM_DESTROY", "c:WM_DESTROY",
                                  "g:WM_DESTROY", "g:WM_NCDESTROY", "c:WM_NCDESTROY", "p:WM_NCDESTROY"));
  EXPECT_FALSE(IsWindow(p) || IsWindow(c) || IsWindow(g) || IsWindow(owned));
  EXPECT_FALSE(DestroyWindow(p));
}

TEST_F(Windows, RelationsAndLookup) {
  HWND p = Top("p");
  HWND a = Child("a", p, {0, 0, 10, 10}, WS_VISIBLE, 0, 11);
  HWND b = Child("b", p, {0, 0, 10, 10}, WS_VISIBLE, 0, 12);
  HWND popup = Top("popup", WS_POPUP, {0, 0, 5, 5}, 0, a);
  EXPECT_EQ(GetParent(a), p);
  EXPECT_EQ(GetParent(popup), p);  // a pop-up's owner is the top-level window
  EXPECT_EQ(GetWindow(popup, GW_OWNER), p);
  EXPECT_EQ(GetWindow(p, GW_CHILD), a);  // children in creation order: new ones go to the bottom
  EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), b);
  EXPECT_EQ(GetWindow(b, GW_HWNDNEXT), nullptr);
  EXPECT_EQ(GetWindow(a, GW_HWNDLAST), b);
  EXPECT_TRUE(IsChild(p, a));
  EXPECT_FALSE(IsChild(p, popup));
  EXPECT_EQ(GetDlgItem(p, 12), b);
  EXPECT_EQ(GetDlgCtrlID(a), 11);
  EXPECT_EQ(FindWindowA(kClass, "popup"), popup);
  EXPECT_EQ(FindWindowA("xvttestwindow", "p"), p);  // class names ignore case
  EXPECT_EQ(FindWindowA("NoClass", nullptr), nullptr);
  char name[64];
  EXPECT_EQ(GetClassNameA(a, name, 5), 4);
  EXPECT_STREQ(name, "XvtT");
  EXPECT_EQ(GetAncestor(a, GA_ROOT), p);
  EXPECT_EQ(SetParent(b, a), p);
  EXPECT_EQ(GetParent(b), a);
  EXPECT_EQ(SetParent(a, b), nullptr);  // a cycle is refused
}

TEST_F(Windows, WindowLongsAndText) {
  HWND a = Top("a");
  EXPECT_EQ(SetWindowLongPtrA(a, GWLP_USERDATA, 1234), 0);
  EXPECT_EQ(GetWindowLongPtrA(a, GWLP_USERDATA), 1234);
  log().Watch({0x007C, 0x007D});
  LONG style = GetWindowLongA(a, GWL_STYLE);
  SetWindowLongA(a, GWL_STYLE, style | WS_BORDER);
  EXPECT_EQ(GetWindowLongA(a, GWL_STYLE) & WS_BORDER, WS_BORDER);
  EXPECT_EQ(Take().size(), 2u);  // WM_STYLECHANGING, WM_STYLECHANGED
  EXPECT_TRUE(SetWindowTextA(a, "Hello world"));
  EXPECT_EQ(GetWindowTextLengthA(a), 11);
  char buf[6];
  EXPECT_EQ(GetWindowTextA(a, buf, sizeof buf), 5);
  EXPECT_STREQ(buf, "Hello");
  EXPECT_TRUE(SetPropA(a, "k", reinterpret_cast<HANDLE>(5)));
  EXPECT_EQ(GetPropA(a, "k"), reinterpret_cast<HANDLE>(5));
  EXPECT_EQ(RemovePropA(a, "k"), reinterpret_cast<HANDLE>(5));
  EXPECT_EQ(GetPropA(a, "k"), nullptr);
}

std::vector<std::string> g_chain;
WNDPROC g_prev1, g_prev2;
LRESULT CALLBACK Sub1(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_USER) g_chain.push_back("sub1");
  return CallWindowProcA(g_prev1, h, m, w, l);
}
LRESULT CALLBACK Sub2(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_USER) {
    g_chain.push_back("sub2");
    if (w == 1) return 99;  // consumed
  }
  return CallWindowProcA(g_prev2, h, m, w, l);
}

TEST_F(Windows, SubclassingChainsNewestFirst) {
  HWND a = Top("a");
  g_chain.clear();
  log().Watch({WM_USER});
  g_prev1 = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(a, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Sub1)));
  EXPECT_EQ(g_prev1, LoggingProc);
  g_prev2 = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(a, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Sub2)));
  SendMessageA(a, WM_USER, 0, 0);
  EXPECT_THAT(g_chain, ElementsAre("sub2", "sub1"));
  EXPECT_THAT(Take(), ElementsAre("a:WM_USER"));
  g_chain.clear();
  EXPECT_EQ(SendMessageA(a, WM_USER, 1, 0), 99);
  EXPECT_THAT(g_chain, ElementsAre("sub2"));
  EXPECT_TRUE(Take().empty());
  // The 32-bit form cannot hold a procedure pointer: refused, nothing truncated.
  EXPECT_EQ(SetWindowLongA(a, GWL_WNDPROC, 0x1234), 0);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(a, GWLP_WNDPROC)), Sub2);
  // Unsubclassing restores the previous procedure.
  SetWindowLongPtrA(a, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_prev2));
  SetWindowLongPtrA(a, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_prev1));
  g_chain.clear();
  SendMessageA(a, WM_USER, 0, 0);
  EXPECT_TRUE(g_chain.empty());
}

TEST_F(Windows, ClientAreaFollowsBordersAndEdges) {
  HWND top = Top("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE, {10, 20, 210, 170});
  RECT r;
  GetClientRect(top, &r);
  // The host draws a captioned window's frame: all of the window is client area.
  EXPECT_EQ(r.right, 200);
  EXPECT_EQ(r.bottom, 150);
  HWND c = Child("c", top, {5, 5, 105, 55}, WS_VISIBLE | WS_BORDER, WS_EX_CLIENTEDGE);
  GetClientRect(c, &r);
  EXPECT_EQ(r.right, 94);
  EXPECT_EQ(r.bottom, 44);
  POINT p{0, 0};
  ClientToScreen(c, &p);
  EXPECT_EQ(p.x, 10 + 5 + 3);
  EXPECT_EQ(p.y, 20 + 5 + 3);
  RECT adj{0, 0, 94, 44};
  AdjustWindowRectEx(&adj, WS_CHILD | WS_BORDER, FALSE, WS_EX_CLIENTEDGE);
  EXPECT_EQ(adj.right - adj.left, 100);
  POINT q{1, 1};
  MapWindowPoints(c, top, &q, 1);
  EXPECT_EQ(q.x, 9);
  EXPECT_EQ(q.y, 9);
  GetWindowRect(c, &r);
  EXPECT_EQ(r.left, 15);
  EXPECT_EQ(r.bottom, 75);
}

TEST_F(Windows, MovingAndSizingSendPositionMessages) {
  HWND top = Top("top", WS_POPUP | WS_VISIBLE);
  HWND c = Child("c", top, {0, 0, 50, 50});
  log().Watch({WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE, WM_NCCALCSIZE});
  SetWindowPos(c, nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_THAT(Take(), ElementsAre("c:WM_WINDOWPOSCHANGING", "c:WM_WINDOWPOSCHANGED", "c:WM_MOVE"));
  MoveWindow(c, 10, 10, 60, 50, TRUE);
  EXPECT_THAT(Take(), ElementsAre("c:WM_WINDOWPOSCHANGING", "c:WM_NCCALCSIZE", "c:WM_WINDOWPOSCHANGED", "c:WM_SIZE"));
  SetWindowPos(c, nullptr, 10, 10, 60, 50, SWP_NOZORDER);  // no change: no WM_WINDOWPOSCHANGED
  EXPECT_THAT(Take(), ElementsAre("c:WM_WINDOWPOSCHANGING"));
  // WM_WINDOWPOSCHANGING may change the request.
  On(c, [](HWND, UINT m, WPARAM, LPARAM l) -> std::optional<LRESULT> {
    if (m == WM_WINDOWPOSCHANGING) reinterpret_cast<WINDOWPOS*>(l)->cx = 33;
    return std::nullopt;
  });
  MoveWindow(c, 0, 0, 100, 100, TRUE);
  RECT r;
  GetClientRect(c, &r);
  EXPECT_EQ(r.right, 33);
  EXPECT_EQ(r.bottom, 100);
}

TEST_F(Windows, ZOrderKeepsTopmostWindowsAbove) {
  HWND a = Top("a", WS_POPUP | WS_VISIBLE);
  HWND b = Top("b", WS_POPUP | WS_VISIBLE);
  SetWindowPos(a, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_TRUE(GetWindowLongA(a, GWL_EXSTYLE) & WS_EX_TOPMOST);
  HWND c = Top("c", WS_POPUP | WS_VISIBLE);
  // c is newest and active, but a stays above it.
  EXPECT_EQ(GetTopWindow(nullptr), a);
  EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), c);
  EXPECT_EQ(GetWindow(c, GW_HWNDNEXT), b);
  SetWindowPos(c, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(GetWindow(b, GW_HWNDNEXT), c);
  SetWindowPos(a, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_FALSE(GetWindowLongA(a, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(Windows, PointLookupSkipsHiddenDisabledAndTransparent) {
  HWND top = Top("top", WS_POPUP | WS_VISIBLE, {0, 0, 200, 200});
  // The first child created is the top one.
  HWND high = Child("high", top, {50, 50, 150, 150});
  HWND low = Child("low", top, {10, 10, 100, 100});
  EXPECT_EQ(WindowFromPoint(POINT{60, 60}), high);
  EXPECT_EQ(WindowFromPoint(POINT{20, 20}), low);
  EnableWindow(high, FALSE);
  EXPECT_EQ(WindowFromPoint(POINT{60, 60}), low);
  EXPECT_EQ(ChildWindowFromPointEx(top, POINT{60, 60}, CWP_ALL), high);
  EXPECT_EQ(ChildWindowFromPointEx(top, POINT{60, 60}, CWP_SKIPDISABLED), low);
  EnableWindow(high, TRUE);
  On(high, [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_NCHITTEST) return HTTRANSPARENT;
    return std::nullopt;
  });
  EXPECT_EQ(WindowFromPoint(POINT{60, 60}), low);
  ShowWindow(low, SW_HIDE);
  EXPECT_EQ(WindowFromPoint(POINT{60, 60}), top);
  EXPECT_EQ(ChildWindowFromPointEx(top, POINT{60, 60}, CWP_SKIPINVISIBLE), high);
  EXPECT_EQ(ChildWindowFromPointEx(top, POINT{500, 5}, CWP_ALL), nullptr);
  EXPECT_EQ(WindowFromPoint(POINT{500, 500}), nullptr);
}

TEST_F(Windows, ShowWindowReportsPreviousVisibility) {
  HWND a = Top("a");
  log().Watch({WM_SHOWWINDOW});
  EXPECT_FALSE(ShowWindow(a, SW_SHOWNA));
  EXPECT_TRUE(IsWindowVisible(a));
  EXPECT_NE(GetActiveWindow(), a);  // SW_SHOWNA does not activate
  EXPECT_TRUE(ShowWindow(a, SW_SHOW));
  EXPECT_TRUE(ShowWindow(a, SW_HIDE));
  EXPECT_FALSE(ShowWindow(a, SW_HIDE));
  EXPECT_THAT(Take(), ElementsAre("a:WM_SHOWWINDOW(1)", "a:WM_SHOWWINDOW(0)"));
  HWND c = Child("c", a, {0, 0, 5, 5});
  EXPECT_FALSE(IsWindowVisible(c));  // visible style, hidden parent
}

TEST_F(Windows, MaximiseFillsTheWorkAreaAndRestoreReturns) {
  HWND a = Top("a", WS_OVERLAPPEDWINDOW | WS_VISIBLE, {10, 10, 110, 60});
  ShowWindow(a, SW_SHOWMAXIMIZED);
  RECT r;
  GetWindowRect(a, &r);
  EXPECT_EQ(r.right - r.left, 1024);
  EXPECT_TRUE(IsZoomed(a));
  ShowWindow(a, SW_RESTORE);
  GetWindowRect(a, &r);
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.right, 110);
  EXPECT_FALSE(IsZoomed(a));
}

}  // namespace
}  // namespace user_test

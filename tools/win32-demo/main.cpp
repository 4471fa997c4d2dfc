// xvt-win32-demo [snapshot.png]: a window with a blue square that moves to
// each left click; R, G and B set the square's colour, P opens a pop-up,
// S writes the window's pixels to the snapshot file, Escape quits.
#include <cstdio>
#include <stdexcept>
#include <string>

#include <backend/sdl.h>
#include <win32/windows.h>
#include <win32/xvt_snapshot.h>

namespace {

struct DemoState {
  POINT square{20, 20};
  COLORREF colour = RGB(0, 0, 255);
  HWND popup = nullptr;
  std::string snapshot = "xvt-win32-demo.png";
} g;

void Paint(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT client;
  GetClientRect(hwnd, &client);
  HBRUSH back = CreateSolidBrush(RGB(255, 255, 255));
  FillRect(dc, &client, back);
  DeleteObject(back);
  HBRUSH fill = CreateSolidBrush(g.colour);
  RECT sq{g.square.x - 10, g.square.y - 10, g.square.x + 10, g.square.y + 10};
  FillRect(dc, &sq, fill);
  DeleteObject(fill);
  EndPaint(hwnd, &ps);
}

void OpenPopup(HWND owner) {
  if (g.popup) return;
  RECT r;
  GetWindowRect(owner, &r);
  g.popup = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "XvtDemoPopup", "", WS_POPUP | WS_BORDER, r.left + 40,
                            r.top + 40, 120, 60, owner, nullptr, GetModuleHandleA(nullptr), nullptr);
  ShowWindow(g.popup, SW_SHOWNOACTIVATE);
}

void Snapshot(HWND hwnd) {
  UpdateWindow(hwnd);
  HDC dc = GetDC(hwnd);
  BOOL ok = xvtSaveDCPng(dc, g.snapshot.c_str());
  ReleaseDC(hwnd, dc);
  std::printf("snapshot %s %s\n", g.snapshot.c_str(), ok ? "written" : "failed");
  std::fflush(stdout);
}

void Key(HWND hwnd, WPARAM vk) {
  switch (vk) {
    case 'R': g.colour = RGB(255, 0, 0); break;
    case 'G': g.colour = RGB(0, 255, 0); break;
    case 'B': g.colour = RGB(0, 0, 255); break;
    case 'P': OpenPopup(hwnd); return;
    case 'S': Snapshot(hwnd); return;
    case VK_ESCAPE: DestroyWindow(hwnd); return;
    default: return;
  }
  InvalidateRect(hwnd, nullptr, FALSE);
}

LRESULT CALLBACK MainProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT: Paint(hwnd); return 0;
    case WM_LBUTTONDOWN:
      g.square = POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_KEYDOWN: Key(hwnd, wp); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(hwnd, msg, wp, lp);
  }
}

LRESULT CALLBACK PopupProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT rc;
    GetClientRect(hwnd, &rc);
    HBRUSH b = CreateSolidBrush(RGB(255, 255, 0));
    FillRect(dc, &rc, b);
    DeleteObject(b);
    EndPaint(hwnd, &ps);
    return 0;
  }
  if (msg == WM_LBUTTONDOWN) {
    DestroyWindow(hwnd);
    g.popup = nullptr;
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

void Register(const char* name, WNDPROC proc) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = name;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  RegisterClassA(&wc);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) g.snapshot = argv[1];
  try {
    sdl::Start();
  } catch (const std::runtime_error& e) {
    std::fprintf(stderr, "xvt-win32-demo: %s\n", e.what());
    return 1;
  }
  Register("XvtDemo", MainProc);
  Register("XvtDemoPopup", PopupProc);
  HWND main = CreateWindowExA(0, "XvtDemo", "Win32 demo", WS_OVERLAPPEDWINDOW, 100, 100, 320, 240, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  ShowWindow(main, SW_SHOW);
  UpdateWindow(main);
  std::printf("ready\n");
  std::fflush(stdout);
  MSG m;
  while (GetMessageA(&m, nullptr, 0, 0) > 0) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
  return 0;
}

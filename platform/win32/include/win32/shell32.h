// shell32: opening documents and addresses with the host's default
// handler, and the task bar's position.
#pragma once

#include <win32/windef.h>

// Results of ShellExecuteA at or below 32 are errors.
#define SE_ERR_FNF 2
#define SE_ERR_PNF 3
#define SE_ERR_ACCESSDENIED 5
#define SE_ERR_OOM 8
#define SE_ERR_DLLNOTFOUND 32
#define SE_ERR_SHARE 26
#define SE_ERR_ASSOCINCOMPLETE 27
#define SE_ERR_DDETIMEOUT 28
#define SE_ERR_DDEFAIL 29
#define SE_ERR_DDEBUSY 30
#define SE_ERR_NOASSOC 31

// Opens `lpFile` (a web or mail address, or a host path) with the host's
// handler. Only the default verb and "open" are known; parameters and the
// directory are not passed on, as the handler takes the address alone.
HINSTANCE WINAPI ShellExecuteA(HWND hwnd, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters,
                               LPCSTR lpDirectory, INT nShowCmd);

typedef struct _AppBarData {
  DWORD cbSize;
  HWND hWnd;
  UINT uCallbackMessage;
  UINT uEdge;
  RECT rc;
  LPARAM lParam;
} APPBARDATA, *PAPPBARDATA;

#define ABM_NEW 0x00000000
#define ABM_REMOVE 0x00000001
#define ABM_QUERYPOS 0x00000002
#define ABM_SETPOS 0x00000003
#define ABM_GETSTATE 0x00000004
#define ABM_GETTASKBARPOS 0x00000005
#define ABM_ACTIVATE 0x00000006
#define ABM_GETAUTOHIDEBAR 0x00000007
#define ABM_SETAUTOHIDEBAR 0x00000008
#define ABM_WINDOWPOSCHANGED 0x0000009

#define ABS_AUTOHIDE 0x0000001
#define ABS_ALWAYSONTOP 0x0000002

#define ABE_LEFT 0
#define ABE_TOP 1
#define ABE_RIGHT 2
#define ABE_BOTTOM 3

// ABM_GETTASKBARPOS: the host's panels take the part of the screen outside
// its work area; the widest such strip is reported as the task bar. With
// none, an empty strip along the bottom edge is reported, so that "screen
// less task bar" is the whole screen. ABM_GETSTATE answers ABS_ALWAYSONTOP.
UINT_PTR WINAPI SHAppBarMessage(DWORD dwMessage, PAPPBARDATA pData);

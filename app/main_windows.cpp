// xvtinst.exe: the mission installer's main window as a Windows program. The
// games are found in the system's registry and files, so there is no prefix
// to choose and no demo copy to make.
#include <windows.h>

#include <commctrl.h>

#include <exception>
#include <iostream>

#include "ui/program.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    InitCommonControls();
    ui::Program program("");
    program.CreateForms(std::cerr);
    program.Run();
    return 0;
  } catch (const std::exception& e) {
    MessageBoxA(nullptr, e.what(), "XvT Mission Installer", MB_OK | MB_ICONSTOP);
    return 1;
  }
}

// Program entry: create the main window and run the message loop until it
// is closed. The exit code is the WM_QUIT code (0 on a normal close).
#include <windows.h>

#include "app/win/MainForm.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCmd) {
  HWND mainForm = tq::CreateMainForm(instance);
  if (!mainForm) {
    MessageBoxA(nullptr, "The main window could not be created.", "Tarnquill",
                MB_OK | MB_ICONERROR);
    return 1;
  }
  ShowWindow(mainForm, showCmd);
  UpdateWindow(mainForm);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}

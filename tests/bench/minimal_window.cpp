// The yardstick of make bench: a plain window program built with korvane.exe's
// own compiler flags, link options and runtime, so that the difference in
// start-up time is the program's own work.
#include <windows.h>

namespace {

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

}  // namespace

// With /query on its command line, the window shows only after the same
// status query korvane.exe runs (%COMSPEC% /c g4clk.bat, hidden, in the
// program folder that the bench starts it in): the floor of a window that
// waits for the clock tool.
void RunStatusQuery() {
  char interpreter[MAX_PATH] = "command.com";
  GetEnvironmentVariableA("COMSPEC", interpreter, MAX_PATH);
  char line[MAX_PATH + 32];
  lstrcpyA(line, interpreter);
  lstrcatA(line, " /c g4clk.bat");
  // As korvane.exe does: the output goes to a pipe nobody reads.
  HANDLE read_end = nullptr;
  HANDLE write_end = nullptr;
  if (!CreatePipe(&read_end, &write_end, nullptr, 0)) return;
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
  startup.wShowWindow = SW_HIDE;
  startup.hStdOutput = write_end;
  PROCESS_INFORMATION process = {};
  if (CreateProcessA(nullptr, line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                     &process)) {
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  CloseHandle(write_end);
  CloseHandle(read_end);
}

extern "C" int KorvaneMain() {
  const char* arguments = GetCommandLineA();
  for (const char* at = arguments; *at; ++at) {
    if (at[0] == '/' && at[1] == 'q') {
      RunStatusQuery();
      break;
    }
  }
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA window_class = {};
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = "MinimalWindow";
  if (!RegisterClassA(&window_class)) return 1;
  const HWND window = CreateWindowA("MinimalWindow", "Minimal", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                    CW_USEDEFAULT, 432, 412, nullptr, nullptr, instance, nullptr);
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}

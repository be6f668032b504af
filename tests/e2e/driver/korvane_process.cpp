#include "driver/korvane_process.h"

#include <commctrl.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <iterator>
#include <vector>

#include "driver/registry_tools.h"

namespace e2e {

const char kProgramFolder[] = "C:\\Program Files\\Korvane";

namespace {

constexpr wchar_t kNameProperty[] = L"Korvane.Name";
// Controls of the system's file dialogs: the file name box (an edit, or a
// combo box holding one) and the file type list.
constexpr int kFileNameEdit = 0x480;
constexpr int kFileNameCombo = 0x47C;
constexpr int kFileTypeList = 0x470;

struct Search {
  DWORD process_id;
  std::wstring class_name;
  std::string name;  // empty: any
  bool visible_only;
  HWND found = nullptr;
};

MSG Message(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  MSG msg = {};
  msg.hwnd = window;
  msg.message = message;
  msg.wParam = wparam;
  msg.lParam = lparam;
  return msg;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

// Names are atoms, which compare without regard to case and keep the first
// spelling ever added; the program keeps its names unique in that sense.
bool SameName(const std::string& a, const std::string& b) {
  return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

BOOL CALLBACK FindTopLevel(HWND window, LPARAM context) {
  auto& search = *reinterpret_cast<Search*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search.process_id || ClassOf(window) != search.class_name) return TRUE;
  if (search.visible_only && !IsWindowVisible(window)) return TRUE;
  if (!search.name.empty() && !SameName(WindowName(window), search.name)) return TRUE;
  search.found = window;
  return FALSE;
}

BOOL CALLBACK FindChild(HWND window, LPARAM context) {
  auto& search = *reinterpret_cast<Search*>(context);
  if (!SameName(WindowName(window), search.name)) return TRUE;
  search.found = window;
  return FALSE;
}

std::string SendText(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) {
    return std::string();
  }
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()),
                      SMTO_ABORTIFHUNG, 5000, &copied);
  text.resize(copied);
  return Utf8(text);
}

struct DialogSearch {
  DWORD process_id;
  bool file_dialog;
  HWND found = nullptr;
};

// The edit box itself: the combo box kind holds it one or two levels down.
HWND EditIn(HWND window) {
  if (!window || ClassOf(window) == L"Edit") return window;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (const HWND edit = EditIn(child)) return edit;
  }
  return nullptr;
}

HWND FileNameBox(HWND dialog) {
  if (const HWND edit = GetDlgItem(dialog, kFileNameEdit)) return edit;
  return EditIn(GetDlgItem(dialog, kFileNameCombo));
}

BOOL CALLBACK FindDialogWindow(HWND window, LPARAM context) {
  auto& search = *reinterpret_cast<DialogSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search.process_id || ClassOf(window) != L"#32770" || !IsWindowVisible(window)) {
    return TRUE;
  }
  if ((FileNameBox(window) != nullptr) != search.file_dialog) return TRUE;
  search.found = window;
  return FALSE;
}

// The programs of Wine itself, which run for as long as its server does.
// Any program may start one on demand (explorer.exe for the desktop, when
// there is none): it is Wine's, not the program's.
constexpr const wchar_t* kWinePrograms[] = {L"services.exe", L"winedevice.exe", L"plugplay.exe",
                                            L"svchost.exe",  L"explorer.exe",   L"rpcss.exe"};

bool IsWineProgram(const wchar_t* name) {
  return std::any_of(std::begin(kWinePrograms), std::end(kWinePrograms),
                     [&](const wchar_t* own) { return lstrcmpiW(name, own) == 0; });
}

// Every program that runs but Wine's own.
std::vector<PROCESSENTRY32W> RunningPrograms() {
  std::vector<PROCESSENTRY32W> found;
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return found;
  PROCESSENTRY32W entry = {};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32FirstW(snapshot, &entry); more;
       more = Process32NextW(snapshot, &entry)) {
    if (!IsWineProgram(entry.szExeFile)) found.push_back(entry);
  }
  CloseHandle(snapshot);
  return found;
}

// ...and but this one.
std::vector<PROCESSENTRY32W> OtherPrograms() {
  std::vector<PROCESSENTRY32W> found = RunningPrograms();
  found.erase(std::remove_if(found.begin(), found.end(),
                             [](const PROCESSENTRY32W& process) {
                               return process.th32ProcessID == GetCurrentProcessId();
                             }),
              found.end());
  return found;
}

}  // namespace

std::vector<std::string> EndLeftovers() {
  // What the last test ended may still be on its way out.
  std::vector<PROCESSENTRY32W> left = OtherPrograms();
  for (int waited = 0; !left.empty() && waited < 2000; waited += 50) {
    Sleep(50);
    left = OtherPrograms();
  }
  std::vector<std::string> lines;
  for (const PROCESSENTRY32W& process : left) {
    const std::string name = Utf8(process.szExeFile) + " (process " +
                             std::to_string(process.th32ProcessID) + ", started by " +
                             std::to_string(process.th32ParentProcessID) + ")";
    const HANDLE handle =
        OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, process.th32ProcessID);
    const bool ended = handle && TerminateProcess(handle, 99) &&
                       WaitForSingleObject(handle, 5000) == WAIT_OBJECT_0;
    if (handle) CloseHandle(handle);
    lines.push_back((ended ? "ended " : "could not end ") + name);
  }
  return lines;
}

std::string WindowName(HWND window) {
  const auto atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(GetPropW(window, kNameProperty)));
  if (!atom) return std::string();
  wchar_t name[128] = {};
  const UINT length = GlobalGetAtomNameW(atom, name, 128);
  return Utf8(std::wstring(name, length));
}

Korvane::Korvane(const std::string& program_folder, const std::string& arguments)
    : folder_(program_folder) {
  const std::wstring folder = Wide(program_folder);
  std::wstring command = L"\"" + folder + L"\\korvane.exe\"";
  if (!arguments.empty()) command += L" " + Wide(arguments);
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info = {};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                      &startup, &info)) {
    std::fprintf(stderr, "cannot start korvane.exe: %lu\n", GetLastError());
    return;
  }
  process_ = info.hProcess;
  thread_ = info.hThread;
  process_id_ = info.dwProcessId;
  family_ = {process_id_};
  thread_id_ = info.dwThreadId;
}

Korvane::~Korvane() {
  if (!process_) return;
  if (Running()) {
    TerminateProcess(process_, 99);
    WaitForSingleObject(process_, 10000);
  }
  // A tool it started must not outlive it into the next test: the status
  // query runs once the window shows, and a test may end the program before
  // its command interpreter has started the tool. Parents go first, so that
  // none starts another meanwhile; a second look finds what one did, its
  // parent ended by then.
  for (int look = 0; look < 2; ++look) {
    for (const auto& [id, name] : DescendantProcesses()) {
      if (const HANDLE child = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id)) {
        TerminateProcess(child, 99);
        WaitForSingleObject(child, 5000);
        CloseHandle(child);
      }
    }
  }
  for (std::thread& sender : senders_) sender.join();
  CloseHandle(thread_);
  CloseHandle(process_);
}

bool Korvane::Running() const {
  return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

std::vector<std::string> Korvane::Descendants() const {
  std::vector<std::string> names;
  for (const auto& [id, name] : DescendantProcesses()) names.push_back(name);
  return names;
}

std::vector<std::pair<DWORD, std::string>> Korvane::DescendantProcesses() const {
  const std::vector<PROCESSENTRY32W> entries = RunningPrograms();
  std::vector<std::pair<DWORD, std::string>> found;
  for (std::size_t i = 0; i < family_.size(); ++i) {
    for (const PROCESSENTRY32W& process : entries) {
      if (process.th32ParentProcessID != family_[i]) continue;
      if (std::find(family_.begin(), family_.end(), process.th32ProcessID) == family_.end()) {
        family_.push_back(process.th32ProcessID);
      }
      found.emplace_back(process.th32ProcessID, Utf8(process.szExeFile));
    }
  }
  return found;
}

bool Korvane::WaitForExit(int timeout_ms, DWORD* exit_code) {
  if (!process_ || WaitForSingleObject(process_, timeout_ms) != WAIT_OBJECT_0) return false;
  if (exit_code) GetExitCodeProcess(process_, exit_code);
  return true;
}

std::vector<HWND> Korvane::VisibleForms() const {
  std::vector<HWND> forms;
  for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == process_id_ && IsWindowVisible(window) && ClassOf(window) == L"KorvaneForm") {
      forms.push_back(window);
    }
  }
  return forms;
}

void Korvane::SendInBackground(std::vector<MSG> messages) {
  forms_before_ = VisibleForms();
  last_handled_ = std::make_shared<std::atomic<bool>>(false);
  senders_.emplace_back([messages, handled = last_handled_] {
    for (const MSG& message : messages) {
      DWORD_PTR result = 0;
      SendMessageTimeoutW(message.hwnd, message.message, message.wParam, message.lParam,
                          SMTO_NORMAL, 60000, &result);
    }
    *handled = true;
  });
  WaitUntilHandled();
}

void Korvane::WaitUntilHandled(int timeout_ms) {
  for (int waited = 0; waited < timeout_ms; waited += 10) {
    if (*last_handled_ || !Running() || MessageBoxOpen()) break;
    bool new_form = false;
    for (HWND form : VisibleForms()) {
      bool known = false;
      for (HWND before : forms_before_) known = known || before == form;
      new_form = new_form || !known;
    }
    if (new_form) break;
    Sleep(10);
  }
  // Let what the handler posted for itself (repaints) run as well.
  DWORD_PTR result = 0;
  for (HWND form : VisibleForms()) {
    SendMessageTimeoutW(form, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &result);
  }
}

HWND Korvane::Form(const std::string& name) const {
  Search search{process_id_, L"KorvaneForm", name, false};
  EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND Korvane::WaitForForm(const std::string& name, int timeout_ms) {
  for (int waited = 0; waited < timeout_ms && Running(); waited += 50) {
    const HWND form = Form(name);
    if (form && IsWindowVisible(form)) {
      // The program shows the window first, then runs its show handlers.
      DWORD_PTR result = 0;
      SendMessageTimeoutW(form, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
      return form;
    }
    Sleep(50);
  }
  return nullptr;
}

HWND Korvane::Control(HWND form, const std::string& name) const {
  if (!form) return nullptr;
  Search search{process_id_, L"", name, false};
  EnumChildWindows(form, FindChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND Korvane::Control(const std::string& form, const std::string& name) const {
  return Control(Form(form), name);
}

std::string Korvane::Text(HWND window) const { return window ? SendText(window) : "<none>"; }

bool Korvane::Checked(HWND window) const {
  DWORD_PTR state = 0;
  SendMessageTimeoutW(window, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 5000, &state);
  return state == BST_CHECKED;
}

bool Korvane::Enabled(HWND window) const { return window && IsWindowEnabled(window); }
bool Korvane::Visible(HWND window) const { return window && IsWindowVisible(window); }

void Korvane::Click(HWND window) {
  if (!window) return;
  if (ClassOf(window) == L"Button") {
    SendInBackground({Message(window, BM_CLICK, 0, 0)});
  } else {
    SendInBackground({Message(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2)),
                      Message(window, WM_LBUTTONUP, 0, MAKELPARAM(2, 2))});
  }
}

void Korvane::ClickLater(HWND button) {
  forms_before_ = VisibleForms();
  PostMessageW(button, BM_CLICK, 0, 0);
}

void Korvane::SelectTab(HWND form, int index) {
  const HWND tabs = Control(form, "PageControl1");
  if (!tabs) return;
  // The tab control writes the item's rectangle into the program's memory.
  void* remote = VirtualAllocEx(process_, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
  RECT rect = {};
  DWORD_PTR ok = 0;
  SendMessageTimeoutW(tabs, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(remote),
                      SMTO_ABORTIFHUNG, 5000, &ok);
  ReadProcessMemory(process_, remote, &rect, sizeof(rect), nullptr);
  VirtualFreeEx(process_, remote, 0, MEM_RELEASE);
  const LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  SendInBackground(
      {Message(tabs, WM_LBUTTONDOWN, MK_LBUTTON, point), Message(tabs, WM_LBUTTONUP, 0, point)});
}

std::string Korvane::TabCaption(HWND form, int index) const {
  const HWND tabs = Control(form, "PageControl1");
  if (!tabs) return "<none>";
  // The tab control copies the caption into the program's memory.
  constexpr int kLength = 64;
  struct Remote {
    TCITEMW item;
    wchar_t text[kLength];
  };
  auto* remote = static_cast<Remote*>(
      VirtualAllocEx(process_, nullptr, sizeof(Remote), MEM_COMMIT, PAGE_READWRITE));
  Remote local = {};
  local.item.mask = TCIF_TEXT;
  local.item.pszText =
      reinterpret_cast<wchar_t*>(reinterpret_cast<char*>(remote) + offsetof(Remote, text));
  local.item.cchTextMax = kLength;
  WriteProcessMemory(process_, remote, &local, sizeof(local), nullptr);
  DWORD_PTR ok = 0;
  SendMessageTimeoutW(tabs, TCM_GETITEMW, index, reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG,
                      5000, &ok);
  ReadProcessMemory(process_, remote, &local, sizeof(local), nullptr);
  VirtualFreeEx(process_, remote, 0, MEM_RELEASE);
  local.text[kLength - 1] = L'\0';
  return ok ? Utf8(local.text) : "<none>";
}

void Korvane::Type(HWND edit, const std::string& text) {
  // The edit box tells the program of the change as it would of typing.
  const std::wstring wide = Wide(text);
  DWORD_PTR result = 0;
  SendMessageTimeoutW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()), SMTO_NORMAL,
                      10000, &result);
  WaitUntilHandled();
}

void Korvane::StepUpDown(HWND up_down, int delta) {
  RECT rect;
  GetClientRect(up_down, &rect);
  const int x = rect.right / 2;
  const int y = delta > 0 ? rect.bottom / 4 : rect.bottom * 3 / 4;
  SendInBackground({Message(up_down, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)),
                    Message(up_down, WM_LBUTTONUP, 0, MAKELPARAM(x, y))});
}

void Korvane::Choose(HWND combo, int index) {
  // What the list box does when the user picks: select, then tell the
  // parent.
  SendInBackground(
      {Message(combo, CB_SETCURSEL, index, 0),
       Message(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo))});
}

bool Korvane::PointTo(HWND window, HWND shows, const std::string& text) {
  RECT rect;
  GetWindowRect(window, &rect);
  POINT point = {rect.left + 3, rect.top + 3};
  SetCursorPos(point.x, point.y);
  // Pointer moves reach the program through its message queue, not as a
  // sent message, so wait for what they show. A disabled window's moves go
  // to its parent, as the system sends them.
  const HWND receiver = IsWindowEnabled(window) ? window : GetParent(window);
  ScreenToClient(receiver, &point);
  PostMessageW(receiver, WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
  for (int waited = 0; waited < 5000; waited += 20) {
    if (SendText(shows) == text) return true;
    Sleep(20);
  }
  return false;
}

HWND Korvane::Focus() const {
  GUITHREADINFO info = {};
  info.cbSize = sizeof(info);
  return GetGUIThreadInfo(thread_id_, &info) ? info.hwndFocus : nullptr;
}

void Korvane::PressKey(UINT key, bool alt) {
  HWND target = Focus();
  if (!target) return;
  // Keys reach the program through its message queue, where the dialog
  // manager turns them into focus moves and clicks.
  if (alt) {
    const UINT character = (key >= 'A' && key <= 'Z') ? key + 32 : key;
    PostMessageW(target, WM_SYSKEYDOWN, key, 0x20000001);
    PostMessageW(target, WM_SYSCHAR, character, 0x20000001);
    PostMessageW(target, WM_SYSKEYUP, key, 0xE0000001);
  } else {
    PostMessageW(target, WM_KEYDOWN, key, 1);
    PostMessageW(target, WM_KEYUP, key, 0xC0000001);
  }
  for (int waited = 0; waited < 2000 && Running() && Focus() == target; waited += 20) Sleep(20);
  WaitUntilHandled();
}

HWND Korvane::FindDialog(bool file_dialog) const {
  DialogSearch search{process_id_, file_dialog};
  EnumWindows(FindDialogWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool Korvane::MessageBoxOpen() const {
  Search search{process_id_, L"#32770", "", true};
  EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found != nullptr;
}

std::optional<MessageBoxWindow> Korvane::WaitForMessageBox(int timeout_ms) {
  for (int waited = 0; waited < timeout_ms && Running(); waited += 50) {
    if (const HWND found = FindDialog(false)) {
      DWORD_PTR result = 0;
      SendMessageTimeoutW(found, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
      MessageBoxWindow box;
      box.hwnd = found;
      box.caption = SendText(box.hwnd);
      // The text is the static that is not the icon.
      for (HWND child = GetWindow(box.hwnd, GW_CHILD); child;
           child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassOf(child) != L"Static") continue;
        if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
          DWORD_PTR icon = 0;
          SendMessageTimeoutW(child, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 5000, &icon);
          box.has_icon = box.has_icon || (icon != 0 && IsWindowVisible(child));
        } else if (box.text.empty()) {
          box.text = SendText(child);
        }
      }
      return box;
    }
    Sleep(50);
  }
  return std::nullopt;
}

void Korvane::Answer(const MessageBoxWindow& box, int button) {
  PostMessageW(box.hwnd, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(box.hwnd, button)));
  for (int waited = 0; waited < 5000 && IsWindow(box.hwnd) && IsWindowVisible(box.hwnd);
       waited += 10) {
    Sleep(10);
  }
  WaitUntilHandled();
}

std::optional<FileDialogWindow> Korvane::WaitForFileDialog(int timeout_ms) {
  for (int waited = 0; waited < timeout_ms && Running(); waited += 50) {
    if (const HWND found = FindDialog(true)) {
      // The dialog fills its boxes as it starts; let it finish.
      DWORD_PTR result = 0;
      SendMessageTimeoutW(found, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
      FileDialogWindow dialog;
      dialog.hwnd = found;
      dialog.title = SendText(found);
      dialog.file_name = SendText(FileNameBox(found));
      if (const HWND types = GetDlgItem(found, kFileTypeList)) dialog.file_type = SendText(types);
      return dialog;
    }
    Sleep(50);
  }
  return std::nullopt;
}

void Korvane::ChooseFile(const FileDialogWindow& dialog, const std::string& path) {
  int button = IDCANCEL;
  if (!path.empty()) {
    const std::wstring wide = Wide(path);
    DWORD_PTR result = 0;
    SendMessageTimeoutW(FileNameBox(dialog.hwnd), WM_SETTEXT, 0,
                        reinterpret_cast<LPARAM>(wide.c_str()), SMTO_ABORTIFHUNG, 5000, &result);
    button = IDOK;
  }
  PostMessageW(dialog.hwnd, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog.hwnd, button)));
  // The dialog closes, or asks first in a box of its own.
  for (int waited = 0; waited < 10000 && IsWindow(dialog.hwnd) && IsWindowVisible(dialog.hwnd) &&
                       !FindDialog(false);
       waited += 10) {
    Sleep(10);
  }
  WaitUntilHandled();
}

bool Korvane::PlaceVideoBios(const std::string& image) {
  void* const bios = reinterpret_cast<void*>(0xC0000);
  SIZE_T written = 0;
  return VirtualAllocEx(process_, bios, image.size(), MEM_COMMIT, PAGE_READWRITE) &&
         WriteProcessMemory(process_, bios, image.data(), image.size(), &written) &&
         written == image.size();
}

bool Korvane::Screenshot(HWND window, const std::string& bmp_path) const {
  RECT rect;
  GetWindowRect(window, &rect);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  const HDC screen = GetDC(nullptr);
  const HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  const HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  SelectObject(memory, old);
  const DWORD stride = ((width * 3) + 3) & ~3u;
  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof(file) + sizeof(info.bmiHeader);
  file.bfSize = file.bfOffBits + stride * height;
  bool written = false;
  if (FILE* out = std::fopen(bmp_path.c_str(), "wb")) {
    std::fwrite(&file, sizeof(file), 1, out);
    std::fwrite(&info.bmiHeader, sizeof(info.bmiHeader), 1, out);
    std::fwrite(bits, stride * height, 1, out);
    written = std::fclose(out) == 0;
  }
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return written;
}

}  // namespace e2e

#include "win32/win32_dialogs.h"

#include <windows.h>

#include <commdlg.h>

#include <algorithm>
#include <string>
#include <vector>

#include "win32/text_encoding.h"

namespace korvane::win32 {

namespace {

UINT MessageFlags(MessageButtons buttons, MessageIcon icon) {
  UINT flags = buttons == MessageButtons::kOkCancel ? MB_OKCANCEL
               : buttons == MessageButtons::kYesNo  ? MB_YESNO
                                                    : MB_OK;
  if (icon == MessageIcon::kError) flags |= MB_ICONERROR;
  if (icon == MessageIcon::kInformation) flags |= MB_ICONINFORMATION;
  if (icon == MessageIcon::kQuestion) flags |= MB_ICONQUESTION;
  if (icon == MessageIcon::kWarning) flags |= MB_ICONWARNING;
  return flags;
}

MessageAnswer AnswerOf(int answer) {
  switch (answer) {
    case IDOK:
      return MessageAnswer::kOk;
    case IDYES:
      return MessageAnswer::kYes;
    case IDNO:
      return MessageAnswer::kNo;
    default:
      return MessageAnswer::kCancel;
  }
}

// A box that closes itself: its own thread timer counts down from the
// moment it is asked for, whether or not the box is ever activated (the
// foreground lock of Windows 98 may keep it from that), and each box keeps
// its own count, so a box shown meanwhile changes nothing of it. A question
// that lasts only while something stands asks about it at each tick
// instead.
struct Countdown {
  UINT_PTR timer = 0;
  HWND box = nullptr;
  HWND owner = nullptr;
  std::string caption;  // ANSI
  // The thread's windows when the box was asked for: none of them is it.
  std::vector<HWND> before;
  HookClassView view = nullptr;
  int left = 0;
  bool timed_out = false;
  const Standing* stands = nullptr;
  // A button the box has: one without Cancel ignores it, as it ignores Esc
  // (MessageBox: "If there is no Cancel button, pressing ESC has no effect").
  WPARAM close_command = IDCANCEL;
};

// The ticks of a question that lasts while something stands: often, as the
// user waits behind it.
constexpr UINT kStandsTickMs = 250;
std::vector<Countdown*> g_countdowns;
bool g_countdowns_held = false;
// The countdown whose box is being made, until its window is seen.
Countdown* g_awaited_box = nullptr;

std::string CaptionWithSeconds(const Countdown& countdown) {
  if (countdown.stands) return countdown.caption;
  return countdown.caption + " (" + std::to_string(countdown.left) + ")";
}

BOOL CALLBACK AddWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

std::vector<HWND> ThreadWindows() {
  std::vector<HWND> windows;
  EnumThreadWindows(GetCurrentThreadId(), AddWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

bool IsDialogClass(LPCSTR window_class) {
  // The system names the dialog class by its atom, 32770, or by "#32770".
  if (HIWORD(reinterpret_cast<UINT_PTR>(window_class)) == 0) {
    return LOWORD(reinterpret_cast<UINT_PTR>(window_class)) == 0x8002;
  }
  return lstrcmpA(window_class, "#32770") == 0;
}

bool IsDialog(HWND window) {
  char name[16] = {};
  return GetClassNameA(window, name, sizeof(name)) > 0 && IsDialogClass(name);
}

// The box among the thread's windows, where the hook did not see it made:
// on Windows 95 the message box comes from the 16-bit USER, and what a
// 32-bit hook sees of its class is not documented. It is the thread's new
// dialog, owned as the box was asked to be, under the caption it was given,
// and no other countdown's.
HWND FindBox(const Countdown& countdown) {
  const std::string caption = countdown.caption + (countdown.stands ? "" : " (");
  for (const HWND window : ThreadWindows()) {
    if (std::find(countdown.before.begin(), countdown.before.end(), window) !=
            countdown.before.end() ||
        GetWindow(window, GW_OWNER) != countdown.owner || !IsDialog(window)) {
      continue;
    }
    const bool claimed =
        std::any_of(g_countdowns.begin(), g_countdowns.end(),
                    [window](const Countdown* other) { return other->box == window; });
    char text[256] = {};
    GetWindowTextA(window, text, sizeof(text));
    if (!claimed && std::string(text).compare(0, caption.size(), caption) == 0) return window;
  }
  return nullptr;
}

// Ends the box as if its close button was pressed: Cancel, as Esc does, or
// Yes, which only says to wait on for what has ended. The timer
// ticks on until the box is gone: a loop nested in the box's own (a tool run
// at the end of the session) may take the command, and the box's loop then
// sees that it has ended only once something wakes it.
void CloseBox(Countdown& countdown) {
  countdown.timed_out = true;
  PostMessageA(countdown.box, WM_COMMAND, countdown.close_command, 0);
}

void CALLBACK CountDown(HWND, UINT, UINT_PTR timer, DWORD) {
  for (Countdown* countdown : g_countdowns) {
    if (countdown->timer != timer) continue;
    if (countdown->timed_out) return;
    if (countdown->stands) {
      if (countdown->stands->Stands()) return;
      countdown->left = 0;
    } else if (countdown->left > 0 && !g_countdowns_held) {
      --countdown->left;
    }
    if (!countdown->box) countdown->box = FindBox(*countdown);
    if (!countdown->box) return;  // not made yet: it closes as soon as it is
    if (countdown->left > 0) {
      SetWindowTextA(countdown->box, CaptionWithSeconds(*countdown).c_str());
      return;
    }
    CloseBox(*countdown);
    return;
  }
}

// Sees the box's window being made: the first dialog that is not a child.
LRESULT CALLBACK NoteBox(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HCBT_CREATEWND && g_awaited_box) {
    const CREATESTRUCTA& create = *reinterpret_cast<CBT_CREATEWNDA*>(lparam)->lpcs;
    const LPCSTR window_class =
        g_awaited_box->view ? g_awaited_box->view(create.lpszClass) : create.lpszClass;
    if ((create.style & WS_CHILD) == 0 && window_class && IsDialogClass(window_class)) {
      g_awaited_box->box = reinterpret_cast<HWND>(wparam);
      g_awaited_box = nullptr;
    }
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

}  // namespace

HWND Win32Dialogs::Owner() const { return owner_ ? owner_() : nullptr; }

MessageAnswer Win32Dialogs::Message(std::string_view text, std::string_view caption,
                                    MessageButtons buttons, MessageIcon icon, MessageFront front) {
  // MB_SETFOREGROUND: the box asks for the foreground itself, where Windows
  // 98 would otherwise only flash the owner's taskbar button. But that only
  // calls SetForegroundWindow, which Windows 98 refuses to a program that
  // did not have the last input (after Start, Shut Down, Explorer had it).
  // GNU Emacs's w32proc.c (sys_kill) first attaches to the input of the
  // foreground window's thread, for NT 5.0 "and apparently also Windows
  // 98": the owner is brought to the front that way, and the box comes up
  // in front of it. Nothing documents that 98 lets it.
  const HWND owner = Owner();
  if (front == MessageFront::kForeground && owner) {
    const DWORD own = GetCurrentThreadId();
    const HWND foreground = GetForegroundWindow();
    const DWORD other = foreground ? GetWindowThreadProcessId(foreground, nullptr) : own;
    const bool attached = other != own && AttachThreadInput(own, other, TRUE);
    SetForegroundWindow(owner);
    if (attached) AttachThreadInput(own, other, FALSE);
  }
  const UINT flags =
      MessageFlags(buttons, icon) | (front == MessageFront::kForeground ? MB_SETFOREGROUND : 0);
  return ShowOwned(owner, ToAnsi(text), ToAnsi(caption), flags);
}

MessageAnswer Win32Dialogs::ShowOwned(HWND owner, const std::string& text,
                                      const std::string& caption, UINT flags) {
  // Owned by the window that asked, which the box disables; at start-up,
  // before any window is shown, it stands alone.
  if (!owner) flags |= MB_TASKMODAL | MB_SETFOREGROUND;
  return AnswerOf(MessageBoxA(owner, text.c_str(), caption.c_str(), flags));
}

MessageAnswer Win32Dialogs::TimedMessage(std::string_view text, std::string_view caption,
                                         MessageButtons buttons, MessageIcon icon, int seconds) {
  return ClosingItself(text, caption, buttons, icon, seconds, nullptr);
}

MessageAnswer Win32Dialogs::MessageWhile(std::string_view text, std::string_view caption,
                                         MessageButtons buttons, MessageIcon icon,
                                         const Standing& subject) {
  return ClosingItself(text, caption, buttons, icon, 1, &subject);
}

MessageAnswer Win32Dialogs::ClosingItself(std::string_view text, std::string_view caption,
                                          MessageButtons buttons, MessageIcon icon, int seconds,
                                          const Standing* subject) {
  Countdown countdown;
  countdown.caption = ToAnsi(caption);
  countdown.left = seconds;
  countdown.owner = Owner();
  countdown.before = ThreadWindows();
  countdown.view = hook_class_view_;
  countdown.stands = subject;
  if (buttons == MessageButtons::kYesNo) countdown.close_command = IDYES;
  countdown.timer = SetTimer(nullptr, 0, subject ? kStandsTickMs : 1000, CountDown);
  g_countdowns.push_back(&countdown);
  g_awaited_box = &countdown;
  const HHOOK hook = SetWindowsHookExA(WH_CBT, NoteBox, nullptr, GetCurrentThreadId());
  const MessageAnswer answer = ShowOwned(
      countdown.owner, ToAnsi(text), CaptionWithSeconds(countdown), MessageFlags(buttons, icon));
  if (hook) UnhookWindowsHookEx(hook);
  if (g_awaited_box == &countdown) g_awaited_box = nullptr;
  if (countdown.timer) KillTimer(nullptr, countdown.timer);
  g_countdowns.erase(std::find(g_countdowns.begin(), g_countdowns.end(), &countdown));
  return countdown.timed_out ? MessageAnswer::kTimedOut : answer;
}

void Win32Dialogs::EndCountdowns() {
  for (Countdown* countdown : g_countdowns) {
    if (!countdown->box) countdown->box = FindBox(*countdown);
    // One not made yet closes as soon as its first tick finds it.
    if (!countdown->box) {
      countdown->left = 0;
    } else if (!countdown->timed_out) {
      CloseBox(*countdown);
    }
  }
}

void Win32Dialogs::HoldCountdowns(bool hold) { g_countdowns_held = hold; }

std::string DialogFilter(std::string_view filter) {
  std::string list;
  std::size_t start = 0;
  while (true) {
    const std::size_t bar = filter.find('|', start);
    list += ToAnsi(filter.substr(start, bar == std::string_view::npos ? bar : bar - start));
    list += '\0';
    if (bar == std::string_view::npos) break;
    start = bar + 1;
  }
  list += '\0';
  return list;
}

namespace {

using FileDialogFunction = BOOL(WINAPI*)(OPENFILENAMEA*);

// The common dialog library, and the shell libraries it brings along, are
// loaded with the first file dialog rather than at every start.
FileDialogFunction FileDialog(bool save) {
  static const HMODULE library = LoadLibraryA("comdlg32.dll");
  if (!library) return nullptr;
  const FARPROC function = GetProcAddress(library, save ? "GetSaveFileNameA" : "GetOpenFileNameA");
  return reinterpret_cast<FileDialogFunction>(reinterpret_cast<void*>(function));
}

std::optional<std::string> RunFileDialog(const FileDialogOptions& options, bool save, HWND owner) {
  const FileDialogFunction run_dialog = FileDialog(save);
  if (!run_dialog) return std::nullopt;
  const std::string filter = DialogFilter(options.filter);
  const std::string title = ToAnsi(options.title);
  const std::string folder = ToAnsi(options.folder);
  const std::string extension = ToAnsi(options.default_extension);
  std::vector<char> file(MAX_PATH, '\0');
  const std::string proposed = ToAnsi(options.file_name);
  proposed.copy(file.data(), file.size() - 1);

  OPENFILENAMEA dialog = {};
  dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;  // what Windows 95 accepts
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  dialog.lpstrTitle = title.c_str();
  // The system adds the extension without its dot.
  dialog.lpstrDefExt =
      extension.empty() ? nullptr : extension.c_str() + (extension[0] == '.' ? 1 : 0);
  dialog.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR |
                 (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
  if (!run_dialog(&dialog)) return std::nullopt;
  return FromAnsi(file.data());
}

}  // namespace

std::optional<std::string> Win32Dialogs::OpenFile(const FileDialogOptions& options) {
  return RunFileDialog(options, false, Owner());
}

std::optional<std::string> Win32Dialogs::SaveFile(const FileDialogOptions& options) {
  return RunFileDialog(options, true, Owner());
}

}  // namespace korvane::win32

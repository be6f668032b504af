// The program's own tiny C++ runtime. MinGW's start-up code and libraries are
// built for the Pentium Pro and would die with an illegal instruction on a
// K6-2, WinChip or Pentium MMX before the first window opens, so the program
// links without them and brings the few pieces it needs, here and in
// c_functions.cpp. Nor does it import a C runtime DLL: msvcrt.dll came with
// Visual C++ 4.2 and Internet Explorer 4, and Windows 95 as it shipped
// refuses to load a program that names it.
#include <windows.h>

#include <cstddef>

extern "C" int KorvaneMain();

namespace {

// Last words for a failure the program cannot carry on from.
[[noreturn]] void Fatal(const char* what) {
  MessageBoxA(nullptr, what, "Matrox Korvane", MB_OK | MB_ICONERROR | MB_TASKMODAL);
  ExitProcess(3);
}

constexpr int kMaxExitHandlers = 32;
void (*g_exit_handlers[kMaxExitHandlers])();
int g_exit_handler_count = 0;

}  // namespace

extern "C" {

// Laid out by the linker: a -1 word, the constructors, a 0 word.
typedef void (*Constructor)();
extern Constructor __CTOR_LIST__[];

int atexit(void (*handler)()) {
  if (g_exit_handler_count == kMaxExitHandlers) return -1;
  g_exit_handlers[g_exit_handler_count++] = handler;
  return 0;
}

void __cxa_pure_virtual() { Fatal("pure virtual call"); }

// A failed check of the standard library (see library_checks.h).
void KorvaneLibraryCheckFailed() noexcept { Fatal("internal check failed"); }

void WinMainCRTStartup() {
  std::size_t count = 1;
  while (__CTOR_LIST__[count]) ++count;
  // Run in reverse, as the compiler's own start-up code does.
  while (--count > 0) __CTOR_LIST__[count]();
  const int code = KorvaneMain();
  while (g_exit_handler_count > 0) g_exit_handlers[--g_exit_handler_count]();
  ExitProcess(static_cast<UINT>(code));
}

}  // extern "C"

void* operator new(std::size_t size) {
  void* memory = HeapAlloc(GetProcessHeap(), 0, size ? size : 1);
  if (!memory) Fatal("out of memory");
  return memory;
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* memory) noexcept {
  if (memory) HeapFree(GetProcessHeap(), 0, memory);
}
void operator delete[](void* memory) noexcept { operator delete(memory); }
void operator delete(void* memory, std::size_t) noexcept { operator delete(memory); }
void operator delete[](void* memory, std::size_t) noexcept { operator delete(memory); }

// What the header-only standard library calls where it would throw.
namespace std {
void __throw_length_error(const char*) { Fatal("length error"); }
void __throw_logic_error(const char*) { Fatal("logic error"); }
void __throw_out_of_range(const char*) { Fatal("out of range"); }
void __throw_out_of_range_fmt(const char*, ...) { Fatal("out of range"); }
void __throw_invalid_argument(const char*) { Fatal("invalid argument"); }
void __throw_bad_alloc() { Fatal("out of memory"); }
void __throw_bad_array_new_length() { Fatal("out of memory"); }
void __throw_bad_function_call() { Fatal("bad function call"); }
void __throw_bad_optional_access() { Fatal("bad optional access"); }
void __glibcxx_assert_fail(const char*, int, const char*, const char*) noexcept {
  Fatal("internal check failed");
}
}  // namespace std

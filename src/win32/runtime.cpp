// The program's own tiny C++ runtime. MinGW's start-up code and libraries are
// built for the Pentium Pro and would die with an illegal instruction on a
// K6-2, WinChip or Pentium MMX before the first window opens, so the program
// links without them and brings the few pieces it needs. Nor does it import
// a C runtime DLL: msvcrt.dll came with Visual C++ 4.2 and Internet Explorer
// 4, and Windows 95 as it shipped refuses to load a program that names it.
#include <windows.h>

#include <cstddef>
#include <cstring>

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

// The C functions the compiler and the standard library call. Written as
// plain loops that the compiler must not turn back into calls to themselves;
// nothing the program copies or searches is long enough to need more.
#define KORVANE_PLAIN_LOOP __attribute__((optimize("no-tree-loop-distribute-patterns")))

KORVANE_PLAIN_LOOP void* memcpy(void* to, const void* from, std::size_t count) {
  auto* out = static_cast<unsigned char*>(to);
  const auto* in = static_cast<const unsigned char*>(from);
  while (count--) *out++ = *in++;
  return to;
}

KORVANE_PLAIN_LOOP void* memmove(void* to, const void* from, std::size_t count) {
  auto* out = static_cast<unsigned char*>(to);
  const auto* in = static_cast<const unsigned char*>(from);
  if (out <= in || out >= in + count) return memcpy(to, from, count);
  // Overlapping with the source ahead: copied from the end.
  while (count--) out[count] = in[count];
  return to;
}

KORVANE_PLAIN_LOOP void* memset(void* to, int value, std::size_t count) {
  auto* out = static_cast<unsigned char*>(to);
  while (count--) *out++ = static_cast<unsigned char>(value);
  return to;
}

KORVANE_PLAIN_LOOP int memcmp(const void* a, const void* b, std::size_t count) {
  const auto* left = static_cast<const unsigned char*>(a);
  const auto* right = static_cast<const unsigned char*>(b);
  for (; count > 0; --count, ++left, ++right) {
    if (*left != *right) return *left < *right ? -1 : 1;
  }
  return 0;
}

KORVANE_PLAIN_LOOP void* memchr(const void* where, int value, std::size_t count) {
  const auto* at = static_cast<const unsigned char*>(where);
  for (; count > 0; --count, ++at) {
    if (*at == static_cast<unsigned char>(value)) return const_cast<unsigned char*>(at);
  }
  return nullptr;
}

KORVANE_PLAIN_LOOP std::size_t strlen(const char* text) {
  const char* end = text;
  while (*end) ++end;
  return static_cast<std::size_t>(end - text);
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

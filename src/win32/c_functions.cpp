// The C functions the compiler and the standard library call, for a program
// linked without a C library (see runtime.cpp). Built without link-time
// optimisation: the compiler emits calls to them while it writes the code,
// after the link-time optimiser has decided what the program uses, so they
// must stay ordinary functions that the linker always finds.
#include <cstddef>
#include <cstring>

extern "C" {

// Written as plain loops that the compiler must not turn back into calls to
// themselves; nothing the program copies or searches is long enough to need
// more.
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

}  // extern "C"

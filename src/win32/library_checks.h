// Read before every file of korvane.exe (the build's -include): the standard
// library keeps its checks, but a failed one ends the program through the
// runtime's last words without the file, function and condition texts that
// the library would otherwise store for each check, some 30 KB of texts the
// program never shows.
#pragma once

#include <bits/c++config.h>

extern "C" [[noreturn]] void KorvaneLibraryCheckFailed() noexcept;

#undef __glibcxx_assert_impl
#define __glibcxx_assert_impl(condition)           \
  if (__builtin_expect(!bool(condition), false)) { \
    __glibcxx_constexpr_assert(false);             \
    KorvaneLibraryCheckFailed();                   \
  }

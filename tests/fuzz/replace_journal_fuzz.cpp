// libFuzzer target for the replace journal, which a reset may have cut short:
// the reader accepts or refuses any bytes cleanly, and what it accepts is
// written back and read again unchanged.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "files/replace_journal.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korvane;
  const auto journal = ReadReplaceJournal({reinterpret_cast<const char*>(data), size});
  if (journal) fuzz::Check(ReadReplaceJournal(FormatReplaceJournal(*journal)) == journal);
  return 0;
}

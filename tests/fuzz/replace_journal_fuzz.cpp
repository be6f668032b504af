// libFuzzer target for the replace journal: the start reads whatever a reset
// left of it. Whatever the bytes, the reader accepts or refuses them cleanly,
// and what it accepts is written back and read again unchanged.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "files/replace_journal.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korvane;
  const auto journal =
      ReadReplaceJournal(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!journal) return 0;
  fuzz::Check(!journal->target.empty() && !journal->fresh.empty());
  fuzz::Check(ReadReplaceJournal(FormatReplaceJournal(*journal)) == journal);
  return 0;
}

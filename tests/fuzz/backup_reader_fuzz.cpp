// libFuzzer target for the backup reader: the restore reads any .reg file
// the user picks. Whatever the bytes, the reader accepts or refuses them
// cleanly, and what it accepts is written back and read again unchanged.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "backup/reg_file.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korvane;
  using fuzz::Check;
  using fuzz::Same;
  const AnsiCodePage code_page{Same, Same};
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  RegFileError error;
  const auto file = ParseRegFile(bytes, code_page, &error);
  if (!file) {
    Check(error.foreign || error.line > 0);
    return 0;
  }
  for (const RegFileKey& key : file->keys) Check(!key.path.empty());
  RegFileError again_error;
  const auto again = ParseRegFile(FormatRegFile(*file, code_page), code_page, &again_error);
  Check(again.has_value());
  Check(*again == *file);
  return 0;
}

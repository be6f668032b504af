// The note a replace keeps in the program folder while it renames files, so
// that the next start can finish one that a reset cut short. It is written
// and flushed after the new text is, before the first rename, and deleted
// once the renamed files have been committed; a reset while it is written
// can leave it cut short, empty, or holding what the disk held there before.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korvane {

struct ReplaceJournal {
  std::string target;  // the file replaced
  std::string fresh;   // the new text, beside it
  std::string aside;   // where the old file goes; empty when there was none
  // Of the new text: a file holds it only when both match, which no stale
  // note about an earlier replace can claim of a file written since.
  std::uint32_t size = 0;
  std::uint32_t checksum = 0;

  bool operator==(const ReplaceJournal&) const = default;
};

// The journal of replacing `target` with `fresh`, whose whole text is `text`.
ReplaceJournal JournalOf(std::string target, std::string fresh, std::string aside,
                         std::string_view text);
// Whether `bytes` are the new text the journal names.
bool HoldsNewText(const ReplaceJournal& journal, std::string_view bytes);

// The program's UTF-8 paths as they stand, one a line, CR LF after each.
std::string FormatReplaceJournal(const ReplaceJournal& journal);
// Nothing unless `text` is a whole journal as FormatReplaceJournal writes one.
std::optional<ReplaceJournal> ReadReplaceJournal(std::string_view text);

}  // namespace korvane

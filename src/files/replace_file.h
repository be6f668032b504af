// Replacing a file so that no failure, and no crash between two steps, costs
// the one it replaces.
//
// Windows 95/98 cannot replace a file in one step (MoveFileExA is only a
// stub there, and MoveFileA fails when the target exists), so the old file
// is renamed aside, the new one renamed in, and the aside copy deleted. Any
// failure puts the old file back. When the new text then lies only in its
// temporary file, the error names that file.
//
// Windows 95/98 keep written data in memory for seconds, and a reset (often
// right after a clock change) can keep the renames and lose the text. So the
// new text is flushed to the disk before the first rename, and a journal in
// the program folder names the files until the last step is done: the next
// start finishes what a reset cut short.
#pragma once

#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/status.h"

namespace korvane {

// Replaces `path` with `bytes`, which are written to a new file beside it
// first. A file that cannot be written leaves nothing behind.
Status ReplaceFile(FileSystem& files, const std::string& path, std::string_view bytes);

// Replaces `path` with the file `fresh`, which lies beside it and takes its
// name; `fresh` must have been written with WriteFlushed. On a failure
// `fresh` keeps the new text, or `path` does when the old file could not be
// put back, and the error says where each text is.
Status ReplaceFileWith(FileSystem& files, const std::string& path, const std::string& fresh);

// At start: finishes a replace that the journal shows was cut short, where
// its new text is whole; puts the old text back where only that is left.
// Says what it did, empty when there was nothing to do; an error, which says
// where each text is, when it could not finish.
Result<std::string> RecoverInterruptedReplace(FileSystem& files);

}  // namespace korvane

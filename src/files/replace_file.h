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
// the program's work folder names the files: the next start finishes what a
// reset cut short.
//
// A flush commits one file's data (FlushFileBuffers; the Windows 95 DDK's
// FS_CommitFile); renames and deletions are directory writes that the lazy
// writer puts on the disk in no promised order. So the journal is deleted
// only once each renamed file has been committed, which puts its directory
// entry on the disk too: deleted before, its deletion could reach the disk
// before the renames it guards. A journal that a later start finds is one
// of a replace cut short, or whose files could not be committed; each
// replace has a journal of its own, so that none is written over.
#pragma once

#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/status.h"

namespace korvane {

// Replaces `path` with `bytes`, which are written to a new file beside it
// first. A file that cannot be written leaves nothing behind. The journal
// goes into `work_folder`.
Status ReplaceFile(FileSystem& files, std::string_view work_folder, const std::string& path,
                   std::string_view bytes);

// Replaces `path` with the file `fresh`, which lies beside it and takes its
// name; `fresh` must have been written with WriteFlushed. On a failure
// `fresh` keeps the new text, or `path` does when the old file could not be
// put back, and the error says where each text is.
Status ReplaceFileWith(FileSystem& files, std::string_view work_folder, const std::string& path,
                       const std::string& fresh);

// At start: takes up each replace whose journal is in `work_folder`, oldest
// first; of several replaces of one file only the last. Finishes one that a
// reset cut short, where its new text is whole, and puts the old text back
// where only that is left; each journal goes once its replace is on the
// disk, but one whose file and texts are all missing stays. Says what it
// did, empty when there was nothing to do; an error, which says where each
// text is, when it could not finish.
Result<std::string> RecoverInterruptedReplace(FileSystem& files, std::string_view work_folder);

}  // namespace korvane

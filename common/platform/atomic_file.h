#pragma once

#include <string>
#include <string_view>

namespace velmar::platform {

// Writes contents to a new file beside path, flushes it to the disk and renames it over path,
// so a reader of path sees either the old file or the complete new one, never a truncated one.
// A symbolic link at path is followed and its target replaced. An existing target must be a
// regular file this process may write, as opening it for writing would require: a device, FIFO,
// socket or directory, or a write-protected file, is refused and left alone. Returns false on
// any failure with the system's text for it in reason, leaving path as it was and no temporary
// file behind. Paths are UTF-8 on every system. On Windows the same refusals hold in its terms: a
// directory, a reserved device name (NUL, CON, COM1, ...), a read-only file.
bool replaceFileContents(const std::string& path, std::string_view contents, std::string& reason);

// Whether replaceFileContents could replace the file at path now: the same checks of the link
// and its target, and the new file created beside the target and removed again, so that the
// directory's permission and space for a name are asked too. Leaves nothing behind; false with
// the system's text in reason. The answer can be outdated by the time the file is written.
bool canReplaceFile(const std::string& path, std::string& reason);

}  // namespace velmar::platform

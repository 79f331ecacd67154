// FileError: the one place where an operating-system failure on a path
// becomes an Error with a runtime number. Pure; safe from any thread.
#pragma once

#include <corvane/Error.h>

#include <string_view>

namespace corvane::platform {

// The source of the errors of the file-system service.
inline constexpr std::string_view kFileSystemErrorSource = "Scripting.FileSystemObject";

// What the failing call was after: a missing file is 53, a missing folder 76.
enum class PathKind { File, Folder };

// Error with the runtime number nearest to errnum (70 permission denied,
// 75 path/file access error, 76 path not found, 53 file not found, ...) and
// the description "<standard text>: '<path>' (<system reason>)".
Error FileError(int errnum, std::string_view path, PathKind kind,
                std::string_view source = kFileSystemErrorSource);

}  // namespace corvane::platform

#include "platform/filesystem/FileError.h"

#include <corvane/RuntimeErrors.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "errors/ExceptionTranslation.h"

namespace corvane::platform {
namespace {

std::int32_t NumberFor(int errnum, PathKind kind) {
  switch (errnum) {
    case ENOENT:
      return kind == PathKind::Folder ? rtPathNotFound : rtFileNotFound;
    case ENAMETOOLONG:
    case ELOOP:
      return rtPathNotFound;
    case EINVAL:
      return rtPathFileAccessError;  // a bad file operation, not a bad argument
    default:
      return RuntimeNumberForErrno(errnum);
  }
}

std::string SystemReason(int errnum) {
  char buffer[256] = {};
  // The GNU strerror_r may return a static text instead of filling buffer.
  const char* text = ::strerror_r(errnum, buffer, sizeof buffer);
  return text ? text : "error " + std::to_string(errnum);
}

}  // namespace

Error FileError(int errnum, std::string_view path, PathKind kind, std::string_view source) {
  const std::int32_t number = NumberFor(errnum, kind);
  std::string description(RuntimeErrorText(number));
  description.append(": '").append(path).append("' (").append(SystemReason(errnum)).append(")");
  return Error(number, std::string(source), std::move(description));
}

}  // namespace corvane::platform

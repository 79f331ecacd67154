#include "errors/ExceptionTranslation.h"

#include <corvane/RuntimeErrors.h>

#include <cerrno>
#include <new>
#include <stdexcept>
#include <string>
#include <system_error>

namespace corvane {
namespace {

constexpr const char* kSource = "Corvane";

Error WithText(std::int32_t number, const char* text) {
  std::string description = text && *text ? text : std::string(RuntimeErrorText(number));
  return Error(number, kSource, std::move(description));
}

}  // namespace

std::int32_t RuntimeNumberForErrno(int error) noexcept {
  switch (error) {
    case ENOENT: return rtFileNotFound;
    case ENOTDIR: return rtPathNotFound;
    case EACCES:
    case EPERM:
    case EROFS: return rtPermissionDenied;
    case ENOMEM: return rtOutOfMemory;
    case EINVAL: return rtInvalidProcedureCall;
    default: return rtPathFileAccessError;
  }
}

Error ToError(std::exception_ptr exception) noexcept {
  try {
    try {
      std::rethrow_exception(exception);
    } catch (const Error& error) {
      return error;
    } catch (const std::bad_alloc&) {
      return Error::Runtime(rtOutOfMemory, kSource);
    } catch (const std::length_error&) {
      return Error::Runtime(rtOutOfMemory, kSource);
    } catch (const std::out_of_range& e) {
      return WithText(rtSubscriptOutOfRange, e.what());
    } catch (const std::overflow_error& e) {
      return WithText(rtOverflow, e.what());
    } catch (const std::range_error& e) {
      return WithText(rtOverflow, e.what());
    } catch (const std::system_error& e) {
      return WithText(RuntimeNumberForErrno(e.code().value()), e.what());
    } catch (const std::exception& e) {
      return WithText(rtInvalidProcedureCall, e.what());
    } catch (...) {
      return Error::Runtime(rtInvalidProcedureCall, kSource);
    }
  } catch (...) {
    // Building the Error itself failed: memory is short.
    return Error(rtOutOfMemory, {}, {});
  }
}

}  // namespace corvane

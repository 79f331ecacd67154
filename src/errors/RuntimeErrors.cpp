#include <corvane/RuntimeErrors.h>

#include <algorithm>
#include <array>
#include <utility>

namespace corvane {
namespace {

constexpr std::array<std::pair<std::int32_t, std::string_view>, 18> kTexts{{
    {rtInvalidProcedureCall, "Invalid procedure call or argument"},
    {rtOverflow, "Overflow"},
    {rtOutOfMemory, "Out of memory"},
    {rtSubscriptOutOfRange, "Subscript out of range"},
    {rtTypeMismatch, "Type mismatch"},
    {rtFileNotFound, "File not found"},
    {rtPermissionDenied, "Permission denied"},
    {rtPathFileAccessError, "Path/File access error"},
    {rtPathNotFound, "Path not found"},
    {rtObjectVariableNotSet, "Object variable or With block variable not set"},
    {rtInvalidUseOfNull, "Invalid use of Null"},
    {rtObjectRequired, "Object required"},
    {rtCannotCreateObject, "ActiveX component can't create object"},
    {rtObjectDoesNotSupport, "Object doesn't support this property or method"},
    {rtKeyAlreadyAssociated, "This key is already associated with an element of this collection"},
    {rtElementNotFound, "Element not found"},
    {rtClassNotRegistered, "Class not registered"},
    {rtNotImplemented, "Not implemented"},
}};

}  // namespace

std::string_view RuntimeErrorText(std::int32_t number) noexcept {
  const auto* it = std::find_if(kTexts.begin(), kTexts.end(),
                                [number](const auto& entry) { return entry.first == number; });
  return it != kTexts.end() ? it->second : "Application-defined or object-defined error";
}

}  // namespace corvane
